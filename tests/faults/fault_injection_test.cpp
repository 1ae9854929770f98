// Every operation that moves files, failed at each of its file system calls in turn: no file is
// lost, duplicated or moved out of the TA folder, and the settings name only what is in place
// unless the next start reports the difference.
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "support/faulty_file_system.h"
#include "support/main_window_fixture.h"

namespace varokin::fixtures {
namespace {

using ui::Answer;
using ui::Buttons;

// What a mod puts in the TA folder when it is active.
struct Placed {
  std::string section;
  std::string entry;
  std::string fileName;
  std::vector<std::string> installed;
};

const std::vector<Placed> kMods = {
    {"Previous Settings", "TC", "][Ash.tc", {"totala1.hpi", "ashunits.hpi", "ashmaps.ufo"}},
    {"Previous Settings", "AI", "^^Brain.ai", {"brain.dat", "brainai"}},
    {"Active Mutators",
     "Mutator 0",
     "}{Fast.vkn",
     {"}{Fast.ccx", "}{Fast(1).ccx", "}{Fast(2).ccx"}},
};

// One run of the main window on its own populated TA folder, its file system failing on demand.
class FaultRun : public MainWindowTest {
 public:
  FaultRun() {
    auto faulty = std::make_unique<FaultyFileSystem>(std::move(fs));
    faults = faulty.get();
    fs = std::move(faulty);
    // Which messages come depends on where the fault is; each is recorded and answered.
    prompts.onUnexpected = [](const std::string&) {};
    ta.Game();
    ta.Tc("Ash", "Ashen", "a", "ASH",
          {{"AshMain.hpi", "totala1.hpi"},
           {"AshUnits.hpi", "ashunits.hpi"},
           {"AshMaps.ufo", "ashmaps.ufo"}});
    ta.Ai("Brain", "Big Brain", "b", "*", {{"brain.dat"}, {"brainai", true}});
    ta.Mutator("Fast", "Fast units", "f", "*", 2);
    ta.Ufo("On", UfoPlace::kEnabled);
    ta.Ufo("Off", UfoPlace::kKept);
    ta.Ufo("Spare", UfoPlace::kKept);
    ta.Pack("Both.pac", "Both", "two", {"Off", "Spare"});
  }
  void TestBody() override {}

  using MainWindowTest::Dlg;
  using MainWindowTest::prompts;
  using MainWindowTest::Restart;
  using MainWindowTest::Setting;
  using MainWindowTest::Start;
  using MainWindowTest::ta;
  using MainWindowTest::Window;

  void ClickRow(int listId, const std::string& text) {
    Click(listId, RowOf(*Window().List(listId), text));
  }
  // Answers Yes where a question offers it (or safest when yes is false), OK elsewhere.
  void Script(const std::vector<ui::headless::ScriptedPrompts::Shown>& messages, bool yes) {
    for (const auto& shown : messages) {
      const bool question = shown.buttons == Buttons::kYesNo;
      prompts.Expect(shown.text, question && yes ? Answer::kYes : shown.answer, shown.buttons);
    }
  }
  // Uses up the scripted answers the run did not ask for, so that an abandoned run passes.
  void Drain(const std::vector<ui::headless::ScriptedPrompts::Shown>& script) {
    const std::size_t pending = prompts.PendingTexts().size();
    for (std::size_t i = script.size() - std::min(pending, script.size()); i < script.size(); ++i) {
      prompts.Message(script[i].text, script[i].buttons, script[i].icon);
    }
  }

  FaultyFileSystem* faults = nullptr;
};

// The game's own archive is always there; the TC's replacement is told apart by its size.
bool Installed(FaultRun& run, const std::string& name) {
  if (name == "totala1.hpi") {
    return run.ta.SizeOf(name) != static_cast<std::int64_t>(engine::kTotala1HpiSize);
  }
  return run.ta.Exists(name);
}

struct Operation {
  std::string name;
  std::function<void(FaultRun&)> before;  // after the start, unfailed
  std::function<void(FaultRun&)> act;
  bool yes = false;  // answer Yes to every question instead of No
  // A No to "give up?" forces the defaults: what could not be moved is forgotten on purpose, after
  // the user was warned.
  bool forgetsOnPurpose = false;
  // A file read only for the description pane: failing to read it leaves the pane blank.
  std::string paneOnly = {};
};

std::filesystem::path SnapshotFile(FaultRun& run) {
  return run.ta.Root() / "Varokin" / "Snapshots" / "all.tas";
}

void WriteSnapshot(FaultRun& run) {
  std::ofstream(SnapshotFile(run), std::ios::binary)
      << "TC:][Ash.tc\r\nMUTATORS:\r\n}{Fast.vkn\r\nAI:^^Brain.ai\r\nUFOs:\r\nOff.ufo\r\n";
}

void RestoreSnapshot(FaultRun& run) {
  run.prompts.ExpectFileDialog(SnapshotFile(run).string());
  run.Dlg().OnRestoreSnapshot();
}

void LoadAll(FaultRun& run) {
  run.ClickRow(ui::kIdTcList, "Ashen");
  run.ClickRow(ui::kIdAiList, "Big Brain");
  run.ClickRow(ui::kIdMutatorList, "Fast units");
}

const std::vector<Operation>& Operations() {
  static const std::vector<Operation> operations = {
      {"tc-load", {}, [](FaultRun& r) { r.ClickRow(ui::kIdTcList, "Ashen"); }},
      {"tc-unload", [](FaultRun& r) { r.ClickRow(ui::kIdTcList, "Ashen"); },
       [](FaultRun& r) { r.ClickRow(ui::kIdTcList, "*Original TA*"); }},
      {"ai-load", {}, [](FaultRun& r) { r.ClickRow(ui::kIdAiList, "Big Brain"); }},
      {"ai-unload", [](FaultRun& r) { r.ClickRow(ui::kIdAiList, "Big Brain"); },
       [](FaultRun& r) { r.ClickRow(ui::kIdAiList, "*Default AI*"); }},
      {"mutator-load", {}, [](FaultRun& r) { r.ClickRow(ui::kIdMutatorList, "Fast units"); }},
      {"mutator-unload", [](FaultRun& r) { r.ClickRow(ui::kIdMutatorList, "Fast units"); },
       [](FaultRun& r) { r.ClickRow(ui::kIdMutatorList, "Fast units"); }},
      {"choose-random-ai", [](FaultRun& r) { r.Window().allowDefaultAi.SetChecked(false); },
       [](FaultRun& r) { r.Dlg().OnChooseRandomAi(); }},
      {"disable-all-no", LoadAll, [](FaultRun& r) { r.Dlg().OnDisableAll(); }, false, true},
      {"disable-all-yes", LoadAll, [](FaultRun& r) { r.Dlg().OnDisableAll(); }, true},
      {"ufo-enable", {}, [](FaultRun& r) { r.ClickRow(ui::kIdUfoList, "Off"); }},
      {"ufo-disable", {}, [](FaultRun& r) { r.ClickRow(ui::kIdUfoList, "On"); }},
      {"pack-enable",
       {},
       [](FaultRun& r) { r.ClickRow(ui::kIdPackList, "Both"); },
       false,
       false,
       "Both.pac"},
      {"pack-disable", [](FaultRun& r) { r.ClickRow(ui::kIdPackList, "Both"); },
       [](FaultRun& r) { r.ClickRow(ui::kIdPackList, "Both"); }, false, false, "Both.pac"},
      {"snapshot-restore", WriteSnapshot, RestoreSnapshot},
  };
  return operations;
}

struct Outcome {
  std::size_t calls = 0;
  std::size_t yesAnswers = 0;
};

// Runs the operation failing the k-th counted call (0: none) and every call on path, and checks
// what is left.
Outcome RunOnce(const Operation& op, std::size_t k, std::optional<std::string> path = {}) {
  std::vector<ui::headless::ScriptedPrompts::Shown> script;
  // A Yes can bring questions a No does not, so the answers settle over a few runs.
  for (int attempt = 0;; ++attempt) {
    FaultRun run;
    run.Start();
    if (op.before) op.before(run);
    const FileInventory before = run.ta.Inventory();
    const std::size_t shownBefore = run.prompts.Messages().size();
    run.Script(script, op.yes);
    run.faults->FailPath(path);
    run.faults->Arm(k);
    op.act(run);
    run.faults->Disarm();
    const std::vector<ui::headless::ScriptedPrompts::Shown> shown(
        run.prompts.Messages().begin() + static_cast<std::ptrdiff_t>(shownBefore),
        run.prompts.Messages().end());
    const bool settled = run.prompts.Pending() == 0 && shown.size() == script.size();
    run.Drain(script);
    if (op.yes && !settled && attempt < 4) {
      script = shown;
      continue;
    }

    const std::string where = op.name + " failing call " + std::to_string(k) +
                              (path ? " and every call on " + *path : "");
    const std::string& failure = run.faults->LastFailure();
    if (run.faults->Failed() > 0 &&
        (op.paneOnly.empty() || failure.find(op.paneOnly) == failure.npos)) {
      EXPECT_FALSE(shown.empty()) << where << ": the failure on " << failure
                                  << " was never reported";
    }
    const FileInventory after = run.ta.Inventory();
    EXPECT_EQ(FileContents(after), FileContents(before)) << where;

    // The settings must name exactly what is in place; any other state is the next start's to
    // report.
    bool consistent = true;
    std::string state;
    for (const Placed& mod : kMods) {
      std::size_t present = 0;
      for (const std::string& name : mod.installed) present += Installed(run, name) ? 1 : 0;
      const std::string named = run.Setting(mod.section, mod.entry);
      const bool active = named == mod.fileName;
      state += " " + mod.fileName + ": " + std::to_string(present) + " in place, setting \"" +
               named + "\";";
      if (active ? present != mod.installed.size() : present != 0) consistent = false;
    }
    if (!consistent && !op.forgetsOnPurpose) {
      const std::size_t shownBeforeRestart = run.prompts.Messages().size();
      run.Restart();
      EXPECT_GT(run.prompts.Messages().size(), shownBeforeRestart)
          << where << ": settings and files disagree and the next start says nothing:" << state;
    }
    Outcome outcome{run.faults->Calls(), 0};
    for (const auto& message : shown) outcome.yesAnswers += message.answer == Answer::kYes ? 1 : 0;
    return outcome;
  }
}

TEST(FaultInjection, NoSwitchLosesOrDuplicatesAFileWhereverItFails) {
  for (const Operation& op : Operations()) {
    const std::size_t calls = RunOnce(op, 0).calls;
    EXPECT_GT(calls, 0u) << op.name;
    std::size_t yesAnswers = 0;
    for (std::size_t k = 1; k <= calls; ++k) yesAnswers += RunOnce(op, k).yesAnswers;
    if (op.yes) {
      EXPECT_GT(yesAnswers, 0u) << op.name << " never answered a question";
    }
    std::cout << "faults: " << op.name << " " << calls << " positions\n";
  }
}

TEST(FaultInjection, AGameArchiveThatCannotBeMovedCostsNoFile) {
  for (const Operation& op : Operations()) {
    if (op.name.rfind("tc-", 0) == 0) RunOnce(op, 0, "totala1.hpi");
  }
}

}  // namespace
}  // namespace varokin::fixtures
