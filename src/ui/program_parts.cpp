#include "ui/program_parts.h"

#include "install/icq_registration.h"
#include "install/installation.h"

namespace varokin::ui {

ProgramParts::ProgramParts(Prompts& prompts)
    : fs(platform::CreateHostFileSystem()),
      instances(platform::CreateHostInstanceRegistry()),
      processes(platform::CreateHostProcesses()),
      registry(platform::CreateHostRegistry()),
      prompts(prompts),
      settings(*fs, app::DefaultSettingsPath()),
      relocator(*fs, prompts, startup),
      ctx{*fs, prompts, settings, startup, state, relocator, packMembership} {}

bool HostSteps::CheckInstallation() {
  return install::CheckInstallation(ctx_, *frontEnd_.processes);
}

void HostSteps::RegisterWithIcq() {
  install::RegisterWithIcq(ctx_.fs, ctx_.prompts, *frontEnd_.registry);
}

CSwitcherDlg::FrontEnd ProgramParts::FrontEnd(DialogRunner& dialogs) {
  CSwitcherDlg::FrontEnd frontEnd;
  frontEnd.dialogs = &dialogs;
  frontEnd.processes = processes.get();
  frontEnd.instances = instances.get();
  frontEnd.registry = registry.get();
  return frontEnd;
}

void ProgramParts::Run(app::StartupSteps& steps, const std::string& commandText) {
  app::CSwitcherApp application(*fs, prompts, settings, startup, state.baseGameTag, *instances,
                                steps);
  application.InitInstance(commandText);
}

}  // namespace varokin::ui
