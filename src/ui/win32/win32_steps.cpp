#include "ui/win32/win32_steps.h"

#include "ui/win32/main_window.h"

namespace varokin::ui::win32 {

void Win32Steps::RunMainWindow() {
  win32::RunMainWindow(instance_, ctx_, frontEnd_);
  mainWindowClosed_ = true;
}

}  // namespace varokin::ui::win32
