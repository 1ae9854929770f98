#include "engine/relocation.h"

#include <array>
#include <cctype>
#include <string_view>

namespace varokin::engine {

namespace {

constexpr std::array<std::string_view, 5> kBaseGameFiles = {
    "totala1.hpi", "ccdata.hpi", "btdata.hpi", "rev31.ufo", "revision.gpf"};

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

// Windows drops trailing dots and blanks from a name, so ". ." or "..." can mean the parent folder
// there: any component of only dots and blanks holding two dots or more is refused.
bool LeadsUp(std::string_view component) {
  std::size_t dots = 0;
  for (char c : component) {
    if (c == '.') {
      ++dots;
    } else if (c != ' ') {
      return false;
    }
  }
  return dots >= 2;
}

std::string ErrorMoving(const std::string& from, const std::string& to) {
  return "Error moving " + from + " to " + to;
}

}  // namespace

bool IsBaseGameFile(const std::string& path) {
  for (std::string_view name : kBaseGameFiles) {
    if (SameNameIgnoringCase(path, name)) return true;
  }
  return false;
}

std::string BackupName(const std::string& baseGameFile) {
  return baseGameFile.substr(0, baseGameFile.size() - 3) + "###";
}

bool StaysInTaFolder(const std::string& path) {
  if (!path.empty() && (path.front() == '\\' || path.front() == '/')) return false;
  if (path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]))) {
    return false;
  }
  std::size_t begin = 0;
  while (begin <= path.size()) {
    std::size_t end = path.find_first_of("\\/", begin);
    if (end == std::string::npos) end = path.size();
    if (LeadsUp(std::string_view(path).substr(begin, end - begin))) return false;
    begin = end + 1;
  }
  return true;
}

void Relocator::Report(const std::string& text) {
  prompts_.Message(movePrefix + text + moveSuffix, ui::Buttons::kOk);
}

// The names come from configuration, snapshot and pack files, which anyone can write; a name that
// leads out of the TA folder would move the player's other files. So would a folder inside it that
// is a link to somewhere else.
bool Relocator::RefuseEscape(const std::string& from, const std::string& to) {
  if (StaysInTaFolder(from) && StaysInTaFolder(to) && !fs_.LeadsOutside(from) &&
      !fs_.LeadsOutside(to)) {
    return false;
  }
  Report("Refusing to move " + from + " to " + to + ": the name leads outside your TA directory");
  return true;
}

bool Relocator::MoveChecked(const std::string& from, const std::string& to) {
  if (RefuseEscape(from, to)) return false;
  if (!fs_.Exists(from)) {
    Report("Unable to find the file " + from);
    return false;
  }
  if (fs_.Exists(to)) {
    Report("An extra copy of " + to + " was found");
    return false;
  }
  if (!fs_.Rename(from, to)) {
    Report(ErrorMoving(from, to));
    return false;
  }
  return true;
}

bool Relocator::MoveWithBackup(const std::string& from, const std::string& to) {
  // A bare base game name always stays in the TA folder; every other case is an ordinary move.
  if (IsBaseGameFile(to) && StaysInTaFolder(from) && fs_.Exists(from) && fs_.Exists(to)) {
    return ReplaceGameFile(from, to);
  }
  if (!MoveChecked(from, to)) return false;
  return !IsBaseGameFile(from) || RestoreGameFile(from);
}

bool Relocator::ReplaceGameFile(const std::string& from, const std::string& to) {
  std::string backup = BackupName(to);
  if (fs_.Exists(backup)) {
    Report("Unable to rename" + to + " to " + backup +
           " in order to let it be replaced, the backup file already exists.\n  This is "
           "probably a symptom of a serious problem, you should quit VKN immediately and try to "
           "fix it.");
    return false;
  }
  if (!fs_.Rename(to, backup)) {
    Report("Unable to rename" + to + " to " + backup + " in order to let it be replaced");
    return false;
  }
  if (!fs_.Rename(from, to)) {
    fs_.Rename(backup, to);
    Report(ErrorMoving(from, to));
    return false;
  }
  return true;
}

bool Relocator::RestoreGameFile(const std::string& baseGameFile) {
  std::string backup = BackupName(baseGameFile);
  if (fs_.Exists(backup)) {
    if (fs_.Rename(backup, baseGameFile)) return true;
    Report("An error occurred when trying to rename the backup file " + backup + " to " +
           baseGameFile);
    return false;
  }
  if (!startup_.warnModifiedFiles) return true;
  // A monolithic totala1.hpi holds the other archives' contents, so only its own loss matters.
  bool missingMatters =
      SameNameIgnoringCase(baseGameFile, "totala1.hpi") || !startup_.monolithicTotala1;
  if (!missingMatters) return true;
  Report("Unable to locate the backup file " + backup + " which should be replacing the " +
         baseGameFile + " file used by the TC");
  return false;
}

bool Relocator::RefuseUnreadable(const std::string& fileName) {
  Report("Unable to read the file " + fileName);
  return false;
}

}  // namespace varokin::engine
