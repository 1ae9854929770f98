#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "engine/context.h"
#include "settings/settings_store.h"
#include "support/expect_prompts.h"
#include "support/faulty_file_system.h"
#include "support/ta_folder.h"

namespace varokin::engine_tests {

// The engine's context on a temporary TA folder. The settings file lies beside the TA folder, so
// that an inventory of the folder shows only what the engine moved.
class EngineTest : public ::testing::Test {
 protected:
  ~EngineTest() override { std::filesystem::remove(settingsPath); }

  void ExpectMessage(const std::string& text) { prompts.Expect(text, Answer::kOk, Buttons::kOk); }
  // Makes the subfolder TA the TA folder, beside a file outside it, so that a name leading out of
  // the TA folder reaches a real file.
  void WorkInSubfolder() {
    ta.Text("outside.txt", "precious");
    ta.Folder("TA");
    ASSERT_TRUE(fs.SetCurrentDir(ta.Host("TA").string()));
  }

  fixtures::TaFolder ta;
  // The host's disk; a test makes a file unreadable with FailPath and Arm(0), the one failure
  // that even an administrator's test run can count on.
  fixtures::FaultyFileSystem fs{platform::CreateHostFileSystem()};
  fixtures::ExpectPrompts prompts;
  std::filesystem::path settingsPath = ta.Root().string() + ".INI";
  settings::SettingsStore settings{fs, settingsPath.string()};
  engine::StartupState startup;
  engine::ModState state;
  engine::Relocator relocator{fs, prompts, startup};
  engine::PackMembership packs;
  engine::Context ctx{fs, prompts, settings, startup, state, relocator, packs};
};

// The game's files and a fresh engine around them.
class Switching : public EngineTest {
 protected:
  Switching() {
    ta.Game();
    startup.warnModifiedFiles = true;
    state.tcTags = state.baseGameTag;
  }

  int Pool(const std::string& fileName) { return state.modNamePool.Add(fileName); }
  std::string Setting(const std::string& section, const std::string& entry) {
    return settings.GetProfileString(section, entry, "<absent>");
  }
  // The start-up check's report: "the TC", "the AI" or "the mutator", then the advice that ends it.
  void ExpectReport(const std::string& what, const std::string& name, const std::string& problems,
                    const std::string& advice) {
    ExpectMessage("The last time Varokin was used it was using " + what + " \"" + name +
                  "\"; however, the following problems were encountered when trying to validate "
                  "it's presence:\n\n" +
                  problems + "\nSince Varokin " + advice + "\n\n  ");
  }
};

}  // namespace varokin::engine_tests
