#pragma once

#include <string>
#include <vector>

#include "platform/file_system.h"

namespace varokin::engine {

// A UFO pack file: the pack's name, its description, and the names of its UFOs (.ufo file names
// without the extension), one line each.
struct UfoPack {
  std::string name;
  std::string description;
  std::vector<std::string> ufos;
};

// "Varokin\UfoManager\" + fileName.
std::string PackPath(const std::string& fileName);

// Whether a typed file name names a file of its own in Varokin\UfoManager: no folder part, and a
// name the moves would take (StaysInTaFolder: no drive letter, not "." or "..", not empty, ...).
bool IsPlainPackFileName(const std::string& fileName);

// The description as it is stored: one line, each line break of the text ("\r\n", or a lone
// "\n" or "\r" as some edits give them) written as "##".
std::string StoredDescription(const std::string& text);

// The file's bytes: every line ends with CR LF, the last one too.
std::string PackFileText(const UfoPack& pack);

// Writes the pack file in one piece (replacing one that is there); false when it cannot.
bool WritePackFile(platform::FileSystem& fs, const std::string& path, const UfoPack& pack);

}  // namespace varokin::engine
