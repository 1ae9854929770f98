#pragma once

#include <string>

#include "platform/file_system.h"

namespace varokin::ui {

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

// What a UFO's description file says: its tag line ("*" without an "@" line) and, when asked
// for, the description text.
struct UfoDescription {
  bool exists = false;
  std::string tags = "*";
  std::string text;
};
UfoDescription ReadUfoDescription(platform::FileSystem& fs, const std::string& ufoName,
                                  bool withText);

}  // namespace varokin::ui
