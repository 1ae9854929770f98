#include "harness/main_window.h"

#include "harness/sandbox.h"

namespace varokin::fuzz {

Answer FuzzPrompts::Message(const std::string&, Buttons buttons, Icon) {
  if (buttons == Buttons::kOk) return Answer::kOk;
  const bool yes = (answers_ >> (asked_++ % 8)) & 1;
  return yes ? Answer::kYes : Answer::kNo;
}

std::optional<std::string> FuzzPrompts::OpenFile(const FileDialogRequest&) { return fileToOpen; }

std::optional<std::string> FuzzPrompts::SaveFile(const FileDialogRequest&) { return std::nullopt; }

MainWindow::MainWindow(Prompts& prompts, const std::string& settingsPath)
    : fs(platform::CreateHostFileSystem()),
      settings(*fs, settingsPath),
      relocator(*fs, prompts, startup),
      ctx{*fs, prompts, settings, startup, state, relocator, packs},
      dlg(ctx, window.Controls()) {
  startup.warnModifiedFiles = true;
  startup.warnCustomExe = true;
  dlg.frontEnd.dialogs = &dialogs;
}

void MainWindow::Start() {
  if (!dlg.OnInitDialog()) Fail("the main window did not start");
}

void MainWindow::Click(int listId, int row) {
  if (window.List(listId)->Click(row)) dlg.OnSelchange(listId);
}

int MainWindow::RowOfFile(int listId, const std::string& fileName) {
  const ui::ListBox& list = *window.List(listId);
  for (int row = 0; row < list.GetCount(); ++row) {
    if (state.modNamePool.Get(static_cast<int>(list.GetItemData(row))) == fileName) return row;
  }
  return -1;
}

int MainWindow::RowOfText(int listId, const std::string& text) {
  const ui::ListBox& list = *window.List(listId);
  for (int row = 0; row < list.GetCount(); ++row) {
    if (list.GetText(row) == text) return row;
  }
  return -1;
}

}  // namespace varokin::fuzz
