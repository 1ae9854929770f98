#include "platform/instances.h"

#include <windows.h>

#include <string>

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

std::string LockPath(const std::string& title) {
  std::string name;
  for (unsigned char c : title) {
    name += kHexDigits[c >> 4];
    name += kHexDigits[c & 0xF];
  }
  return LockFolder() + "\\" + name + ".lock";
}

class HandleClaim : public WindowClaim {
 public:
  explicit HandleClaim(HANDLE handle) : handle_(handle) {}
  ~HandleClaim() override { CloseHandle(handle_); }  // the system deletes the file on close

 private:
  HANDLE handle_;
};

class LockFileRegistry : public InstanceRegistry {
 public:
  bool WindowExists(const std::string& title) override {
    // The real windows of a desktop instance, and the claims of a console one.
    if (FindWindowA(nullptr, title.c_str()) != nullptr) return true;
    const HANDLE handle = CreateFileA(LockPath(title).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
      // Nobody holds it: a file left behind, which counts for nothing.
      CloseHandle(handle);
      return false;
    }
    return GetLastError() == ERROR_SHARING_VIOLATION;
  }

  std::unique_ptr<WindowClaim> Claim(const std::string& title) override {
    const std::string path = LockPath(title);
    // Another start may be looking at the file this very moment.
    for (int attempt = 0; attempt < 50; ++attempt) {
      const HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                        OPEN_ALWAYS, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
      if (handle != INVALID_HANDLE_VALUE) return std::make_unique<HandleClaim>(handle);
      if (GetLastError() != ERROR_SHARING_VIOLATION) break;
      Sleep(2);
    }
    return nullptr;
  }
};

}  // namespace

std::unique_ptr<InstanceRegistry> CreateHostInstanceRegistry() {
  return std::make_unique<LockFileRegistry>();
}

}  // namespace varokin::platform
