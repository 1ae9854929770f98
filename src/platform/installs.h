#pragma once

#include <string>
#include <vector>

namespace varokin::platform {

// The TA folders installed on this machine, each holding TotalA.exe, each once however it is
// reached: on Linux in Wine prefixes ($WINEPREFIX, ~/.wine, prefixes under ~/Games and the
// prefix folders of the usual game launchers) and Steam libraries; on Windows in Steam libraries
// and the usual game folders. Every probe looks a few folder levels deep at most.
std::vector<std::string> FindInstalls();

// The value that follows the first "key" in a Steam key-value file; empty when there is none.
std::string VdfValue(const std::string& text, const std::string& key);

// The Steam libraries a libraryfolders.vdf names (its "path" values), in its order.
std::vector<std::string> SteamLibraries(const std::string& vdfText);

}  // namespace varokin::platform
