#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "support/faulty_file_system.h"
#include "support/main_window_fixture.h"

namespace varokin::fixtures {

// One run of the main window on its own populated TA folder, its file system failing on demand.
class FaultRun : public MainWindowTest {
 public:
  FaultRun() {
    auto faulty = std::make_unique<FaultyFileSystem>(std::move(fs));
    faults = faulty.get();
    fs = std::move(faulty);
    faults->mark = [this] { return prompts.Messages().size(); };
    // Which messages come depends on where the fault is; each is recorded and answered.
    prompts.onUnexpected = [](const std::string&) {};
    ta.Game();
    ta.Tc("Ash", "Ashen", "a", "ASH",
          {{"AshMain.hpi", "totala1.hpi"},
           {"AshUnits.hpi", "ashunits.hpi"},
           {"AshMaps.ufo", "ashmaps.ufo"}});
    // A second TC over the same base archive: a switch between the two gives the game's file
    // back and takes it away again.
    ta.Tc("Bolt", "Bolt", "b", "BOLT",
          {{"BoltMain.hpi", "totala1.hpi"}, {"BoltUnits.hpi", "boltunits.hpi"}});
    ta.Ai("Brain", "Big Brain", "b", "*", {{"brain.dat"}, {"brainai", true}});
    ta.Mutator("Fast", "Fast units", "f", "*", 2);
    ta.Ufo("On", UfoPlace::kEnabled);
    ta.Ufo("Off", UfoPlace::kKept);
    ta.Ufo("Spare", UfoPlace::kKept);
    ta.Pack("Both.pac", "Both", "two", {"Off", "Spare"});
  }
  ~FaultRun() override {
    if (canary) std::filesystem::remove_all(*canary);
  }
  void TestBody() override {}

  // What players' archives leave in a TA folder: a folder in Varokin that is a link out of the
  // TA folder (to a canary folder that nothing may touch), with a TC whose pairs go through it;
  // FIFOs among the files the program reads; names that differ from a payload's only by case.
  void SeedHazards() {
#ifndef _WIN32
    canary = FreshFolder();
    std::filesystem::create_directories(*canary / "autostart");
    std::ofstream(*canary / "keep.hpi", std::ios::binary) << "outside";
    std::filesystem::create_directory_symlink(*canary, ta.Host("Varokin\\Lnk"));
    ta.Tc("Out", "Outward", "o", "*",
          {{"Lnk\\keep.hpi", "keep.hpi"}, {"Evil.hpi", "Varokin\\Lnk\\autostart\\evil.desktop"}});
    for (const std::string& name : HazardFiles()) {
      if (name.find("Fifo") != name.npos || name.find(".txt") != name.npos) {
        ASSERT_EQ(mkfifo(ta.Host(name).c_str(), 0644), 0) << name;
      }
    }
    ta.Text("Varokin\\UfoManager\\SPARE.UFO", "twin");
#endif
  }
  // The files seeded as hazards that the program reads: a failure to open one of them changes
  // nothing, since it cannot be read anyway.
  static const std::vector<std::string>& HazardFiles() {
    static const std::vector<std::string> files = {
        "Varokin\\][Fifo.tc",           "Varokin\\^^Fifo.ai",
        "Varokin\\}{Fifo.vkn",          "Varokin\\UfoManager\\Fifo.pac",
        "Varokin\\UfoManager\\Off.txt", "Varokin\\][Out.tc"};
    return files;
  }

  using MainWindowTest::Dlg;
  using MainWindowTest::fs;
  using MainWindowTest::prompts;
  using MainWindowTest::Restart;
  using MainWindowTest::Setting;
  using MainWindowTest::settings;
  using MainWindowTest::Start;
  using MainWindowTest::startup;
  using MainWindowTest::Stop;
  using MainWindowTest::ta;
  using MainWindowTest::Window;

  void ClickRow(int listId, const std::string& text) {
    Click(listId, RowOf(*Window().List(listId), text));
  }
  // Answers Yes where a question offers it (or safest when yes is false), OK elsewhere.
  void Script(const std::vector<ScriptedPrompts::Shown>& messages, bool yes) {
    for (const auto& shown : messages) {
      const bool question = shown.buttons == Buttons::kYesNo;
      prompts.Expect(shown.text, question && yes ? Answer::kYes : shown.answer, shown.buttons);
    }
  }
  // Uses up the scripted answers the run did not ask for, so that an abandoned run passes.
  void Drain(const std::vector<ScriptedPrompts::Shown>& script) {
    const std::size_t pending = prompts.PendingTexts().size();
    for (std::size_t i = script.size() - std::min(pending, script.size()); i < script.size(); ++i) {
      prompts.Message(script[i].text, script[i].buttons, script[i].icon);
    }
  }

  FaultyFileSystem* faults = nullptr;
  std::optional<std::filesystem::path> canary;
  std::optional<bool> compiled;  // what the monolithic compilation returned
};

// The user at the next start: answers the repair's question, and OK to anything else.
class RepairAnswers : public Prompts {
 public:
  explicit RepairAnswers(Answer answer) : answer_(answer) {}
  Answer Message(const std::string& text, Buttons buttons, Icon) override {
    shown.push_back(text);
    if (buttons == Buttons::kFinishUndoLeave) ++questions;
    return buttons == Buttons::kFinishUndoLeave ? answer_ : Answer::kOk;
  }
  std::optional<std::string> OpenFile(const FileDialogRequest&) override { return std::nullopt; }
  std::optional<std::string> SaveFile(const FileDialogRequest&) override { return std::nullopt; }
  std::vector<std::string> shown;
  int questions = 0;

 private:
  Answer answer_;
};

}  // namespace varokin::fixtures
