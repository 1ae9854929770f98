#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "app/settings_store.h"
#include "engine/context.h"
#include "install/recording_processes.h"
#include "support/expect_prompts.h"
#include "support/faulty_file_system.h"
#include "support/ta_folder.h"

namespace varokin::install_tests {

// The engine's context on a temporary TA folder, with the settings file beside the folder, and
// outside programs that only record what they are asked to run.
class InstallTest : public ::testing::Test {
 protected:
  ~InstallTest() override { std::filesystem::remove(settingsPath); }

  fixtures::TaFolder ta;
  // The host's disk; a test makes a file unreadable with FailPath and Arm(0), the one failure
  // that even an administrator's test run can count on.
  fixtures::FaultyFileSystem fs{platform::CreateHostFileSystem()};
  fixtures::ExpectPrompts prompts;
  std::filesystem::path settingsPath = ta.Root().string() + ".INI";
  app::SettingsStore settings{fs, settingsPath.string()};
  app::StartupState startup;
  engine::ModState state;
  engine::Relocator relocator{fs, prompts, startup};
  engine::PackMembership packs;
  engine::Context ctx{fs, prompts, settings, startup, state, relocator, packs};
  RecordingProcesses processes;
};

}  // namespace varokin::install_tests
