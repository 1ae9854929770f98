#include "engine/relocation.h"

#include <array>
#include <string_view>

#include "engine/context.h"
#include "platform/text.h"

namespace varokin::engine {

namespace {

constexpr std::array<std::string_view, 5> kBaseGameFiles = {
    "totala1.hpi", "ccdata.hpi", "btdata.hpi", "rev31.ufo", "revision.gpf"};

// Windows reserves these for devices, whatever extension follows: "nul.hpi" is the null device.
bool IsDeviceName(std::string_view component) {
  std::string_view base = component.substr(0, component.find('.'));
  while (!base.empty() && base.back() == ' ') base.remove_suffix(1);
  for (std::string_view device : {"CON", "PRN", "AUX", "NUL"}) {
    if (platform::EqualsIgnoringCase(base, device)) return true;
  }
  if (base.size() != 4 || base[3] < '1' || base[3] > '9') return false;
  return platform::EqualsIgnoringCase(base.substr(0, 3), "COM") ||
         platform::EqualsIgnoringCase(base.substr(0, 3), "LPT");
}

// The game runs on Windows or under Wine, where a name Windows cannot hold cannot be reached, and
// a control character would split the name in the line-based files we write. Windows also drops
// trailing dots and blanks, so "x." is "x" there, and ".", ". ." or "..." the folder itself or
// its parent: a component may not end in either.
bool WindowsCanHold(std::string_view component) {
  if (component.empty()) return false;  // a leading, doubled or trailing separator
  if (component.back() == '.' || component.back() == ' ') return false;
  for (char c : component) {
    if (static_cast<unsigned char>(c) < 0x20) return false;
    if (std::string_view("<>:\"|?*").find(c) != std::string_view::npos) return false;
  }
  return !IsDeviceName(component);
}

std::string ErrorMoving(const std::string& from, const std::string& to) {
  return "Error moving " + from + " to " + to;
}

}  // namespace

bool IsBaseGameFile(const std::string& path) {
  for (std::string_view name : kBaseGameFiles) {
    if (platform::EqualsIgnoringCase(path, name)) return true;
  }
  return false;
}

std::string BackupName(const std::string& baseGameFile) {
  return baseGameFile.substr(0, baseGameFile.size() - 3) + "###";
}

bool StaysInTaFolder(const std::string& path) {
  // Every component is checked, so a leading separator (an empty first component) and a drive
  // letter (a colon) are refused with the rest.
  std::size_t begin = 0;
  while (true) {
    std::size_t end = path.find_first_of("\\/", begin);
    if (end == std::string::npos) end = path.size();
    if (!WindowsCanHold(std::string_view(path).substr(begin, end - begin))) return false;
    if (end == path.size()) return true;
    begin = end + 1;
  }
}

void Relocator::Report(const std::string& text, const Framing& framing) {
  prompts_.Message(framing.prefix + text + framing.suffix, Buttons::kOk);
}

// The names come from configuration, snapshot and pack files, which anyone can write; a name that
// leads out of the TA folder would move the player's other files. So would a folder inside it that
// is a link to somewhere else.
bool Relocator::RefuseEscape(const std::string& from, const std::string& to,
                             const Framing& framing) {
  if (StaysInTaFolder(from) && StaysInTaFolder(to) && !fs_.LeadsOutside(from) &&
      !fs_.LeadsOutside(to)) {
    return false;
  }
  Report("Refusing to move " + from + " to " + to + ": the name leads outside your TA directory",
         framing);
  return true;
}

bool Relocator::Rename(const std::string& from, const std::string& to) {
  journal_.Renaming(from, to);
  if (fs_.Rename(from, to)) return true;
  journal_.RenameFailed();
  return false;
}

bool Relocator::MoveChecked(const std::string& from, const std::string& to,
                            const Framing& framing) {
  journal_.MoveStarting();
  return CheckedMove(from, to, framing);
}

bool Relocator::MoveAsIs(const std::string& from, const std::string& to) {
  journal_.MoveStarting();
  return Rename(from, to);
}

bool Relocator::CheckedMove(const std::string& from, const std::string& to,
                            const Framing& framing) {
  if (RefuseEscape(from, to, framing)) return false;
  if (!fs_.Exists(from)) {
    Report("Unable to find the file " + from, framing);
    return false;
  }
  if (fs_.Exists(to)) {
    Report("An extra copy of " + to + " was found", framing);
    return false;
  }
  if (!Rename(from, to)) {
    Report(ErrorMoving(from, to), framing);
    return false;
  }
  return true;
}

bool Relocator::MoveWithBackup(const std::string& from, const std::string& to,
                               const Framing& framing) {
  journal_.MoveStarting();
  // A bare base game name always stays in the TA folder; every other case is an ordinary move.
  if (IsBaseGameFile(to) && StaysInTaFolder(from) && fs_.Exists(from) && fs_.Exists(to)) {
    return ReplaceGameFile(from, to, framing);
  }
  // Beside a twin the game's file could not take its name back once the TC's file has left.
  if (IsBaseGameFile(from) && RefuseCaseTwin(from, framing)) return false;
  if (!CheckedMove(from, to, framing)) return false;
  return !IsBaseGameFile(from) || RestoreGameFile(from, framing);
}

bool Relocator::ReplaceGameFile(const std::string& from, const std::string& to,
                                const Framing& framing) {
  // A twin keeps the name taken after the game's file has gone to its backup: the TC's file could
  // not take its place, nor the game's file come back.
  if (RefuseCaseTwin(to, framing)) return false;
  std::string backup = BackupName(to);
  if (fs_.Exists(backup)) {
    Report(
        "Unable to rename" + to + " to " + backup +
            " in order to let it be replaced, the backup file already exists.\n  This is "
            "probably a symptom of a serious problem, you should quit VKN immediately and try to "
            "fix it.",
        framing);
    return false;
  }
  if (!Rename(to, backup)) {
    Report("Unable to rename" + to + " to " + backup + " in order to let it be replaced", framing);
    return false;
  }
  if (!Rename(from, to)) {
    std::string text = ErrorMoving(from, to);
    if (!Rename(backup, to)) {
      text += "\n\nThe game's " + to + " could not be put back: it is now named " + backup;
    }
    Report(text, framing);
    return false;
  }
  return true;
}

bool Relocator::RestoreGameFile(const std::string& baseGameFile, const Framing& framing) {
  std::string backup = BackupName(baseGameFile);
  if (fs_.Exists(backup)) {
    if (Rename(backup, baseGameFile)) return true;
    Report(
        "An error occurred when trying to rename the backup file " + backup + " to " + baseGameFile,
        framing);
    return false;
  }
  if (!startup_.warnModifiedFiles) return true;
  // A monolithic totala1.hpi holds the other archives' contents, so only its own loss matters.
  bool missingMatters =
      platform::EqualsIgnoringCase(baseGameFile, "totala1.hpi") || !startup_.monolithicTotala1;
  if (!missingMatters) return true;
  Report("Unable to locate the backup file " + backup + " which should be replacing the " +
             baseGameFile + " file used by the TC",
         framing);
  return false;
}

bool Relocator::HasCaseTwin(const std::string& path) {
  const std::size_t separator = path.find_last_of("\\/");
  const std::string leaf = separator == std::string::npos ? path : path.substr(separator + 1);
  int sameName = 0;
  // Find also reads its argument as a pattern, so only the names equal to it count.
  for (const std::string& name : fs_.Find(path)) {
    if (platform::EqualsIgnoringCase(name, leaf)) ++sameName;
  }
  return sameName > 1;
}

bool Relocator::RefuseCaseTwin(const std::string& path, const Framing& framing) {
  if (!HasCaseTwin(path)) return false;
  Report("An extra copy of " + path + " was found", framing);
  return true;
}

bool Relocator::Refuse(const std::string& text, const Framing& framing) {
  Report(text, framing);
  return false;
}

bool Relocator::RefuseUnreadable(const std::string& fileName, const Framing& framing) {
  Report("Unable to read the file " + fileName, framing);
  return false;
}

bool RememberBeforeMoving(settings::SettingsStore& settings, Prompts& prompts,
                          const settings::TextSetting& setting, const std::string& value) {
  if (settings.Write(setting, value)) return true;
  prompts.Message("Unable to save the settings file " + settings.Path() + ": nothing was changed.",
                  Buttons::kOk);
  return false;
}

bool RefuseWhileGameRuns(Context& ctx, platform::Processes* processes) {
  if (processes == nullptr || !processes->RunsFromFolder(ctx.fs.CurrentDir())) return false;
  ctx.prompts.Message("Total Annihilation is running. Close the game before you switch mods.");
  return true;
}

}  // namespace varokin::engine
