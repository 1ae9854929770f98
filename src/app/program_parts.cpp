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
      settings(*fs, settings::kSettingsFileName),
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

bool ProgramParts::Run(StartupSteps& steps, const TaFolderSearch& search) {
  settings::KnownFolders known(*fs, settings::KnownFoldersPath());
  if (!FindTaFolder(*fs, prompts, known, search)) return false;
  CSwitcherApp application(*fs, prompts, settings, startup, state.baseGameTag, *instances, steps,
                           settings::UserSettingsPath());
  application.InitInstance(search.commandText);
  return true;
}

}  // namespace varokin::app
