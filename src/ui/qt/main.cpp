// varokin: the desktop program over Qt Widgets.
#include <QApplication>
#include <QIcon>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

#include "app/command_line.h"
#include "app/version_help.h"
#include "ui/qt/desktop_program.h"
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

  return ui::qt::RunDesktopProgram(std::move(search));
}
