#include "ui/main_window_layout.h"

#include "ui/main_window_controls.h"
#include "ui/window_titles.h"

namespace varokin::ui {

namespace {

ControlSpec List(int id, int x, int y, int width, int height, bool multiple) {
  ControlSpec entry{id, ControlKind::kList, "", x, y, width, height};
  entry.sorted = true;
  entry.multipleSelection = multiple;
  return entry;
}

ControlSpec Pane(int id) {
  ControlSpec entry{id, ControlKind::kEdit, "", 7, 100, 278, 51};
  entry.multiline = true;
  entry.readOnly = true;
  entry.verticalScroll = true;
  return entry;
}

MenuBarEntry Menu(const std::string& caption) {
  MenuBarEntry menu;
  menu.caption = caption;
  return menu;
}

MenuBarEntry Item(const std::string& caption, int id, bool checkable) {
  MenuBarEntry item = Menu(caption);
  item.id = id;
  item.checkable = checkable;
  return item;
}

MainWindowTemplate Build() {
  MainWindowTemplate t;
  t.layout.templateId = 102;
  t.layout.title = kMainWindowTitle;
  t.layout.width = 291;
  t.layout.height = 206;
  ControlSpec currentTc{-1, ControlKind::kLabel, "Current TC:", 8, 160, 40, 8};
  currentTc.rightAligned = true;
  t.layout.controls = {
      List(kIdTcList, 7, 20, 278, 75, false),
      Pane(kIdTcPane),
      List(kIdMutatorList, 7, 20, 278, 75, true),
      Pane(kIdMutatorPane),
      List(kIdAiList, 7, 20, 278, 75, false),
      Pane(kIdAiPane),
      List(kIdPackList, 7, 20, 105, 75, true),
      List(kIdUfoList, 116, 20, 168, 75, true),
      Pane(kIdUfoPane),
      currentTc,
      {kIdCurrentTcLabel, ControlKind::kLabel, "unknown", 53, 160, 100, 8},
      {kIdChooseRandomAi, ControlKind::kButton, "Choose Random AI", 168, 159, 123, 12},
      {kIdAllowDefaultAi, ControlKind::kCheckBox, "Allow the default AI to be chosen", 170, 174,
       120, 8},
      {kIdDisableAll, ControlKind::kButton, "Disable all TCs, Mutators, and AIs", 0, 170, 121, 14},
      {kIdClose, ControlKind::kButton, "Close", 3, 188, 55, 15},
      {kIdMultiplayer, ControlKind::kButton, "Multiplayer...", 115, 185, 61, 21},
      {kIdLaunchTa, ControlKind::kDefaultButton, "Launch TA", 229, 185, 61, 21},
  };
  t.tabs = ControlSpec{kIdTabs, ControlKind::kGroupBox, "", 0, 0, 291, 158};

  MenuBarEntry settings = Menu("Settings");
  settings.items = {
      Item("Automatically launch TAHook...", kIdMenuAutoLaunchTahook, true),
      Item("I have The Core Contingency installed", kIdMenuCcInstalled, true),
      Item("Disable \"Modified/Missing File\" warnings", kIdMenuDisableFileWarnings, true),
      Item("Disable \"Custom Executable for TC\" warning", kIdMenuDisableCustomExeWarning, true),
      Item("Don't try to configure ICQ to launch VKN", kIdMenuDontConfigureIcq, true),
      Item("Don't ask to compile a monolithic TotalA1.hpi file", kIdMenuDontAskCompile, true),
  };
  MenuBarEntry functions = Menu("Functions");
  functions.items = {
      Item("Take Snapshot...", kIdMenuTakeSnapshot, false),
      Item("Restore Snapshot...", kIdMenuRestoreSnapshot, false),
      Item("Make a UFO Pack from the currently enabled UFOs", kIdMenuMakeUfoPack, false),
  };
  MenuBarEntry about = Item("About VKN", kIdMenuAbout, false);
  about.rightAligned = true;
  MenuBarEntry version = Menu("v0.8.1");
  version.enabled = false;
  version.rightAligned = true;
  t.menuBar = {settings, functions, about, version};
  return t;
}

}  // namespace

const MainWindowTemplate& MainWindowLayout() {
  static const MainWindowTemplate layout = Build();
  return layout;
}

}  // namespace varokin::ui
