#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/file_system.h"

namespace varokin::platform::win32 {

// Reading and writing file contents by host path; each leaves GetLastError set when it fails. Only
// files on a disk are read: a pipe or a device fails as a file that cannot be opened.

std::unique_ptr<InputFile> OpenHostFile(const std::string& host);
std::optional<std::string> ReadHostFileAt(const std::string& host, std::uint64_t offset,
                                          std::size_t count);
// The path of an existing file or folder with every link resolved, as the system spells it; empty
// when it cannot be opened.
std::string FinalPath(const std::string& host);
// An existing file opened for appending.
std::unique_ptr<OutputFile> OpenHostFileAppend(const std::string& host);
// Writes `contents` to a new file beside `host` and moves it onto `host`.
bool WriteHostFileAtomic(const std::string& host, const std::string& contents);

}  // namespace varokin::platform::win32
