#pragma once

#include <windows.h>

#include <vector>

#include "ui/dialog.h"
#include "ui/main_window_layout.h"

namespace varokin::ui::win32 {

// The window style of a control of a layout, as the dialog manager creates it.
DWORD ControlStyle(const ControlSpec& item);

// A layout as an in-memory extended dialog template, for DialogBoxIndirectParamA and
// CreateDialogIndirectParamA. The tab control, when given, comes last, so it lies beneath the
// lists and panes drawn on it and clips itself out of them. Kept in WORDs for their alignment.
// Without tab pages, the controls of the tabs' pages are left out, to be made by MakeControl. The
// window is of the standard dialog class unless windowClass names one of the program's.
std::vector<WORD> DialogTemplate(const DialogLayout& layout, const ControlSpec* tabs = nullptr,
                                 bool withTabPages = true, const char* windowClass = nullptr);

// Where the dialog manager puts a control of a template, in the dialog's client area.
RECT TemplatePlace(HWND dialog, const ControlSpec& item);

// A control of a layout made as the dialog manager makes it from a template, hidden, at place (in
// the dialog's client area) and next after `after` in the order of the dialog's controls (first
// when null).
HWND MakeControl(HWND dialog, const ControlSpec& item, const RECT& place, HWND after);

// Gives a dialog made from a template the menu bar of these entries. Returns the size of window
// that keeps the client area as the layout has it; the caller gives the window that size when it
// places it.
SIZE AttachMenuBar(HWND dialog, const DialogLayout& layout, const std::vector<MenuBarEntry>& bar);

}  // namespace varokin::ui::win32
