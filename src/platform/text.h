#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

// Text helpers that never ask the locale: the Qt program runs in C.UTF-8, and names must fold and
// compare there exactly as on Windows and in the folder cache.
namespace varokin::platform {

// The blanks the "C" locale's isspace knows.
inline constexpr std::string_view kSpaces = " \t\n\v\f\r";

constexpr char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
constexpr char UpperAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
constexpr bool IsSpace(char c) { return kSpaces.find(c) != std::string_view::npos; }

// Lower-cases ASCII letters only, whatever the locale: bytes of multibyte characters are left as
// they are, so a name in any encoding keeps its meaning and compares as the folder cache does.
inline std::string LowerCase(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = LowerAscii(c);
  return lower;
}

inline bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

// The text without the blanks that begin and end it.
inline std::string_view Trim(std::string_view text, std::string_view blanks = kSpaces) {
  const std::size_t first = text.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// The words of a line separated by runs of blanks; none for a blank line.
inline std::vector<std::string> SplitAtBlanks(std::string_view text,
                                              std::string_view blanks = " \t") {
  std::vector<std::string> words;
  std::size_t end = 0;
  for (std::size_t start; (start = text.find_first_not_of(blanks, end)) != text.npos;) {
    end = std::min(text.find_first_of(blanks, start), text.size());
    words.emplace_back(text.substr(start, end - start));
  }
  return words;
}

}  // namespace varokin::platform
