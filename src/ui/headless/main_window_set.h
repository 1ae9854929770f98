#pragma once

#include <memory>
#include <vector>

#include "ui/headless/headless_controls.h"
#include "ui/main_window_controls.h"

namespace varokin::ui::headless {

// Every control of the main window in memory, with the ids and list kinds of the real window.
class HeadlessMainWindow {
 public:
  // The Mutator list's width in pixels; the lists of the first three tabs take a third of it as
  // their column width.
  static constexpr int kListWidthPixels = 417;

  HeadlessMainWindow();
  HeadlessMainWindow(const HeadlessMainWindow&) = delete;
  HeadlessMainWindow& operator=(const HeadlessMainWindow&) = delete;

  MainWindowControls& Controls() { return controls_; }

  // Lookup by id; nullptr for an id that is not a control of that kind.
  HeadlessListBox* List(int id);
  HeadlessText* Text(int id);
  HeadlessCheckBox* Check(int id);
  HeadlessButton* ButtonById(int id);
  HeadlessMenuItem* Menu(int id);
  HeadlessTabControl* Tabs(int id);

  // Every control with an id, in the order of the window's layout.
  std::vector<Control*> AllControls();
  // Every menu item with an id, those without a check mark included.
  std::vector<HeadlessMenuItem*> AllMenuItems();

  HeadlessTabControl tabs{kIdTabs};
  HeadlessListBox tcList{kIdTcList, true, false, kListWidthPixels};
  HeadlessText tcPane{kIdTcPane};
  HeadlessListBox mutatorList{kIdMutatorList, true, true, kListWidthPixels};
  HeadlessText mutatorPane{kIdMutatorPane};
  HeadlessListBox aiList{kIdAiList, true, false, kListWidthPixels};
  HeadlessText aiPane{kIdAiPane};
  HeadlessListBox packList{kIdPackList, true, true, 157};
  HeadlessListBox ufoList{kIdUfoList, true, true, 252};
  HeadlessText ufoPane{kIdUfoPane};
  HeadlessText currentTcLabel{kIdCurrentTcLabel, "unknown"};
  HeadlessButton chooseRandomAi{kIdChooseRandomAi};
  HeadlessCheckBox allowDefaultAi{kIdAllowDefaultAi};
  HeadlessButton disableAll{kIdDisableAll};
  HeadlessButton close{kIdClose};
  HeadlessButton multiplayer{kIdMultiplayer};
  HeadlessButton launchTa{kIdLaunchTa};
  HeadlessMenuItem menuAutoLaunchTahook{kIdMenuAutoLaunchTahook};
  HeadlessMenuItem menuCcInstalled{kIdMenuCcInstalled};
  HeadlessMenuItem menuDisableFileWarnings{kIdMenuDisableFileWarnings};
  HeadlessMenuItem menuDisableCustomExeWarning{kIdMenuDisableCustomExeWarning};
  HeadlessMenuItem menuDontConfigureIcq{kIdMenuDontConfigureIcq};
  HeadlessMenuItem menuDontAskCompile{kIdMenuDontAskCompile};
  HeadlessMenuItem menuTakeSnapshot{kIdMenuTakeSnapshot};
  HeadlessMenuItem menuRestoreSnapshot{kIdMenuRestoreSnapshot};
  HeadlessMenuItem menuMakeUfoPack{kIdMenuMakeUfoPack};
  HeadlessMenuItem menuAbout{kIdMenuAbout};

 private:
  template <class T>
  T* Find(int id);

  MainWindowControls controls_;
};

}  // namespace varokin::ui::headless
