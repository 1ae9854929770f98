#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "settings/ini_document.h"
#include "settings/settings_table.h"

// <windows.h> maps these names to its own profile functions; ours are plain members.
#ifdef GetProfileInt
#undef GetProfileInt
#endif
#ifdef GetProfileString
#undef GetProfileString
#endif
#ifdef WriteProfileString
#undef WriteProfileString
#endif

namespace varokin::settings {

// The settings file, Varokin.INI: named sections of entry=value lines. Section and entry names
// are matched without regard to case. Every call sees the file as it is on disk now, also when
// another program changed it: the text last read is used again only while the file's identity,
// size and modification time are unchanged. Every update replaces the whole file atomically,
// keeping every line it did not change exactly as it was. Only a regular file is read, and one
// over kMaxBytes is taken as damaged: it reads as defaults and is never written.
class SettingsStore {
 public:
  static constexpr std::uint64_t kMaxBytes = 1024 * 1024;

  SettingsStore(platform::FileSystem& fs, std::string path);

  // The stored integer (its leading decimal digits; text without them reads 0), or def.
  int GetProfileInt(const std::string& section, const std::string& entry, int def);
  // The stored text, or def when the entry is missing.
  std::string GetProfileString(const std::string& section, const std::string& entry,
                               const std::string& def = "");
  bool WriteProfileInt(const std::string& section, const std::string& entry, int value);
  bool WriteProfileString(const std::string& section, const std::string& entry,
                          const std::string& value);

  // The entries of settings_table.h, read and written as the type the table gives them.
  int Get(const IntSetting& setting);
  std::string Get(const TextSetting& setting);
  bool Write(const IntSetting& setting, int value);
  bool Write(const TextSetting& setting, const std::string& value);
  // Several at once, from one look at the file: a Get of each, without asking the disk each time.
  std::vector<std::string> Get(const std::vector<TextSetting>& settings);

  // True when the file is there but too large to be ours.
  bool IsDamaged();

  // When this store's file does not exist yet, copies the file at `from` (a settings file of
  // older versions) into its place, so that nothing set there is lost; `from` stays as it is.
  // True when it copied.
  bool TakeOver(const std::string& from);

  const std::string& Path() const { return path_; }

 private:
  // The file as it is now (empty when missing); nothing when it cannot be read or is damaged.
  IniDocument* Current();
  std::optional<std::string> Lookup(const std::string& section, const std::string& entry);

  platform::FileSystem& fs_;
  std::string path_;
  IniDocument document_{std::string()};
  // The stamp of the file document_ was read from, when it may be trusted to tell a change.
  std::optional<platform::FileSystem::FileStamp> stamp_;
  bool damaged_ = false;
};

// The settings file of a TA folder, beside TotalA.exe: every copy of the program working on
// the folder, native or under Wine, shares it.
inline constexpr char kSettingsFileName[] = "Varokin.INI";

// Makes the folders that lead to path as needed; false when one could not be made.
bool EnsureFolderOf(platform::FileSystem& fs, const std::string& path);

// Varokin.INI in the per-user configuration folder, where older versions kept the settings.
std::string UserSettingsPath();

}  // namespace varokin::settings
