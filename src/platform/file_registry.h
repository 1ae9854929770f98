#pragma once

#include <memory>
#include <string>

#include "platform/file_system.h"
#include "platform/registry.h"

namespace varokin::platform {

// The registry kept in one text file, for hosts without a registry. Each call reads the file
// and each change rewrites it atomically, so two instances never see half a key. Key paths and
// value names are matched without regard to case, as the Windows registry does.
//
//   [Software\Mirabilis\ICQ\Owners]
//   LastOwner=dword:12345678
//   [Software\Mirabilis\ICQ\Owners\12345678]
//   Name=sz:Player
//
// In names and values "\" is written "\\", line ends "\n" and "\r", and "=" in a name "\=".
std::unique_ptr<Registry> CreateFileRegistry(FileSystem& fs, const std::string& path);
std::unique_ptr<Registry> CreateFileRegistry(std::unique_ptr<FileSystem> fs,
                                             const std::string& path);

}  // namespace varokin::platform
