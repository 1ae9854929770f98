#pragma once

#include <string>

namespace varokin::platform {

// The per-user configuration folder of the program: %APPDATA%\Varokin on Windows,
// $XDG_CONFIG_HOME/varokin (default ~/.config/varokin) elsewhere. Not created here.
std::string UserConfigFolder();
// A file of that name in the per-user configuration folder.
std::string UserConfigFile(const std::string& name);

}  // namespace varokin::platform
