#include "ui/console/console_steps.h"

#include "install/icq_registration.h"
#include "install/installation.h"
#include "platform/processes.h"
#include "platform/registry.h"
#include "ui/console/command_loop.h"
#include "ui/console/dialog_console_window.h"
#include "ui/console/main_console_window.h"
#include "ui/headless/main_window_set.h"
#include "ui/switcher_dlg.h"

namespace varokin::ui::console {

bool ConsoleSteps::CheckInstallation() {
  const std::unique_ptr<platform::Processes> processes = platform::CreateHostProcesses();
  return install::CheckInstallation(ctx_, *processes);
}

void ConsoleSteps::RegisterWithIcq() {
  const std::unique_ptr<platform::Registry> registry = platform::CreateHostRegistry();
  install::RegisterWithIcq(ctx_.fs, ctx_.prompts, *registry);
}

void ConsoleSteps::RunMainWindow() {
  headless::HeadlessMainWindow controls;
  CSwitcherDlg dlg(ctx_, controls.Controls());
  ConsoleDialogRunner dialogs(io_);
  dlg.frontEnd.dialogs = &dialogs;
  const std::unique_ptr<platform::Processes> processes = platform::CreateHostProcesses();
  dlg.frontEnd.processes = processes.get();
  dlg.frontEnd.instances = &instances_;
  // Held while the window is open, so that a second start finds this instance. Start-up has
  // already made sure no other one runs; a claim that fails only weakens that rule.
  const auto claim = instances_.Claim(app::kMainWindowTitle);
  dlg.OnInitDialog();
  dlg.OnShowWindow(true);
  // A console has no time to wait for: the deferred request runs before the first command.
  while (dlg.TimerPending()) dlg.OnTimer();

  MainConsoleWindow window(controls, dlg);
  CommandLoop(io_).Run(window);
  mainWindowClosed_ = true;
}

}  // namespace varokin::ui::console
