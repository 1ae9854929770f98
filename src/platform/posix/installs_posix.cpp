#include <dirent.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/installs.h"
#include "platform/posix/posix_files.h"
#include "platform/text.h"

namespace varokin::platform {

namespace {

// How deep below a prefix's drive_c TotalA.exe is looked for: "Program Files/Cavedog/Total
// Annihilation" is the deepest usual place.
constexpr int kDriveDepth = 4;
// A folder with more entries than this is not one a game installs into (a big home or media
// folder); it is passed by rather than read to the end.
constexpr std::size_t kMaxEntries = 400;

// A folder read once: its subfolders, and the name of TotalA.exe as the disk spells it (empty
// when there is none).
struct Listing {
  std::vector<std::string> folders;
  std::string game;
};

Listing Read(const std::string& folder) {
  Listing listing;
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return listing;
  std::size_t seen = 0;
  while (const dirent* entry = readdir(dir)) {
    if (++seen > kMaxEntries) break;
    const std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    // Links are followed only where they stand for a drive (dosdevices), never inside one.
    if (entry->d_type == DT_DIR ||
        (entry->d_type == DT_UNKNOWN && posix::IsHostFolder(folder + "/" + name))) {
      listing.folders.push_back(name);
    } else if (listing.game.empty() && EqualsIgnoringCase(name, "totala.exe") &&
               posix::IsHostFile(folder + "/" + name)) {
      listing.game = name;
    }
  }
  closedir(dir);
  return listing;
}

std::vector<std::string> Subfolders(const std::string& folder) { return Read(folder).folders; }

class Finder {
 public:
  void Look(const std::string& folder) {
    if (!Read(folder).game.empty()) Add(folder);
  }

  void Search(const std::string& folder, int depth) {
    const Listing listing = Read(folder);
    if (!listing.game.empty()) Add(folder);
    if (depth == 0) return;
    for (const std::string& name : listing.folders) Search(folder + "/" + name, depth - 1);
  }

  void Prefix(const std::string& prefix) {
    const std::string drive = prefix + "/drive_c";
    // Windows' own folder is large and never holds the game.
    for (const std::string& name : Subfolders(drive)) {
      if (!EqualsIgnoringCase(name, "windows")) Search(drive + "/" + name, kDriveDepth - 1);
    }
  }

  // Prefixes one level below folder (~/Games/<game>) and their own subfolders that are
  // prefixes (a launcher's <game>/prefix or pfx).
  void PrefixesUnder(const std::string& folder, int depth) {
    for (const std::string& name : Subfolders(folder)) {
      const std::string path = folder + "/" + name;
      if (posix::IsHostFolder(path + "/drive_c")) {
        Prefix(path);
      } else if (depth > 1) {
        PrefixesUnder(path, depth - 1);
      }
    }
  }

  void SteamLibrary(const std::string& library) {
    const std::string common = library + "/steamapps/common";
    for (const std::string& name : Subfolders(common)) Look(common + "/" + name);
  }

  void Steam(const std::string& steamRoot) {
    std::ifstream in(steamRoot + "/steamapps/libraryfolders.vdf", std::ios::binary);
    std::string text;
    if (in) {
      // A library list is a few kilobytes; a much larger file is not one.
      text.resize(256 * 1024);
      in.read(text.data(), static_cast<std::streamsize>(text.size()));
      text.resize(static_cast<std::size_t>(in.gcount()));
    }
    SteamLibrary(steamRoot);
    for (const std::string& library : SteamLibraries(text)) SteamLibrary(library);
  }

  std::vector<std::string> found;

 private:
  // The same folder reached by two paths (a link, a Steam library named twice) is shown once.
  void Add(const std::string& folder) {
    char* real = realpath(folder.c_str(), nullptr);
    const std::string key = real != nullptr ? real : folder;
    std::free(real);
    if (seen_.insert(key).second) found.push_back(key);
  }

  std::set<std::string> seen_;
};

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && value[0] == '/' ? value : std::string();
}

}  // namespace

std::vector<std::string> FindInstalls() {
  Finder finder;
  const std::string home = Variable("HOME");
  std::string data = Variable("XDG_DATA_HOME");
  if (data.empty() && !home.empty()) data = home + "/.local/share";
  if (const std::string prefix = Variable("WINEPREFIX"); !prefix.empty()) finder.Prefix(prefix);
  if (!home.empty()) {
    finder.Prefix(home + "/.wine");
    finder.PrefixesUnder(home + "/Games", 3);
    // Lutris and Heroic keep prefixes of their own; Bottles its bottles; PlayOnLinux its
    // wineprefix folder.
    finder.PrefixesUnder(home + "/Games/Heroic/Prefixes", 1);
    finder.PrefixesUnder(home + "/.PlayOnLinux/wineprefix", 1);
    finder.PrefixesUnder(home + "/.var/app/com.usebottles.bottles/data/bottles/bottles", 1);
  }
  if (!data.empty()) {
    finder.PrefixesUnder(data + "/bottles/bottles", 1);
    finder.PrefixesUnder(data + "/lutris/runners/wine", 1);
    finder.Steam(data + "/Steam");
  }
  if (!home.empty()) {
    finder.Steam(home + "/.steam/steam");
    finder.Steam(home + "/.var/app/com.valvesoftware.Steam/data/Steam");
  }
  return finder.found;
}

}  // namespace varokin::platform
