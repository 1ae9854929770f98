#pragma once

#include <string>

#include "platform/file_system.h"

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

namespace varokin::app {

// The settings file, Varokin.INI: named sections of entry=value lines. Section and entry names
// are matched without regard to case. Every call reads or updates the file on disk (there is no
// cache), and every update replaces the whole file atomically, keeping every line it did not
// change exactly as it was.
class SettingsStore {
 public:
  SettingsStore(platform::FileSystem& fs, std::string path);

  // The stored integer (its leading decimal digits; text without them reads 0), or def.
  int GetProfileInt(const std::string& section, const std::string& entry, int def);
  // The stored text, or def when the entry is missing.
  std::string GetProfileString(const std::string& section, const std::string& entry,
                               const std::string& def = "");
  bool WriteProfileInt(const std::string& section, const std::string& entry, int value);
  bool WriteProfileString(const std::string& section, const std::string& entry,
                          const std::string& value);

  const std::string& Path() const { return path_; }

 private:
  platform::FileSystem& fs_;
  std::string path_;
};

// Varokin.INI in the per-user configuration folder.
std::string DefaultSettingsPath();

}  // namespace varokin::app
