#pragma once

#include <optional>
#include <string>

#include "platform/file_system.h"
#include "platform/line_reader.h"

namespace varokin::engine {

enum class ModKind { kTotalConversion, kMutator, kAi };

// "Varokin\][*.tc", "Varokin\}{*.vkn", "Varokin\^^*.ai".
std::string ConfigPattern(ModKind kind);
// "Varokin\" + F.
std::string ConfigPath(const std::string& fileName);
// Line 2 of a configuration or description file with every "##" made a line break (CR LF).
std::string DecodeDescription(const std::string& line);
// Line 1 + ": \r\n" + description + "\r\n\r\n  -- " + F.
std::string DescriptionPane(const std::string& title, const std::string& line2,
                            const std::string& fileName);

// A Total Conversion's custom executable: F with "tc" replaced by "exe".
std::string TcExecutableName(const std::string& fileName);
// Stems that name stored payloads: F without ".vkn" / ".ai".
std::string MutatorStem(const std::string& fileName);
std::string AiStem(const std::string& fileName);
// "Varokin\" + B + "(" + k + ")".
std::string AiStoredPayload(const std::string& stem, int k);
// B + ".ccx" for k = 0, B + "(" + k + ").ccx" otherwise.
std::string MutatorPayload(const std::string& stem, int k);

// Start-up validation reads no more rename pairs or AI payloads than this. No real modification
// comes near it, and each costs two look-ups: a file of millions of pairs would take minutes and
// gigabytes to check, 10,000 take well under a second.
inline constexpr int kValidatedPairLimit = 10000;

// The start-up report's line for names a move would refuse (StaysInTaFolder); such names are
// never looked up, so that start-up tests nothing outside the TA folder.
std::string RefusedNameProblem(const std::string& what);

struct RenamePair {
  std::string stored;     // relative to the Varokin folder
  std::string installed;  // relative to the TA folder
};

// Reads one configuration file front to back. Nothing of it is kept after the operation that
// reads it.
class ConfigReader {
 public:
  ConfigReader(platform::FileSystem& fs, const std::string& fileName);

  bool IsOpen() const { return lines_.IsOpen(); }
  std::string ReadLine() { return lines_.ReadLine(); }
  // Skips lines 1 to 3.
  void SkipHeader();
  // The next rename pair of a Total Conversion; false at the first line that is not a pair.
  bool NextRenamePair(RenamePair& pair);
  // The next payload word of an AI; false at the first line without a word.
  bool NextAiPayload(std::string& word);
  // Line 4 of a Mutator: its payload count; nothing when the line does not start with a number.
  std::optional<int> ReadMutatorCount();

 private:
  platform::LineReader lines_;
};

// The remembered configuration file for the start-up check, or nothing, with the report's line
// added to problems, when its name leads out: start-up opens nothing outside the TA folder.
std::optional<ConfigReader> OpenRemembered(platform::FileSystem& fs, const std::string& fileName,
                                           std::string& problems);

}  // namespace varokin::engine
