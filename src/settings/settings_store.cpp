#include "settings/settings_store.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <utility>

#include "platform/clock.h"
#include "platform/line_reader.h"
#include "platform/user_folders.h"

namespace varokin::settings {

namespace {

// At most `limit` bytes; nothing when the file cannot be opened.
std::optional<std::string> ReadUpTo(platform::FileSystem& fs, const std::string& path,
                                    std::size_t limit) {
  std::unique_ptr<platform::InputFile> file = fs.OpenRead(path);
  if (!file) return std::nullopt;
  std::string text;
  char buffer[65536];
  while (text.size() < limit) {
    const std::size_t count = file->Read(buffer, std::min(sizeof buffer, limit - text.size()));
    if (count == 0) break;
    text.append(buffer, count);
  }
  return text;
}

// A file changed within a clock tick or two of its stamp being taken can change again and keep the
// same time; its stamp says nothing until that time is past. Disks that keep whole seconds get a
// wider margin.
bool IsRecent(std::int64_t modified, const platform::WallTime& now) {
  const bool coarse = modified % 1'000'000'000 == 0;
  const std::int64_t margin = coarse ? 2'100'000'000 : 20'000'000;
  const std::int64_t nowNs = now.seconds * 1'000'000'000 + now.milliseconds * 1'000'000;
  return modified + margin >= nowNs;
}

std::string ParentFolder(const std::string& path) {
  std::size_t separator = path.find_last_of("/\\");
  if (separator == std::string::npos) return std::string();
  if (separator == 0) return path.substr(0, 1);
  return path.substr(0, separator);
}

bool IsRoot(const std::string& folder) {
  return folder.empty() || folder == "/" || folder == "\\" || folder.back() == ':';
}

bool EnsureFolder(platform::FileSystem& fs, const std::string& folder) {
  if (IsRoot(folder) || fs.Exists(folder)) return true;
  std::string parent = ParentFolder(folder);
  if (parent.size() < folder.size() && !EnsureFolder(fs, parent)) return false;
  return fs.CreateFolder(folder);
}

}  // namespace

SettingsStore::SettingsStore(platform::FileSystem& fs, std::string path)
    : fs_(fs), path_(std::move(path)) {}

IniDocument* SettingsStore::Current() {
  const platform::WallTime before = platform::Now();
  const std::optional<platform::FileSystem::FileStamp> stamp = fs_.Stamp(path_);
  if (stamp && stamp_ && *stamp == *stamp_) return &document_;
  stamp_.reset();
  damaged_ = false;
  if (!stamp) {
    // Not a regular file: a write must then leave it alone rather than replace entries it never
    // saw. Reading it could block (a FIFO) or never end (a device).
    if (fs_.Exists(path_)) return nullptr;
    document_ = IniDocument(std::string());
    return &document_;
  }
  // One byte more than is allowed tells a file that grew past the bound since its stamp.
  std::optional<std::string> text =
      stamp->size > kMaxBytes ? std::nullopt : ReadUpTo(fs_, path_, std::size_t{kMaxBytes} + 1);
  if (stamp->size > kMaxBytes || (text && text->size() > kMaxBytes)) {
    damaged_ = true;
    return nullptr;
  }
  if (!text) return nullptr;
  document_ = IniDocument(std::move(*text));
  // A change after the stamp was taken gives the file a later stamp, so the next call reads it.
  if (!IsRecent(stamp->modified, before)) stamp_ = stamp;
  return &document_;
}

bool SettingsStore::IsDamaged() {
  Current();
  return damaged_;
}

std::optional<std::string> SettingsStore::Lookup(const std::string& section,
                                                 const std::string& entry) {
  const IniDocument* document = Current();
  if (!document) return std::nullopt;
  return document->Find(section, entry);
}

int SettingsStore::GetProfileInt(const std::string& section, const std::string& entry, int def) {
  std::optional<std::string> text = Lookup(section, entry);
  // As the classic profile functions do, an entry with no text at all gives the default too.
  if (!text || text->empty()) return def;
  int value = 0;
  platform::WordScanner scanner(*text);
  return scanner.NextInt(value) ? value : 0;
}

std::string SettingsStore::GetProfileString(const std::string& section, const std::string& entry,
                                            const std::string& def) {
  std::optional<std::string> value = Lookup(section, entry);
  return value ? *value : def;
}

bool SettingsStore::WriteProfileInt(const std::string& section, const std::string& entry,
                                    int value) {
  return WriteProfileString(section, entry, std::to_string(value));
}

bool SettingsStore::WriteProfileString(const std::string& section, const std::string& entry,
                                       const std::string& value) {
  IniDocument* document = Current();
  if (!document) return false;
  const std::string before = document->Text();
  if (!document->Set(section, entry, value)) return false;
  // The file says so already: start-up writes entries that rarely change, and each write waits
  // for the disk.
  if (document->Text() == before) return true;
  // The text now holds the change whether or not it reaches the disk: read the file again.
  stamp_.reset();
  if (!EnsureFolder(fs_, ParentFolder(path_))) return false;
  return fs_.WriteFileAtomic(path_, document->Text());
}

int SettingsStore::Get(const IntSetting& setting) {
  return GetProfileInt(std::string(setting.section), std::string(setting.entry), setting.def);
}

std::string SettingsStore::Get(const TextSetting& setting) {
  return GetProfileString(std::string(setting.section), setting.entry, std::string(setting.def));
}

std::vector<std::string> SettingsStore::Get(const std::vector<TextSetting>& settings) {
  const IniDocument* document = Current();
  std::vector<std::string> values;
  for (const TextSetting& setting : settings) {
    std::optional<std::string> value =
        document ? document->Find(std::string(setting.section), setting.entry) : std::nullopt;
    values.push_back(value ? std::move(*value) : std::string(setting.def));
  }
  return values;
}

bool SettingsStore::Write(const IntSetting& setting, int value) {
  return WriteProfileInt(std::string(setting.section), std::string(setting.entry), value);
}

bool SettingsStore::Write(const TextSetting& setting, const std::string& value) {
  return WriteProfileString(std::string(setting.section), setting.entry, value);
}

bool SettingsStore::TakeOver(const std::string& from) {
  if (from.empty() || fs_.Exists(path_)) return false;
  const std::optional<platform::FileSystem::FileStamp> stamp = fs_.Stamp(from);
  if (!stamp || stamp->size > kMaxBytes) return false;
  std::optional<std::string> text = ReadUpTo(fs_, from, std::size_t{kMaxBytes});
  if (!text) return false;
  stamp_.reset();
  return EnsureFolder(fs_, ParentFolder(path_)) && fs_.WriteFileAtomic(path_, *text);
}

bool EnsureFolderOf(platform::FileSystem& fs, const std::string& path) {
  return EnsureFolder(fs, ParentFolder(path));
}

std::string UserSettingsPath() { return platform::UserConfigFile("Varokin.INI"); }

}  // namespace varokin::settings
