#pragma once

#include <string>

namespace varokin::platform {

// The per-user configuration folder of the program: %APPDATA%\Varokin on Windows,
// $XDG_CONFIG_HOME/varokin (default ~/.config/varokin) elsewhere. Not created here.
std::string UserConfigFolder();

}  // namespace varokin::platform
