#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/processes.h"

namespace varokin::platform::posix {

// Where Wine is looked for, in this order: the WINE variable, "wine" then "wine64" along the
// PATH, then each fallback. Debian's wine64 package puts no "wine" on the PATH at all.
struct WineSearch {
  std::optional<std::string> variable;
  std::string path;
  std::vector<std::string> fallbacks;
};

// The search over this process's environment and the places distributions install Wine.
WineSearch HostWineSearch();

// The first candidate of the search that is an executable file; empty when there is none.
std::string FindWine(const WineSearch& search);

// The first executable file of that name in the folders of a PATH text; empty when there is none.
std::string FindOnPath(const std::string& folders, const std::string& name);

// The Wine prefix that holds folder (a host path): the nearest folder above it that holds
// drive_c and system.reg. Empty when there is none.
std::string PrefixHolding(const std::string& folder);

// A TA folder that Steam installed: in <library>/steamapps/common/, named as installdir by an
// appmanifest_*.acf of that library.
struct SteamInstall {
  std::string appId;
  std::string prefix;  // Steam's Wine prefix for the app, when it exists
};
std::optional<SteamInstall> SteamInstallAt(const std::string& folder);

// Processes that start Windows programs with the Wine the search finds at that start.
std::unique_ptr<Processes> CreateProcesses(std::function<WineSearch()> search);

// Runs argv[0] (a path) with the other words as its arguments, in workingDir (this process's
// own when empty), with this process's environment plus the "NAME=value" settings, and waits.
// Its exit status, or nothing when it could not be started.
std::optional<int> RunAndWait(std::vector<std::string> argv, const std::string& workingDir,
                              const std::vector<std::string>& settings);

}  // namespace varokin::platform::posix
