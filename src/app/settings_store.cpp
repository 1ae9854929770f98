#include "app/settings_store.h"

#include <memory>
#include <optional>
#include <utility>

#include "app/ini_document.h"
#include "platform/line_reader.h"
#include "platform/user_folders.h"

namespace varokin::app {

namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

// Nothing when the file is there but cannot be read: a write must then leave it alone rather than
// replace entries it never saw.
std::optional<std::string> ReadWholeFile(platform::FileSystem& fs, const std::string& path) {
  if (!fs.Exists(path)) return std::string();
  std::unique_ptr<platform::InputFile> file = fs.OpenRead(path);
  if (!file) return std::nullopt;
  std::string text;
  char buffer[65536];
  while (std::size_t count = file->Read(buffer, sizeof buffer)) text.append(buffer, count);
  return text;
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

std::optional<std::string> Lookup(platform::FileSystem& fs, const std::string& path,
                                  const std::string& section, const std::string& entry) {
  std::optional<std::string> text = ReadWholeFile(fs, path);
  if (!text) return std::nullopt;
  return IniDocument(std::move(*text)).Find(section, entry);
}

}  // namespace

SettingsStore::SettingsStore(platform::FileSystem& fs, std::string path)
    : fs_(fs), path_(std::move(path)) {}

int SettingsStore::GetProfileInt(const std::string& section, const std::string& entry, int def) {
  std::optional<std::string> text = Lookup(fs_, path_, section, entry);
  // As the classic profile functions do, an entry with no text at all gives the default too.
  if (!text || text->empty()) return def;
  int value = 0;
  platform::WordScanner scanner(*text);
  return scanner.NextInt(value) ? value : 0;
}

std::string SettingsStore::GetProfileString(const std::string& section, const std::string& entry,
                                            const std::string& def) {
  std::optional<std::string> value = Lookup(fs_, path_, section, entry);
  return value ? *value : def;
}

bool SettingsStore::WriteProfileInt(const std::string& section, const std::string& entry,
                                    int value) {
  return WriteProfileString(section, entry, std::to_string(value));
}

bool SettingsStore::WriteProfileString(const std::string& section, const std::string& entry,
                                       const std::string& value) {
  std::optional<std::string> text = ReadWholeFile(fs_, path_);
  if (!text) return false;
  IniDocument document(std::move(*text));
  if (!document.Set(section, entry, value)) return false;
  if (!EnsureFolder(fs_, ParentFolder(path_))) return false;
  return fs_.WriteFileAtomic(path_, document.Text());
}

std::string DefaultSettingsPath() {
  return platform::UserConfigFolder() + kSeparator + "Varokin.INI";
}

}  // namespace varokin::app
