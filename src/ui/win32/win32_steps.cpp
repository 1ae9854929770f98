#include "ui/win32/win32_steps.h"

#include "install/icq_registration.h"
#include "install/installation.h"
#include "ui/win32/main_window.h"

namespace varokin::ui::win32 {

bool Win32Steps::CheckInstallation() {
  return install::CheckInstallation(ctx_, *frontEnd_.processes);
}

void Win32Steps::RegisterWithIcq() {
  install::RegisterWithIcq(ctx_.fs, ctx_.prompts, *frontEnd_.registry);
}

void Win32Steps::RunMainWindow() { win32::RunMainWindow(instance_, ctx_, frontEnd_); }

}  // namespace varokin::ui::win32
