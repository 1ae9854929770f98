#include "ui/ta_folder_dlg.h"

#include "platform/installs.h"
#include "ui/controls.h"
#include "ui/switcher_dlg.h"

namespace varokin::ui {

namespace {

std::string FolderOf(const std::string& file) {
  const std::size_t separator = file.find_last_of("/\\");
  return separator == std::string::npos ? std::string() : file.substr(0, separator);
}

}  // namespace

const DialogLayout& CTaFolderDlg::Layout() const {
  static const DialogLayout layout{
      140,
      "Where is Total Annihilation?",
      300,
      150,
      "MS Sans Serif",
      8,
      {
          {-1, ControlKind::kLabel,
           "Choose the folder of the game that Varokin should work on, or browse for its "
           "TotalA.exe.",
           7, 7, 286, 18},
          {kIdTaFolderList, ControlKind::kList, "", 7, 28, 286, 96},
          {kIdTaFolderBrowse, ControlKind::kButton, "Browse...", 7, 130, 60, 14},
          {kIdOk, ControlKind::kDefaultButton, "OK", 176, 130, 55, 14},
          {kIdCancelDialog, ControlKind::kButton, "Cancel", 238, 130, 55, 14},
      }};
  return layout;
}

bool CTaFolderDlg::OnInitDialog(DialogControls& controls) {
  controls_ = &controls;
  if (ListBox* list = controls.List(kIdTaFolderList)) {
    for (const std::string& folder : installs_) list->AddString(folder);
    if (!installs_.empty()) list->SetCurSel(0);
  }
  return true;
}

void CTaFolderDlg::OnCommand(int id) {
  if (id == kIdTaFolderBrowse) {
    const std::optional<std::string> exe = prompts_.OpenFile(
        {"Where is Total Annihilation?", "TotalA.exe|totala.exe||", "exe", "", "TotalA.exe"});
    if (!exe) return;
    chosen_ = FolderOf(*exe);
    EndDialog(kIdOk);
  } else if (id == kIdOk) {
    ListBox* list = controls_ != nullptr ? controls_->List(kIdTaFolderList) : nullptr;
    const int row = list != nullptr ? list->GetCurSel() : -1;
    if (row < 0) return;  // nothing chosen yet: the dialog stays
    chosen_ = list->GetText(row);
    EndDialog(kIdOk);
  } else if (id == kIdCancelDialog) {
    EndDialog(id);
  }
}

std::optional<std::string> AskForTaFolder(DialogRunner& dialogs, Prompts& prompts,
                                          const std::vector<std::string>& installs) {
  CTaFolderDlg dialog(installs, prompts);
  if (dialogs.DoModal(dialog) != kIdOk || dialog.Chosen().empty()) return std::nullopt;
  return dialog.Chosen();
}

void CSwitcherDlg::OnChangeTaFolder() {
  if (frontEnd.dialogs == nullptr) return;
  const std::optional<std::string> folder =
      AskForTaFolder(*frontEnd.dialogs, ctx_.prompts, platform::FindInstalls());
  if (!folder) return;
  // Closed as by its Close button, so that this folder keeps the window's state.
  ctx_.startup.nextTaFolder = *folder;
  OnOK();
}

}  // namespace varokin::ui
