#pragma once

#include "ui/controls.h"

namespace varokin::ui {

// Control and menu ids of the main window.
enum MainWindowId : int {
  kIdClose = 1,
  kIdCancel = 2,  // Escape and the close box
  kIdMutatorPane = 1000,
  kIdMutatorList = 1001,
  kIdAiPane = 1002,
  kIdAiList = 1003,
  kIdTcPane = 1006,
  kIdLaunchTa = 1007,
  kIdTcList = 1008,
  kIdUfoPane = 1009,
  kIdPackList = 1010,
  kIdTabs = 1012,
  kIdUfoList = 1013,
  kIdDisableAll = 1014,
  kIdChooseRandomAi = 1037,
  kIdAllowDefaultAi = 1038,
  kIdCurrentTcLabel = 1039,
  kIdMultiplayer = 1043,
  kIdTaFolderLabel = 1200,
  kIdFilter = 1060,
  kIdFilterLabel = 1061,
  kIdCurrentAiLabel = 1062,
  kIdMenuDisableFileWarnings = 32783,
  kIdMenuDisableCustomExeWarning = 32784,
  kIdMenuCcInstalled = 32785,
  kIdMenuAbout = 32790,
  kIdMenuAutoLaunchTahook = 32791,
  kIdMenuTakeSnapshot = 32792,
  kIdMenuRestoreSnapshot = 32793,
  kIdMenuDontConfigureIcq = 32794,
  kIdMenuDontAskCompile = 32795,
  kIdMenuMakeUfoPack = 32797,
  kIdMenuChangeTaFolder = 32798,
};

// The main window's controls, created by a front end.
struct MainWindowControls {
  TabControl& tabs;
  TextControl& filter;
  ListBox& tcList;
  TextControl& tcPane;
  ListBox& mutatorList;
  TextControl& mutatorPane;
  ListBox& aiList;
  TextControl& aiPane;
  ListBox& packList;
  ListBox& ufoList;
  TextControl& ufoPane;
  TextControl& currentTcLabel;
  TextControl& taFolderLabel;
  TextControl& currentAiLabel;
  Button& chooseRandomAi;
  CheckBox& allowDefaultAi;
  Button& disableAll;
  Button& close;
  Button& multiplayer;
  Button& launchTa;
  MenuItem& menuAutoLaunchTahook;
  MenuItem& menuCcInstalled;
  MenuItem& menuDisableFileWarnings;
  MenuItem& menuDisableCustomExeWarning;
  MenuItem& menuDontConfigureIcq;
  MenuItem& menuDontAskCompile;
};

}  // namespace varokin::ui
