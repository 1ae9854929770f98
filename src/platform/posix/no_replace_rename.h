#pragma once

namespace varokin::platform::posix {

// A rename that fails with EEXIST rather than replace the destination: 0 or -1 with errno set,
// as the system call. Tests swap it to act out a file system that does not know the flag.
using NoReplaceRenameCall = int (*)(const char* from, const char* to);
extern NoReplaceRenameCall noReplaceRename;

// renameat2 with RENAME_NOREPLACE.
int SystemNoReplaceRename(const char* from, const char* to);

// Renames without ever replacing what is at `to`. Where the file system refuses the flag it checks
// that nothing is there and then renames. Returns 0 or an errno value.
int RenameWithoutReplacing(const char* from, const char* to);

}  // namespace varokin::platform::posix
