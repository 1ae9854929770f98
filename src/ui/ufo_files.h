#pragma once

#include <string>

#include "platform/file_system.h"

namespace varokin::ui {

// Where disabled UFOs, their description files and the pack files are kept.
inline constexpr const char* kUfoFolder = "Varokin\\UfoManager\\";

bool SameNameIgnoringCase(const std::string& a, const std::string& b);
// Enabled .ufo files the program leaves alone: the game's own rev31.ufo and the names other tools
// keep for themselves.
bool SkippedEnabledUfo(const std::string& fileName);
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
