#include <string>
#include <vector>

#include "platform/installs.h"

namespace varokin::platform {

namespace {

// The next double-quoted word from at, with its \\ and \" unescaped; empty at the end.
bool NextQuoted(const std::string& text, std::size_t& at, std::string& word) {
  at = text.find('"', at);
  if (at == std::string::npos) return false;
  word.clear();
  for (++at; at < text.size() && text[at] != '"'; ++at) {
    if (text[at] == '\\' && at + 1 < text.size()) ++at;
    word += text[at];
  }
  ++at;
  return true;
}

}  // namespace

std::string VdfValue(const std::string& text, const std::string& key) {
  std::size_t at = 0;
  std::string word;
  while (NextQuoted(text, at, word)) {
    if (word == key) return NextQuoted(text, at, word) ? word : std::string();
  }
  return std::string();
}

std::vector<std::string> SteamLibraries(const std::string& vdfText) {
  std::vector<std::string> libraries;
  std::size_t at = 0;
  std::string word;
  while (NextQuoted(vdfText, at, word)) {
    if (word != "path") continue;
    std::string path;
    if (NextQuoted(vdfText, at, path) && !path.empty()) libraries.push_back(path);
  }
  return libraries;
}

}  // namespace varokin::platform
