#include "engine/journal_repair.h"

#include <optional>
#include <string>
#include <vector>

#include "engine/journal.h"
#include "engine/relocation.h"

namespace varokin::engine {

namespace {

// A plan of many thousands of moves is a few megabytes; far beyond that the file is not ours.
constexpr std::size_t kLargestJournal = 64 * 1024 * 1024;
constexpr std::size_t kListedAtMost = 40;

// "1,013"
std::string WithThousands(std::size_t number) {
  std::string digits = std::to_string(number);
  for (std::size_t at = digits.size(); at > 3; at -= 3) digits.insert(at - 3, ",");
  return digits;
}

enum class Place { kBefore, kAfter, kUnclear };

// Where a rename left its file: still at from, at to, or neither (or both).
Place PlaceOf(platform::FileSystem& fs, const std::string& from, const std::string& to) {
  const bool atFrom = fs.Exists(from);
  const bool atTo = fs.Exists(to);
  if (atFrom && !atTo) return Place::kBefore;
  if (!atFrom && atTo) return Place::kAfter;
  return Place::kUnclear;
}

class Repair {
 public:
  Repair(platform::FileSystem& fs, Prompts& prompts, settings::SettingsStore& settings,
         const StartupState& startup, LeftJournal left)
      : fs_(fs),
        prompts_(prompts),
        settings_(settings),
        relocator_(fs, prompts, startup),
        left_(std::move(left)) {
    // Every logged rename was made, but for those that failed and the last one, which the
    // program may have been killed before or after: the disk tells.
    done_.assign(left_.renames.size(), true);
    for (std::size_t i = 0; i < left_.renames.size(); ++i) {
      if (left_.renames[i].failed) done_[i] = false;
    }
    for (std::size_t i = left_.renames.size(); i-- > 0;) {
      if (left_.renames[i].failed) continue;
      const LeftJournal::Rename& last = left_.renames[i];
      done_[i] = PlaceOf(fs_, last.from, last.to) == Place::kAfter;
      break;
    }
  }

  std::string Progress() const {
    const std::size_t total = left_.plan.moves.size();
    const std::size_t made = left_.movesStarted - (LastMoveComplete() ? 0 : 1);
    return left_.plan.what + " was interrupted after " + WithThousands(std::min(made, total)) +
           " of " + WithThousands(total) + " moves.";
  }

  void Undo() {
    PutBack(0);
    Write(left_.plan.undone);
  }

  void Finish() {
    // An operation that had failed was putting its files back: that is what finishing means.
    if (left_.undoing) {
      Undo();
      return;
    }
    // The move cut short is put back, then made again whole with the rest.
    PutBack(left_.firstRenameOfLastMove);
    const Framing framing{"Finishing: ", ""};
    const std::size_t first = left_.movesStarted == 0 || left_.lastMoveSkipped
                                  ? left_.movesStarted
                                  : left_.movesStarted - 1;
    for (std::size_t i = first; i < left_.plan.moves.size(); ++i) {
      const PlannedMove& move = left_.plan.moves[i];
      // The game's own archive stands where a TC's file goes; the move keeps it aside.
      const bool taken = fs_.Exists(move.to) && !(move.withBackup && IsBaseGameFile(move.to));
      if (!fs_.Exists(move.from) || taken) {
        Unplaced(move.from, move.to);
        continue;
      }
      const bool moved = move.withBackup ? relocator_.MoveWithBackup(move.from, move.to, framing)
                                         : relocator_.MoveChecked(move.from, move.to, framing);
      if (!moved) Unplaced(move.from, move.to);
    }
    Write(left_.plan.finished);
  }

  // Whether the move the journal names last was made whole before the program stopped: its last
  // rename is made, and is the move itself or, for a base game file moved away, the return of the
  // game's file from its backup.
  bool LastMoveComplete() const {
    if (left_.movesStarted == 0 || left_.lastMoveSkipped) return true;
    if (left_.movesStarted > left_.plan.moves.size() || done_.empty() || !done_.back() ||
        left_.firstRenameOfLastMove >= left_.renames.size()) {
      return false;
    }
    const PlannedMove& move = left_.plan.moves[left_.movesStarted - 1];
    const LeftJournal::Rename& last = left_.renames.back();
    if (IsBaseGameFile(move.from))
      return last.to == move.from && last.from == BackupName(move.from);
    return last.from == move.from && last.to == move.to;
  }

  // Lists the files left alone, if any.
  void Report() {
    if (unplaced_.empty()) return;
    std::string text =
        "These files were neither where they started nor where they should go, so Varokin left "
        "them alone:\n\n";
    for (std::size_t i = 0; i < unplaced_.size() && i < kListedAtMost; ++i) {
      text += "-> " + unplaced_[i] + "\n";
    }
    if (unplaced_.size() > kListedAtMost) {
      text += "and " + WithThousands(unplaced_.size() - kListedAtMost) + " more\n";
    }
    prompts_.Message(text);
  }

 private:
  // Puts back, last first, every rename made from the index on.
  void PutBack(std::size_t first) {
    for (std::size_t i = left_.renames.size(); i-- > first;) {
      if (!done_[i]) continue;
      const LeftJournal::Rename& rename = left_.renames[i];
      const Place place = PlaceOf(fs_, rename.from, rename.to);
      // Already back: a repair cut short before it could remove the journal.
      if (place == Place::kBefore) continue;
      if (place == Place::kUnclear || !fs_.Rename(rename.to, rename.from)) {
        Unplaced(rename.to, rename.from);
      }
    }
  }

  void Unplaced(const std::string& from, const std::string& to) {
    unplaced_.push_back(from + " (to go to " + to + ")");
  }

  void Write(const std::vector<PlannedSetting>& values) {
    for (const PlannedSetting& value : values) {
      settings_.Write(settings::TextSetting{value.section, value.entry, ""}, value.value);
    }
  }

  platform::FileSystem& fs_;
  Prompts& prompts_;
  settings::SettingsStore& settings_;
  Relocator relocator_;
  LeftJournal left_;
  std::vector<bool> done_;
  std::vector<std::string> unplaced_;
};

}  // namespace

void RepairInterrupted(platform::FileSystem& fs, Prompts& prompts,
                       settings::SettingsStore& settings, const StartupState& startup) {
  if (!fs.Exists(kJournalPath)) return;
  const std::optional<std::string> text = fs.ReadAt(kJournalPath, 0, kLargestJournal + 1);
  std::optional<LeftJournal> left;
  if (text && text->size() <= kLargestJournal) left = ParseJournal(*text);
  if (!left) {
    prompts.Message(std::string("The file ") + kJournalPath +
                    " records an operation that was cut short, but it cannot be read or names "
                    "files outside your TA directory. Varokin ignores it.");
    return;
  }
  if (left->ended) {
    static_cast<void>(fs.RemoveFile(kJournalPath));
    return;
  }
  Repair repair(fs, prompts, settings, startup, std::move(*left));
  const Answer answer =
      prompts.Message(repair.Progress() + "\n\nFinish it, undo it, or leave the files as they are?",
                      Buttons::kFinishUndoLeave, Icon::kQuestion);
  if (answer == Answer::kYes) {
    repair.Finish();
  } else if (answer == Answer::kNo) {
    repair.Undo();
  } else {
    return;
  }
  static_cast<void>(fs.RemoveFile(kJournalPath));
  repair.Report();
}

}  // namespace varokin::engine
