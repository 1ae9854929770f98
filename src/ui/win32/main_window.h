#pragma once

#include <windows.h>

#include "engine/context.h"
#include "ui/switcher_dlg.h"

namespace varokin::ui::win32 {

// The main window: dialog template 102 driven by CSwitcherDlg. Returns when it has closed.
void RunMainWindow(HINSTANCE instance, engine::Context& ctx,
                   const CSwitcherDlg::FrontEnd& frontEnd);

}  // namespace varokin::ui::win32
