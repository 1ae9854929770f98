#pragma once

#include "engine/mod_state.h"
#include "engine/pack_membership.h"
#include "engine/prompts.h"
#include "engine/relocation.h"
#include "engine/startup_state.h"
#include "platform/file_system.h"
#include "platform/processes.h"
#include "settings/settings_store.h"

namespace varokin::engine {

// Everything a switching operation works with. The application object owns the parts and hands
// this bundle down by reference.
struct Context {
  platform::FileSystem& fs;
  Prompts& prompts;
  settings::SettingsStore& settings;
  engine::StartupState& startup;
  ModState& state;
  Relocator& relocator;
  PackMembership& packMembership;
};

// True, once said, while the game or another program of the TA folder runs: it holds the files
// (Windows) or would read them half switched (Wine), so an operation that moves files must not
// start. Never true without processes to ask.
bool RefuseWhileGameRuns(Context& ctx, platform::Processes* processes);

}  // namespace varokin::engine
