#include "platform/posix/path_resolver.h"

#include <sys/stat.h>

namespace varokin::platform::posix {

std::string JoinHostPath(const std::string& folder, const std::string& name) {
  if (folder == ".") return name;
  if (!folder.empty() && folder.back() == '/') return folder + name;
  return folder + '/' + name;
}

namespace {

// An absolute path (the settings file, a file chosen in a dialog) is nearly always spelled as
// stored. Every component then matches exactly, which is what the listings would find first, so
// one look at the whole path spares listing each folder above it ("/", "/home", ...).
bool ResolveExactAbsolute(const std::string& path, ResolvedPath& resolved) {
  if (path.size() < 2 || path.front() != '/' || path.back() == '/' ||
      path.find('\\') != std::string::npos) {
    return false;
  }
  const std::size_t slash = path.rfind('/');
  const std::string name = path.substr(slash + 1);
  struct stat status;
  if (name == "." || name == ".." || lstat(path.c_str(), &status) != 0) return false;
  resolved.host = path;
  resolved.folder = slash == 0 ? "/" : path.substr(0, slash);
  resolved.given = name;
  resolved.name = name;
  resolved.known = ResolvedPath::Known::kPresent;
  return true;
}

}  // namespace

ResolvedPath ResolvePath(DirCache& cache, const std::string& path) {
  ResolvedPath resolved;
  if (ResolveExactAbsolute(path, resolved)) return resolved;
  resolved.host.assign(1, !path.empty() && path.front() == '/' ? '/' : '.');
  bool folderMissing = false;
  std::size_t start = 0;
  while (start < path.size()) {
    std::size_t end = path.find_first_of("/\\", start);
    if (end == std::string::npos) end = path.size();
    if (end > start) {
      resolved.folder = std::move(resolved.host);
      resolved.given = path.substr(start, end - start);
      resolved.name = resolved.given;
      resolved.known = ResolvedPath::Known::kUnknown;
      if (folderMissing) {
        resolved.known = ResolvedPath::Known::kAbsent;
      } else if (resolved.given != "." && resolved.given != "..") {
        if (const DirListing* listing = cache.Get(resolved.folder)) {
          const std::string* stored = listing->Match(resolved.given);
          resolved.known = stored ? ResolvedPath::Known::kPresent : ResolvedPath::Known::kAbsent;
          if (stored) resolved.name = *stored;
        }
      }
      resolved.host = JoinHostPath(resolved.folder, resolved.name);
      folderMissing = resolved.known == ResolvedPath::Known::kAbsent;
    }
    start = end + 1;
  }
  return resolved;
}

}  // namespace varokin::platform::posix
