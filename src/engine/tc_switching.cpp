#include "engine/tc_switching.h"

#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/config_files.h"
#include "engine/game_files.h"
#include "platform/text.h"

namespace varokin::engine {

namespace {

const char kOriginalTitle[] = "*Original TA*";
const char kOriginalDescription[] =
    "Original TA.  Be sure you're in this mode before uninstalling any TCs";
const char kGameArchive[] = "totala1.hpi";

bool MovePair(Relocator& relocator, const RenamePair& pair, Direction direction,
              const Framing& framing) {
  const std::string stored = "Varokin\\" + pair.stored;
  return direction == Direction::kIn ? relocator.MoveWithBackup(stored, pair.installed, framing)
                                     : relocator.MoveWithBackup(pair.installed, stored, framing);
}

// Moves every rename pair in file order and stops at the first that fails; moved counts the pairs
// that made it before that one.
bool MoveEveryPair(ConfigReader& reader, Relocator& relocator, Direction direction, int& moved,
                   const Framing& framing) {
  moved = 0;
  RenamePair pair;
  while (reader.NextRenamePair(pair)) {
    if (!MovePair(relocator, pair, direction, framing)) return false;
    ++moved;
  }
  return true;
}

// The undo of a half-done switch reads the file afresh: the first reading may have hit its end.
// Each move that fails here has shown its own message; the rest are still tried.
void MoveFirstPairs(Context& ctx, const std::string& fileName, Direction direction, int count,
                    const Framing& framing) {
  ConfigReader reader(ctx.fs, fileName);
  reader.SkipHeader();
  RenamePair pair;
  for (int j = 0; j < count && reader.NextRenamePair(pair); ++j) {
    MovePair(ctx.relocator, pair, direction, framing);
  }
}

// The files the catalogue is made of, relative to the Varokin folder: configuration files, and
// the packs and snapshots with the folders that hold them. Moved away by a TC they would be lost
// to the catalogue, and the TC's own file could no longer be read to unload it. The journal of the
// switch itself stands there too while the pairs move.
bool IsCatalogueFile(const std::string& stored) {
  std::vector<std::string> parts;
  std::size_t begin = 0;
  while (begin <= stored.size()) {
    std::size_t end = stored.find_first_of("\\/", begin);
    if (end == std::string::npos) end = stored.size();
    std::string part = stored.substr(begin, end - begin);
    // Windows drops the dots and blanks that end a name: there "][Self.tc." and "a\.\b" name
    // ][Self.tc and a\b.
    part.erase(part.find_last_not_of(". ") + 1);
    if (!part.empty()) parts.push_back(platform::LowerCase(part));
    begin = end + 1;
  }
  if (parts.size() == 1) {
    if (parts[0] == "journal.txt") return true;
    for (ModKind kind : {ModKind::kTotalConversion, ModKind::kMutator, ModKind::kAi}) {
      if (platform::WildcardMatch(ConfigPattern(kind), ConfigPath(parts[0]))) return true;
    }
  }
  if (parts.empty() || parts.size() > 2) return false;
  const bool onlyFolder = parts.size() == 1;
  return (parts[0] == "ufomanager" && (onlyFolder || platform::WildcardMatch("*.pac", parts[1]))) ||
         (parts[0] == "snapshots" && (onlyFolder || platform::WildcardMatch("*.tas", parts[1])));
}

// Refusals that must come before the first move, so that they leave every file where it was. The
// check ends where the load itself would stop: at a name the moves refuse, at a payload that is
// not there, or at one named before (gone by the time its second pair is moved).
bool PairsMayMove(Context& ctx, const std::string& fileName, const Framing& framing) {
  ConfigReader reader(ctx.fs, fileName);
  // Unread, the file would pass every check.
  if (!reader.IsOpen()) return ctx.relocator.RefuseUnreadable(fileName, framing);
  reader.SkipHeader();
  // One listing of the Varokin folder answers for the payloads that lie in it: a look at the disk
  // per pair would cost a TC of thousands of pairs as much again as its moves.
  std::unordered_map<std::string, int> listed;  // lower-cased name -> entries of that name
  for (const std::string& name : ctx.fs.Find(ConfigPath("*"))) ++listed[platform::LowerCase(name)];
  std::set<std::string> seen;
  RenamePair pair;
  while (reader.NextRenamePair(pair)) {
    const std::string stored = ConfigPath(pair.stored);
    if (IsCatalogueFile(pair.stored)) {
      return ctx.relocator.Refuse("Refusing to move " + stored + ": Varokin needs it in place",
                                  framing);
    }
    if (!StaysInTaFolder(stored) || !StaysInTaFolder(pair.installed)) return true;
    const std::string key = platform::LowerCase(pair.stored);
    if (!seen.insert(key).second) return true;
    if (pair.stored.find_first_of("\\/") != std::string::npos) {
      if (!ctx.fs.Exists(stored)) return true;
      if (ctx.relocator.RefuseCaseTwin(stored, framing)) return false;
      continue;
    }
    const auto found = listed.find(key);
    if (found == listed.end()) return true;
    if (found->second > 1) {
      return ctx.relocator.Refuse("An extra copy of " + stored + " was found", framing);
    }
  }
  return true;
}

// The moves of every rename pair, up to the first whose names the moves would refuse: the
// operation stops there too.
void PlanPairs(const std::string&, ConfigReader& reader, Direction direction,
               std::vector<PlannedMove>& moves) {
  RenamePair pair;
  while (reader.NextRenamePair(pair)) {
    const std::string stored = ConfigPath(pair.stored);
    if (!StaysInTaFolder(stored) || !StaysInTaFolder(pair.installed)) return;
    moves.push_back(direction == Direction::kIn ? PlannedMove{stored, pair.installed, true}
                                                : PlannedMove{pair.installed, stored, true});
  }
}

}  // namespace

JournalPlan TcSwitching::PlanSwitch(int fromTc, int toTc) const {
  return PlanModSwitch(ctx_, fromTc, toTc, PlanPairs, settings::kPreviousTc, "Switching to the TC ",
                       "Switching to the original game");
}

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
  shown_.description = kOriginalDescription;
  shown_.title = kOriginalTitle;
}

bool TcSwitching::LoadTc() {
  shown_ = {};
  ModState& state = ctx_.state;
  if (state.currentTc == kNoMod) {
    ShowOriginalGame(false);
    ctx_.settings.Write(settings::kPreviousTc, state.GetCurrentTcName());
    return true;
  }
  const std::string fileName = state.GetCurrentTcName();
  std::string title;
  std::string previous;
  int moved = 0;
  bool allIn;
  const Framing framing{"Loading TC (" + fileName + "):\n\n", "\n\nload Aborted."};
  JournalScope journal(ctx_.relocator.JournalOfMoves());
  {
    ConfigReader reader(ctx_.fs, fileName);
    if (!reader.IsOpen()) return ctx_.relocator.RefuseUnreadable(fileName, framing);
    title = reader.ReadLine();
    shown_.description = DescriptionPane(title, reader.ReadLine(), fileName);
    state.SetTcTags(std::string(" ").append(reader.ReadLine()).append(" "));
    if (!PairsMayMove(ctx_, fileName, framing)) return false;
    if (!journal.Open([this, &state] { return PlanSwitch(kNoMod, state.currentTc); })) {
      return ctx_.relocator.Refuse(journal.Problem(), framing);
    }
    // Remembered before the first move: should the program die half-way, the next start's
    // check then finds the pairs not yet in place and reports them.
    previous = ctx_.settings.Get(settings::kPreviousTc);
    if (!RememberBeforeMoving(ctx_.settings, ctx_.prompts, settings::kPreviousTc, fileName)) {
      return false;
    }
    allIn = MoveEveryPair(reader, ctx_.relocator, Direction::kIn, moved, framing);
  }
  if (!allIn) {
    ctx_.relocator.JournalOfMoves().UndoStarting();
    MoveFirstPairs(ctx_, fileName, Direction::kOut, moved, framing);
    ctx_.settings.Write(settings::kPreviousTc, previous);  // as it was before the load
    return false;
  }
  shown_.title = title;
  return true;
}

bool TcSwitching::UnloadTc() {
  shown_ = {};
  if (ctx_.state.currentTc == kNoMod) return true;
  const std::string fileName = ctx_.state.GetCurrentTcName();
  const Framing framing{"Unloading TC (" + fileName + "):\n\n", "\n\nunload Aborted."};
  int moved = 0;
  bool allOut;
  JournalScope journal(ctx_.relocator.JournalOfMoves());
  {
    ConfigReader reader(ctx_.fs, fileName);
    if (!reader.IsOpen()) return ctx_.relocator.RefuseUnreadable(fileName, framing);
    if (!journal.Open([this] { return PlanSwitch(ctx_.state.currentTc, kNoMod); })) {
      return ctx_.relocator.Refuse(journal.Problem(), framing);
    }
    // The unload is the first half of a switch: with settings that cannot be written, the TC
    // would be remembered as active once its files are out, so nothing starts.
    if (!RememberBeforeMoving(ctx_.settings, ctx_.prompts, settings::kPreviousTc, fileName)) {
      return false;
    }
    reader.SkipHeader();
    allOut = MoveEveryPair(reader, ctx_.relocator, Direction::kOut, moved, framing);
  }
  if (!allOut) {
    ctx_.relocator.JournalOfMoves().UndoStarting();
    MoveFirstPairs(ctx_, fileName, Direction::kIn, moved, framing);
  }
  return allOut;
}

bool TcSwitching::ValidateTc(const std::string& name) {
  shown_ = {};
  if (name == "none") {
    ShowOriginalGame(true);
    return true;
  }
  std::string problems;
  {
    std::optional<ConfigReader> reader = OpenRemembered(ctx_.fs, name, problems);
    auto line = [&reader] { return reader ? reader->ReadLine() : std::string(); };
    const std::string title = line();
    shown_.title = title;
    shown_.description = title + ": \r\n" + DecodeDescription(line()) + "\r\n\r\n  --" + name;
    ctx_.state.SetTcTags(std::string(" ").append(platform::Trim(line())).append(" "));
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
