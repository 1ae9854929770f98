#pragma once

#include <string>
#include <vector>

#include "ui/dialog.h"

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

// Template 102: the main window as every desktop front end builds it. Dialog templates have no
// tab control kind, so its rectangle stands beside the controls; the lists and panes are drawn
// over it, not inside it.
struct MainWindowTemplate {
  DialogLayout layout;
  ControlSpec tabs;
  std::vector<MenuBarEntry> menuBar;
};

const MainWindowTemplate& MainWindowLayout();

}  // namespace varokin::ui
