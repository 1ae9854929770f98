#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "engine/prompts.h"
#include "engine/ufo_files.h"
#include "platform/file_system.h"

namespace varokin::engine {

// A UFO pack file: the pack's name, its description, and the names of its UFOs (.ufo file names
// without the extension), one line each, up to the first empty line.
struct UfoPack {
  std::string name;
  std::string description;  // with its line breaks (CR LF)
  std::vector<std::string> ufos;

  bool operator==(const UfoPack&) const = default;
};

// The first bytes of a pack file, which hold its name and description whatever follows.
inline constexpr std::size_t kPackHeaderBytes = 2 * (platform::LineReader::kDefaultBuffer + 1);

// withUfos false reads the name and the description only.
UfoPack ParsePackFile(std::string_view text, bool withUfos = true);
// The UFO lines ParsePackFile would give, each passed to onMember as it is read from the lines
// (TextLines, or a LineReader straight from the disk): a pack of a million lines is not copied.
template <class Lines, class OnMember>
void ForEachPackMember(Lines& lines, OnMember onMember) {
  lines.NextLine();
  lines.NextLine();
  for (std::string_view line = lines.NextLine(); !line.empty(); line = lines.NextLine())
    onMember(line);
}

// The units pane for a pack: its name, description and file name, as a configuration file's.
std::string PackPane(const UfoPack& pack, const std::string& fileName);

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

// Saves a pack made in "Make a UFO Pack" under a typed file name, asking before one is replaced,
// and tells the user how it went. False when the name is refused: the dialog stays open to have
// it corrected.
bool SaveUfoPack(platform::FileSystem& fs, Prompts& prompts, const std::string& fileName,
                 const UfoPack& pack);

}  // namespace varokin::engine
