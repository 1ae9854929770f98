#include "settings/known_folders.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "platform/user_folders.h"
#include "settings/settings_store.h"

namespace varokin::settings {

namespace {

// Far more than kMaxFolders paths; a longer file is not ours and is not read further.
constexpr std::size_t kMaxBytes = 64 * 1024;

}  // namespace

KnownFolders::KnownFolders(platform::FileSystem& fs, std::string path)
    : fs_(fs), path_(std::move(path)) {}

std::vector<std::string> KnownFolders::Read() {
  std::vector<std::string> folders;
  std::unique_ptr<platform::InputFile> file = fs_.OpenRead(path_);
  if (!file) return folders;
  std::string text;
  char buffer[4096];
  while (text.size() < kMaxBytes) {
    const std::size_t count = file->Read(buffer, std::min(sizeof buffer, kMaxBytes - text.size()));
    if (count == 0) break;
    text.append(buffer, count);
  }
  std::size_t start = 0;
  while (start < text.size() && folders.size() < kMaxFolders) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && std::find(folders.begin(), folders.end(), line) == folders.end()) {
      folders.push_back(std::move(line));
    }
    start = end + 1;
  }
  return folders;
}

bool KnownFolders::Remember(const std::string& folder) {
  const std::vector<std::string> known = Read();
  if (!known.empty() && known.front() == folder) return true;
  std::string text = folder + "\n";
  std::size_t count = 1;
  for (const std::string& each : known) {
    if (each == folder || count == kMaxFolders) continue;
    text += each + "\n";
    ++count;
  }
  return EnsureFolderOf(fs_, path_) && fs_.WriteFileAtomic(path_, text);
}

std::string KnownFoldersPath() { return platform::UserConfigFile("folders"); }

}  // namespace varokin::settings
