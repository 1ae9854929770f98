#pragma once

#include <memory>
#include <vector>

#include "ui/headless/headless_controls.h"
#include "ui/headless/headless_dialog.h"
#include "ui/main_window_controls.h"

namespace varokin::ui::headless {

// Every control of the main window in memory, made from its template: the ids, list kinds and
// widths of the real window.
class HeadlessMainWindow {
 public:
  HeadlessMainWindow();
  HeadlessMainWindow(const HeadlessMainWindow&) = delete;
  HeadlessMainWindow& operator=(const HeadlessMainWindow&) = delete;

  MainWindowControls& Controls() { return controls_; }

  // Lookup by id; nullptr for an id that is not a control of that kind.
  HeadlessListBox* List(int id) { return dialog_.List(id); }
  HeadlessText* Text(int id) { return dialog_.Text(id); }
  HeadlessCheckBox* Check(int id) { return dialog_.Check(id); }
  HeadlessButton* ButtonById(int id) { return dialog_.ButtonById(id); }
  HeadlessMenuItem* Menu(int id);
  HeadlessTabControl* Tabs(int id) { return id == tabs.Id() ? &tabs : nullptr; }
  // The template's entry for a control id, or nullptr.
  const ControlSpec* Entry(int id) const { return dialog_.Entry(id); }

  // Every control with an id, the tab control first, then in the order of the window's layout.
  std::vector<Control*> AllControls();
  // Every menu item with an id, those without a check mark included, in menu order.
  std::vector<HeadlessMenuItem*> AllMenuItems();
  // The menu items that carry a check mark, in menu order.
  std::vector<MenuItem*> CheckMenuItems();

 private:
  HeadlessDialog dialog_;
  std::vector<std::unique_ptr<HeadlessMenuItem>> menuItems_;

 public:
  // The controls by name, for tests that look at one of them.
  HeadlessTabControl tabs;
  HeadlessText& filter;
  HeadlessListBox& tcList;
  HeadlessText& tcPane;
  HeadlessListBox& mutatorList;
  HeadlessText& mutatorPane;
  HeadlessListBox& aiList;
  HeadlessText& aiPane;
  HeadlessListBox& packList;
  HeadlessListBox& ufoList;
  HeadlessText& ufoPane;
  HeadlessText& currentTcLabel;
  HeadlessText& taFolderLabel;
  HeadlessText& currentAiLabel;
  HeadlessCheckBox& allowDefaultAi;
  HeadlessMenuItem& menuAutoLaunchTahook;
  HeadlessMenuItem& menuCcInstalled;
  HeadlessMenuItem& menuDisableFileWarnings;
  HeadlessMenuItem& menuDisableCustomExeWarning;
  HeadlessMenuItem& menuDontConfigureIcq;
  HeadlessMenuItem& menuDontAskCompile;

 private:
  MainWindowControls controls_;
};

}  // namespace varokin::ui::headless
