#pragma once

#include <windows.h>

#include <string>

#include "engine/prompts.h"

namespace varokin::ui::win32 {

// True when a message box of this text would be too tall for the owner's screen: MessageBox cannot
// scroll.
bool TooTallForMessageBox(HWND owner, const std::string& text);

// A message box of ours with the same caption, icon, buttons and keys as MessageBox's, whose text
// scrolls, centred over its owner. Returns what MessageBox would: IDOK, IDYES, IDNO or IDCANCEL;
// 0 or -1 when it could not be shown.
int ScrollingMessageBox(HWND owner, const std::string& text, Buttons buttons, Icon icon);

}  // namespace varokin::ui::win32
