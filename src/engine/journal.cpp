#include "engine/journal.h"

#include <string_view>

#include "engine/config_files.h"
#include "engine/context.h"
#include "engine/relocation.h"
#include "platform/text.h"

namespace varokin::engine {

namespace {

constexpr char kFirstLine[] = "Varokin journal 1";
constexpr char kPlanEnd[] = "plan end";
// The sections a record may write: those of the mod state, and no other.
constexpr std::string_view kPlannedSections[] = {settings::sections::kPrevious,
                                                 settings::sections::kActiveMutators};

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t begin = 0;
  while (true) {
    const std::size_t end = line.find('\t', begin);
    fields.push_back(line.substr(begin, end - begin));
    if (end == std::string::npos) return fields;
    begin = end + 1;
  }
}

std::string SettingLine(const char* kind, const PlannedSetting& setting) {
  return std::string(kind) + "\t" + setting.section + "\t" + setting.entry + "\t" + setting.value +
         "\n";
}

bool ReadSetting(const std::vector<std::string>& fields, std::vector<PlannedSetting>& into) {
  if (fields.size() != 4) return false;
  bool known = false;
  for (std::string_view section : kPlannedSections) known = known || fields[1] == section;
  if (!known) return false;
  into.push_back({fields[1], fields[2], fields[3]});
  return true;
}

// A name the record would have us move must be one the moves themselves would accept.
bool Inside(const std::string& from, const std::string& to) {
  return StaysInTaFolder(from) && StaysInTaFolder(to);
}

}  // namespace

PlannedSetting Planned(const settings::TextSetting& setting, const std::string& value) {
  return {std::string(setting.section), setting.entry, value};
}

namespace {

// The moves of one mod's files; its title too when asked for it, read on the way: a second reading
// of the file could fail where the first did not.
void PlanFilesOf(Context& ctx, const std::string& fileName, PlanModFiles planFiles,
                 Direction direction, JournalPlan& plan, std::string* title) {
  ConfigReader reader(ctx.fs, fileName);
  if (!reader.IsOpen()) {
    plan.unreadable = fileName;
    return;
  }
  if (title != nullptr) *title = platform::Trim(reader.ReadLine());
  for (int line = title != nullptr ? 1 : 0; line < 3; ++line) reader.ReadLine();
  planFiles(fileName, reader, direction, plan.moves);
}

}  // namespace

JournalPlan PlanModSwitch(Context& ctx, int from, int to, PlanModFiles planFiles,
                          const settings::TextSetting& setting, const std::string& what,
                          const std::string& toNone) {
  const ModNamePool& pool = ctx.state.modNamePool;
  JournalPlan plan;
  plan.what = toNone;
  if (from != kNoMod) PlanFilesOf(ctx, pool.Get(from), planFiles, Direction::kOut, plan, nullptr);
  if (to != kNoMod) {
    std::string title;
    PlanFilesOf(ctx, pool.Get(to), planFiles, Direction::kIn, plan, &title);
    plan.what = what + title;
  }
  plan.finished.push_back(Planned(setting, pool.Get(to)));
  plan.undone.push_back(Planned(setting, pool.Get(from)));
  return plan;
}

bool Journal::Begin(const JournalPlan& plan) {
  // The description comes from the mods' own files: a tab or a line break in a TC's title would
  // split the line and leave a record that cannot be read back.
  std::string what = plan.what;
  for (char& c : what) {
    if (static_cast<unsigned char>(c) < 0x20) c = ' ';
  }
  std::string text = std::string(kFirstLine) + "\nwhat\t" + what + "\n";
  for (const PlannedSetting& setting : plan.finished) text += SettingLine("finished", setting);
  for (const PlannedSetting& setting : plan.undone) text += SettingLine("undone", setting);
  for (const PlannedMove& move : plan.moves) {
    text += std::string("move\t") + (move.withBackup ? "B" : "C") + "\t" + move.from + "\t" +
            move.to + "\n";
  }
  text += std::string(kPlanEnd) + "\n";
  // Written whole, flushed and renamed into place: a record is there entire or not at all.
  if (!fs_.WriteFileAtomic(kJournalPath, text)) return false;
  file_ = fs_.OpenAppend(kJournalPath);
  if (file_ == nullptr) {
    static_cast<void>(fs_.RemoveFile(kJournalPath));
    return false;
  }
  active_ = true;
  return true;
}

void Journal::End() {
  if (!active_) return;
  Add("E\n");
  file_.reset();
  active_ = false;
  static_cast<void>(fs_.RemoveFile(kJournalPath));
}

void Journal::Add(const std::string& line) {
  if (active_) file_->Write(line);
}

bool JournalScope::Open(const std::function<JournalPlan()>& plan) {
  if (journal_.Active()) {
    started_ = true;
    return true;
  }
  const JournalPlan planned = plan();
  if (!planned.unreadable.empty()) {
    problem_ = "Unable to read the file " + planned.unreadable;
    return false;
  }
  // Nothing to move and no setting to write: nothing a cut could leave half done.
  if (planned.moves.empty() && planned.finished.empty() && planned.undone.empty()) {
    started_ = true;
    return true;
  }
  owner_ = true;
  started_ = journal_.Begin(planned);
  if (!started_) problem_ = kJournalUnwritable;
  return started_;
}

JournalScope::~JournalScope() noexcept(false) {
  if (owner_ && started_ && std::uncaught_exceptions() == exceptions_) journal_.End();
}

std::optional<LeftJournal> ParseJournal(const std::string& text) {
  LeftJournal left;
  std::size_t begin = 0;
  bool planEnded = false;
  bool first = true;
  while (begin < text.size()) {
    std::size_t end = text.find('\n', begin);
    // A last line without its end was being written as the program stopped: its rename had not
    // started.
    if (end == std::string::npos) break;
    const std::string line = text.substr(begin, end - begin);
    begin = end + 1;
    const std::vector<std::string> fields = Fields(line);
    if (first) {
      if (line != kFirstLine) return std::nullopt;
      first = false;
    } else if (!planEnded) {
      if (line == kPlanEnd) {
        planEnded = true;
      } else if (fields[0] == "what" && fields.size() == 2) {
        left.plan.what = fields[1];
      } else if (fields[0] == "finished") {
        if (!ReadSetting(fields, left.plan.finished)) return std::nullopt;
      } else if (fields[0] == "undone") {
        if (!ReadSetting(fields, left.plan.undone)) return std::nullopt;
      } else if (fields[0] == "move" && fields.size() == 4 &&
                 (fields[1] == "B" || fields[1] == "C") && Inside(fields[2], fields[3])) {
        left.plan.moves.push_back({fields[2], fields[3], fields[1] == "B"});
      } else {
        return std::nullopt;
      }
    } else if (line == "M") {
      ++left.movesStarted;
      left.firstRenameOfLastMove = left.renames.size();
      left.lastMoveSkipped = false;
    } else if (line == "S" && left.movesStarted > 0 &&
               left.firstRenameOfLastMove == left.renames.size()) {
      left.lastMoveSkipped = true;
    } else if (line == "E") {
      left.ended = true;
    } else if (line == "X") {
      left.undoing = true;
    } else if (line == "F" && !left.renames.empty()) {
      left.renames.back().failed = true;
    } else if (fields[0] == "R" && fields.size() == 3 && Inside(fields[1], fields[2])) {
      left.renames.push_back({fields[1], fields[2]});
    } else {
      return std::nullopt;
    }
  }
  if (!planEnded || left.movesStarted > left.plan.moves.size()) {
    // More moves than planned: the operation went its own way (a failure putting things back)
    // and only undoing what it did is safe.
    if (!planEnded) return std::nullopt;
    left.undoing = true;
  }
  return left;
}

}  // namespace varokin::engine
