// Varokin.exe: the program with its windows as real Win32 dialogs.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <memory>

#include "app/settings_store.h"
#include "app/startup_state.h"
#include "app/switcher_app.h"
#include "engine/context.h"
#include "engine/mod_state.h"
#include "engine/relocation.h"
#include "platform/file_system.h"
#include "platform/instances.h"
#include "platform/processes.h"
#include "platform/registry.h"
#include "ui/win32/command_text.h"
#include "ui/win32/win32_dialogs.h"
#include "ui/win32/win32_prompts.h"
#include "ui/win32/win32_steps.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  using namespace varokin;
  INITCOMMONCONTROLSEX commonControls{sizeof commonControls,
                                      ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&commonControls);

  const std::unique_ptr<platform::FileSystem> fs = platform::CreateHostFileSystem();
  const std::unique_ptr<platform::InstanceRegistry> instances =
      platform::CreateHostInstanceRegistry();
  const std::unique_ptr<platform::Processes> processes = platform::CreateHostProcesses();
  const std::unique_ptr<platform::Registry> registry = platform::CreateHostRegistry();
  ui::win32::Win32Prompts prompts;
  ui::win32::Win32DialogRunner dialogs(instance);
  app::SettingsStore settings(*fs, app::DefaultSettingsPath());
  app::StartupState startup;
  engine::ModState state;
  engine::Relocator relocator(*fs, prompts, startup);
  engine::PackMembership packMembership;
  engine::Context ctx{*fs, prompts, settings, startup, state, relocator, packMembership};

  ui::CSwitcherDlg::FrontEnd frontEnd;
  frontEnd.dialogs = &dialogs;
  frontEnd.processes = processes.get();
  frontEnd.instances = instances.get();
  frontEnd.registry = registry.get();
  ui::win32::Win32Steps steps(instance, ctx, frontEnd);
  app::CSwitcherApp application(*fs, prompts, settings, startup, state.baseGameTag, *instances,
                                steps);
  application.InitInstance(ui::win32::CommandTextOf(GetCommandLineA()));
  return 0;
}
