#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "app/settings_store.h"
#include "engine/context.h"
#include "support/expect_prompts.h"
#include "support/ta_folder.h"
#include "ui/headless/headless_controls.h"

namespace varokin::engine_tests {

// A TA folder with the game's files and a fresh engine around it. The settings file lies beside
// the TA folder, so that an inventory of the folder shows only what a switch moved.
class Switching : public ::testing::Test {
 protected:
  Switching() {
    ta.Game();
    startup.warnModifiedFiles = true;
    state.tcTags = state.baseGameTag;
  }
  ~Switching() override { std::filesystem::remove(settingsPath); }

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
  void ExpectMessage(const std::string& text) {
    prompts.Expect(text, ui::Answer::kOk, ui::Buttons::kOk);
  }

  fixtures::TaFolder ta;
  std::unique_ptr<platform::FileSystem> fs = platform::CreateHostFileSystem();
  fixtures::ExpectPrompts prompts;
  std::filesystem::path settingsPath = ta.Root().string() + ".INI";
  app::SettingsStore settings{*fs, settingsPath.string()};
  app::StartupState startup;
  engine::ModState state;
  engine::Relocator relocator{*fs, prompts, startup};
  engine::PackMembership packs;
  engine::Context ctx{*fs, prompts, settings, startup, state, relocator, packs};
  ui::headless::HeadlessText pane{1006};
};

}  // namespace varokin::engine_tests
