#include "support/inventory.h"

#include <algorithm>
#include <fstream>

namespace varokin::fixtures {

namespace {

constexpr std::size_t kHashedBytes = 64 * 1024;

// FNV-1a: enough to tell test payloads apart, and free of any library.
std::uint64_t Mix(std::uint64_t hash, const char* bytes, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    hash ^= static_cast<unsigned char>(bytes[i]);
    hash *= 1099511628211ull;
  }
  return hash;
}

std::uint64_t HashFile(const std::filesystem::path& path, std::uint64_t size) {
  std::uint64_t hash =
      Mix(14695981039346656037ull, reinterpret_cast<const char*>(&size), sizeof size);
  std::ifstream in(path, std::ios::binary);
  // Read in small pieces: most files are tiny, and zeroing 64 KiB for each costs more than reading.
  char piece[4096];
  for (std::size_t hashed = 0; hashed < kHashedBytes && in; hashed += sizeof piece) {
    in.read(piece, sizeof piece);
    hash = Mix(hash, piece, static_cast<std::size_t>(in.gcount()));
  }
  return hash;
}

std::string GamePath(const std::filesystem::path& relative) {
  std::string text;
  for (const auto& part : relative) {
    if (!text.empty()) text += '\\';
    text += part.string();
  }
  return text;
}

}  // namespace

std::ostream& operator<<(std::ostream& out, const InventoryEntry& entry) {
  if (entry.folder) return out << "folder";
  return out << entry.size << " bytes, hash " << std::hex << entry.hash << std::dec;
}

FileInventory TakeInventory(const std::filesystem::path& root) {
  FileInventory inventory;
  std::error_code error;
  for (auto it = std::filesystem::recursive_directory_iterator(root, error);
       !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
    InventoryEntry entry;
    // A FIFO or a link to nothing has no contents to hash; reading a FIFO would wait for ever.
    std::error_code entryError;
    const std::filesystem::file_status status = it->status(entryError);
    entry.folder = std::filesystem::is_directory(status);
    if (std::filesystem::is_regular_file(status)) {
      entry.size = it->file_size(entryError);
      entry.hash = HashFile(it->path(), entry.size);
    }
    inventory[GamePath(it->path().lexically_relative(root))] = entry;
  }
  return inventory;
}

std::filesystem::path HostPath(const std::filesystem::path& root, const std::string& gamePath) {
  std::filesystem::path host = root;
  std::string part;
  for (char c : gamePath + '\\') {
    if (c != '\\' && c != '/') {
      part += c;
    } else if (!part.empty()) {
      host /= part;
      part.clear();
    }
  }
  return host;
}

std::vector<std::pair<std::uint64_t, std::uint64_t>> FileContents(const FileInventory& inventory) {
  std::vector<std::pair<std::uint64_t, std::uint64_t>> contents;
  for (const auto& [path, entry] : inventory) {
    if (!entry.folder) contents.emplace_back(entry.size, entry.hash);
  }
  std::sort(contents.begin(), contents.end());
  return contents;
}

}  // namespace varokin::fixtures
