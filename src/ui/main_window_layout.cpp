#include "ui/main_window_layout.h"

#include <cstdlib>

#include "ui/main_window_controls.h"
#include "ui/window_titles.h"
#include "varokin_version.h"

namespace varokin::ui {

namespace {

// Escape and the close box reach the main window's handlers as its Cancel.
static_assert(kIdCancel == kIdCancelDialog);

// The lists of the first three tabs run in columns across; those of the Units tab scroll down.
ControlSpec List(int id, int x, int y, int width, int height, bool multiple, bool columns) {
  ControlSpec entry{id, ControlKind::kList, "", x, y, width, height};
  entry.sorted = true;
  entry.multipleSelection = multiple;
  entry.multiColumn = columns;
  entry.horizontalScroll = columns;
  entry.verticalScroll = !columns;
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
  t.layout.minimizeBox = true;
  ControlSpec currentTc{-1, ControlKind::kLabel, "Current TC:", 8, 160, 40, 8};
  currentTc.rightAligned = true;
  // Mod names may hold an "&".
  ControlSpec currentTcName{kIdCurrentTcLabel, ControlKind::kLabel, "unknown", 53, 160, 100, 8};
  currentTcName.noPrefix = true;
  // The filter of the lists of the shown tab, above them.
  ControlSpec filterLabel{kIdFilterLabel, ControlKind::kLabel, "Filter:", 8, 20, 24, 8};
  ControlSpec filter{kIdFilter, ControlKind::kEdit, "", 34, 18, 251, 12};
  t.layout.controls = {
      filterLabel,
      filter,
      List(kIdTcList, 7, 32, 278, 63, false, true),
      Pane(kIdTcPane),
      List(kIdMutatorList, 7, 32, 278, 63, true, true),
      Pane(kIdMutatorPane),
      List(kIdAiList, 7, 32, 278, 63, false, true),
      Pane(kIdAiPane),
      List(kIdPackList, 7, 32, 105, 63, true, false),
      List(kIdUfoList, 116, 32, 168, 63, true, false),
      Pane(kIdUfoPane),
      currentTc,
      currentTcName,
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
      Item("Change TA folder...", kIdMenuChangeTaFolder, false),
  };
  MenuBarEntry functions = Menu("Functions");
  functions.items = {
      Item("Take Snapshot...", kIdMenuTakeSnapshot, false),
      Item("Restore Snapshot...", kIdMenuRestoreSnapshot, false),
      Item("Make a UFO Pack from the currently enabled UFOs", kIdMenuMakeUfoPack, false),
  };
  MenuBarEntry about = Item("About VKN", kIdMenuAbout, false);
  about.rightAligned = true;
  MenuBarEntry version = Menu("v" VAROKIN_VERSION);
  version.enabled = false;
  version.rightAligned = true;
  t.menuBar = {settings, functions, about, version};
  return t;
}

template <class T>
T& Bound(T* control) {
  // Every control of MainWindowControls is in the template: a missing one is a fault of the
  // front end that made the window.
  if (control == nullptr) std::abort();
  return *control;
}

}  // namespace

const MainWindowTemplate& MainWindowLayout() {
  static const MainWindowTemplate layout = Build();
  return layout;
}

std::vector<const MenuBarEntry*> MenuItemsOf(const MainWindowTemplate& t) {
  std::vector<const MenuBarEntry*> items;
  for (const MenuBarEntry& entry : t.menuBar) {
    if (entry.id != -1) items.push_back(&entry);
    for (const MenuBarEntry& item : entry.items) items.push_back(&item);
  }
  return items;
}

MainWindowControls BindMainWindow(DialogControls& c, TabControl& tabs,
                                  const std::function<MenuItem*(int)>& menu) {
  return MainWindowControls{
      tabs,
      Bound(c.Text(kIdFilter)),
      Bound(c.List(kIdTcList)),
      Bound(c.Text(kIdTcPane)),
      Bound(c.List(kIdMutatorList)),
      Bound(c.Text(kIdMutatorPane)),
      Bound(c.List(kIdAiList)),
      Bound(c.Text(kIdAiPane)),
      Bound(c.List(kIdPackList)),
      Bound(c.List(kIdUfoList)),
      Bound(c.Text(kIdUfoPane)),
      Bound(c.Text(kIdCurrentTcLabel)),
      Bound(c.ButtonById(kIdChooseRandomAi)),
      Bound(c.Check(kIdAllowDefaultAi)),
      Bound(c.ButtonById(kIdDisableAll)),
      Bound(c.ButtonById(kIdClose)),
      Bound(c.ButtonById(kIdMultiplayer)),
      Bound(c.ButtonById(kIdLaunchTa)),
      Bound(menu(kIdMenuAutoLaunchTahook)),
      Bound(menu(kIdMenuCcInstalled)),
      Bound(menu(kIdMenuDisableFileWarnings)),
      Bound(menu(kIdMenuDisableCustomExeWarning)),
      Bound(menu(kIdMenuDontConfigureIcq)),
      Bound(menu(kIdMenuDontAskCompile)),
  };
}

}  // namespace varokin::ui
