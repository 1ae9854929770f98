#include "ui/headless/main_window_set.h"

namespace varokin::ui::headless {

HeadlessMainWindow::HeadlessMainWindow()
    : controls_{tabs,
                tcList,
                tcPane,
                mutatorList,
                mutatorPane,
                aiList,
                aiPane,
                packList,
                ufoList,
                ufoPane,
                currentTcLabel,
                chooseRandomAi,
                allowDefaultAi,
                disableAll,
                close,
                multiplayer,
                launchTa,
                menuAutoLaunchTahook,
                menuCcInstalled,
                menuDisableFileWarnings,
                menuDisableCustomExeWarning,
                menuDontConfigureIcq,
                menuDontAskCompile} {}

std::vector<Control*> HeadlessMainWindow::AllControls() {
  return {&tabs,           &tcList,     &tcPane,  &mutatorList, &mutatorPane,    &aiList,
          &aiPane,         &packList,   &ufoList, &ufoPane,     &currentTcLabel, &chooseRandomAi,
          &allowDefaultAi, &disableAll, &close,   &multiplayer, &launchTa};
}

std::vector<HeadlessMenuItem*> HeadlessMainWindow::AllMenuItems() {
  return {&menuAutoLaunchTahook,    &menuCcInstalled,
          &menuDisableFileWarnings, &menuDisableCustomExeWarning,
          &menuDontConfigureIcq,    &menuDontAskCompile,
          &menuTakeSnapshot,        &menuRestoreSnapshot,
          &menuMakeUfoPack,         &menuAbout};
}

template <class T>
T* HeadlessMainWindow::Find(int id) {
  for (Control* control : AllControls()) {
    if (control->Id() == id) return dynamic_cast<T*>(control);
  }
  return nullptr;
}

HeadlessListBox* HeadlessMainWindow::List(int id) { return Find<HeadlessListBox>(id); }
HeadlessText* HeadlessMainWindow::Text(int id) { return Find<HeadlessText>(id); }
HeadlessCheckBox* HeadlessMainWindow::Check(int id) { return Find<HeadlessCheckBox>(id); }
HeadlessButton* HeadlessMainWindow::ButtonById(int id) { return Find<HeadlessButton>(id); }
HeadlessTabControl* HeadlessMainWindow::Tabs(int id) { return Find<HeadlessTabControl>(id); }

HeadlessMenuItem* HeadlessMainWindow::Menu(int id) {
  for (HeadlessMenuItem* item : AllMenuItems()) {
    if (item->Id() == id) return item;
  }
  return nullptr;
}

}  // namespace varokin::ui::headless
