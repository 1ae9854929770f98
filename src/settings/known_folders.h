#pragma once

#include <string>
#include <vector>

#include "platform/file_system.h"

namespace varokin::settings {

// The TA folders this user has worked on, the last used first: one host path a line in a file of
// the per-user configuration folder. Start-up goes back to the first that still holds the game.
class KnownFolders {
 public:
  static constexpr std::size_t kMaxFolders = 16;

  KnownFolders(platform::FileSystem& fs, std::string path);

  std::vector<std::string> Read();
  // Puts folder first, once; false when the list could not be written.
  bool Remember(const std::string& folder);

 private:
  platform::FileSystem& fs_;
  std::string path_;
};

// "folders" in the per-user configuration folder.
std::string KnownFoldersPath();

}  // namespace varokin::settings
