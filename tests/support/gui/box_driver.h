#pragma once
// Works a message box of this thread from a timer that ticks in the box's own modal loop.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace varokin::gui_tests {

inline std::vector<std::function<void()>> steps;
inline std::size_t nextStep = 0;

inline HWND OpenBox();

// The first step waits for the box to open.
inline void CALLBACK RunNextStep(HWND, UINT, UINT_PTR, DWORD) {
  if (OpenBox() && nextStep < steps.size()) steps[nextStep++]();
}

inline BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
  char windowClass[16] = {};
  GetClassNameA(window, windowClass, sizeof windowClass);
  if (IsWindowVisible(window) && std::string(windowClass) == "#32770") {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

inline HWND OpenBox() {
  HWND box = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&box));
  return box;
}

// The key as the user presses it, through the system's input queue, to the box in front.
inline void PressEscape() {
  INPUT keys[2] = {};
  keys[0].type = keys[1].type = INPUT_KEYBOARD;
  keys[0].ki.wVk = keys[1].ki.wVk = VK_ESCAPE;
  keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, keys, sizeof(INPUT));
}

inline POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

inline bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

inline RECT WindowRect(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

}  // namespace varokin::gui_tests
