#include "ui/qt/qt_steps.h"

#include "install/icq_registration.h"
#include "install/installation.h"
#include "ui/qt/qt_main_window.h"

namespace varokin::ui::qt {

bool QtSteps::CheckInstallation() { return install::CheckInstallation(ctx_, *frontEnd_.processes); }

void QtSteps::RegisterWithIcq() {
  install::RegisterWithIcq(ctx_.fs, ctx_.prompts, *frontEnd_.registry);
}

void QtSteps::RunMainWindow() {
  // The window's title is claimed while it is open, so that a second start finds this instance.
  QtMainWindow window(ctx_, frontEnd_, &instances_);
  window.Init();
  window.Exec();
  mainWindowClosed_ = true;
}

}  // namespace varokin::ui::qt
