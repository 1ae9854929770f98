#include "engine/mutator_switching.h"

#include <optional>

#include "engine/config_files.h"
#include "platform/line_reader.h"
#include "platform/text.h"

namespace varokin::engine {

namespace {

constexpr int kMissingPayloadsListed = 32;

// The four lines every operation reads; the file is closed before anything moves.
struct MutatorFile {
  std::string title;
  std::string description;
  std::string tags;
  std::optional<int> count;
};

MutatorFile ReadMutatorFile(platform::FileSystem& fs, const std::string& fileName) {
  ConfigReader reader(fs, fileName);
  MutatorFile file;
  file.title = reader.ReadLine();
  file.description = reader.ReadLine();
  file.tags = reader.ReadLine();
  // A line 4 without a number is unreadable: the operation stops before it moves anything.
  file.count = reader.ReadMutatorCount();
  return file;
}

bool MovePayload(Relocator& relocator, const std::string& stem, int k, Direction direction,
                 const Framing& framing) {
  const std::string installed = MutatorPayload(stem, k);
  const std::string stored = ConfigPath(installed);
  return direction == Direction::kIn ? relocator.MoveChecked(stored, installed, framing)
                                     : relocator.MoveChecked(installed, stored, framing);
}

// The main payload, then numbered payloads 1 to count. When one fails, the numbered payloads
// already moved go back first and the main payload last; a failing move back has shown its own
// message and the others are still tried.
bool MoveAllPayloads(Relocator& relocator, const std::string& stem, int count, Direction direction,
                     const Framing& framing) {
  if (!MovePayload(relocator, stem, 0, direction, framing)) return false;
  const Direction back = direction == Direction::kIn ? Direction::kOut : Direction::kIn;
  for (int k = 1; k <= count; ++k) {
    if (MovePayload(relocator, stem, k, direction, framing)) continue;
    relocator.JournalOfMoves().UndoStarting();
    for (int j = 1; j < k; ++j) MovePayload(relocator, stem, j, back, framing);
    MovePayload(relocator, stem, 0, back, framing);
    return false;
  }
  return true;
}

// The start-up report's lines for the main payload and numbered payloads 1 to count.
std::string PayloadProblems(platform::FileSystem& fs, const std::string& stem, int count) {
  std::string problems;
  int missingInARow = 0;
  for (int k = 0; k <= count || k == 0; ++k) {
    const std::string installed = MutatorPayload(stem, k);
    const std::string stored = ConfigPath(installed);
    // The main payload's texts differ from the numbered ones' by a comma.
    const char* comma = k == 0 ? "" : ",";
    if (!StaysInTaFolder(stored) || !StaysInTaFolder(installed)) {
      // Every payload's name is made from the same stem: the others fare no better.
      return problems + RefusedNameProblem("The payload " + installed);
    }
    if (fs.Exists(stored)) {
      problems +=
          "-> Found the file " + stored + comma + " which should currently be in your TA folder\n";
      missingInARow = 0;
    } else if (!fs.Exists(installed)) {
      problems +=
          "-> Unable to locate the file " + installed + ", which should be in your TA folder\n";
      // A mistyped count such as 2000000000 would otherwise test and list every number up to it,
      // a message of gigabytes; this many absent payloads in a row say enough.
      if (++missingInARow == kMissingPayloadsListed) break;
    } else {
      missingInARow = 0;
    }
  }
  return problems;
}

// A payload beside a case twin could not go back once moved in: the twin would hold its stored
// name. Refused before the first move; the check ends at the first payload that is not there,
// where the load itself stops.
bool PayloadsMayMove(Relocator& relocator, platform::FileSystem& fs, const std::string& stem,
                     int count, const Framing& framing) {
  for (int k = 0; k <= count || k == 0; ++k) {
    const std::string stored = ConfigPath(MutatorPayload(stem, k));
    if (!StaysInTaFolder(stored) || !fs.Exists(stored)) return true;
    if (relocator.RefuseCaseTwin(stored, framing)) return false;
  }
  return true;
}

// The journal's plan for moving a Mutator's payloads in or out; what is the user's word for it.
// The moves stop at the first payload that is not there, as the switch itself does: a count of
// billions read from the file must not become billions of planned moves.
JournalPlan PlanPayloads(platform::FileSystem& fs, const std::string& what,
                         const std::string& fileName, int count, Direction direction,
                         const settings::TextSetting& slot, const std::string& before) {
  JournalPlan plan;
  plan.what = what;
  const std::string stem = MutatorStem(fileName);
  for (int k = 0; k <= count; ++k) {
    const std::string installed = MutatorPayload(stem, k);
    const std::string stored = ConfigPath(installed);
    if (!StaysInTaFolder(stored) || !StaysInTaFolder(installed)) break;
    plan.moves.push_back(direction == Direction::kIn ? PlannedMove{stored, installed}
                                                     : PlannedMove{installed, stored});
    if (!fs.Exists(plan.moves.back().from)) break;
  }
  plan.finished.push_back(Planned(slot, direction == Direction::kIn ? fileName : ""));
  plan.undone.push_back(Planned(slot, before));
  return plan;
}

}  // namespace

bool MutatorSwitching::LoadMutator(int slot) {
  shown_ = {};
  const std::string fileName = ctx_.state.GetMutatorName(slot);
  MutatorFile file = ReadMutatorFile(ctx_.fs, fileName);
  shown_.description = DescriptionPane(file.title, file.description, fileName);
  // A file that cannot be read is reported before anything is asked: read as empty lines it would
  // otherwise pose as an incompatible Mutator, and a Yes would leave the failure untold.
  if (!file.count) {
    ctx_.prompts.Message("Error reading mutator file " + ConfigPath(fileName));
    return false;
  }
  if (!ctx_.state.IsCompatible(std::string(" ").append(file.tags).append(" "))) {
    const Answer answer = ctx_.prompts.Message(
        "This Mutator does not claim to be compatible with your current TC.\n\nDo you wish to "
        "disable it again?  (Strongly recommended)",
        Buttons::kYesNo);
    if (answer != Answer::kNo) return false;
  }
  const Framing framing{"Loading Mutator:\n\n", "\n\nLoad Aborted."};
  const std::string stem = MutatorStem(fileName);
  if (!PayloadsMayMove(ctx_.relocator, ctx_.fs, stem, *file.count, framing)) return false;
  // Remembered before the first move: should the program die half-way, the next start's check
  // finds the payloads not yet in place and reports them.
  const std::string previous = ctx_.settings.Get(settings::MutatorSlot(slot));
  const JournalScope journal(ctx_.relocator.JournalOfMoves(), [&] {
    return PlanPayloads(ctx_.fs, "Loading the Mutator " + std::string(platform::Trim(file.title)),
                        fileName, *file.count, Direction::kIn, settings::MutatorSlot(slot),
                        previous);
  });
  if (!journal.Started()) return ctx_.relocator.Refuse(journal.Problem(), framing);
  if (!RememberBeforeMoving(ctx_.settings, ctx_.prompts, settings::MutatorSlot(slot), fileName)) {
    return false;
  }
  if (!MoveAllPayloads(ctx_.relocator, stem, *file.count, Direction::kIn, framing)) {
    ctx_.settings.Write(settings::MutatorSlot(slot), previous);
    return false;
  }
  return true;
}

bool MutatorSwitching::UnloadMutator(int slot) {
  shown_ = {};
  const std::string fileName = ctx_.state.GetMutatorName(slot);
  MutatorFile file = ReadMutatorFile(ctx_.fs, fileName);
  shown_.description =
      file.title + ":\r\n" + DecodeDescription(file.description) + "\r\n\r\n  -- " + fileName;
  // A free slot or one out of range names no Mutator, and so no file: its empty line 4 stops the
  // unload here, before the slot table could be written out of its bounds.
  if (!file.count) {
    ctx_.prompts.Message("Error reading mutator file " + fileName +
                         "\n\nMutator unload aborted to prevent corruption");
    return false;
  }
  const Framing framing{"Unloading Mutator (" + fileName + "):\n\n", "\n\nUnload Aborted."};
  // The slot is emptied only once every payload is out; should that write fail, the Mutator would
  // be remembered as active with its files gone. So the write is tried before the first move.
  const JournalScope journal(ctx_.relocator.JournalOfMoves(), [&] {
    return PlanPayloads(ctx_.fs, "Unloading the Mutator " + std::string(platform::Trim(file.title)),
                        fileName, *file.count, Direction::kOut, settings::MutatorSlot(slot),
                        fileName);
  });
  if (!journal.Started()) return ctx_.relocator.Refuse(journal.Problem(), framing);
  if (!RememberBeforeMoving(ctx_.settings, ctx_.prompts, settings::MutatorSlot(slot), fileName)) {
    return false;
  }
  if (!MoveAllPayloads(ctx_.relocator, MutatorStem(fileName), *file.count, Direction::kOut,
                       framing)) {
    return false;
  }
  ctx_.settings.Write(settings::MutatorSlot(slot), "");
  ctx_.state.mutatorSlots[slot] = -1;
  return true;
}

void MutatorSwitching::ValidateMutator(const std::string& fileName) {
  shown_ = {};
  if (fileName == "none") return;
  std::string problems;
  if (!StaysInTaFolder(ConfigPath(fileName))) {
    // Not even opened: start-up looks at nothing outside the TA folder.
    problems = RefusedNameProblem("The name " + fileName);
  } else {
    MutatorFile file = ReadMutatorFile(ctx_.fs, fileName);
    shown_.description = DescriptionPane(file.title, file.description, fileName);
    if (!file.count) {
      ctx_.prompts.Message("Error reading " + fileName + " mutator file while validating");
      return;
    }
    problems = PayloadProblems(ctx_.fs, MutatorStem(fileName), *file.count);
  }
  if (problems.empty()) return;
  ctx_.prompts.Message(
      "The last time Varokin was used it was using the mutator \"" + fileName +
      "\"; however, the following problems were encountered when trying to validate it's "
      "presence:\n\n" +
      problems +
      "\nSince Varokin probably didn't cause these changes, and would probably mess something up "
      "by attempting to fix it, it is recommended that you fix it manually before attempting to "
      "change modes\n\n  ");
}

}  // namespace varokin::engine
