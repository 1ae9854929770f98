// Handlers whose behaviour arrives with later work; until then each one does nothing, so that
// the window already routes every action.
#include "ui/switcher_dlg.h"

namespace varokin::ui {

// Comes with the launching work.
void CSwitcherDlg::OnLaunchTa() {}
// Comes with the multiplayer work.
void CSwitcherDlg::OnMultiplayer() {}
// Comes with the launching work.
void CSwitcherDlg::OnAutoLaunchTahook() {}
// Comes with the settings menu work.
void CSwitcherDlg::OnDisableFileWarnings() {}
// Comes with the settings menu work.
void CSwitcherDlg::OnDisableCustomExeWarning() {}
// Comes with the settings menu work.
void CSwitcherDlg::OnCcInstalled() {}
// Comes with the ICQ registration work.
void CSwitcherDlg::OnDontConfigureIcq() {}
// Comes with the monolithic archive work.
void CSwitcherDlg::OnDontAskCompile() {}
// Comes with the about box work.
void CSwitcherDlg::OnAbout() {}

}  // namespace varokin::ui
