// varokin: the desktop program over Qt Widgets.
#include <QApplication>

#include "app/command_line.h"
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
#include "ui/qt/qt_dialog_runner.h"
#include "ui/qt/qt_prompts.h"
#include "ui/qt/qt_steps.h"

int main(int argc, char** argv) {
  using namespace varokin;
  // The command text is taken before Qt removes the options it knows from argv.
  const std::string commandText = app::CommandText(argc - 1, argv + 1);
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Varokin"));
  QApplication::setDesktopFileName(QStringLiteral("varokin"));

  const std::unique_ptr<platform::FileSystem> fs = platform::CreateHostFileSystem();
  const std::unique_ptr<platform::InstanceRegistry> instances =
      platform::CreateHostInstanceRegistry();
  const std::unique_ptr<platform::Processes> processes = platform::CreateHostProcesses();
  const std::unique_ptr<platform::Registry> registry = platform::CreateHostRegistry();
  ui::qt::QtPrompts prompts;
  ui::qt::QtDialogRunner dialogs(instances.get());
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
  ui::qt::QtSteps steps(ctx, *instances, frontEnd);
  app::CSwitcherApp switcher(*fs, prompts, settings, startup, state.baseGameTag, *instances, steps);
  switcher.InitInstance(commandText);
  // Start-up that ended before the main window (refused, or another instance is hosting).
  return steps.MainWindowClosed() ? 0 : 1;
}
