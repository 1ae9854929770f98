#include "ui/console/main_console_window.h"

#include "ui/window_titles.h"

namespace varokin::ui::console {

std::string MainConsoleWindow::Title() const { return kMainWindowTitle; }

std::vector<MenuItem*> MainConsoleWindow::CheckMenuItems() {
  return {&controls_.menuAutoLaunchTahook,    &controls_.menuCcInstalled,
          &controls_.menuDisableFileWarnings, &controls_.menuDisableCustomExeWarning,
          &controls_.menuDontConfigureIcq,    &controls_.menuDontAskCompile};
}

}  // namespace varokin::ui::console
