#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "support/inventory.h"

namespace varokin::fuzz {

// What an input may do inside the TA folder.
enum class Allowed { kRenames, kNothing };

// Reports a broken promise and abort()s, which libFuzzer takes for a crash.
[[noreturn]] void Fail(const std::string& what);
// Writes a whole file, creating the folders above it; abort()s when it cannot.
void WriteFile(const std::filesystem::path& path, std::string_view contents);

// A temporary folder holding a TA folder two levels down, with sentinel files and folders beside
// it and one level further up, and a settings folder of its own. Made once per process; each input
// then runs between Begin and End, which abort() when anything outside the TA folder was created,
// changed or removed, when the settings folder holds anything but Varokin.INI, or when the TA
// folder changed beyond what is allowed: a file lost, duplicated or changed where only renames are,
// anything at all where nothing is.
class Sandbox {
 public:
  using LayOut = std::function<void(Sandbox&)>;

  explicit Sandbox(LayOut layOut);
  ~Sandbox();
  Sandbox(const Sandbox&) = delete;
  Sandbox& operator=(const Sandbox&) = delete;

  const std::filesystem::path& Ta() const { return ta_; }
  std::string SettingsPath() const { return (settings_ / "Varokin.INI").string(); }

  // For the lay-out: a file of the TA folder.
  void Text(const std::string& gamePath, std::string_view contents);

  // Puts the TA folder back as laid out when the last input changed it, writes the input's files
  // (paths in the TA folder) and the settings file, and makes the TA folder the working
  // directory.
  void Begin(const std::vector<std::pair<std::string, std::string>>& inputFiles,
             std::string_view settings = {});
  // The checks End makes, for a step in the middle of an input.
  void Check(Allowed allowed);
  void End(Allowed allowed);

 private:
  void Build();
  fixtures::FileInventory Outside() const;

  std::filesystem::path parent_;
  std::filesystem::path ta_;
  std::filesystem::path settings_;
  LayOut layOut_;
  fixtures::FileInventory outside_;
  fixtures::FileInventory laidOut_;
  fixtures::FileInventory before_;
  fixtures::FileInventory after_;
  std::vector<std::filesystem::path> inputPaths_;
  bool dirty_ = false;
};

}  // namespace varokin::fuzz
