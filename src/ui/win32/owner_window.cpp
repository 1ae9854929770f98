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

void CentreOverOwner(HWND window) {
  HWND owner = GetWindow(window, GW_OWNER);
  if (owner != nullptr && (!IsWindowVisible(owner) || IsIconic(owner))) owner = nullptr;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoA(MonitorFromWindow(owner ? owner : window, MONITOR_DEFAULTTOPRIMARY),
                       &monitor)) {
    return;
  }
  const RECT& work = monitor.rcWork;
  RECT around = work;
  if (owner != nullptr) GetWindowRect(owner, &around);
  RECT own{};
  GetWindowRect(window, &own);
  const int width = own.right - own.left;
  const int height = own.bottom - own.top;
  const auto place = [](LONG from, LONG to, int size, LONG low, LONG high) {
    const LONG centred = from + (to - from - size) / 2;
    // The far edge gives way first: a window larger than the work area keeps its caption.
    return std::max(low, std::min(centred, high - size));
  };
  SetWindowPos(window, nullptr, place(around.left, around.right, width, work.left, work.right),
               place(around.top, around.bottom, height, work.top, work.bottom), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

OwnerScope::OwnerScope(HWND window) { Owners().push_back(window); }

OwnerScope::~OwnerScope() { Owners().pop_back(); }

}  // namespace varokin::ui::win32
