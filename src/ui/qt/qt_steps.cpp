#include "ui/qt/qt_steps.h"

#include "ui/qt/qt_main_window.h"

namespace varokin::ui::qt {

void QtSteps::RunMainWindow() {
  // The window's title is claimed while it is open, so that a second start finds this instance.
  QtMainWindow window(ctx_, frontEnd_, frontEnd_.instances);
  window.Init();
  window.Exec();
  mainWindowClosed_ = true;
}

}  // namespace varokin::ui::qt
