#include "ui/headless/main_window_set.h"

#include <cstdlib>

#include "ui/main_window_layout.h"

namespace varokin::ui::headless {

namespace {

template <class T>
T& Named(T* control) {
  // The names are those of MainWindowControls, all in the template.
  if (control == nullptr) std::abort();
  return *control;
}

std::vector<std::unique_ptr<HeadlessMenuItem>> MenuItems() {
  std::vector<std::unique_ptr<HeadlessMenuItem>> items;
  for (const MenuBarEntry* item : MenuItemsOf(MainWindowLayout())) {
    items.push_back(std::make_unique<HeadlessMenuItem>(item->id));
  }
  return items;
}

}  // namespace

HeadlessMainWindow::HeadlessMainWindow()
    : dialog_(MainWindowLayout().layout),
      menuItems_(MenuItems()),
      tabs(MainWindowLayout().tabs.id),
      filter(Named(dialog_.Text(kIdFilter))),
      tcList(Named(dialog_.List(kIdTcList))),
      tcPane(Named(dialog_.Text(kIdTcPane))),
      mutatorList(Named(dialog_.List(kIdMutatorList))),
      mutatorPane(Named(dialog_.Text(kIdMutatorPane))),
      aiList(Named(dialog_.List(kIdAiList))),
      aiPane(Named(dialog_.Text(kIdAiPane))),
      packList(Named(dialog_.List(kIdPackList))),
      ufoList(Named(dialog_.List(kIdUfoList))),
      ufoPane(Named(dialog_.Text(kIdUfoPane))),
      currentTcLabel(Named(dialog_.Text(kIdCurrentTcLabel))),
      taFolderLabel(Named(dialog_.Text(kIdTaFolderLabel))),
      currentAiLabel(Named(dialog_.Text(kIdCurrentAiLabel))),
      allowDefaultAi(Named(dialog_.Check(kIdAllowDefaultAi))),
      menuAutoLaunchTahook(Named(Menu(kIdMenuAutoLaunchTahook))),
      menuCcInstalled(Named(Menu(kIdMenuCcInstalled))),
      menuDisableFileWarnings(Named(Menu(kIdMenuDisableFileWarnings))),
      menuDisableCustomExeWarning(Named(Menu(kIdMenuDisableCustomExeWarning))),
      menuDontConfigureIcq(Named(Menu(kIdMenuDontConfigureIcq))),
      menuDontAskCompile(Named(Menu(kIdMenuDontAskCompile))),
      controls_(BindMainWindow(dialog_, tabs, [this](int id) -> MenuItem* { return Menu(id); })) {}

std::vector<Control*> HeadlessMainWindow::AllControls() {
  std::vector<Control*> all{&tabs};
  for (Control* control : dialog_.AllControls()) all.push_back(control);
  return all;
}

std::vector<HeadlessMenuItem*> HeadlessMainWindow::AllMenuItems() {
  std::vector<HeadlessMenuItem*> all;
  for (const auto& item : menuItems_) all.push_back(item.get());
  return all;
}

std::vector<MenuItem*> HeadlessMainWindow::CheckMenuItems() {
  std::vector<MenuItem*> checked;
  for (const MenuBarEntry* entry : MenuItemsOf(MainWindowLayout())) {
    if (entry->checkable) checked.push_back(Menu(entry->id));
  }
  return checked;
}

HeadlessMenuItem* HeadlessMainWindow::Menu(int id) {
  for (const auto& item : menuItems_) {
    if (item->Id() == id) return item.get();
  }
  return nullptr;
}

}  // namespace varokin::ui::headless
