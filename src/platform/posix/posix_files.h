#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/file_system.h"

namespace varokin::platform::posix {

// Reading and writing file contents by host path; names are already resolved. Each sets errno
// when it fails. Only regular files are read: a FIFO, a device or a folder fails as a file that
// cannot be opened, and opening never waits. With `withoutLinks` a relative host path that holds
// a symbolic link anywhere fails with ELOOP, and with ENOSYS where the system cannot tell.

// Whether a host path, its links followed, is a folder or a regular file.
bool IsHostFolder(const std::string& host);
bool IsHostFile(const std::string& host);

std::unique_ptr<InputFile> OpenHostFile(const std::string& host, bool withoutLinks = false);
std::optional<std::string> ReadHostFileAt(const std::string& host, std::uint64_t offset,
                                          std::size_t count, bool withoutLinks = false);
// An existing regular file opened for appending; never follows a link.
std::unique_ptr<OutputFile> OpenHostFileAppend(const std::string& host);
// Writes `contents` to a new file in `folder` and renames it onto `host`.
bool WriteHostFileAtomic(const std::string& folder, const std::string& host,
                         const std::string& contents);

}  // namespace varokin::platform::posix
