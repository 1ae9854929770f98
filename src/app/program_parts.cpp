#include "app/program_parts.h"

#include "install/icq_registration.h"
#include "install/installation.h"

namespace varokin::app {

ProgramParts::ProgramParts(Prompts& frontEndPrompts)
    : fs(platform::CreateHostFileSystem()),
      instances(platform::CreateHostInstanceRegistry()),
      processes(platform::CreateHostProcesses()),
      registry(platform::CreateHostRegistry()),
      prompts(frontEndPrompts),
      settings(*fs, settings::DefaultSettingsPath()),
      relocator(*fs, prompts, startup),
      ctx{*fs, prompts, settings, startup, state, relocator, packMembership} {}

bool HostSteps::CheckInstallation() {
  return install::CheckInstallation(ctx_, *frontEnd_.processes);
}

void HostSteps::RegisterWithIcq() {
  install::RegisterWithIcq(ctx_.fs, ctx_.prompts, *frontEnd_.registry);
}

ui::CSwitcherDlg::FrontEnd ProgramParts::FrontEnd(ui::DialogRunner& dialogs) {
  ui::CSwitcherDlg::FrontEnd frontEnd;
  frontEnd.dialogs = &dialogs;
  frontEnd.processes = processes.get();
  frontEnd.instances = instances.get();
  frontEnd.registry = registry.get();
  return frontEnd;
}

void ProgramParts::Run(StartupSteps& steps, const std::string& commandText) {
  CSwitcherApp application(*fs, prompts, settings, startup, state.baseGameTag, *instances, steps);
  application.InitInstance(commandText);
}

}  // namespace varokin::app
