#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/prompts.h"
#include "platform/file_system.h"
#include "settings/known_folders.h"

namespace varokin::app {

// Takes "--ta-folder DIR" out of an argument vector (the program's name not included), so that
// the command text formed from the rest is the one the program has always had. DIR, when given.
std::optional<std::string> TakeTaFolderOption(std::vector<std::string>& arguments);
// The same over a command text as the system passes it; DIR may be in double quotes.
std::optional<std::string> TakeTaFolderOption(std::string& commandText);

// How start-up finds the TA folder it works on.
struct TaFolderSearch {
  std::optional<std::string> option;  // --ta-folder
  std::string commandText;
  // Asks the user where the game is (the desktop programs); nothing when the user gave up.
  std::function<std::optional<std::string>()> choose;
};

// Makes the TA folder the working directory: the folder named on the command line; else the
// working directory when it holds TotalA.exe, or when the command text names a file there (a
// snapshot or parameter file, which start-up handles as it always has); else the folder used
// last that still holds TotalA.exe; else what the user chooses. The folder found is remembered
// first in `known`. False when start-up must end (the user has been told why, or gave up).
bool FindTaFolder(platform::FileSystem& fs, Prompts& prompts, settings::KnownFolders& known,
                  const TaFolderSearch& search);

// Whether folder (a host path) holds TotalA.exe.
bool HoldsTheGame(platform::FileSystem& fs, const std::string& folder);

}  // namespace varokin::app
