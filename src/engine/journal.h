#pragma once

#include <cstddef>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "settings/settings_store.h"

namespace varokin::engine {

// Where an operation that moves files keeps its record until it has ended.
inline constexpr char kJournalPath[] = "Varokin\\Journal.txt";

// One move an operation means to make. withBackup: the move of a Total Conversion, which keeps a
// base game file under its backup name while the TC's file takes its place.
struct PlannedMove {
  std::string from;
  std::string to;
  bool withBackup = false;
};

// A settings entry and the value it holds at one end of an operation.
struct PlannedSetting {
  std::string section;
  std::string entry;
  std::string value;
};

// What an operation is about to do: said to the user should it be cut short, and enough to
// finish it or to undo it then.
struct JournalPlan {
  std::string what;  // "Switching to the TC Ashen Frontier"
  std::vector<PlannedMove> moves;
  std::vector<PlannedSetting> finished;  // the settings once every move is made
  std::vector<PlannedSetting> undone;    // the settings before the first move
  // A configuration file the plan could not be read from: the plan would miss its moves.
  std::string unreadable;
};

PlannedSetting Planned(const settings::TextSetting& setting, const std::string& value);

struct Context;

// Whether a mod's files go into the TA folder or back to where they are kept.
enum class Direction { kIn, kOut };

class ConfigReader;

// Adds the moves of one mod's files to a plan, from its configuration file read past the header.
using PlanModFiles = void (*)(const std::string& fileName, ConfigReader& reader,
                              Direction direction, std::vector<PlannedMove>& moves);

// A switch between two mods of one kind, either of them kNoMod: the old one's files out, the new
// one's in, and the setting that names the active one once finished or once undone.
// what: "Switching to the TC " before the new one's title, or the whole text when there is none.
JournalPlan PlanModSwitch(Context& ctx, int from, int to, PlanModFiles planFiles,
                          const settings::TextSetting& setting, const std::string& what,
                          const std::string& toNone);

// The record of the operation under way. The plan is written whole and flushed before the first
// move; each rename then adds a line before it reaches the disk, which costs one write to an open
// file. A program killed at any point leaves the record of exactly what it had done.
class Journal {
 public:
  explicit Journal(platform::FileSystem& fs) : fs_(fs) {}

  // False when the plan could not be written: the operation must not start.
  [[nodiscard]] bool Begin(const JournalPlan& plan);
  // The operation has ended, done or undone: its record says so, and goes. Should the removal
  // fail, the next start finds it marked ended and removes it without a word.
  void End();
  [[nodiscard]] bool Active() const { return active_; }

  // What the moves tell as they go.
  void MoveStarting() { Add("M\n"); }
  void Renaming(const std::string& from, const std::string& to) {
    Add("R\t" + from + "\t" + to + "\n");
  }
  void RenameFailed() { Add("F\n"); }
  // A planned move the user chose not to make, within a journal of several (a UFO of a pack that
  // claims no compatibility): finishing the operation must not make it either.
  void MoveSkipped() { Add("M\nS\n"); }
  // The operation failed and is putting back what it moved: finishing it is undoing it.
  void UndoStarting() { Add("X\n"); }

 private:
  void Add(const std::string& line);

  platform::FileSystem& fs_;
  std::unique_ptr<platform::OutputFile> file_;
  bool active_ = false;
};

// Keeps the journal for the life of one operation. The outermost scope writes the plan (the
// plan of a switch from one TC to another covers both halves); one inside it joins it. The record
// stays when the scope is left by an exception: the operation did not end, it was cut short.
class JournalScope {
 public:
  // A scope opened later, once the operation knows it will move files.
  explicit JournalScope(Journal& journal) : journal_(journal) {}
  JournalScope(Journal& journal, const std::function<JournalPlan()>& plan) : journal_(journal) {
    static_cast<void>(Open(plan));
  }
  // Removing the journal may fail as any call on the disk may; the scope is never held where
  // that could not be let through.
  ~JournalScope() noexcept(false);
  // Started().
  bool Open(const std::function<JournalPlan()>& plan);
  JournalScope(const JournalScope&) = delete;
  JournalScope& operator=(const JournalScope&) = delete;

  // False when the plan could not be read or written; nothing may move then, and Problem says why.
  [[nodiscard]] bool Started() const { return started_; }
  [[nodiscard]] const std::string& Problem() const { return problem_; }

 private:
  Journal& journal_;
  bool owner_ = false;
  bool started_ = false;
  std::string problem_;
  int exceptions_ = std::uncaught_exceptions();
};

// A record left behind, as read back.
struct LeftJournal {
  JournalPlan plan;
  struct Rename {
    std::string from;
    std::string to;
    bool failed = false;
  };
  std::vector<Rename> renames;
  // How many of the plan's moves were started, and whether the operation was undoing itself.
  std::size_t movesStarted = 0;
  bool undoing = false;
  bool ended = false;
  bool lastMoveSkipped = false;
  // The renames logged after the last move started: the move cut short.
  std::size_t firstRenameOfLastMove = 0;
};

// Nothing when the text is not a whole record of ours, or names anything outside the TA folder.
std::optional<LeftJournal> ParseJournal(const std::string& text);

}  // namespace varokin::engine
