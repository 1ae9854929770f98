// Every operation that moves files, failed or killed at each of its file system calls in turn: no
// file is lost, duplicated or moved out of the TA folder, each failure is reported once before
// anything is asked, and the settings name only what is in place unless the next start reports
// the difference.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "engine/journal.h"
#include "engine/journal_repair.h"
#include "install/installation.h"
#include "platform/text.h"
#include "support/faults/fault_run.h"
#include "support/install/recording_processes.h"

namespace varokin::fixtures {
namespace {

using Shown = fixtures::ScriptedPrompts::Shown;
using Failure = FaultyFileSystem::Failure;

// What a mod puts in the TA folder when it is active.
struct Placed {
  std::string section;
  std::string entry;
  std::string fileName;
  std::vector<std::string> installed;
};

const std::vector<Placed> kMods = {
    {"Previous Settings", "TC", "][Ash.tc", {"totala1.hpi", "ashunits.hpi", "ashmaps.ufo"}},
    {"Previous Settings", "TC", "][Bolt.tc", {"totala1.hpi", "boltunits.hpi"}},
    {"Previous Settings", "AI", "^^Brain.ai", {"brain.dat", "brainai"}},
    {"Active Mutators",
     "Mutator 0",
     "}{Fast.vkn",
     {"}{Fast.ccx", "}{Fast(1).ccx", "}{Fast(2).ccx"}},
};

// The game's own archive is always there; a TC's replacement is told apart by its size, and one
// TC's from another's by what it holds.
bool Installed(FaultRun& run, const std::string& tcFile, const std::string& name) {
  if (name == "totala1.hpi") {
    const std::string tc = tcFile.substr(2, tcFile.size() - 5);  // "][Ash.tc" -> "Ash"
    return run.ta.SizeOf(name) != static_cast<std::int64_t>(engine::kTotala1HpiSize) &&
           run.ta.Read(name).rfind("TC " + tc + ":", 0) == 0;
  }
  return run.ta.Exists(name);
}

std::string Listing(const std::vector<Shown>& shown) {
  std::string text;
  for (const Shown& message : shown) {
    text += std::string("\n  [") + ButtonsName(message.buttons) + "] " + message.text;
  }
  return text;
}

// How many messages hold this text.
std::ptrdiff_t Mentions(const std::vector<Shown>& shown, const std::string& text) {
  return std::count_if(shown.begin(), shown.end(), [&](const Shown& message) {
    return message.text.find(text) != message.text.npos;
  });
}

std::string Describe(const Failure& failure) {
  return failure.other.empty() ? failure.path : failure.path + " -> " + failure.other;
}

// The file and folder names of a path, but not the program's own folder, which many messages
// name anyway.
std::vector<std::string> PartsOf(const std::string& path) {
  std::vector<std::string> parts;
  for (const std::string& part : platform::SplitAtBlanks(platform::LowerCase(path), "\\/")) {
    if (part != "varokin") parts.push_back(part);
  }
  return parts;
}

// A message names a failure when it names a part of its path and, for a rename, a part of the
// destination that the path lacks.
bool Names(const std::string& text, const Failure& failure) {
  const std::string message = platform::LowerCase(text);
  const auto namesOne = [&](const std::vector<std::string>& parts) {
    return parts.empty() || std::any_of(parts.begin(), parts.end(), [&](const std::string& part) {
             return message.find(part) != message.npos;
           });
  };
  const std::vector<std::string> from = PartsOf(failure.path);
  std::vector<std::string> to;
  for (const std::string& part : PartsOf(failure.other)) {
    if (std::find(from.begin(), from.end(), part) == from.end()) to.push_back(part);
  }
  return !from.empty() && namesOne(from) && namesOne(to);
}

// Each failure is reported by exactly one message between it and the next failure or the first
// question after it, and that message is never shown again.
void CheckReported(const std::vector<Shown>& shown, const std::vector<Failure>& failures,
                   const std::function<bool(const Failure&)>& quiet, const std::string& where) {
  for (std::size_t i = 0; i < failures.size(); ++i) {
    const Failure& failure = failures[i];
    if (quiet && quiet(failure)) continue;
    std::size_t end = shown.size();
    for (std::size_t j = i + 1; j < failures.size() && end == shown.size(); ++j) {
      if (failures[j].mark > failure.mark) end = failures[j].mark;
    }
    std::vector<std::string> reports;
    for (std::size_t m = failure.mark; m < end && shown[m].buttons == Buttons::kOk; ++m) {
      if (Names(shown[m].text, failure)) reports.push_back(shown[m].text);
    }
    EXPECT_EQ(reports.size(), 1u) << where << ": the failure on " << Describe(failure)
                                  << " is not reported exactly once before any question; shown:"
                                  << Listing(shown);
    if (reports.size() != 1) continue;
    EXPECT_EQ(Mentions(shown, reports[0]), 1) << where << ": reported again:" << Listing(shown);
  }
}

// The settings must name exactly what is in place; any other state is the next start's to
// report. A No to "give up?" forces the defaults: what could not be moved is forgotten on
// purpose, after the user was warned.
void CheckSettings(FaultRun& run, bool forgetsOnPurpose, const std::string& where) {
  bool consistent = true;
  std::string state;
  for (const Placed& mod : kMods) {
    std::size_t present = 0;
    for (const std::string& name : mod.installed)
      present += Installed(run, mod.fileName, name) ? 1 : 0;
    const std::string named = run.Setting(mod.section, mod.entry);
    const bool active = named == mod.fileName;
    state += " " + mod.fileName + ": " + std::to_string(present) + " in place, setting \"" + named +
             "\";";
    if (active ? present != mod.installed.size() : present != 0) consistent = false;
  }
  if (consistent || forgetsOnPurpose) return;
  const std::size_t shownBeforeRestart = run.prompts.Messages().size();
  run.Restart();
  EXPECT_GT(run.prompts.Messages().size(), shownBeforeRestart)
      << where << ": settings and files disagree and the next start says nothing:" << state;
}

// The monolithic compilation with outside tools that do their work on the disk: each run leaves a
// file in the work folder, and the packer leaves the packed archive.
constexpr std::uint64_t kPackedSize = 90000000;
const std::string kWorkFolder = "Varokin\\MonolithicTotala1";

void Compile(FaultRun& run) {
  engine::ModState state;
  engine::PackMembership packs;
  engine::Relocator relocator(*run.fs, run.prompts, run.startup);
  engine::Context ctx{*run.fs, run.prompts, *run.settings, run.startup, state, relocator, packs};
  install_tests::RecordingProcesses processes;
  processes.onCall = [&](const std::string& call) {
    if (call.rfind("wait", 0) == 0) run.ta.File("totala.hpi", kPackedSize);
    const std::string folder = kWorkFolder + "\\units" + std::to_string(processes.calls.size());
    run.ta.Folder(folder);
    run.ta.Text(folder + "\\armcom.fbi", "x");
  };
  run.compiled = install::CompileMonolithic(ctx, processes, [] { return 0; });
}

// What the compilation makes on purpose: the packed archive, the folder for the game's archives,
// and the tools' output while the work folder could not be deleted.
bool MadeByCompiling(const std::string& path, const InventoryEntry& entry) {
  return path.rfind(kWorkFolder, 0) == 0 || (entry.folder && path == "BackupOTAData") ||
         (!entry.folder && entry.size == kPackedSize &&
          (path == "totala.hpi" || path == "totala1.hpi"));
}

bool IsRemoval(const Failure& failure) { return failure.call == FaultyFileSystem::Call::kRemove; }

// The first read of a file that only fills the description pane or narrows a choice.
std::function<bool(const Failure&)> FirstReadOf(const std::string& path) {
  return [path](const Failure& failure) {
    return failure.call == FaultyFileSystem::Call::kOpen && failure.firstOnPath &&
           failure.path == path;
  };
}

// A removal that fails is tried another way; only the work folder left behind must be reported,
// and only that leaves the result true after a failure.
void CheckCompiled(FaultRun& run, const std::string& where) {
  const auto& failures = run.faults->Failures();
  EXPECT_EQ(run.compiled, std::all_of(failures.begin(), failures.end(), IsRemoval)) << where;
  const auto& shown = run.prompts.Messages();
  EXPECT_EQ(Mentions(shown, "delete the MonolithicTotala1"), run.ta.Exists(kWorkFolder) ? 1 : 0)
      << where << ":" << Listing(shown);
}

struct Operation {
  std::string name = {};
  std::function<void(FaultRun&)> before = {};  // after the start, unfailed
  std::function<void(FaultRun&)> act = {};
  bool yes = false;  // answer Yes to every question instead of No
  bool forgetsOnPurpose = false;
  // Failures the operation gets over without a word; any other must be reported.
  std::function<bool(const Failure&)> quiet = {};
  // Paths on which every call is also failed, in a run of their own.
  std::vector<std::string> failPaths = {};
  // Files the operation makes on purpose, left out of the comparison of contents.
  std::function<bool(const std::string&, const InventoryEntry&)> made = {};
  // What must hold afterwards besides the files and reports; CheckSettings when empty.
  std::function<void(FaultRun&, const std::string& where)> check = {};
  // One journal spans the whole operation: a kill leaves every file where it was or where the
  // operation puts it, or a journal whose undo and finish bring each file to one of those.
  bool oneJournal = false;
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

void LoadAllAndWriteSnapshot(FaultRun& run) {
  LoadAll(run);
  WriteSnapshot(run);
}

void PlaceTools(FaultRun& run) {
  run.ta.File("Varokin/HpiDump.exe", 69632);
  run.ta.File("Varokin/HpiPack.exe", 92160);
}

const std::vector<Operation>& Operations() {
  const auto click = [](int listId, const char* row) {
    return [listId, row](FaultRun& r) { r.ClickRow(listId, row); };
  };
  const auto disableAll = [](FaultRun& r) { r.Dlg().OnDisableAll(); };
  static const std::vector<Operation> operations = {
      {.name = "tc-load",
       .act = click(ui::kIdTcList, "Ashen"),
       .failPaths = {"totala1.hpi"},
       .oneJournal = true},
      {.name = "tc-unload",
       .before = click(ui::kIdTcList, "Ashen"),
       .act = click(ui::kIdTcList, "*Original TA*"),
       .failPaths = {"totala1.hpi"},
       .oneJournal = true},
      {.name = "tc-to-tc",
       .before = click(ui::kIdTcList, "Ashen"),
       .act = click(ui::kIdTcList, "Bolt"),
       .failPaths = {"totala1.hpi"},
       .oneJournal = true},
      {.name = "ai-load", .act = click(ui::kIdAiList, "Big Brain"), .oneJournal = true},
      {.name = "ai-unload",
       .before = click(ui::kIdAiList, "Big Brain"),
       .act = click(ui::kIdAiList, "*Default AI*"),
       .oneJournal = true},
      {.name = "mutator-load", .act = click(ui::kIdMutatorList, "Fast units"), .oneJournal = true},
      {.name = "mutator-unload",
       .before = click(ui::kIdMutatorList, "Fast units"),
       .act = click(ui::kIdMutatorList, "Fast units"),
       .oneJournal = true},
      // An AI file that cannot be read claims no compatibility and is left out of the choice.
      {.name = "choose-random-ai",
       .before = [](FaultRun& r) { r.Window().allowDefaultAi.SetChecked(false); },
       .act = [](FaultRun& r) { r.Dlg().OnChooseRandomAi(); },
       .quiet = FirstReadOf("Varokin\\^^Brain.ai"),
       .oneJournal = true},
      {.name = "disable-all-no",
       .before = LoadAll,
       .act = disableAll,
       .forgetsOnPurpose = true,
       .failPaths = {"totala1.hpi"}},
      {.name = "disable-all-yes",
       .before = LoadAll,
       .act = disableAll,
       .yes = true,
       .failPaths = {"totala1.hpi"}},
      {.name = "ufo-enable", .act = click(ui::kIdUfoList, "Off"), .oneJournal = true},
      {.name = "ufo-disable", .act = click(ui::kIdUfoList, "On"), .oneJournal = true},
      // The pack file is read only for the description pane.
      {.name = "pack-enable",
       .act = click(ui::kIdPackList, "Both"),
       .quiet = FirstReadOf("Varokin\\UfoManager\\Both.pac"),
       .oneJournal = true},
      {.name = "pack-disable",
       .before = click(ui::kIdPackList, "Both"),
       .act = click(ui::kIdPackList, "Both"),
       .quiet = FirstReadOf("Varokin\\UfoManager\\Both.pac"),
       .oneJournal = true},
      {.name = "snapshot-restore",
       .before = WriteSnapshot,
       .act = RestoreSnapshot,
       .failPaths = {"totala1.hpi"}},
      // Restoring first disables all, with its question.
      {.name = "snapshot-restore-over-all-no",
       .before = LoadAllAndWriteSnapshot,
       .act = RestoreSnapshot,
       .forgetsOnPurpose = true},
      {.name = "snapshot-restore-over-all-yes",
       .before = LoadAllAndWriteSnapshot,
       .act = RestoreSnapshot,
       .yes = true},
      {.name = "monolithic",
       .before = PlaceTools,
       .act = Compile,
       .quiet = IsRemoval,
       .failPaths = {"totala1.hpi", "totala.hpi", "BackupOTAData", kWorkFolder,
                     kWorkFolder + "\\units1"},
       .made = MadeByCompiling,
       .check = CheckCompiled,
       .oneJournal = true},
  };
  return operations;
}

// Where every file lies, but for those the operation makes.
FileInventory Placed(const FileInventory& inventory, const Operation& op) {
  FileInventory kept;
  for (const auto& [path, entry] : inventory) {
    if (!op.made || !op.made(path, entry)) kept[path] = entry;
  }
  return kept;
}

std::vector<std::pair<std::uint64_t, std::uint64_t>> Contents(const FileInventory& inventory,
                                                              const Operation& op) {
  return FileContents(Placed(inventory, op));
}

// After a kill that left a journal: the next start offers the repair, and the answer ends with
// every file there once, the settings naming what is in place, and a start after that silent.
// done: the files as the operation leaves them when nothing stops it.
void CheckRepaired(FaultRun& run, Answer answer, const FileInventory& before,
                   const FileInventory& done, const Operation& op, const std::string& where) {
  run.Stop();
  RepairAnswers user(answer);
  engine::RepairInterrupted(*run.fs, user, *run.settings, run.startup);
  std::string listing;
  for (const std::string& text : user.shown) listing += "\n  " + text;
  EXPECT_EQ(user.questions, 1) << where << listing;
  EXPECT_EQ(user.shown.size(), 1u) << where << ": the repair left something out:" << listing;
  EXPECT_FALSE(run.ta.Exists(engine::kJournalPath)) << where;
  EXPECT_EQ(Contents(run.ta.Inventory(), op), Contents(before, op)) << where;
  if (op.oneJournal) {
    EXPECT_EQ(Placed(run.ta.Inventory(), op), Placed(answer == Answer::kNo ? before : done, op))
        << where;
  }
  const std::size_t shownBeforeRestart = run.prompts.Messages().size();
  run.Restart();
  const std::vector<Shown>& all = run.prompts.Messages();
  EXPECT_EQ(all.size(), shownBeforeRestart)
      << where << ": the start after the repair spoke:"
      << Listing(std::vector<Shown>(all.begin() + static_cast<std::ptrdiff_t>(shownBeforeRestart),
                                    all.end()));
}

struct Outcome {
  std::size_t calls = 0;
  std::size_t failed = 0;
  std::size_t yesAnswers = 0;
  std::size_t journals = 0;  // kills that left a journal to repair
  FileInventory after;
};

// Runs the operation failing the k-th counted call (0: none) and every call on path, or killed
// just before the k-th call, and checks what is left.
// done: what an unfailed run left, to compare a finished repair with.
Outcome RunOnce(const Operation& op, std::size_t k, std::optional<std::string> path = {},
                bool kill = false, bool hazards = false,
                std::optional<Answer> repair = std::nullopt, const FileInventory& done = {}) {
  std::vector<Shown> script;
  // A Yes can bring questions a No does not, so the answers settle over a few runs.
  for (int attempt = 0;; ++attempt) {
    FaultRun run;
    if (hazards) run.SeedHazards();
    run.Start();
    if (op.before) op.before(run);
    const FileInventory before = run.ta.Inventory();
    const FileInventory outside = run.canary ? TakeInventory(*run.canary) : FileInventory();
    const std::size_t shownBefore = run.prompts.Messages().size();
    run.Script(script, op.yes);
    run.faults->FailPath(path);
    run.faults->Arm(k, kill);
    bool killed = false;
    try {
      op.act(run);
    } catch (const FaultyFileSystem::Killed&) {
      killed = true;
    }
    run.faults->Disarm();
    // Taken before the unused answers are drained, which shows them too.
    const std::vector<Shown> all = run.prompts.Messages();
    const std::vector<Shown> shown(all.begin() + static_cast<std::ptrdiff_t>(shownBefore),
                                   all.end());
    const bool settled = run.prompts.Pending() == 0 && shown.size() == script.size();
    run.Drain(script);
    if (op.yes && !settled && attempt < 4) {
      script = shown;
      continue;
    }

    const std::string where = op.name + (hazards ? " among hazards" : "") +
                              (kill ? " killed at call " : " failing call ") + std::to_string(k) +
                              (path ? " and every call on " + *path : "");
    EXPECT_EQ(killed, kill) << where;
    if (run.canary) {
      EXPECT_EQ(TakeInventory(*run.canary), outside) << where;
    }
    const std::vector<Failure>& failures = run.faults->Failures();
    const auto quiet = [&](const Failure& failure) {
      const auto& seeded = FaultRun::HazardFiles();
      return (op.quiet && op.quiet(failure)) ||
             (hazards && std::find(seeded.begin(), seeded.end(), failure.path) != seeded.end());
    };
    const auto reportable = [&](const Failure& failure) {
      // An ended journal that could not be removed is removed by the next start.
      return quiet(failure) || (failure.call == FaultyFileSystem::Call::kRemove &&
                                failure.path == engine::kJournalPath);
    };
    CheckReported(all, failures, reportable, where);
    Outcome outcome{run.faults->Calls(), failures.size(), 0, 0, run.ta.Inventory()};
    const bool killedAtRename = run.faults->KilledAt() == FaultyFileSystem::Call::kRename;
    if (killedAtRename) {
      EXPECT_TRUE(run.ta.Exists(engine::kJournalPath)) << where << ": a rename without a journal";
    }
    if (run.ta.Exists(engine::kJournalPath)) {
      const std::string text = run.ta.Read(engine::kJournalPath);
      const auto left = engine::ParseJournal(text);
      EXPECT_TRUE(left && (kill || left->ended)) << where << ": an operation that ended left "
                                                 << "its journal unmarked";
      EXPECT_FALSE(killedAtRename && left && left->ended) << where << ": a rename after the end";
      if (kill && left && !left->ended) {
        ++outcome.journals;
        CheckRepaired(run, repair.value_or(Answer::kYes), before, done, op,
                      where + (repair == Answer::kNo ? ", undone" : ", finished"));
        return outcome;
      }
      // Ended: the next start removes it without a word.
      run.Stop();
      engine::RepairInterrupted(*run.fs, run.prompts, *run.settings, run.startup);
    }
    EXPECT_FALSE(run.ta.Exists(engine::kJournalPath)) << where << ": the journal was left";
    EXPECT_EQ(Contents(run.ta.Inventory(), op), Contents(before, op)) << where;
    if (kill && op.oneJournal) {
      const FileInventory placed = Placed(run.ta.Inventory(), op);
      EXPECT_TRUE(placed == Placed(before, op) || placed == Placed(done, op))
          << where << ": files moved and no journal left";
    }
    // A killed program asked nothing, so nothing was forgotten on purpose.
    if (!op.check) {
      CheckSettings(run, op.forgetsOnPurpose && !kill, where);
    } else if (!kill) {
      op.check(run, where);
    }
    for (const auto& message : shown) outcome.yesAnswers += message.answer == Answer::kYes ? 1 : 0;
    return outcome;
  }
}

TEST(FaultInjection, NoSwitchLosesOrDuplicatesAFileWhereverItFails) {
  for (const Operation& op : Operations()) {
    const Outcome unfailed = RunOnce(op, 0);
    EXPECT_GT(unfailed.calls, 0u) << op.name;
    std::size_t yesAnswers = 0;
    for (std::size_t k = 1; k <= unfailed.calls; ++k) yesAnswers += RunOnce(op, k).yesAnswers;
    if (op.yes) {
      EXPECT_GT(yesAnswers, 0u) << op.name << " never answered a question";
    }
    std::cout << "faults: " << op.name << " " << unfailed.calls << " positions\n";
  }
}

// The process dies just before each counted call in turn: no file is lost or duplicated, and no
// rename is ever about to be made without a journal. Where a journal was left, the next start
// offers to finish or undo the operation, and either answer leaves every file once and the
// settings matching; elsewhere, unless the settings name exactly what is in place, the next start
// says so.
TEST(FaultInjection, AKillAnywhereLosesNoFileAndTheNextStartRepairsIt) {
  for (const Operation& op : Operations()) {
    const Outcome unkilled = RunOnce(op, 0);
    std::size_t journals = 0;
    for (std::size_t k = 1; k <= unkilled.calls; ++k) {
      journals += RunOnce(op, k, {}, /*kill=*/true, false, Answer::kYes, unkilled.after).journals;
      RunOnce(op, k, {}, /*kill=*/true, false, Answer::kNo, unkilled.after);
    }
    const std::size_t calls = unkilled.calls;
    std::cout << "kills: " << op.name << " " << calls << " positions, " << journals
              << " repaired both ways\n";
  }
}

TEST(FaultInjection, APathThatCannotBeTouchedCostsNoFile) {
  for (const Operation& op : Operations()) {
    for (const std::string& path : op.failPaths) {
      const std::size_t failed = RunOnce(op, 0, path).failed;
      EXPECT_GT(failed, 0u) << op.name << " never touches " << path;
      std::cout << "faults: " << op.name << " every call on " << path << ": " << failed
                << " failed\n";
    }
  }
}

#ifndef _WIN32
// The same operations, and a TC whose pairs lead out through a linked folder, on a TA folder
// seeded with hazards: nothing is lost there, and nothing outside it is touched.
TEST(FaultInjection, HazardsInTheFolderCostNoFileAndNothingOutsideIsTouched) {
  std::vector<Operation> operations = Operations();
  operations.push_back({.name = "tc-load-through-link",
                        .act = [](FaultRun& r) { r.ClickRow(ui::kIdTcList, "Outward"); }});
  for (const Operation& op : operations) {
    const std::size_t calls = RunOnce(op, 0, {}, false, /*hazards=*/true).calls;
    for (std::size_t k = 1; k <= calls; ++k) RunOnce(op, k, {}, false, /*hazards=*/true);
    std::cout << "hazards: " << op.name << " " << calls << " positions\n";
  }
}
#endif

}  // namespace
}  // namespace varokin::fixtures
