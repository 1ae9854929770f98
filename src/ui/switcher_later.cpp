// Handlers whose behaviour arrives with later work; until then each one does nothing, so that
// the window already routes every action.
#include "ui/switcher_dlg.h"

namespace varokin::ui {

// Comes with the monolithic archive work.
void CSwitcherDlg::OnDontAskCompile() {}

}  // namespace varokin::ui
