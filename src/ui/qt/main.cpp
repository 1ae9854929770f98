// varokin: the desktop program over Qt Widgets.
#include <QApplication>
#include <QIcon>
#include <iostream>

#include "app/command_line.h"
#include "app/program_parts.h"
#include "app/version_help.h"
#include "ui/qt/qt_dialog_runner.h"
#include "ui/qt/qt_prompts.h"
#include "ui/qt/qt_steps.h"
#include "varokin_version.h"

int main(int argc, char** argv) {
  using namespace varokin;
  // The command text is taken before Qt removes the options it knows from argv.
  const std::string commandText = app::CommandText(argc - 1, argv + 1);
  // Answered before Qt starts, so that it works with no display, as a terminal user expects.
  if (const auto info = app::VersionOrHelp(commandText, "varokin", false)) {
    std::cout << *info;
    return 0;
  }
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Varokin"));
  QApplication::setDesktopFileName(QStringLiteral(VAROKIN_APP_ID));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/varokin.ico")));

  ui::qt::QtPrompts prompts;
  app::ProgramParts parts(prompts);
  ui::qt::QtDialogRunner dialogs(parts.instances.get());
  ui::qt::QtSteps steps(parts.ctx, parts.FrontEnd(dialogs));
  parts.Run(steps, commandText);
  // Start-up that ended before the main window (refused, or another instance is hosting).
  return steps.MainWindowClosed() ? 0 : 1;
}
