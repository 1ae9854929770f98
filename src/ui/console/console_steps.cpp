#include "ui/console/console_steps.h"

#include "ui/console/command_loop.h"
#include "ui/console/main_console_window.h"
#include "ui/headless/main_window_set.h"
#include "ui/switcher_dlg.h"

namespace varokin::ui::console {

void ConsoleSteps::RunMainWindow() {
  headless::HeadlessMainWindow controls;
  CSwitcherDlg dlg(ctx_, controls.Controls());
  dlg.frontEnd = frontEnd_;
  dlg.OnInitDialog();
  dlg.OnShowWindow(true);
  // A console has no time to wait for: the deferred request runs before the first command.
  while (dlg.TimerPending()) dlg.OnTimer();

  MainConsoleWindow window(controls, dlg);
  CommandLoop(io_).Run(window);
  mainWindowClosed_ = true;
}

}  // namespace varokin::ui::console
