#pragma once

#include <string>

#include "engine/journal.h"
#include "engine/prompts.h"
#include "engine/startup_state.h"
#include "platform/file_system.h"
#include "settings/settings_store.h"

namespace varokin::engine {

// The five archives of the game that a Total Conversion may replace.
[[nodiscard]] bool IsBaseGameFile(const std::string& path);
// "totala1.hpi" -> "totala1.###".
std::string BackupName(const std::string& baseGameFile);
// True when a name read from a file stays inside the TA folder and Windows can hold it: relative,
// no drive letter, no empty, "." or ".." component, no device name (NUL, CON, COM1.txt, ...), none
// of < > : " | ? * or a control character, no component ending in a dot or a blank.
[[nodiscard]] bool StaysInTaFolder(const std::string& path);

// Why an operation did not start: its journal could not be written.
inline constexpr char kJournalUnwritable[] =
    "Unable to write Varokin\\Journal.txt: nothing was changed.";

// What frames every message of one operation's moves: the operation's name before the problem,
// and what became of the operation after it.
struct Framing {
  std::string prefix;
  std::string suffix;
};

// The two moves every switch is made of. Each reports its own failure, framed as the calling
// operation says; false means exactly one message was shown.
class Relocator {
 public:
  Relocator(platform::FileSystem& fs, Prompts& prompts, const engine::StartupState& startup)
      : fs_(fs), prompts_(prompts), startup_(startup), journal_(fs) {}

  // The record every move of an operation is written to while one is open.
  Journal& JournalOfMoves() { return journal_; }

  // Moves a file or folder; never overwrites.
  [[nodiscard]] bool MoveChecked(const std::string& from, const std::string& to,
                                 const Framing& framing);
  // The move of Total Conversions: may replace one of the game's base files, which is kept under
  // its backup name meanwhile and put back when the replacement is moved out.
  [[nodiscard]] bool MoveWithBackup(const std::string& from, const std::string& to,
                                    const Framing& framing);
  // One rename, recorded as one move of the journal but without the moves' checks and messages:
  // for an operation that reports its failures in its own words.
  [[nodiscard]] bool MoveAsIs(const std::string& from, const std::string& to);
  // Reports "An extra copy of" a name that has a case twin in its folder (only on a disk that
  // tells case apart): a file moved from there could never go back, the twin holding its place.
  [[nodiscard]] bool RefuseCaseTwin(const std::string& path, const Framing& framing);
  // Reports text framed as the moves' own messages are. Always false.
  [[nodiscard]] bool Refuse(const std::string& text, const Framing& framing);
  // Refuses an operation whose configuration file cannot be read: it would name nothing to move
  // and so pass for done. Always false.
  [[nodiscard]] bool RefuseUnreadable(const std::string& fileName, const Framing& framing);

 private:
  void Report(const std::string& text, const Framing& framing);
  // Every rename of the moves, told to the journal first.
  [[nodiscard]] bool Rename(const std::string& from, const std::string& to);
  [[nodiscard]] bool CheckedMove(const std::string& from, const std::string& to,
                                 const Framing& framing);
  [[nodiscard]] bool HasCaseTwin(const std::string& path);
  [[nodiscard]] bool RefuseEscape(const std::string& from, const std::string& to,
                                  const Framing& framing);
  // MoveWithBackup onto a base game file that is there: the game's file goes to its backup name.
  [[nodiscard]] bool ReplaceGameFile(const std::string& from, const std::string& to,
                                     const Framing& framing);
  // MoveWithBackup after a base game file has been moved out: its backup comes back.
  [[nodiscard]] bool RestoreGameFile(const std::string& baseGameFile, const Framing& framing);

  platform::FileSystem& fs_;
  Prompts& prompts_;
  const engine::StartupState& startup_;
  Journal journal_;
};

// Writes the setting that remembers a switch, before its first move. A switch the settings
// cannot record would be misread at the next start (a TC in place, the original game
// remembered), so it does not start and the user is told why. False when the write failed.
bool RememberBeforeMoving(settings::SettingsStore& settings, Prompts& prompts,
                          const settings::TextSetting& setting, const std::string& value);

}  // namespace varokin::engine
