#include "settings/ini_document.h"

#include <string_view>
#include <utility>

#include "platform/text.h"

namespace varokin::settings {

namespace {

// ^Z, the old end-of-file mark that some editors still append, counts as a blank, as it does for
// the system's own profile reader.
constexpr std::string_view kBlanks = " \t\r\v\f\x1A";

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view text) { return platform::Trim(text, kBlanks); }

bool IsBracketed(std::string_view line) {
  line = Trim(line);
  return !line.empty() && line.front() == '[';
}

// A section opens at a line whose first non-blank character is "[" and that has a "]" after it. A
// "[" line without one opens nothing and holds no entry, as Windows reads it.
std::optional<std::string_view> SectionName(std::string_view line) {
  line = Trim(line);
  if (!IsBracketed(line)) return std::nullopt;
  line.remove_prefix(1);
  std::size_t close = line.rfind(']');
  if (close == std::string_view::npos) return std::nullopt;
  return Trim(line.substr(0, close));
}

struct Entry {
  std::string_view name;
  std::string_view value;
};

std::optional<Entry> ParseEntry(std::string_view line) {
  std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  Entry entry{Trim(line.substr(0, equals)), Trim(line.substr(equals + 1))};
  if (entry.name.empty()) return std::nullopt;
  return entry;
}

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != text.npos; }

// A value as Windows hands it out: up to a NUL byte, without one pair of the same quotes around it.
std::string_view Unquoted(std::string_view value) {
  value = value.substr(0, value.find('\0'));
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return value;
}

}  // namespace

IniDocument::IniDocument(std::string text) : text_(std::move(text)) { SplitLines(); }

// Lines end at LF, CR LF or a lone CR. A byte order mark belongs to no line, so that it does not
// hide the first section's header.
void IniDocument::SplitLines() {
  lines_.clear();
  std::size_t begin = text_.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
  while (begin < text_.size()) {
    const std::size_t contentEnd = text_.find_first_of("\r\n", begin);
    if (contentEnd == std::string::npos) {
      lines_.push_back({begin, text_.size(), text_.size()});
      break;
    }
    std::size_t end = contentEnd + 1;
    if (text_[contentEnd] == '\r' && end < text_.size() && text_[end] == '\n') ++end;
    lines_.push_back({begin, contentEnd, end});
    begin = end;
  }
}

IniDocument::Location IniDocument::Locate(const std::string& section,
                                          const std::string& entry) const {
  std::string_view wantedSection = Trim(section);
  std::string_view wantedEntry = Trim(entry);
  Location location;
  for (int i = 0; i < static_cast<int>(lines_.size()); ++i) {
    const Line& line = LineAt(i);
    std::string_view content(text_.data() + line.begin, line.contentEnd - line.begin);
    if (std::optional<std::string_view> name = SectionName(content)) {
      if (location.sectionLine >= 0) break;
      if (platform::EqualsIgnoringCase(*name, wantedSection))
        location.sectionLine = location.lastFilledLine = i;
      continue;
    }
    if (location.sectionLine < 0) continue;
    if (!Trim(content).empty()) location.lastFilledLine = i;
    if (IsBracketed(content)) continue;
    std::optional<Entry> parsed = ParseEntry(content);
    if (parsed && location.entryLine < 0 &&
        platform::EqualsIgnoringCase(parsed->name, wantedEntry)) {
      location.entryLine = i;
    }
  }
  return location;
}

std::optional<std::string> IniDocument::Find(const std::string& section,
                                             const std::string& entry) const {
  Location location = Locate(section, entry);
  if (location.entryLine < 0) return std::nullopt;
  const Line& line = LineAt(location.entryLine);
  std::string_view content(text_.data() + line.begin, line.contentEnd - line.begin);
  return std::string(Unquoted(ParseEntry(content)->value));
}

std::string IniDocument::LineEnd() const {
  for (const Line& line : lines_) {
    if (line.end != line.contentEnd)
      return text_.substr(line.contentEnd, line.end - line.contentEnd);
  }
#ifdef _WIN32
  return "\r\n";
#else
  return "\n";
#endif
}

bool IniDocument::Set(const std::string& section, const std::string& entry,
                      const std::string& value) {
  std::string_view sectionName = Trim(section);
  std::string_view entryName = Trim(entry);
  // Anything here that the reader would cut, split or misread would write an entry that reads
  // back differently, or a line that opens a section of its own or is skipped. The reader trims
  // the blanks around a value, so a value that begins or ends with one could not read back as
  // written, and it stops at a NUL.
  if (entryName.empty() || entryName.front() == '[' || entryName.find('=') != entryName.npos ||
      sectionName.find(']') != sectionName.npos || HasLineBreak(sectionName) ||
      HasLineBreak(entryName) || HasLineBreak(value) || Trim(value).size() != value.size() ||
      value.find('\0') != value.npos) {
    return false;
  }
  // A value the reader would take one pair of quotes from gets a pair more.
  const std::string stored =
      Unquoted(value).size() == value.size() ? value : value.front() + value + value.front();
  std::string newLine = std::string(entryName) + "=" + stored;
  std::string eol = LineEnd();
  Location location = Locate(section, entry);
  if (location.entryLine >= 0) {
    // The name stays as the file spells it; only the value changes.
    const Line& line = LineAt(location.entryLine);
    std::string_view content(text_.data() + line.begin, line.contentEnd - line.begin);
    newLine = std::string(ParseEntry(content)->name) + "=" + stored;
    text_.replace(line.begin, line.contentEnd - line.begin, newLine);
  } else if (location.sectionLine >= 0) {
    const Line& after = LineAt(location.lastFilledLine);
    if (after.end == after.contentEnd) {
      text_.insert(after.end, eol + newLine);
    } else {
      text_.insert(after.end, newLine + eol);
    }
  } else {
    if (!lines_.empty() && lines_.back().end == lines_.back().contentEnd) text_ += eol;
    text_ += '[';
    text_.append(sectionName);
    text_ += ']' + eol + newLine + eol;
  }
  SplitLines();
  return true;
}

}  // namespace varokin::settings
