#include "app/version_help.h"

#include "varokin_version.h"

namespace varokin::app {

std::string VersionText() { return std::string("Varokin ") + VAROKIN_VERSION; }

std::string HelpText(const std::string& programName, bool console) {
  std::string text =
      "Usage: " + programName +
      " [--ta-folder DIR] [-host | -join:ADDRESS | SNAPSHOT.tas | FILE]\n" + "       " +
      programName +
      " --version | --help\n"
      "\n"
      "Switches Total Annihilation's Total Conversions, Mutators, AIs and units on and off\n"
      "by renaming files in the TA folder.\n"
      "\n"
      "  --ta-folder DIR  the TA folder to use\n"
      "  -host            open the multiplayer window to host a game\n"
      "  -join:ADDRESS    open the multiplayer window to join the game at ADDRESS\n"
      "  SNAPSHOT.tas     restore a snapshot of the TA folder's Varokin\\Snapshots\n"
      "  FILE             a file in the TA folder whose first line is the command line\n"
      "  --version        show the version\n"
      "  --help           show this help\n"
      "\n"
      "The settings live in Varokin.INI in the TA folder.\n";
  if (console) {
    text +=
        "The windows are text: commands are read from standard input, windows and message boxes\n"
        "are written to standard output (see the README or varokin-console(6)).\n";
  }
  return text;
}

std::optional<std::string> VersionOrHelp(const std::string& commandText,
                                         const std::string& programName, bool console) {
  // A Windows command line may end in blanks.
  const std::size_t end = commandText.find_last_not_of(" \t");
  const std::string text =
      end == std::string::npos ? std::string() : commandText.substr(0, end + 1);
  if (text == "--version") return VersionText() + "\n";
  if (text == "--help") return HelpText(programName, console);
  return std::nullopt;
}

}  // namespace varokin::app
