#pragma once

#include "engine/prompts.h"
#include "platform/file_system.h"
#include "platform/registry.h"

namespace varokin::install {

// Offers to register Varokin.exe of the TA folder with the ICQ user who last used ICQ here, as
// an external application that hosts ("-host") or joins ("-join:%i") a game. Silent when there
// is no Varokin.exe, no ICQ, or the registration is already there.
void RegisterWithIcq(platform::FileSystem& fs, Prompts& prompts, platform::Registry& registry);

}  // namespace varokin::install
