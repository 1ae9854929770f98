#pragma once

#include <string>

namespace varokin::engine {

// Process-wide values set at start-up and read by the rest of the program.
struct StartupState {
  std::string previousTc;
  bool ccInstalled = false;
  bool warnModifiedFiles = false;
  bool warnCustomExe = false;
  bool hostRequested = false;
  bool joinRequested = false;
  std::string joinAddress;
  bool snapshotRequested = false;
  std::string snapshotPath;
  // Set by the installation check when totala1.hpi is a merged archive, or after compiling one.
  bool monolithicTotala1 = false;
  // The argument text handed to the game.
  std::string gameArguments = " -N";
  // The TA folder the user chose to change to: start-up runs again there once the main window
  // has closed.
  std::string nextTaFolder;
};

}  // namespace varokin::engine
