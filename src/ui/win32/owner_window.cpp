#include "ui/win32/owner_window.h"

#include <algorithm>
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

void CentreOverOwner(HWND window, const SIZE* size) {
  HWND owner = GetWindow(window, GW_OWNER);
  if (owner != nullptr && (!IsWindowVisible(owner) || IsIconic(owner))) owner = nullptr;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoA(MonitorFromWindow(owner ? owner : window, MONITOR_DEFAULTTOPRIMARY),
                       &monitor)) {
    if (size != nullptr) {
      SetWindowPos(window, nullptr, 0, 0, size->cx, size->cy,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return;
  }
  const RECT& work = monitor.rcWork;
  RECT around = work;
  if (owner != nullptr) GetWindowRect(owner, &around);
  RECT own{};
  GetWindowRect(window, &own);
  const int width = size != nullptr ? size->cx : own.right - own.left;
  const int height = size != nullptr ? size->cy : own.bottom - own.top;
  const auto place = [](LONG from, LONG to, int extent, LONG low, LONG high) {
    const LONG centred = from + (to - from - extent) / 2;
    // The far edge gives way first: a window larger than the work area keeps its caption.
    return std::max(low, std::min(centred, high - extent));
  };
  SetWindowPos(window, nullptr, place(around.left, around.right, width, work.left, work.right),
               place(around.top, around.bottom, height, work.top, work.bottom), width, height,
               (size != nullptr ? 0 : SWP_NOSIZE) | SWP_NOZORDER | SWP_NOACTIVATE);
}

OwnerScope::OwnerScope(HWND window) { Owners().push_back(window); }

OwnerScope::~OwnerScope() { Owners().pop_back(); }

}  // namespace varokin::ui::win32
