#include "ui/main_window_layout.h"

#include <cstdlib>

#include "ui/main_window_controls.h"
#include "ui/window_titles.h"
#include "varokin_version.h"

namespace varokin::ui {

namespace {

// Escape and the close box reach the main window's handlers as its Cancel.
static_assert(kIdCancel == kIdCancelDialog);

// In a larger window the lists take this share of the extra height, their description panes the
// rest.
constexpr double kListShare = 0.7;

// Everything at the bottom stays at the bottom, at its size.
ControlSpec AtBottom(ControlSpec entry, double across = 0) {
  entry.anchors = Anchors{across, 1, across, 1};
  return entry;
}

// The lists of the first three tabs run in columns across; those of the Units tab scroll down.
ControlSpec List(int id, int x, int y, int width, int height, bool multiple, bool columns) {
  ControlSpec entry{id, ControlKind::kList, "", x, y, width, height};
  entry.anchors = Anchors{0, 0, 1, kListShare};
  entry.sorted = true;
  entry.multipleSelection = multiple;
  entry.multiColumn = columns;
  entry.horizontalScroll = columns;
  entry.verticalScroll = !columns;
  entry.onTabPage = true;
  return entry;
}

ControlSpec Pane(int id) {
  ControlSpec entry{id, ControlKind::kEdit, "", 7, 100, 278, 43};
  entry.multiline = true;
  entry.readOnly = true;
  entry.verticalScroll = true;
  entry.anchors = Anchors{0, kListShare, 1, 1};
  entry.onTabPage = true;
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
  t.layout.height = 216;
  t.layout.minimizeBox = true;
  t.layout.resizable = true;
  ControlSpec currentTc{-1, ControlKind::kLabel, "Current TC:", 8, 160, 40, 8};
  currentTc.rightAligned = true;
  // Mod names may hold an "&".
  ControlSpec currentTcName{kIdCurrentTcLabel, ControlKind::kLabel, "unknown", 53, 160, 100, 8};
  currentTcName.noPrefix = true;
  // A longer name has the room the window gains across, up to the buttons on the right.
  currentTcName.anchors = Anchors{0, 1, 1, 1};
  // The AI in use, above the current TC, whichever tab is shown.
  ControlSpec currentAi{-1, ControlKind::kLabel, "Current AI:", 8, 147, 40, 8};
  currentAi.rightAligned = true;
  ControlSpec currentAiName{kIdCurrentAiLabel, ControlKind::kLabel, "", 53, 147, 232, 8};
  currentAiName.noPrefix = true;
  currentAiName.anchors = Anchors{0, 1, 1, 1};
  // The filter of the lists of the shown tab, above them.
  ControlSpec filterLabel{kIdFilterLabel, ControlKind::kLabel, "Filter:", 8, 20, 24, 8};
  ControlSpec filter{kIdFilter, ControlKind::kEdit, "", 34, 18, 251, 12};
  filter.anchors.right = 1;
  // The Units tab's two lists share the width as the template does.
  constexpr double kPackShare = 0.4;
  ControlSpec packList = List(kIdPackList, 7, 32, 105, 63, true, false);
  packList.anchors.right = kPackShare;
  ControlSpec ufoList = List(kIdUfoList, 116, 32, 168, 63, true, false);
  ufoList.anchors.left = kPackShare;
  // A line of its own below the buttons: the TA folder in use, which a user of several installs
  // needs to see before switching anything.
  ControlSpec taFolder{kIdTaFolderLabel, ControlKind::kLabel, "", 3, 206, 285, 8};
  taFolder.noPrefix = true;
  taFolder.shortenedInMiddle = true;
  taFolder.anchors = Anchors{0, 1, 1, 1};
  t.layout.controls = {
      filterLabel,
      filter,
      List(kIdTcList, 7, 32, 278, 63, false, true),
      Pane(kIdTcPane),
      List(kIdMutatorList, 7, 32, 278, 63, true, true),
      Pane(kIdMutatorPane),
      List(kIdAiList, 7, 32, 278, 63, false, true),
      Pane(kIdAiPane),
      packList,
      ufoList,
      Pane(kIdUfoPane),
      AtBottom(currentAi),
      currentAiName,
      AtBottom(currentTc),
      currentTcName,
      AtBottom({kIdChooseRandomAi, ControlKind::kButton, "Choose &Random AI", 168, 159, 123, 12},
               1),
      AtBottom({kIdAllowDefaultAi, ControlKind::kCheckBox, "&Allow the default AI to be chosen",
                170, 174, 120, 8},
               1),
      AtBottom({kIdDisableAll, ControlKind::kButton, "&Disable all TCs, Mutators, and AIs", 0, 170,
                121, 14}),
      AtBottom({kIdClose, ControlKind::kButton, "&Close", 3, 188, 55, 15}),
      AtBottom({kIdMultiplayer, ControlKind::kButton, "&Multiplayer...", 115, 185, 61, 21}, 0.5),
      AtBottom({kIdLaunchTa, ControlKind::kDefaultButton, "&Launch TA", 229, 185, 61, 21}, 1),
      taFolder,
  };
  t.tabs = ControlSpec{kIdTabs, ControlKind::kGroupBox, "", 0, 0, 291, 158};
  t.tabs.anchors = Anchors{0, 0, 1, 1};

  MenuBarEntry settings = Menu("&Settings");
  settings.items = {
      Item("Automatically launch TAHook...", kIdMenuAutoLaunchTahook, true),
      Item("I have The Core Contingency installed", kIdMenuCcInstalled, true),
      Item("Disable \"Modified/Missing File\" warnings", kIdMenuDisableFileWarnings, true),
      Item("Disable \"Custom Executable for TC\" warning", kIdMenuDisableCustomExeWarning, true),
      Item("Don't try to configure ICQ to launch VKN", kIdMenuDontConfigureIcq, true),
      Item("Don't ask to compile a monolithic TotalA1.hpi file", kIdMenuDontAskCompile, true),
      Item("Change TA folder...", kIdMenuChangeTaFolder, false),
  };
  MenuBarEntry functions = Menu("F&unctions");
  functions.items = {
      Item("Take Snapshot...", kIdMenuTakeSnapshot, false),
      Item("Restore Snapshot...", kIdMenuRestoreSnapshot, false),
      Item("Make a UFO Pack from the currently enabled UFOs", kIdMenuMakeUfoPack, false),
  };
  MenuBarEntry about = Item("About &VKN", kIdMenuAbout, false);
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
      Bound(c.Text(kIdTaFolderLabel)),
      Bound(c.Text(kIdCurrentAiLabel)),
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
