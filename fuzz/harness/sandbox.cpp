#include "harness/sandbox.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace varokin::fuzz {

namespace fs = std::filesystem;

namespace {

// Every difference between two inventories, one line each.
std::string Differences(const fixtures::FileInventory& before,
                        const fixtures::FileInventory& after) {
  std::string text;
  for (const auto& [path, entry] : before) {
    auto found = after.find(path);
    if (found == after.end()) {
      text += "  removed " + path + "\n";
    } else if (!(found->second == entry)) {
      text += "  changed " + path + "\n";
    }
  }
  for (const auto& [path, entry] : after) {
    if (!before.contains(path)) text += "  created " + path + "\n";
  }
  return text;
}

std::size_t Folders(const fixtures::FileInventory& inventory) {
  std::size_t count = 0;
  for (const auto& [path, entry] : inventory) count += entry.folder ? 1 : 0;
  return count;
}

void EmptyFolder(const fs::path& folder) {
  std::error_code error;
  for (const auto& child : fs::directory_iterator(folder, error)) fs::remove_all(child, error);
  if (error) Fail("cannot empty " + folder.string() + ": " + error.message());
}

}  // namespace

void Fail(const std::string& what) {
  std::fprintf(stderr, "==fuzz harness== %s\n", what.c_str());
  std::abort();
}

void WriteFile(const fs::path& path, std::string_view contents) {
  std::error_code error;
  fs::create_directories(path.parent_path(), error);
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(contents.data(), static_cast<std::streamsize>(contents.size()));
  if (!file) Fail("cannot write " + path.string());
}

Sandbox::Sandbox(LayOut layOut) : layOut_(std::move(layOut)) {
  std::error_code error;
  const fs::path base = fs::temp_directory_path(error);
  for (int attempt = 0; parent_.empty(); ++attempt) {
    if (attempt == 100) Fail("cannot create a sandbox under " + base.string());
    fs::path candidate =
        base / ("varokin-fuzz-" + std::to_string(getpid()) + "-" + std::to_string(attempt));
    if (fs::create_directory(candidate, error)) parent_ = candidate;
  }
  ta_ = parent_ / "games" / "ta";
  settings_ = parent_ / "settings";
  fs::create_directories(ta_, error);
  fs::create_directory(settings_, error);
  // What names leading one or two folders up would reach first.
  WriteFile(parent_ / "games" / "sentinel.txt", "The player's other files.\r\n");
  WriteFile(parent_ / "games" / "sentinel" / "keep.ufo", "Not part of the TA folder.\r\n");
  WriteFile(parent_ / "games" / "Varokin" / "keep.txt", "Named like the program's folder.\r\n");
  WriteFile(parent_ / "sentinel.txt", "Two folders up.\r\n");
  outside_ = Outside();
  Build();
}

Sandbox::~Sandbox() {
  std::error_code error;
  fs::current_path(parent_.parent_path(), error);
  fs::remove_all(parent_, error);
}

void Sandbox::Text(const std::string& gamePath, std::string_view contents) {
  WriteFile(fixtures::HostPath(ta_, gamePath), contents);
}

void Sandbox::Build() {
  EmptyFolder(ta_);
  layOut_(*this);
  laidOut_ = fixtures::TakeInventory(ta_);
  dirty_ = false;
}

fixtures::FileInventory Sandbox::Outside() const {
  fixtures::FileInventory inventory = fixtures::TakeInventory(parent_);
  std::erase_if(inventory, [](const auto& item) {
    const std::string& path = item.first;
    return path == "games\\ta" || path.starts_with("games\\ta\\") || path == "settings" ||
           path.starts_with("settings\\");
  });
  return inventory;
}

void Sandbox::Begin(const std::vector<std::pair<std::string, std::string>>& inputFiles,
                    std::string_view settings) {
  std::error_code error;
  fs::current_path(ta_, error);
  if (error) Fail("cannot enter " + ta_.string());
  if (dirty_) Build();
  EmptyFolder(settings_);
  if (!settings.empty()) WriteFile(settings_ / "Varokin.INI", settings);
  inputPaths_.clear();
  for (const auto& [gamePath, contents] : inputFiles) {
    inputPaths_.push_back(fixtures::HostPath(ta_, gamePath));
    WriteFile(inputPaths_.back(), contents);
  }
  before_ = fixtures::TakeInventory(ta_);
}

void Sandbox::Check(Allowed allowed) {
  const fixtures::FileInventory outside = Outside();
  if (outside != outside_) Fail("outside the TA folder:\n" + Differences(outside_, outside));
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(settings_, error)) {
    if (entry.path().filename() != "Varokin.INI") {
      Fail("left in the settings folder: " + entry.path().string());
    }
  }
  after_ = fixtures::TakeInventory(ta_);
  if (allowed == Allowed::kNothing && after_ != before_) {
    Fail("the TA folder changed:\n" + Differences(before_, after_));
  }
  if (fixtures::FileContents(before_) != fixtures::FileContents(after_) ||
      Folders(before_) != Folders(after_)) {
    Fail("files lost, duplicated or changed in the TA folder:\n" + Differences(before_, after_));
  }
}

void Sandbox::End(Allowed allowed) {
  Check(allowed);
  // Unchanged, the next input needs only this one's files gone.
  dirty_ = after_ != before_;
  if (!dirty_) {
    std::error_code error;
    for (const fs::path& path : inputPaths_) fs::remove(path, error);
    dirty_ = static_cast<bool>(error);
  }
}

}  // namespace varokin::fuzz
