#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "engine/game_files.h"
#include "support/inventory.h"

namespace varokin::fixtures {

// The game's files TaFolder::Game lays down; an empty size leaves the file out.
struct GameFiles {
  std::optional<std::uint64_t> totalaExe = engine::kTotalaExeSize;
  bool exeSignature = true;  // written only into an executable large enough to hold it
  std::optional<std::uint64_t> totala1Hpi = engine::kTotala1HpiSize;
  std::optional<std::uint64_t> ccdataHpi = engine::kCcdataHpiSize;
  std::optional<std::uint64_t> btdataHpi = engine::kBtdataHpiSize;
  std::optional<std::uint64_t> rev31Ufo = engine::kRev31UfoSize;
  bool programFolders = true;  // Varokin, Varokin\UfoManager, Varokin\Snapshots
};

// A Total Conversion's rename pair: stored relative to the Varokin folder, installed relative to
// the TA folder.
struct TcPair {
  std::string stored;
  std::string installed;
};

struct AiPayload {
  std::string installed;
  bool folder = false;
};

enum class UfoPlace { kEnabled, kKept };

// What a UFO description file holds: an optional "@" tag line, then the title and description
// lines.
struct UfoText {
  std::string title;
  std::string description;
  std::optional<std::string> tags;
};

// A new empty folder under parent (by default the system's temporary folder), unique among
// parallel test processes as well as within one.
std::filesystem::path FreshFolder(const std::filesystem::path& parent = {});

// A TA folder in a fresh directory under parent (by default the system's temporary folder), made
// the working directory for the fixture's life.
// Paths given to the helpers are relative to it, with "\" or "/" between folders; every file is
// written with CR LF line ends, as the game's players write them. A helper that cannot write
// fails the test.
class TaFolder {
 public:
  explicit TaFolder(const std::filesystem::path& parent = {});
  ~TaFolder();
  TaFolder(const TaFolder&) = delete;
  TaFolder& operator=(const TaFolder&) = delete;

  const std::filesystem::path& Root() const { return root_; }
  std::filesystem::path Host(const std::string& path) const;

  // A file of size bytes that costs no disk (its bytes read as zeros).
  void File(const std::string& path, std::uint64_t size);
  void Text(const std::string& path, const std::string& contents);
  void Folder(const std::string& path);
  bool Exists(const std::string& path) const;
  std::string Read(const std::string& path) const;
  // -1 for a missing file or a folder.
  std::int64_t SizeOf(const std::string& path) const;

  void Game(const GameFiles& files = {});

  // Each builder writes Varokin\<configuration file> and its payloads (small files of distinct
  // contents; a payload that already exists is kept), and returns the configuration file name.
  std::string Tc(const std::string& name, const std::string& title, const std::string& description,
                 const std::string& tags, const std::vector<TcPair>& pairs);
  std::string Mutator(const std::string& name, const std::string& title,
                      const std::string& description, const std::string& tags, int count);
  std::string Ai(const std::string& name, const std::string& title, const std::string& description,
                 const std::string& tags, const std::vector<AiPayload>& payloads);
  // A UFO in the TA folder (enabled) or in Varokin\UfoManager (kept), with its description file
  // Varokin\UfoManager\<name>.txt when text is given.
  void Ufo(const std::string& name, UfoPlace place, const std::optional<UfoText>& text = {});
  void Pack(const std::string& fileName, const std::string& title, const std::string& description,
            const std::vector<std::string>& ufoNames);

  // The game's and the mods' files: the program's own settings and instance marker, which every
  // start writes, are left out.
  FileInventory Inventory() const {
    FileInventory inventory = TakeInventory(root_);
    inventory.erase("Varokin.INI");
    inventory.erase("Varokin.lock");
    return inventory;
  }

 private:
  std::filesystem::path root_;
  std::filesystem::path previousDir_;
};

// A collection of the size players gather, in the TA folder at root (the program's folders
// there already): 150 Mutators "Heavy 001" (}{Heavy1.vkn) and so on, one in ten "Fast" instead,
// and 400 kept UFOs "Plane 001" and so on, one in ten "Tank" instead.
void AddBigCollection(const std::filesystem::path& root);

}  // namespace varokin::fixtures
