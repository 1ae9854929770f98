#pragma once

#include <string>

#include "platform/posix/dir_cache.h"

namespace varokin::platform::posix {

// Where a path of the program lands on a case-sensitive disk.
struct ResolvedPath {
  enum class Known { kPresent, kAbsent, kUnknown };

  std::string host;    // the whole host path
  std::string folder;  // host path of the folder holding the last component ("." or "/" at top)
  std::string name;    // the last component as stored when found, else as given
  std::string given;   // the last component as the program wrote it
  // What the folder's listing says of the last component; unknown for "." and ".." and where the
  // folder cannot be listed, so that only the system's own answer counts.
  Known known = Known::kUnknown;
  // The last component is a symbolic link, as far as the folder's listing tells.
  bool link = false;
  // A relative path whose folder part goes through a link to a place outside the working
  // directory (or to nowhere, which cannot be shown to stay inside).
  bool outside = false;
};

// Matches each component of `path` ("\" or "/" between folders; absolute when it starts with "/")
// without regard to case: an exact match first, else the smallest in byte order of the names
// that differ only by case; a component found nowhere is kept as written. Links in the folder part
// of a relative path are followed only as far as they stay below the working directory.
ResolvedPath ResolvePath(DirCache& cache, const std::string& path);

// True when host, once every link in it is resolved, is the working directory or lies below it.
bool StaysBelowWorkingDir(const std::string& host);

// folder + "/" + name, without a leading "./" for the working directory.
std::string JoinHostPath(const std::string& folder, const std::string& name);

}  // namespace varokin::platform::posix
