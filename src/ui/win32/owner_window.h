#pragma once

#include <windows.h>

namespace varokin::ui::win32 {

// The window of ours that message boxes and dialogs belong to: the innermost one open. Owned by
// it, they keep it disabled while they are open, also when the program is in the background,
// where the system knows no active window of ours.
HWND CurrentOwner();

// Makes a window the current owner until the scope ends.
class OwnerScope {
 public:
  explicit OwnerScope(HWND window);
  ~OwnerScope();
  OwnerScope(const OwnerScope&) = delete;
  OwnerScope& operator=(const OwnerScope&) = delete;
};

}  // namespace varokin::ui::win32
