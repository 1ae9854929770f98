#include "platform/posix/wine_registry.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <fstream>
#include <optional>
#include <vector>

#include "platform/posix/wine.h"
#include "platform/registry_text.h"
#include "platform/text.h"

namespace varokin::platform::posix {

namespace {

using registry_text::FindValue;
using registry_text::Key;
using registry_text::SameName;
using registry_text::Value;

bool StartsWithName(const std::string& path, const std::string& parent) {
  return path.size() > parent.size() + 1 && path[parent.size()] == '\\' &&
         SameName(path.substr(0, parent.size()), parent);
}

bool Holds(const std::string& folder, const std::string& name, bool isFolder) {
  struct stat status;
  return stat((folder + "/" + name).c_str(), &status) == 0 &&
         (isFolder ? S_ISDIR(status.st_mode) : S_ISREG(status.st_mode));
}

void AppendUtf8(std::string& out, unsigned long code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | ((code >> 12) & 0x0F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// Reads a name or string Wine wrote from text[at] up to the unescaped close character, and
// leaves at just past it; nothing when the line ends first. Wine writes "\" and the delimiters
// with a "\" before them, line ends as "\n", "\r", other characters as "\x" and hex digits.
std::optional<std::string> ReadEscaped(const std::string& text, std::size_t& at, char close) {
  std::string out;
  while (at < text.size()) {
    const char c = text[at++];
    if (c == close) return out;
    if (c != '\\' || at == text.size()) {
      out += c;
      continue;
    }
    const char next = text[at++];
    if (next == 'x') {
      std::size_t digits = 0;
      unsigned long code = 0;
      while (digits < 4 && at < text.size() &&
             std::isxdigit(static_cast<unsigned char>(text[at]))) {
        const char digit = LowerAscii(text[at++]);
        code =
            code * 16 + static_cast<unsigned long>(digit <= '9' ? digit - '0' : digit - 'a' + 10);
        ++digits;
      }
      AppendUtf8(out, code);
    } else {
      out += next == 'n' ? '\n' : next == 'r' ? '\r' : next == 't' ? '\t' : next;
    }
  }
  return std::nullopt;
}

// A value line: "name"=... or @=..., with a string ("...") or a number (dword:8 hex digits).
// Values of other types are nothing the callers read.
void ParseValue(const std::string& line, Key& key) {
  Value value;
  std::size_t at = 1;
  if (line[0] == '"') {
    std::optional<std::string> name = ReadEscaped(line, at, '"');
    if (!name) return;
    value.name = *name;
  } else if (line[0] != '@') {
    return;
  }
  if (at >= line.size() || line[at] != '=') return;
  const std::string data = line.substr(at + 1);
  if (!data.empty() && data[0] == '"') {
    std::size_t from = 1;
    std::optional<std::string> text = ReadEscaped(data, from, '"');
    if (!text) return;
    value.text = *text;
  } else if (data.rfind("dword:", 0) == 0 && data.size() == 14 &&
             data.find_first_not_of("0123456789abcdefABCDEF", 6) == std::string::npos) {
    value.isDword = true;
    value.number = static_cast<std::uint32_t>(std::stoul(data.substr(6), nullptr, 16));
  } else {
    return;
  }
  key.values.push_back(std::move(value));
}

class WinePrefixRegistry final : public Registry {
 public:
  WinePrefixRegistry(std::string prefix, std::string wine)
      : prefix_(std::move(prefix)), wine_(std::move(wine)) {}

  // Wine writes a key without values only when it has no subkeys either; a parent is there when
  // something below it is.
  bool KeyExists(const std::string& key) override {
    for (const Key& k : Load()) {
      if (SameName(k.path, key) || StartsWithName(k.path, key)) return true;
    }
    return false;
  }

  std::vector<std::string> SubKeys(const std::string& key) override {
    std::vector<std::string> names;
    for (const Key& k : Load()) {
      if (!StartsWithName(k.path, key)) continue;
      const std::string rest = k.path.substr(key.size() + 1);
      const std::string name = rest.substr(0, rest.find('\\'));
      if (std::none_of(names.begin(), names.end(),
                       [&](const std::string& n) { return SameName(n, name); })) {
        names.push_back(name);
      }
    }
    return names;
  }

  std::optional<std::string> GetString(const std::string& key, const std::string& name) override {
    const std::optional<Value> value = Find(key, name);
    if (!value || value->isDword) return std::nullopt;
    return value->text;
  }

  std::optional<std::uint32_t> GetDword(const std::string& key, const std::string& name) override {
    const std::optional<Value> value = Find(key, name);
    if (!value || !value->isDword) return std::nullopt;
    return value->number;
  }

  bool CreateKey(const std::string& key) override { return Reg({"add", Root(key), "/f"}); }

  bool SetString(const std::string& key, const std::string& name,
                 const std::string& value) override {
    return Reg({"add", Root(key), "/v", name, "/t", "REG_SZ", "/d", value, "/f"});
  }

  bool SetDword(const std::string& key, const std::string& name, std::uint32_t value) override {
    return Reg(
        {"add", Root(key), "/v", name, "/t", "REG_DWORD", "/d", std::to_string(value), "/f"});
  }

  // Wine's "reg delete" takes the subkeys too, which a caller of ours never means.
  bool DeleteKey(const std::string& key) override {
    if (!SubKeys(key).empty()) return false;
    return Reg({"delete", Root(key), "/f"});
  }

  // Drive C: is the prefix's drive_c; Wine gives the rest of the host's files drive Z:.
  std::string ProgramPath(const std::string& hostPath) override {
    const std::string driveC = prefix_ + "/drive_c";
    std::string path = "Z:" + hostPath;
    if (hostPath == driveC || hostPath.rfind(driveC + "/", 0) == 0) {
      path = "C:" + hostPath.substr(driveC.size());
      if (path.size() == 2) path += '\\';
    }
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
  }

 private:
  static std::string Root(const std::string& key) { return "HKCU\\" + key; }

  bool Reg(std::vector<std::string> words) {
    if (wine_.empty()) return false;
    words.insert(words.begin(), {wine_, "reg"});
    const std::optional<int> status =
        RunAndWait(std::move(words), "", {"WINEPREFIX=" + prefix_, "WINEDEBUG=-all"});
    return status == 0;
  }

  std::optional<Value> Find(const std::string& key, const std::string& name) {
    const std::vector<Key> keys = Load();
    const Value* value = FindValue(keys, key, name);
    if (value == nullptr) return std::nullopt;
    return *value;
  }

  std::vector<Key> Load() {
    std::vector<Key> keys;
    std::ifstream file(prefix_ + "/user.reg", std::ios::binary);
    for (std::string line; std::getline(file, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line.empty()) continue;
      if (line[0] == '[') {
        std::size_t at = 1;
        const std::optional<std::string> path = ReadEscaped(line, at, ']');
        if (path) keys.push_back(Key{*path, {}});
      } else if (!keys.empty()) {
        ParseValue(line, keys.back());
      }
    }
    return keys;
  }

  std::string prefix_;
  std::string wine_;
};

}  // namespace

std::string WinePrefixOf(const std::string& folder) {
  const std::string marker = "/drive_c";
  for (std::size_t at = folder.rfind(marker); at != std::string::npos && at > 0;
       at = folder.rfind(marker, at - 1)) {
    const std::size_t end = at + marker.size();
    if (end != folder.size() && folder[end] != '/') continue;
    const std::string prefix = folder.substr(0, at);
    if (Holds(prefix, "drive_c", true) && Holds(prefix, "system.reg", false)) return prefix;
  }
  return {};
}

std::unique_ptr<Registry> CreateWinePrefixRegistry(const std::string& prefix,
                                                   const std::string& wine) {
  return std::make_unique<WinePrefixRegistry>(prefix, wine);
}

}  // namespace varokin::platform::posix
