#include "platform/posix/no_replace_rename.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>

namespace varokin::platform::posix {

NoReplaceRenameCall noReplaceRename = SystemNoReplaceRename;

int SystemNoReplaceRename(const char* from, const char* to) {
  return renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE);
}

int RenameWithoutReplacing(const char* from, const char* to) {
  if (noReplaceRename(from, to) == 0) return 0;
  const int error = errno;
  // Only a file system that does not know the flag gets the check-then-rename; every other error
  // is the answer. The check leaves a moment in which another program could create the
  // destination, which is the best such a file system allows.
  if (error != EINVAL && error != ENOSYS) return error;
  struct stat existing;
  if (lstat(to, &existing) == 0) return EEXIST;
  if (errno != ENOENT) return errno;
  return std::rename(from, to) == 0 ? 0 : errno;
}

}  // namespace varokin::platform::posix
