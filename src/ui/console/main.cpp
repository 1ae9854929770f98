// varokin-console: the program with its windows as text on standard input and output.
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/program_parts.h"
#include "app/version_help.h"
#include "platform/file_system.h"
#include "ui/console/console_io.h"
#include "ui/console/console_prompts.h"
#include "ui/console/console_steps.h"
#include "ui/console/dialog_console_window.h"

int main(int argc, char** argv) {
  using namespace varokin;
  std::ios::sync_with_stdio(false);
  std::vector<std::string> arguments(argv + 1, argv + argc);
  app::TaFolderSearch search;
  search.option = app::TakeTaFolderOption(arguments);
  search.commandText = app::CommandText(arguments);
  if (const auto info = app::VersionOrHelp(search.commandText, "varokin-console", true)) {
    std::cout << *info;
    return 0;
  }

  ui::console::ConsoleIo io(std::cin, std::cout);
  const std::unique_ptr<platform::FileSystem> files = platform::CreateHostFileSystem();
  ui::console::ConsolePrompts prompts(io, *files);
  // "Change TA folder..." closes the main window; start-up then runs again on the new folder.
  for (;;) {
    app::ProgramParts parts(prompts);
    ui::console::ConsoleDialogRunner dialogs(io);
    ui::console::ConsoleSteps steps(parts.ctx, parts.FrontEnd(dialogs), io);
    parts.Run(steps, search);
    if (parts.startup.nextTaFolder.empty()) {
      // Start-up that ended before the main window (refused, or another instance is hosting).
      return steps.MainWindowClosed() ? 0 : 1;
    }
    search.option = parts.startup.nextTaFolder;
    search.commandText.clear();  // its request has been carried out
  }
}
