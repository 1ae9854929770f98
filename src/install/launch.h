#pragma once

#include <string>

#include "engine/context.h"
#include "platform/instances.h"
#include "platform/processes.h"

namespace varokin::install {

// Starts TAHook when asked for, then the game, or the active TC's own executable, with
// gameArguments in the TA folder. True when the game was started and the program should end;
// false when the user cancelled or the start failed (the user has been told).
bool LaunchGame(engine::Context& ctx, platform::Processes& processes,
                platform::InstanceRegistry* instances);

}  // namespace varokin::install
