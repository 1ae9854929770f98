#include "platform/instances.h"

#include <windows.h>

#include <memory>
#include <set>
#include <string>
#include <utility>

namespace varokin::platform {

namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

std::string LockFolder() {
  char temp[MAX_PATH + 1];
  const DWORD length = GetTempPathA(sizeof temp, temp);
  std::string folder = length > 0 && length < sizeof temp ? std::string(temp, length) : ".\\";
  if (folder.back() != '\\') folder += '\\';
  folder += "Varokin";
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

std::string LockPath(const std::string& folder, const std::string& title) {
  std::string name;
  for (const char byte : title) {
    const auto c = static_cast<unsigned char>(byte);
    name += kHexDigits[c >> 4];
    name += kHexDigits[c & 0xF];
  }
  return folder + "\\" + name + ".lock";
}

// The titles this process holds, shared with the claims so that each can strike its own off.
using HeldTitles = std::shared_ptr<std::set<std::string>>;

class HandleClaim : public WindowClaim {
 public:
  HandleClaim(HANDLE handle, HeldTitles held, std::string title)
      : handle_(handle), held_(std::move(held)), title_(std::move(title)) {
    held_->insert(title_);
  }
  ~HandleClaim() override {
    held_->erase(title_);
    CloseHandle(handle_);  // the system deletes the file on close
  }

 private:
  HANDLE handle_;
  HeldTitles held_;
  std::string title_;
};

class LockFileRegistry : public InstanceRegistry {
 public:
  bool WindowExists(const std::string& title) override {
    // The real windows of a desktop instance, and the claims of a console one.
    if (FindWindowA(nullptr, title.c_str()) != nullptr) return true;
    const HANDLE handle = CreateFileA(LockPath(LockFolder(), title).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
      // Nobody holds it: a file left behind, which counts for nothing.
      CloseHandle(handle);
      return false;
    }
    return GetLastError() == ERROR_SHARING_VIOLATION;
  }

  std::unique_ptr<WindowClaim> Claim(const std::string& title, std::string* unusable) override {
    // A second claim of this process would only wait for the first to let go.
    if (held_->count(title) > 0) return nullptr;
    const std::string folder = LockFolder();
    const std::string path = LockPath(folder, title);
    // Another start may be looking at the file this very moment, or its last holder's file may
    // be on its way out (access denied until then).
    DWORD error = ERROR_SUCCESS;
    for (int attempt = 0; attempt < 50; ++attempt) {
      const HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                        OPEN_ALWAYS, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
      if (handle != INVALID_HANDLE_VALUE)
        return std::make_unique<HandleClaim>(handle, held_, title);
      error = GetLastError();
      if (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED) break;
      Sleep(2);
    }
    if (error != ERROR_SHARING_VIOLATION && unusable != nullptr) {
      const DWORD attributes = GetFileAttributesA(folder.c_str());
      const bool folderIsOurs =
          attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
      *unusable = folderIsOurs ? path : folder;
    }
    return nullptr;
  }

 private:
  HeldTitles held_ = std::make_shared<std::set<std::string>>();
};

}  // namespace

std::unique_ptr<InstanceRegistry> CreateHostInstanceRegistry() {
  return std::make_unique<LockFileRegistry>();
}

}  // namespace varokin::platform
