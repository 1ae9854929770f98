#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace varokin::fixtures {

// One file or folder of a tree. The hash covers the size and the first 64 KiB, which tells the
// small payload files apart and keeps the game's big sparse archives cheap to read.
struct InventoryEntry {
  bool folder = false;
  std::uint64_t size = 0;
  std::uint64_t hash = 0;
  bool operator==(const InventoryEntry&) const = default;
};

std::ostream& operator<<(std::ostream& out, const InventoryEntry& entry);

// Every file and folder under a root, by its path relative to the root with "\" between folders.
using FileInventory = std::map<std::string, InventoryEntry>;

FileInventory TakeInventory(const std::filesystem::path& root);

// A path as the game writes it ("a\b", or "a/b") below root, as a host path.
std::filesystem::path HostPath(const std::filesystem::path& root, const std::string& gamePath);

// The files' sizes and hashes without their paths, sorted: equal before and after an operation
// when the operation only renamed, neither copying nor losing anything.
std::vector<std::pair<std::uint64_t, std::uint64_t>> FileContents(const FileInventory& inventory);

}  // namespace varokin::fixtures
