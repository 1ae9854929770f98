#include "platform/registry.h"

#include <windows.h>

#include <algorithm>

namespace varokin::platform {

namespace {

// Closes a key when it leaves scope.
class OpenKey {
 public:
  OpenKey(const std::string& path, REGSAM access) {
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, access, &key_) != ERROR_SUCCESS) {
      key_ = nullptr;
    }
  }
  ~OpenKey() {
    if (key_ != nullptr) RegCloseKey(key_);
  }
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

class WindowsRegistry : public Registry {
 public:
  bool KeyExists(const std::string& key) override {
    return OpenKey(key, KEY_READ).get() != nullptr;
  }

  std::vector<std::string> SubKeys(const std::string& key) override {
    std::vector<std::string> names;
    OpenKey open(key, KEY_READ);
    if (open.get() == nullptr) return names;
    for (DWORD index = 0;; ++index) {
      char name[256];
      DWORD size = sizeof name;
      if (RegEnumKeyExA(open.get(), index, name, &size, nullptr, nullptr, nullptr, nullptr) !=
          ERROR_SUCCESS) {
        break;
      }
      names.emplace_back(name, size);
    }
    return names;
  }

  std::optional<std::string> GetString(const std::string& key, const std::string& name) override {
    OpenKey open(key, KEY_READ);
    if (open.get() == nullptr) return std::nullopt;
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(open.get(), name.c_str(), nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
      return std::nullopt;
    }
    std::string text(size, '\0');
    if (RegQueryValueExA(open.get(), name.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(text.data()), &size) != ERROR_SUCCESS) {
      return std::nullopt;
    }
    // The stored length may or may not count the terminating zero.
    text.resize(std::min<std::size_t>(size, text.size()));
    const std::size_t zero = text.find('\0');
    if (zero != std::string::npos) text.resize(zero);
    return text;
  }

  std::optional<std::uint32_t> GetDword(const std::string& key, const std::string& name) override {
    OpenKey open(key, KEY_READ);
    if (open.get() == nullptr) return std::nullopt;
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegQueryValueExA(open.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value),
                         &size) != ERROR_SUCCESS ||
        type != REG_DWORD) {
      return std::nullopt;
    }
    return value;
  }

  bool CreateKey(const std::string& key) override {
    HKEY created = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &created, nullptr) != ERROR_SUCCESS) {
      return false;
    }
    RegCloseKey(created);
    return true;
  }

  bool SetString(const std::string& key, const std::string& name,
                 const std::string& value) override {
    OpenKey open(key, KEY_ALL_ACCESS);
    // The stored length counts the terminating zero.
    return open.get() != nullptr &&
           RegSetValueExA(open.get(), name.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
  }

  bool SetDword(const std::string& key, const std::string& name, std::uint32_t value) override {
    OpenKey open(key, KEY_ALL_ACCESS);
    const DWORD data = value;
    return open.get() != nullptr &&
           RegSetValueExA(open.get(), name.c_str(), 0, REG_DWORD,
                          reinterpret_cast<const BYTE*>(&data), sizeof data) == ERROR_SUCCESS;
  }

  bool DeleteKey(const std::string& key) override {
    return RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str()) == ERROR_SUCCESS;
  }
};

}  // namespace

std::unique_ptr<Registry> CreateHostRegistry() { return std::make_unique<WindowsRegistry>(); }

}  // namespace varokin::platform
