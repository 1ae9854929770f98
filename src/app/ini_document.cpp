#include "app/ini_document.h"

#include <string_view>
#include <utility>

namespace varokin::app {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

// A line whose first non-blank character is "[" opens a section, also when its "]" is missing, so
// that entries under a damaged header are never taken for entries of the section above it.
std::optional<std::string_view> SectionName(std::string_view line) {
  line = Trim(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  line.remove_prefix(1);
  std::size_t close = line.rfind(']');
  if (close != std::string_view::npos) line = line.substr(0, close);
  return Trim(line);
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

}  // namespace

IniDocument::IniDocument(std::string text) : text_(std::move(text)) { SplitLines(); }

void IniDocument::SplitLines() {
  lines_.clear();
  std::size_t begin = 0;
  while (begin < text_.size()) {
    std::size_t newline = text_.find('\n', begin);
    if (newline == std::string::npos) {
      lines_.push_back({begin, text_.size(), text_.size()});
      break;
    }
    std::size_t contentEnd = newline;
    if (contentEnd > begin && text_[contentEnd - 1] == '\r') --contentEnd;
    lines_.push_back({begin, contentEnd, newline + 1});
    begin = newline + 1;
  }
}

IniDocument::Location IniDocument::Locate(const std::string& section,
                                          const std::string& entry) const {
  std::string_view wantedSection = Trim(section);
  std::string_view wantedEntry = Trim(entry);
  Location location;
  for (int i = 0; i < static_cast<int>(lines_.size()); ++i) {
    const Line& line = lines_[i];
    std::string_view content(text_.data() + line.begin, line.contentEnd - line.begin);
    if (std::optional<std::string_view> name = SectionName(content)) {
      if (location.sectionLine >= 0) break;
      if (SameName(*name, wantedSection)) location.sectionLine = location.lastFilledLine = i;
      continue;
    }
    if (location.sectionLine < 0) continue;
    if (!Trim(content).empty()) location.lastFilledLine = i;
    std::optional<Entry> parsed = ParseEntry(content);
    if (parsed && location.entryLine < 0 && SameName(parsed->name, wantedEntry)) {
      location.entryLine = i;
    }
  }
  return location;
}

std::optional<std::string> IniDocument::Find(const std::string& section,
                                             const std::string& entry) const {
  Location location = Locate(section, entry);
  if (location.entryLine < 0) return std::nullopt;
  const Line& line = lines_[location.entryLine];
  std::string_view content(text_.data() + line.begin, line.contentEnd - line.begin);
  return std::string(ParseEntry(content)->value);
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
  // back differently, or a line that opens a section of its own. The reader trims the blanks
  // around a value, so a value that begins or ends with one could not read back as written.
  if (entryName.empty() || entryName.front() == '[' || entryName.find('=') != entryName.npos ||
      sectionName.find(']') != sectionName.npos || HasLineBreak(sectionName) ||
      HasLineBreak(entryName) || HasLineBreak(value) || Trim(value).size() != value.size()) {
    return false;
  }
  std::string newLine = std::string(entryName) + "=" + value;
  std::string eol = LineEnd();
  Location location = Locate(section, entry);
  if (location.entryLine >= 0) {
    // The name stays as the file spells it; only the value changes.
    const Line& line = lines_[location.entryLine];
    std::string_view content(text_.data() + line.begin, line.contentEnd - line.begin);
    newLine = std::string(ParseEntry(content)->name) + "=" + value;
    text_.replace(line.begin, line.contentEnd - line.begin, newLine);
  } else if (location.sectionLine >= 0) {
    const Line& after = lines_[location.lastFilledLine];
    if (after.end == after.contentEnd) {
      text_.insert(after.end, eol + newLine);
    } else {
      text_.insert(after.end, newLine + eol);
    }
  } else {
    if (!text_.empty() && text_.back() != '\n') text_ += eol;
    text_ += '[';
    text_.append(sectionName);
    text_ += ']' + eol + newLine + eol;
  }
  SplitLines();
  return true;
}

}  // namespace varokin::app
