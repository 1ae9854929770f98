#include "platform/file_registry.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <vector>

#include "platform/registry_text.h"

namespace varokin::platform {

namespace {

using registry_text::FindValue;
using registry_text::Key;
using registry_text::SameName;
using registry_text::Value;

std::string Escape(const std::string& text, bool isName) {
  std::string out;
  for (char c : text) {
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '=' && isName) {
      out += "\\=";
    } else {
      out += c;
    }
  }
  return out;
}

std::string Unescape(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    const char next = text[++i];
    out += next == 'n' ? '\n' : next == 'r' ? '\r' : next;
  }
  return out;
}

// Refuses paths the file could not hold: empty components, and line ends or brackets that would
// end the section line early.
bool ValidPath(const std::string& path) {
  if (path.empty() || path.front() == '\\' || path.back() == '\\') return false;
  if (path.find("\\\\") != std::string::npos) return false;
  return path.find_first_of("\r\n[]") == std::string::npos;
}

class FileRegistry : public Registry {
 public:
  FileRegistry(FileSystem& fs, std::string path, std::unique_ptr<FileSystem> owned = nullptr)
      : owned_(std::move(owned)), fs_(fs), path_(std::move(path)) {}

  bool KeyExists(const std::string& key) override {
    const std::vector<Key> keys = Load();
    return Find(keys, key) != nullptr;
  }

  std::vector<std::string> SubKeys(const std::string& key) override {
    std::vector<std::string> names;
    for (const Key& k : Load()) {
      if (IsChild(k.path, key)) names.push_back(k.path.substr(key.size() + 1));
    }
    return names;
  }

  std::optional<std::string> GetString(const std::string& key, const std::string& name) override {
    const std::vector<Key> keys = Load();
    const Value* value = FindValue(keys, key, name);
    if (value == nullptr || value->isDword) return std::nullopt;
    return value->text;
  }

  std::optional<std::uint32_t> GetDword(const std::string& key, const std::string& name) override {
    const std::vector<Key> keys = Load();
    const Value* value = FindValue(keys, key, name);
    if (value == nullptr || !value->isDword) return std::nullopt;
    return value->number;
  }

  bool CreateKey(const std::string& key) override {
    if (!ValidPath(key)) return false;
    std::vector<Key> keys = Load();
    bool added = false;
    for (std::size_t end = key.find('\\');; end = key.find('\\', end + 1)) {
      const std::string prefix = key.substr(0, end);
      if (Find(keys, prefix) == nullptr) {
        keys.push_back(Key{prefix, {}});
        added = true;
      }
      if (end == std::string::npos) break;
    }
    return !added || Save(keys);
  }

  bool SetString(const std::string& key, const std::string& name,
                 const std::string& value) override {
    return Set(key, Value{name, false, value, 0});
  }

  bool SetDword(const std::string& key, const std::string& name, std::uint32_t value) override {
    return Set(key, Value{name, true, {}, value});
  }

  bool DeleteKey(const std::string& key) override {
    std::vector<Key> keys = Load();
    const auto found =
        std::find_if(keys.begin(), keys.end(), [&](const Key& k) { return SameName(k.path, key); });
    if (found == keys.end()) return false;
    if (std::any_of(keys.begin(), keys.end(), [&](const Key& k) { return IsChild(k.path, key); })) {
      return false;
    }
    keys.erase(found);
    return Save(keys);
  }

 private:
  static bool IsChild(const std::string& path, const std::string& parent) {
    return path.size() > parent.size() + 1 && path[parent.size()] == '\\' &&
           SameName(path.substr(0, parent.size()), parent) &&
           path.find('\\', parent.size() + 1) == std::string::npos;
  }

  template <typename Keys>
  static auto Find(Keys& keys, const std::string& key) -> decltype(&keys.front()) {
    for (auto& k : keys) {
      if (SameName(k.path, key)) return &k;
    }
    return nullptr;
  }

  bool Set(const std::string& key, Value value) {
    std::vector<Key> keys = Load();
    Key* k = Find(keys, key);
    if (k == nullptr) return false;
    const auto found = std::find_if(k->values.begin(), k->values.end(),
                                    [&](const Value& v) { return SameName(v.name, value.name); });
    if (found != k->values.end()) {
      *found = std::move(value);
    } else {
      k->values.push_back(std::move(value));
    }
    return Save(keys);
  }

  std::vector<Key> Load() {
    std::vector<Key> keys;
    const std::unique_ptr<InputFile> file = fs_.OpenRead(path_);
    if (!file) return keys;
    std::string contents;
    char buffer[4096];
    for (std::size_t n; (n = file->Read(buffer, sizeof buffer)) > 0;) contents.append(buffer, n);

    std::size_t start = 0;
    while (start < contents.size()) {
      std::size_t end = contents.find('\n', start);
      if (end == std::string::npos) end = contents.size();
      std::string line = contents.substr(start, end - start);
      start = end + 1;
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
        keys.push_back(Key{line.substr(1, line.size() - 2), {}});
      } else if (!keys.empty()) {
        ParseValue(line, keys.back());
      }
    }
    return keys;
  }

  // A line that is not "name=dword:N" or "name=sz:text" is dropped rather than guessed at.
  static void ParseValue(const std::string& line, Key& key) {
    std::size_t eq = 0;
    while (eq < line.size() && line[eq] != '=') eq += line[eq] == '\\' ? 2u : 1u;
    if (eq >= line.size()) return;
    Value value{Unescape(line.substr(0, eq)), false, {}, 0};
    const std::string data = line.substr(eq + 1);
    if (data.rfind("sz:", 0) == 0) {
      value.text = Unescape(data.substr(3));
    } else if (data.rfind("dword:", 0) == 0) {
      const char* first = data.data() + 6;
      const char* last = data.data() + data.size();
      const auto [ptr, ec] = std::from_chars(first, last, value.number);
      if (ec != std::errc() || ptr != last) return;
      value.isDword = true;
    } else {
      return;
    }
    key.values.push_back(std::move(value));
  }

  bool Save(const std::vector<Key>& keys) {
    std::string contents;
    for (const Key& k : keys) {
      contents += "[" + k.path + "]\n";
      for (const Value& v : k.values) {
        contents += Escape(v.name, true) + "=";
        contents += v.isDword ? "dword:" + std::to_string(v.number) : "sz:" + Escape(v.text, false);
        contents += "\n";
      }
    }
    // The configuration folder may not exist before anything of ours was written.
    const std::size_t slash = path_.find_last_of("/\\");
    if (slash != std::string::npos) fs_.CreateFolder(path_.substr(0, slash));
    return fs_.WriteFileAtomic(path_, contents);
  }

  std::unique_ptr<FileSystem> owned_;
  FileSystem& fs_;
  std::string path_;
};

}  // namespace

std::unique_ptr<Registry> CreateFileRegistry(FileSystem& fs, const std::string& path) {
  return std::make_unique<FileRegistry>(fs, path);
}

std::unique_ptr<Registry> CreateFileRegistry(std::unique_ptr<FileSystem> fs,
                                             const std::string& path) {
  FileSystem& ref = *fs;
  return std::make_unique<FileRegistry>(ref, path, std::move(fs));
}

}  // namespace varokin::platform
