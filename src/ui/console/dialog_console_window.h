#pragma once

#include "ui/console/console_io.h"
#include "ui/console/console_window.h"
#include "ui/dialog.h"
#include "ui/headless/headless_dialog.h"

namespace varokin::ui::console {

// A modal dialog over its headless controls. Dialogs have no menu bar.
class DialogConsoleWindow : public ConsoleWindow {
 public:
  DialogConsoleWindow(ModalDialog& dialog, headless::HeadlessDialog& controls)
      : dialog_(dialog), controls_(controls) {}

  std::string Title() const override { return controls_.Title(); }
  std::vector<Control*> Controls() override { return controls_.AllControls(); }
  std::vector<MenuItem*> CheckMenuItems() override { return {}; }
  MenuItem* Menu(int) override { return nullptr; }
  bool IsLabel(int id) const override;
  bool IsEditable(int id) const override;

  void Command(int id) override { dialog_.OnCommand(id); }
  void Selchange(int id) override { dialog_.OnSelchange(id); }
  void EditChange(int id) override { dialog_.OnChange(id); }
  void KillFocus(int id) override { dialog_.OnKillFocus(id); }
  void Escape() override { dialog_.OnCommand(CommandForKey(dialog_.Layout(), DialogKey::kEscape)); }
  void CloseBox() override {
    dialog_.OnCommand(CommandForKey(dialog_.Layout(), DialogKey::kCloseBox));
  }
  bool IsClosed() const override { return dialog_.Ended(); }

 private:
  ModalDialog& dialog_;
  headless::HeadlessDialog& controls_;
};

// Runs each dialog as the topmost window of the console until it ends.
class ConsoleDialogRunner : public DialogRunner {
 public:
  explicit ConsoleDialogRunner(ConsoleIo& io) : io_(io) {}
  int DoModal(ModalDialog& dialog) override;

 private:
  ConsoleIo& io_;
};

}  // namespace varokin::ui::console
