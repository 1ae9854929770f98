#pragma once

#include "engine/prompts.h"
#include "engine/startup_state.h"
#include "platform/file_system.h"
#include "settings/settings_store.h"

namespace varokin::engine {

// Start-up's look for an operation cut short: a journal left in the TA folder. The user is told
// what was being done and how far it got, and chooses to finish it, undo it, or leave the files
// as they are (the installation's check then lists what is out of place). A journal that cannot
// be read, or that names anything outside the TA folder, is reported and never acted on.
void RepairInterrupted(platform::FileSystem& fs, Prompts& prompts,
                       settings::SettingsStore& settings, const StartupState& startup);

}  // namespace varokin::engine
