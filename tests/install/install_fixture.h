#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <set>
#include <string>

#include "app/settings_store.h"
#include "engine/context.h"
#include "install/recording_processes.h"
#include "support/expect_prompts.h"
#include "support/ta_folder.h"

namespace varokin::install_tests {

// The host's disk, except that the files named in `unreadable` cannot be opened: the one failure
// that even an administrator's test run can count on.
class UnreadableFiles : public platform::FileSystem {
 public:
  explicit UnreadableFiles(platform::FileSystem& host) : host_(host) {}
  std::set<std::string> unreadable;

  std::vector<std::string> Find(const std::string& p) override { return host_.Find(p); }
  bool Exists(const std::string& p) override { return host_.Exists(p); }
  bool IsFolder(const std::string& p) override { return host_.IsFolder(p); }
  std::optional<std::uint64_t> Size(const std::string& p) override { return host_.Size(p); }
  bool Rename(const std::string& f, const std::string& t) override { return host_.Rename(f, t); }
  bool CreateFolder(const std::string& p) override { return host_.CreateFolder(p); }
  bool RemoveFolder(const std::string& p) override { return host_.RemoveFolder(p); }
  bool RemoveFile(const std::string& p) override { return host_.RemoveFile(p); }
  std::optional<std::string> ReadAt(const std::string& p, std::uint64_t o, std::size_t c) override {
    if (unreadable.count(p)) return std::nullopt;
    return host_.ReadAt(p, o, c);
  }
  std::unique_ptr<platform::InputFile> OpenRead(const std::string& p) override {
    if (unreadable.count(p)) return nullptr;
    return host_.OpenRead(p);
  }
  bool WriteFileAtomic(const std::string& p, const std::string& c) override {
    return host_.WriteFileAtomic(p, c);
  }
  bool SetCurrentDir(const std::string& p) override { return host_.SetCurrentDir(p); }
  std::string CurrentDir() override { return host_.CurrentDir(); }
  std::string HostPath(const std::string& p) override { return host_.HostPath(p); }

 private:
  platform::FileSystem& host_;
};

// The engine's context on a temporary TA folder, with the settings file beside the folder, and
// outside programs that only record what they are asked to run.
class InstallTest : public ::testing::Test {
 protected:
  ~InstallTest() override { std::filesystem::remove(settingsPath); }

  fixtures::TaFolder ta;
  std::unique_ptr<platform::FileSystem> host = platform::CreateHostFileSystem();
  UnreadableFiles fs{*host};
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
