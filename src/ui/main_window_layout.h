#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/dialog.h"
#include "ui/main_window_controls.h"

namespace varokin::ui {

// An entry of the main window's menu bar: a menu with its items, or a bare item on the bar.
struct MenuBarEntry {
  std::string caption;
  int id = -1;  // -1 for a menu, and for the version shown on the bar
  std::vector<MenuBarEntry> items;
  bool checkable = false;
  bool enabled = true;
  bool rightAligned = false;
};

// Template 102: the main window as every front end builds it. Dialog templates have no
// tab control kind, so its rectangle stands beside the controls; the lists and panes are drawn
// over it, not inside it.
struct MainWindowTemplate {
  DialogLayout layout;
  ControlSpec tabs;
  std::vector<MenuBarEntry> menuBar;
};

const MainWindowTemplate& MainWindowLayout();

// Every menu bar entry with a command id, in menu order.
std::vector<const MenuBarEntry*> MenuItemsOf(const MainWindowTemplate& t);

// The main window's controls, found by id among those a front end made from the template; menu
// gives the item of a menu id. Every one must be there.
MainWindowControls BindMainWindow(DialogControls& controls, TabControl& tabs,
                                  const std::function<MenuItem*(int)>& menu);

}  // namespace varokin::ui
