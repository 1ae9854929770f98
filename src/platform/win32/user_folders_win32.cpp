#include <windows.h>

#include <string>

#include "platform/user_folders.h"

namespace varokin::platform {

namespace {

std::string Environment(const char* name) {
  char value[MAX_PATH * 2];
  const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
  return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

}  // namespace

std::string UserConfigFolder() {
  std::string base = Environment("APPDATA");
  // Only a stripped-down environment lacks APPDATA; the profile holds the same folder.
  if (base.empty()) base = Environment("USERPROFILE") + "\\AppData\\Roaming";
  return base + "\\Varokin";
}

std::string UserConfigFile(const std::string& name) { return UserConfigFolder() + "\\" + name; }

}  // namespace varokin::platform
