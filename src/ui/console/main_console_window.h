#pragma once

#include "ui/console/console_window.h"
#include "ui/headless/main_window_set.h"
#include "ui/switcher_dlg.h"

namespace varokin::ui::console {

// The main window over its headless controls.
class MainConsoleWindow : public ConsoleWindow {
 public:
  MainConsoleWindow(headless::HeadlessMainWindow& controls, CSwitcherDlg& dlg)
      : controls_(controls), dlg_(dlg) {}

  std::string Title() const override;
  std::vector<Control*> Controls() override { return controls_.AllControls(); }
  std::vector<MenuItem*> CheckMenuItems() override { return controls_.CheckMenuItems(); }
  MenuItem* Menu(int id) override { return controls_.Menu(id); }
  bool IsLabel(int id) const override;
  // The panes are read-only; the filter is typed into.
  bool IsEditable(int id) const override;

  void Command(int id) override { dlg_.OnCommand(id); }
  void Selchange(int id) override { dlg_.OnSelchange(id); }
  void EditChange(int id) override { dlg_.OnChange(id); }
  void KillFocus(int) override {}
  void Escape() override;
  void CloseBox() override;
  bool IsClosed() const override { return dlg_.GetResult() != CSwitcherDlg::Result::kRunning; }

 private:
  headless::HeadlessMainWindow& controls_;
  CSwitcherDlg& dlg_;
};

}  // namespace varokin::ui::console
