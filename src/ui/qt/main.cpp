// varokin: the desktop program over Qt Widgets.
#include <QApplication>
#include <QIcon>
#include <iostream>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/program_parts.h"
#include "app/version_help.h"
#include "platform/installs.h"
#include "ui/qt/qt_dialog_runner.h"
#include "ui/qt/qt_prompts.h"
#include "ui/qt/qt_steps.h"
#include "ui/ta_folder_dlg.h"
#include "varokin_version.h"

int main(int argc, char** argv) {
  using namespace varokin;
  // The command text is taken before Qt removes the options it knows from argv.
  std::vector<std::string> arguments(argv + 1, argv + argc);
  app::TaFolderSearch search;
  search.option = app::TakeTaFolderOption(arguments);
  search.commandText = app::CommandText(arguments);
  // Answered before Qt starts, so that it works with no display, as a terminal user expects.
  if (const auto info = app::VersionOrHelp(search.commandText, "varokin", false)) {
    std::cout << *info;
    return 0;
  }
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Varokin"));
  QApplication::setDesktopFileName(QStringLiteral(VAROKIN_APP_ID));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/varokin.ico")));

  ui::qt::QtPrompts prompts;
  // The chooser opens before there is a TA folder to mark windows in.
  ui::qt::QtDialogRunner chooserDialogs(nullptr);
  search.choose = [&] {
    return ui::AskForTaFolder(chooserDialogs, prompts, platform::FindInstalls());
  };
  // "Change TA folder..." closes the main window; start-up then runs again on the new folder.
  for (;;) {
    app::ProgramParts parts(prompts);
    ui::qt::QtDialogRunner dialogs(parts.instances.get());
    ui::qt::QtSteps steps(parts.ctx, parts.FrontEnd(dialogs));
    parts.Run(steps, search);
    if (parts.startup.nextTaFolder.empty()) {
      // Start-up that ended before the main window (refused, or another instance is hosting).
      return steps.MainWindowClosed() ? 0 : 1;
    }
    search.option = parts.startup.nextTaFolder;
    search.commandText.clear();  // its request has been carried out
  }
}
