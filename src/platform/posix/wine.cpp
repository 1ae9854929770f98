#include "platform/posix/wine.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace varokin::platform::posix {

namespace {

bool IsExecutableFile(const std::string& path) {
  struct stat status;
  return !path.empty() && stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
         access(path.c_str(), X_OK) == 0;
}

}  // namespace

std::string FindOnPath(const std::string& folders, const std::string& name) {
  std::size_t start = 0;
  while (start <= folders.size()) {
    std::size_t end = folders.find(':', start);
    if (end == std::string::npos) end = folders.size();
    const std::string folder = end > start ? folders.substr(start, end - start) : ".";
    if (IsExecutableFile(folder + "/" + name)) return folder + "/" + name;
    start = end + 1;
  }
  return {};
}

WineSearch HostWineSearch() {
  WineSearch search;
  if (const char* wine = std::getenv("WINE")) search.variable = wine;
  if (const char* path = std::getenv("PATH")) search.path = path;
  search.fallbacks = {"/usr/lib/wine/wine64"};
  return search;
}

std::string FindWine(const WineSearch& search) {
  if (search.variable) {
    // A bare name, as a shell would take it, is looked for along the PATH.
    const std::string& wine = *search.variable;
    if (wine.find('/') == std::string::npos) {
      const std::string found = search.path.empty() ? "" : FindOnPath(search.path, wine);
      if (!found.empty()) return found;
    } else if (IsExecutableFile(wine)) {
      return wine;
    }
  }
  for (const char* name : {"wine", "wine64"}) {
    const std::string found = search.path.empty() ? "" : FindOnPath(search.path, name);
    if (!found.empty()) return found;
  }
  for (const std::string& fallback : search.fallbacks) {
    if (IsExecutableFile(fallback)) return fallback;
  }
  return {};
}

}  // namespace varokin::platform::posix
