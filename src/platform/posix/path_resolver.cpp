#include "platform/posix/path_resolver.h"

namespace varokin::platform::posix {

std::string JoinHostPath(const std::string& folder, const std::string& name) {
  if (folder == ".") return name;
  if (!folder.empty() && folder.back() == '/') return folder + name;
  return folder + '/' + name;
}

ResolvedPath ResolvePath(DirCache& cache, const std::string& path) {
  ResolvedPath resolved;
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
