#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "platform/user_folders.h"

namespace varokin::platform {

std::string UserConfigFolder() {
  // The base directory rules ask to ignore a relative XDG_CONFIG_HOME.
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config != nullptr && config[0] == '/') return std::string(config) + "/varokin";
  const char* home = std::getenv("HOME");
  if (home == nullptr || home[0] == '\0') {
    const passwd* user = getpwuid(getuid());
    home = user != nullptr ? user->pw_dir : "";
  }
  return std::string(home) + "/.config/varokin";
}

std::string UserConfigFile(const std::string& name) { return UserConfigFolder() + "/" + name; }

}  // namespace varokin::platform
