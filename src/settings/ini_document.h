#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace varokin::settings {

// The text of an INI file, read and edited in place. It reads as the Windows profile functions
// read a file edited by hand (a byte order mark, CR line ends, quoted values), and is stricter
// where that keeps a file from being damaged. Lines this class does not understand (damaged
// lines, binary bytes, lines before the first section) are never interpreted as entries and are
// kept byte for byte by every edit.
class IniDocument {
 public:
  explicit IniDocument(std::string text);

  // The value of the first matching entry in the first matching section, without one pair of
  // quotes around it and up to a NUL byte; nothing when missing.
  std::optional<std::string> Find(const std::string& section, const std::string& entry) const;
  // Updates or adds the entry. False, with the text unchanged, when the names or the value could
  // not be written back as one line that reads the same.
  bool Set(const std::string& section, const std::string& entry, const std::string& value);

  const std::string& Text() const { return text_; }

 private:
  struct Line {
    std::size_t begin;
    std::size_t contentEnd;  // before the line end
    std::size_t end;         // after the line end
  };
  struct Location {
    int sectionLine = -1;
    int entryLine = -1;
    int lastFilledLine = -1;  // last line of the section that is not blank
  };

  void SplitLines();
  Location Locate(const std::string& section, const std::string& entry) const;
  std::string LineEnd() const;

  std::string text_;
  // Line numbers are ints, -1 for none; a found one is always in range.
  const Line& LineAt(int index) const { return lines_[static_cast<std::size_t>(index)]; }

  std::vector<Line> lines_;
};

}  // namespace varokin::settings
