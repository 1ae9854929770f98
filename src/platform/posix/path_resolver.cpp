#include "platform/posix/path_resolver.h"

#include <sys/stat.h>

#include <cstdlib>
#include <memory>
#include <string_view>

namespace varokin::platform::posix {

std::string JoinHostPath(const std::string& folder, const std::string& name) {
  if (folder == ".") return name;
  if (!folder.empty() && folder.back() == '/') return folder + name;
  return folder + '/' + name;
}

namespace {

std::unique_ptr<char, decltype(&std::free)> RealPath(const std::string& host) {
  return {realpath(host.c_str(), nullptr), &std::free};
}

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
  resolved.link = S_ISLNK(status.st_mode);
  return true;
}

}  // namespace

bool StaysBelowWorkingDir(const std::string& host) {
  const auto root = RealPath(".");
  const auto real = RealPath(host);
  if (root == nullptr || real == nullptr) return false;
  const std::string_view rootText(root.get());
  const std::string_view realText(real.get());
  if (realText.compare(0, rootText.size(), rootText) != 0) return false;
  return realText.size() == rootText.size() || rootText == "/" || realText[rootText.size()] == '/';
}

ResolvedPath ResolvePath(DirCache& cache, const std::string& path) {
  ResolvedPath resolved;
  if (ResolveExactAbsolute(path, resolved)) return resolved;
  const bool relative = path.empty() || path.front() != '/';
  resolved.host.assign(1, relative ? '.' : '/');
  bool folderMissing = false;
  bool throughLink = false;
  std::size_t start = 0;
  while (start < path.size()) {
    std::size_t end = path.find_first_of("/\\", start);
    if (end == std::string::npos) end = path.size();
    if (end > start) {
      // The component before this one is a folder on the way.
      throughLink = throughLink || resolved.link;
      resolved.link = false;
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
          resolved.link = stored && listing->IsLink(*stored);
        }
      }
      resolved.host = JoinHostPath(resolved.folder, resolved.name);
      folderMissing = resolved.known == ResolvedPath::Known::kAbsent;
      // A folder that cannot be listed may still be passed through; only the system can tell
      // whether this component is a link.
      struct stat status;
      if (resolved.known == ResolvedPath::Known::kUnknown && relative &&
          lstat(resolved.host.c_str(), &status) == 0) {
        resolved.link = S_ISLNK(status.st_mode);
      }
    }
    start = end + 1;
  }
  // Links are rare in a TA folder, so only a path through one pays for resolving it.
  resolved.outside = relative && throughLink && !StaysBelowWorkingDir(resolved.folder);
  return resolved;
}

}  // namespace varokin::platform::posix
