#include "engine/tc_switching.h"

#include <optional>
#include <string>

#include "engine/config_files.h"
#include "engine/game_files.h"

namespace varokin::engine {

namespace {

const char kSection[] = "Previous Settings";
const char kEntry[] = "TC";
const char kOriginalTitle[] = "*Original TA*";
const char kOriginalDescription[] =
    "Original TA.  Be sure you're in this mode before uninstalling any TCs";
const char kGameArchive[] = "totala1.hpi";

enum class Direction { kIn, kOut };

bool MovePair(Relocator& relocator, const RenamePair& pair, Direction direction) {
  const std::string stored = "Varokin\\" + pair.stored;
  return direction == Direction::kIn ? relocator.MoveWithBackup(stored, pair.installed)
                                     : relocator.MoveWithBackup(pair.installed, stored);
}

// Moves every rename pair in file order and stops at the first that fails; moved counts the pairs
// that made it before that one.
bool MoveEveryPair(ConfigReader& reader, Relocator& relocator, Direction direction, int& moved) {
  moved = 0;
  RenamePair pair;
  while (reader.NextRenamePair(pair)) {
    if (!MovePair(relocator, pair, direction)) return false;
    ++moved;
  }
  return true;
}

// The undo of a half-done switch reads the file afresh: the first reading may have hit its end.
// Each move that fails here has shown its own message; the rest are still tried.
void MoveFirstPairs(Context& ctx, const std::string& fileName, Direction direction, int count) {
  ConfigReader reader(ctx.fs, fileName);
  reader.SkipHeader();
  RenamePair pair;
  for (int j = 0; j < count && reader.NextRenamePair(pair); ++j) {
    MovePair(ctx.relocator, pair, direction);
  }
}

std::string Trimmed(const std::string& text) {
  const char* space = " \t\r\n\v\f";
  std::size_t first = text.find_first_not_of(space);
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(space) - first + 1);
}

}  // namespace

// The unmodified game is active: its tags apply, and a totala1.hpi that is not the game's own is
// worth a word. Start-up always reports a missing archive; a switch only while warnings are on.
void TcSwitching::ShowOriginalGame(bool alwaysReportMissing) {
  ctx_.state.SetTcTags(ctx_.state.baseGameTag);
  const bool warn = ctx_.startup.warnModifiedFiles;
  if (!ctx_.fs.Exists(kGameArchive)) {
    if (warn || alwaysReportMissing) ctx_.prompts.Message("The file totala1.hpi is missing");
  } else if (warn && !ctx_.startup.monolithicTotala1 &&
             ctx_.fs.Size(kGameArchive) != kTotala1HpiSize) {
    ctx_.prompts.Message(
        "There is no TC enabled, yet totala1.hpi does not appear to be the Cavedog version.  It "
        "may be corrupted, or it could be the result of uninstalling a TC without first "
        "disabling it");
  }
  pane_.SetText(kOriginalDescription);
  label_.SetText(kOriginalTitle);
}

bool TcSwitching::LoadTc() {
  ModState& state = ctx_.state;
  if (state.currentTc == kNoMod) {
    ShowOriginalGame(false);
    ctx_.settings.WriteProfileString(kSection, kEntry, state.GetCurrentTcName());
    return true;
  }
  const std::string fileName = state.GetCurrentTcName();
  std::string title;
  std::string previous;
  int moved = 0;
  bool allIn;
  {
    ConfigReader reader(ctx_.fs, fileName);
    ctx_.relocator.movePrefix = "Loading TC (" + fileName + "):\n\n";
    ctx_.relocator.moveSuffix = "\n\nload Aborted.";
    if (!reader.IsOpen()) return ctx_.relocator.RefuseUnreadable(fileName);
    title = reader.ReadLine();
    pane_.SetText(DescriptionPane(title, reader.ReadLine(), fileName));
    state.SetTcTags(std::string(" ").append(reader.ReadLine()).append(" "));
    // Remembered before the first move: should the program die half-way, the next start's
    // check then finds the pairs not yet in place and reports them.
    previous = ctx_.settings.GetProfileString(kSection, kEntry, "none");
    ctx_.settings.WriteProfileString(kSection, kEntry, fileName);
    allIn = MoveEveryPair(reader, ctx_.relocator, Direction::kIn, moved);
  }
  if (!allIn) {
    MoveFirstPairs(ctx_, fileName, Direction::kOut, moved);
    ctx_.settings.WriteProfileString(kSection, kEntry, previous);  // as it was before the load
    return false;
  }
  label_.SetText(title);
  return true;
}

bool TcSwitching::UnloadTc() {
  if (ctx_.state.currentTc == kNoMod) return true;
  const std::string fileName = ctx_.state.GetCurrentTcName();
  ctx_.relocator.movePrefix = "Unloading TC (" + fileName + "):\n\n";
  ctx_.relocator.moveSuffix = "\n\nunload Aborted.";
  int moved = 0;
  bool allOut;
  {
    ConfigReader reader(ctx_.fs, fileName);
    if (!reader.IsOpen()) return ctx_.relocator.RefuseUnreadable(fileName);
    reader.SkipHeader();
    allOut = MoveEveryPair(reader, ctx_.relocator, Direction::kOut, moved);
  }
  if (!allOut) MoveFirstPairs(ctx_, fileName, Direction::kIn, moved);
  return allOut;
}

bool TcSwitching::ValidateTc(const std::string& name) {
  if (name == "none") {
    ShowOriginalGame(true);
    return true;
  }
  std::string problems;
  {
    // A remembered name that leads out is not even opened: start-up looks at nothing outside.
    std::optional<ConfigReader> reader;
    if (StaysInTaFolder(ConfigPath(name))) {
      reader.emplace(ctx_.fs, name);
    } else {
      problems += RefusedNameProblem("The name " + name);
    }
    auto line = [&reader] { return reader ? reader->ReadLine() : std::string(); };
    const std::string title = line();
    label_.SetText(title);
    pane_.SetText(title + ": \r\n" + DecodeDescription(line()) + "\r\n\r\n  --" + name);
    ctx_.state.SetTcTags(std::string(" ").append(Trimmed(line())).append(" "));
    RenamePair pair;
    for (int checked = 0; reader && reader->NextRenamePair(pair); ++checked) {
      if (checked == kValidatedPairLimit) {
        problems += "-> The file holds more than " + std::to_string(kValidatedPairLimit) +
                    " pairs; the rest were not checked\n";
        break;
      }
      const std::string stored = ConfigPath(pair.stored);
      if (!StaysInTaFolder(stored) || !StaysInTaFolder(pair.installed)) {
        problems += RefusedNameProblem("The pair " + pair.stored + " " + pair.installed);
      } else if (ctx_.fs.Exists(stored)) {
        problems += "-> Found the file/directory " + stored + " which should currently be named " +
                    pair.installed + " and be in your TA directory\n";
      } else if (!ctx_.fs.Exists(pair.installed)) {
        problems += "-> Unable to locate the file/directory " + pair.installed +
                    " which should be in your TA directory\n";
      }
    }
  }
  if (problems.empty()) return true;
  ctx_.prompts.Message(
      "The last time Varokin was used it was using the TC \"" + name +
      "\"; however, the following problems were encountered when trying to validate it's "
      "presence:\n\n" +
      problems +
      "\nSince Varokin didn't cause these changes, it would probably mess something up by "
      "attempting to fix it, it is recommended that you fix it manually before attempting to "
      "change TCs\n\n  ");
  return false;
}

}  // namespace varokin::engine
