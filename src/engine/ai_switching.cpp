#include "engine/ai_switching.h"

#include <optional>
#include <string>
#include <vector>

#include "engine/config_files.h"

namespace varokin::engine {

namespace {

const char kDefaultDescription[] =
    "Using the default AI for the current TC.  Be sure you're in this mode before uninstalling "
    "any AIs";

// Payload k lies at "Varokin\" + B + "(k)" while the AI is inactive and at its word W_k while it
// is active.
bool MovePayload(Relocator& relocator, const std::string& stem, int k, const std::string& word,
                 Direction direction, const Framing& framing) {
  const std::string stored = AiStoredPayload(stem, k);
  return direction == Direction::kIn ? relocator.MoveChecked(stored, word, framing)
                                     : relocator.MoveChecked(word, stored, framing);
}

// Moves the payloads in file order and stops at the first that fails; moved counts the payloads
// that made it before that one.
bool MoveEveryPayload(ConfigReader& reader, Relocator& relocator, const std::string& stem,
                      Direction direction, int& moved, const Framing& framing) {
  moved = 0;
  std::string word;
  while (reader.NextAiPayload(word)) {
    if (!MovePayload(relocator, stem, moved + 1, word, direction, framing)) return false;
    ++moved;
  }
  return true;
}

// The undo reads the file afresh, since the first reading may have reached its end. A failing
// move has shown its own message; the others are still tried.
void MoveFirstPayloads(Context& ctx, const std::string& fileName, Direction direction, int count,
                       const Framing& framing) {
  ConfigReader reader(ctx.fs, fileName);
  reader.SkipHeader();
  const std::string stem = AiStem(fileName);
  std::string word;
  for (int k = 1; k <= count && reader.NextAiPayload(word); ++k) {
    MovePayload(ctx.relocator, stem, k, word, direction, framing);
  }
}

// A payload beside a case twin could not go back once moved in: the twin would hold its stored
// name. Refused before the first move; the check ends at the first payload that is not there,
// where the load itself stops.
bool PayloadsMayMove(Context& ctx, const std::string& fileName, const Framing& framing) {
  ConfigReader reader(ctx.fs, fileName);
  // Unread, the file would pass every check.
  if (!reader.IsOpen()) return ctx.relocator.RefuseUnreadable(fileName, framing);
  reader.SkipHeader();
  const std::string stem = AiStem(fileName);
  std::string word;
  for (int k = 1; reader.NextAiPayload(word); ++k) {
    const std::string stored = AiStoredPayload(stem, k);
    if (!StaysInTaFolder(stored) || !ctx.fs.Exists(stored)) return true;
    if (ctx.relocator.RefuseCaseTwin(stored, framing)) return false;
  }
  return true;
}

void PlanPayloads(const std::string& fileName, ConfigReader& reader, Direction direction,
                  std::vector<PlannedMove>& moves) {
  const std::string stem = AiStem(fileName);
  std::string word;
  for (int k = 1; reader.NextAiPayload(word); ++k) {
    const std::string stored = AiStoredPayload(stem, k);
    if (!StaysInTaFolder(stored) || !StaysInTaFolder(word)) return;
    moves.push_back(direction == Direction::kIn ? PlannedMove{stored, word}
                                                : PlannedMove{word, stored});
  }
}

}  // namespace

JournalPlan AiSwitching::PlanSwitch(int fromAi, int toAi) const {
  return PlanModSwitch(ctx_, fromAi, toAi, PlanPayloads, settings::kPreviousAi,
                       "Switching to the AI ", "Switching to the default AI");
}

bool AiSwitching::LoadAi() {
  shown_ = {};
  ModState& state = ctx_.state;
  if (state.currentAi == kNoMod) {
    shown_.description = kDefaultDescription;
    ctx_.settings.Write(settings::kPreviousAi, state.GetCurrentAiName());
    return true;
  }
  const std::string fileName = state.GetCurrentAiName();
  std::string previous;
  int moved = 0;
  bool allIn;
  const Framing framing{"Loading Ai (" + fileName + "):\n\n", "\n\nLoad Aborted."};
  JournalScope journal(ctx_.relocator.JournalOfMoves());
  {
    ConfigReader reader(ctx_.fs, fileName);
    if (!reader.IsOpen()) return ctx_.relocator.RefuseUnreadable(fileName, framing);
    const std::string title = reader.ReadLine();
    shown_.description = DescriptionPane(title, reader.ReadLine(), fileName);
    if (!state.IsCompatible(std::string(" ").append(reader.ReadLine()).append(" "))) {
      const Answer answer = ctx_.prompts.Message(
          "This AI (" + fileName +
              ") does not claim to be compatible with your current TC.\n\nDo you wish to disable "
              "it again?  (Strongly recommended)",
          Buttons::kYesNo);
      if (answer != Answer::kNo) return false;
    }
    if (!PayloadsMayMove(ctx_, fileName, framing)) return false;
    if (!journal.Open([this, &state] { return PlanSwitch(kNoMod, state.currentAi); })) {
      return ctx_.relocator.Refuse(journal.Problem(), framing);
    }
    // Remembered before the first move, as a TC is: should the program die half-way, the next
    // start's check finds the payloads not yet in place and reports them.
    previous = ctx_.settings.Get(settings::kPreviousAi);
    if (!RememberBeforeMoving(ctx_.settings, ctx_.prompts, settings::kPreviousAi, fileName)) {
      return false;
    }
    allIn =
        MoveEveryPayload(reader, ctx_.relocator, AiStem(fileName), Direction::kIn, moved, framing);
  }
  if (!allIn) {
    ctx_.relocator.JournalOfMoves().UndoStarting();
    MoveFirstPayloads(ctx_, fileName, Direction::kOut, moved, framing);
    ctx_.settings.Write(settings::kPreviousAi, previous);  // as it was before the load
    return false;
  }
  return true;
}

bool AiSwitching::UnloadAi() {
  shown_ = {};
  if (ctx_.state.currentAi == kNoMod) return true;
  const std::string fileName = ctx_.state.GetCurrentAiName();
  int moved = 0;
  bool allOut;
  const Framing framing{"Unloading the previous Ai (" + fileName + "):\n\n", "\n\nUnload Aborted."};
  JournalScope journal(ctx_.relocator.JournalOfMoves());
  {
    ConfigReader reader(ctx_.fs, fileName);
    if (!reader.IsOpen()) return ctx_.relocator.RefuseUnreadable(fileName, framing);
    if (!journal.Open([this] { return PlanSwitch(ctx_.state.currentAi, kNoMod); })) {
      return ctx_.relocator.Refuse(journal.Problem(), framing);
    }
    // The first half of a switch: unloaded without a word in the settings, the AI would still
    // be remembered as active, so nothing starts.
    if (!RememberBeforeMoving(ctx_.settings, ctx_.prompts, settings::kPreviousAi, fileName)) {
      return false;
    }
    reader.SkipHeader();
    allOut =
        MoveEveryPayload(reader, ctx_.relocator, AiStem(fileName), Direction::kOut, moved, framing);
  }
  if (!allOut) {
    ctx_.relocator.JournalOfMoves().UndoStarting();
    MoveFirstPayloads(ctx_, fileName, Direction::kIn, moved, framing);
  }
  return allOut;
}

bool AiSwitching::ValidateAi(const std::string& name) {
  shown_ = {};
  if (name == "none") {
    if (ctx_.fs.Exists("Ai")) {
      ctx_.prompts.Message(
          "The last time Varokin was used it was using the \"Original TA\" AI; however the "
          "directory AI, which is not used in original TA mode, is in your TA directory.  This "
          "is probably the result of using some other TA modification program. Please rename it "
          "before using Varokin in order to avoid problems");
      return false;
    }
    shown_.description = kDefaultDescription;
    return true;
  }
  const std::string stem = AiStem(name);
  std::string problems;
  {
    std::optional<ConfigReader> reader = OpenRemembered(ctx_.fs, name, problems);
    auto line = [&reader] { return reader ? reader->ReadLine() : std::string(); };
    const std::string title = line();
    shown_.description = DescriptionPane(title, line(), name);
    line();
    std::string word;
    for (int k = 1; reader && reader->NextAiPayload(word); ++k) {
      if (k > kValidatedPairLimit) {
        problems += "-> The file holds more than " + std::to_string(kValidatedPairLimit) +
                    " payloads; the rest were not checked\n";
        break;
      }
      const std::string stored = AiStoredPayload(stem, k);
      if (!StaysInTaFolder(stored) || !StaysInTaFolder(word)) {
        problems += RefusedNameProblem("The payload " + word);
      } else if (ctx_.fs.Exists(stored)) {
        problems += "-> Found the file/directory " + stored + " which should currently be named " +
                    word + " and be in your TA directory\n";
      } else if (!ctx_.fs.Exists(word)) {
        problems += "-> Unable to locate the file/directory " + word +
                    " which should be in yout TA directory\n";
      }
    }
  }
  if (problems.empty()) return true;
  ctx_.prompts.Message(
      "The last time Varokin was used it was using the AI \"" + name +
      "\"; however, the following problems were encountered when trying to validate it's "
      "presence:\n\n" +
      problems +
      "\nSince Varokin probably didn't cause these changes, and would probably mess something up "
      "by attempting to fix it, it is recommended that you fix it manually before attempting to "
      "change AIs\n\n  ");
  return false;
}

}  // namespace varokin::engine
