#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace varokin::platform {

// The current user's registry: the real one on Windows; elsewhere the registry of the Wine prefix
// the working folder lies in, or, outside any prefix, a small file-backed store with the same
// key paths, value names and types. Key paths use "\" between keys.
class Registry {
 public:
  virtual ~Registry() = default;
  virtual bool KeyExists(const std::string& key) = 0;
  // The names of the direct subkeys of key, in the store's order.
  virtual std::vector<std::string> SubKeys(const std::string& key) = 0;
  virtual std::optional<std::string> GetString(const std::string& key, const std::string& name) = 0;
  virtual std::optional<std::uint32_t> GetDword(const std::string& key,
                                                const std::string& name) = 0;
  // Creates the key (and its parents) when needed.
  virtual bool CreateKey(const std::string& key) = 0;
  virtual bool SetString(const std::string& key, const std::string& name,
                         const std::string& value) = 0;
  virtual bool SetDword(const std::string& key, const std::string& name, std::uint32_t value) = 0;
  // Deletes a key that has no subkeys, with its values.
  virtual bool DeleteKey(const std::string& key) = 0;
  // The path by which the programs that read this registry reach the file at hostPath.
  virtual std::string ProgramPath(const std::string& hostPath) { return hostPath; }
};

std::unique_ptr<Registry> CreateHostRegistry();

}  // namespace varokin::platform
