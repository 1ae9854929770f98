#pragma once

#include <memory>
#include <string>

#include "platform/registry.h"

namespace varokin::platform::posix {

// The Wine prefix a host folder (absolute, without links) lies in: the folder above its
// "drive_c" that holds the prefix's system.reg. Empty when the folder is on no prefix's drive C:.
std::string WinePrefixOf(const std::string& folder);

// The current user's registry of a Wine prefix. It is read from the prefix's user.reg, where Wine
// keeps it, so that looking costs no Wine start; it is changed only through Wine's own "reg",
// which a running Wine sees at once. Without Wine (wine empty) every change fails.
std::unique_ptr<Registry> CreateWinePrefixRegistry(const std::string& prefix,
                                                   const std::string& wine);

}  // namespace varokin::platform::posix
