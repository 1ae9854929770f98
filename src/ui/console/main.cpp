// varokin-console: the program with its windows as text on standard input and output.
#include <iostream>

#include "app/command_line.h"
#include "app/settings_store.h"
#include "app/startup_state.h"
#include "app/switcher_app.h"
#include "engine/context.h"
#include "engine/mod_state.h"
#include "engine/relocation.h"
#include "platform/file_system.h"
#include "platform/instances.h"
#include "ui/console/console_io.h"
#include "ui/console/console_prompts.h"
#include "ui/console/console_steps.h"

int main(int argc, char** argv) {
  using namespace varokin;
  std::ios::sync_with_stdio(false);

  const std::unique_ptr<platform::FileSystem> fs = platform::CreateHostFileSystem();
  const std::unique_ptr<platform::InstanceRegistry> instances =
      platform::CreateHostInstanceRegistry();
  ui::console::ConsoleIo io(std::cin, std::cout);
  ui::console::ConsolePrompts prompts(io);
  app::SettingsStore settings(*fs, app::DefaultSettingsPath());
  app::StartupState startup;
  engine::ModState state;
  engine::Relocator relocator(*fs, prompts, startup);
  engine::PackMembership packMembership;
  engine::Context ctx{*fs, prompts, settings, startup, state, relocator, packMembership};

  ui::console::ConsoleSteps steps(ctx, *instances, io);
  app::CSwitcherApp application(*fs, prompts, settings, startup, state.baseGameTag, *instances,
                                steps);
  application.InitInstance(app::CommandText(argc - 1, argv + 1));
  // Start-up that ended before the main window (refused, or another instance is hosting).
  return steps.MainWindowClosed() ? 0 : 1;
}
