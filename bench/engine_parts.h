#pragma once
// The engine's parts on the host's files, with scripted answers for the user: what the benchmarks
// of a switch start from.
#include <memory>
#include <string>

#include "engine/context.h"
#include "platform/file_system.h"
#include "settings/settings_store.h"
#include "support/scripted_prompts.h"

struct EngineParts {
  explicit EngineParts(const std::string& settingsFile)
      : settings(*files, settingsFile),
        relocator(*files, prompts, startup),
        ctx{*files, prompts, settings, startup, state, relocator, packs} {}

  std::unique_ptr<varokin::platform::FileSystem> files = varokin::platform::CreateHostFileSystem();
  varokin::settings::SettingsStore settings;
  varokin::fixtures::ScriptedPrompts prompts;
  varokin::engine::StartupState startup;
  varokin::engine::ModState state;
  varokin::engine::PackMembership packs;
  varokin::engine::Relocator relocator;
  varokin::engine::Context ctx;
};
