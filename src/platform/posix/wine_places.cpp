// Where a TA folder lies: in a Wine prefix, or in a Steam library.
#include <dirent.h>

#include <fstream>
#include <optional>
#include <string>

#include "platform/installs.h"
#include "platform/posix/posix_files.h"
#include "platform/posix/wine.h"
#include "platform/text.h"

namespace varokin::platform::posix {

namespace {

std::string Parent(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos || slash == 0) return std::string();
  return path.substr(0, slash);
}

std::string Name(const std::string& path) { return path.substr(path.find_last_of('/') + 1); }

std::string Trimmed(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

// A manifest is a few hundred bytes; a much larger file is not one.
std::string ReadSmall(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string text(64 * 1024, '\0');
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  text.resize(static_cast<std::size_t>(in.gcount()));
  return text;
}

}  // namespace

std::string PrefixHolding(const std::string& folder) {
  for (std::string above = Parent(Trimmed(folder)); !above.empty(); above = Parent(above)) {
    if (IsHostFolder(above + "/drive_c") && IsHostFile(above + "/system.reg")) return above;
  }
  return std::string();
}

std::optional<SteamInstall> SteamInstallAt(const std::string& folder) {
  const std::string game = Trimmed(folder);
  const std::string common = Parent(game);
  const std::string steamapps = Parent(common);
  if (Name(common) != "common" || Name(steamapps) != "steamapps") return std::nullopt;
  DIR* dir = opendir(steamapps.c_str());
  if (dir == nullptr) return std::nullopt;
  std::optional<SteamInstall> found;
  while (const dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    if (name.rfind("appmanifest_", 0) != 0 || name.size() < 4 ||
        name.compare(name.size() - 4, 4, ".acf") != 0) {
      continue;
    }
    const std::string text = ReadSmall(steamapps + "/" + name);
    const std::string appId = VdfValue(text, "appid");
    if (appId.empty() || !EqualsIgnoringCase(VdfValue(text, "installdir"), Name(game))) continue;
    found = SteamInstall{appId, std::string()};
    const std::string prefix = steamapps + "/compatdata/" + appId + "/pfx";
    if (IsHostFolder(prefix)) found->prefix = prefix;
    break;
  }
  closedir(dir);
  return found;
}

}  // namespace varokin::platform::posix
