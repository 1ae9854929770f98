#include <windows.h>

#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "platform/installs.h"
#include "platform/text.h"

namespace varokin::platform {

namespace {

std::vector<std::string> Subfolders(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  // A folder with hundreds of entries is not one a game installs into.
  int seen = 0;
  do {
    const std::string name = found.cFileName;
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != "." && name != "..")
      names.push_back(name);
  } while (++seen < 400 && FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

std::string RegistryText(HKEY root, const char* key, const char* value) {
  char text[MAX_PATH * 2];
  DWORD size = sizeof text;
  if (RegGetValueA(root, key, value, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
    return std::string();
  return text;
}

std::string Variable(const char* name) {
  char value[MAX_PATH * 2];
  const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
  return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

class Finder {
 public:
  void Look(const std::string& folder) {
    const DWORD attributes = GetFileAttributesA((folder + "\\totala.exe").c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return;
    char full[MAX_PATH * 2];
    const DWORD length = GetFullPathNameA(folder.c_str(), sizeof full, full, nullptr);
    const std::string path = length > 0 && length < sizeof full ? full : folder;
    if (seen_.insert(LowerCase(path)).second) found.push_back(path);
  }
  // Each folder below `folder`, and each below those when depth is 2.
  void Below(const std::string& folder, int depth) {
    for (const std::string& name : Subfolders(folder)) {
      Look(folder + "\\" + name);
      if (depth > 1) Below(folder + "\\" + name, depth - 1);
    }
  }
  void Steam(const std::string& root) {
    if (root.empty()) return;
    std::vector<std::string> libraries = {root};
    std::ifstream in(root + "\\steamapps\\libraryfolders.vdf", std::ios::binary);
    if (in) {
      std::string text(256 * 1024, '\0');
      in.read(text.data(), static_cast<std::streamsize>(text.size()));
      text.resize(static_cast<std::size_t>(in.gcount()));
      for (const std::string& library : SteamLibraries(text)) libraries.push_back(library);
    }
    for (const std::string& library : libraries) Below(library + "\\steamapps\\common", 1);
  }

  std::vector<std::string> found;

 private:
  std::set<std::string> seen_;
};

}  // namespace

std::vector<std::string> FindInstalls() {
  Finder finder;
  finder.Steam(RegistryText(HKEY_CURRENT_USER, "Software\\Valve\\Steam", "SteamPath"));
  finder.Steam(
      RegistryText(HKEY_LOCAL_MACHINE, "SOFTWARE\\WOW6432Node\\Valve\\Steam", "InstallPath"));
  std::string drive = Variable("SystemDrive");
  if (drive.empty()) drive = "C:";
  finder.Below(drive + "\\GOG Games", 1);
  finder.Below(drive + "\\Cavedog", 1);
  for (const char* name : {"ProgramFiles", "ProgramFiles(x86)"}) {
    const std::string programs = Variable(name);
    // "Program Files\Cavedog\Total Annihilation" as the CD installed it.
    if (!programs.empty()) finder.Below(programs, 2);
  }
  return finder.found;
}

}  // namespace varokin::platform
