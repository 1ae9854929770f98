#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "platform/line_reader.h"

namespace varokin::engine {

// Where disabled UFOs, their description files and the pack files are kept.
inline constexpr const char* kUfoFolder = "Varokin\\UfoManager\\";

bool SameNameIgnoringCase(const std::string& a, const std::string& b);
// Enabled .ufo files the program leaves alone: the game's own rev31.ufo, the names other tools
// keep for themselves, and names no move would take (see SkippedKeptUfo).
bool SkippedEnabledUfo(const std::string& fileName);
// Disabled .ufo files the program leaves alone: "~" names, and names Windows cannot hold. The
// game under Wine cannot reach those, and a line break in one would split a snapshot's line
// into two names, the second another UFO.
bool SkippedKeptUfo(const std::string& fileName);
// "Tanks.ufo" -> "Tanks".
std::string UfoName(const std::string& fileName);
// Where a UFO lies when it is enabled ("Tanks.ufo") and when it is not.
std::string EnabledPlace(const std::string& ufoName);
std::string DisabledPlace(const std::string& ufoName);

// What a UFO's description file says: its tag line ("*" without an "@" line) and, when asked
// for, the description text.
struct UfoDescription {
  bool exists = false;
  std::string tags = "*";
  std::string text;
};
UfoDescription ReadUfoDescription(platform::FileSystem& fs, const std::string& ufoName,
                                  bool withText);

// A whole file, or its first maxBytes; nothing when it cannot be opened (a folder cannot).
std::optional<std::string> ReadFileText(platform::FileSystem& fs, const std::string& path,
                                        std::size_t maxBytes = std::string::npos);

// A file's text cut into lines as LineReader reads them from the disk, so that a format parsed
// from text reads every file as it always did: at most bufferSize - 1 characters a line, the rest
// of a longer line with the next one, LF or CR LF ending a line (a lone CR belongs to it), a line
// cut at a NUL byte, and empty lines once the text has ended.
class TextLines {
 public:
  explicit TextLines(std::string_view text) : text_(text) {}

  // Valid as long as the text is. Named as LineReader's, so that a format reads either.
  std::string_view NextLine(std::size_t bufferSize = platform::LineReader::kDefaultBuffer);

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

}  // namespace varokin::engine
