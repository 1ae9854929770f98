#pragma once

#include <windows.h>

namespace varokin::ui::win32 {

// The window of ours that message boxes and dialogs belong to: the innermost one open. Owned by
// it, they keep it disabled while they are open, also when the program is in the background,
// where the system knows no active window of ours.
HWND CurrentOwner();

// Moves a window to the centre of its owner, or of the screen when it has none (or the owner is
// hidden or minimised), kept inside that screen's work area so that its caption stays in reach.
// Given a size, it is also resized to it, in the same step.
void CentreOverOwner(HWND window, const SIZE* size = nullptr);

// Makes a window the current owner until the scope ends.
class OwnerScope {
 public:
  explicit OwnerScope(HWND window);
  ~OwnerScope();
  OwnerScope(const OwnerScope&) = delete;
  OwnerScope& operator=(const OwnerScope&) = delete;
};

}  // namespace varokin::ui::win32
