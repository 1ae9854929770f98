#include "ui/win32/owner_window.h"

#include <vector>

namespace varokin::ui::win32 {

namespace {

// One user-interface thread: no locking.
std::vector<HWND>& Owners() {
  static std::vector<HWND> owners;
  return owners;
}

}  // namespace

HWND CurrentOwner() { return Owners().empty() ? nullptr : Owners().back(); }

OwnerScope::OwnerScope(HWND window) { Owners().push_back(window); }

OwnerScope::~OwnerScope() { Owners().pop_back(); }

}  // namespace varokin::ui::win32
