#include "engine/config_files.h"

#include <cstddef>

#include "engine/relocation.h"

namespace varokin::engine {

namespace {

const char kVarokinFolder[] = "Varokin\\";

// F without its extension; a name too short to have one is left whole.
std::string WithoutLast(const std::string& text, std::size_t count) {
  return text.size() >= count ? text.substr(0, text.size() - count) : text;
}

}  // namespace

std::string ConfigPattern(ModKind kind) {
  switch (kind) {
    case ModKind::kTotalConversion:
      return std::string(kVarokinFolder) + "][*.tc";
    case ModKind::kMutator:
      return std::string(kVarokinFolder) + "}{*.vkn";
    case ModKind::kAi:
      break;
  }
  return std::string(kVarokinFolder) + "^^*.ai";
}

std::string ConfigPath(const std::string& fileName) { return kVarokinFolder + fileName; }

std::string DecodeDescription(const std::string& line) {
  std::string text;
  text.reserve(line.size());
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '#' && i + 1 < line.size() && line[i + 1] == '#') {
      text += "\r\n";
      ++i;
    } else {
      text += line[i];
    }
  }
  return text;
}

std::string DescriptionPane(const std::string& title, const std::string& line2,
                            const std::string& fileName) {
  return title + ": \r\n" + DecodeDescription(line2) + "\r\n\r\n  -- " + fileName;
}

std::string TcExecutableName(const std::string& fileName) {
  return WithoutLast(fileName, 2) + "exe";
}

std::string MutatorStem(const std::string& fileName) { return WithoutLast(fileName, 4); }

std::string AiStem(const std::string& fileName) { return WithoutLast(fileName, 3); }

std::string AiStoredPayload(const std::string& stem, int k) {
  return kVarokinFolder + stem + "(" + std::to_string(k) + ")";
}

std::string MutatorPayload(const std::string& stem, int k) {
  if (k == 0) return stem + ".ccx";
  return stem + "(" + std::to_string(k) + ").ccx";
}

std::string RefusedNameProblem(const std::string& what) {
  return "-> " + what + " is not valid: a name leads outside your TA directory\n";
}

std::optional<ConfigReader> OpenRemembered(platform::FileSystem& fs, const std::string& fileName,
                                           std::string& problems) {
  if (StaysInTaFolder(ConfigPath(fileName)))
    return std::optional<ConfigReader>(std::in_place, fs, fileName);
  problems += RefusedNameProblem("The name " + fileName);
  return std::nullopt;
}

ConfigReader::ConfigReader(platform::FileSystem& fs, const std::string& fileName)
    : lines_(fs, ConfigPath(fileName)) {}

void ConfigReader::SkipHeader() {
  for (int line = 0; line < 3; ++line) lines_.ReadLine();
}

bool ConfigReader::NextRenamePair(RenamePair& pair) {
  std::string line = lines_.ReadLine();
  platform::WordScanner words(line);
  return words.NextWord(pair.stored) && words.NextWord(pair.installed);
}

bool ConfigReader::NextAiPayload(std::string& word) {
  std::string line = lines_.ReadLine();
  platform::WordScanner words(line);
  return words.NextWord(word);
}

std::optional<int> ConfigReader::ReadMutatorCount() {
  std::string line = lines_.ReadLine();
  platform::WordScanner words(line);
  int count = 0;
  if (!words.NextInt(count)) return std::nullopt;
  return count;
}

}  // namespace varokin::engine
