#include "platform/instances.h"

#include <windows.h>

#include <memory>
#include <set>
#include <string>
#include <utility>

namespace varokin::platform {

namespace {

std::string MarkerPath() {
  char folder[MAX_PATH + 1];
  const DWORD length = GetCurrentDirectoryA(sizeof folder, folder);
  if (length == 0 || length >= sizeof folder) return kInstanceMarker;
  std::string path(folder, length);
  if (path.back() != '\\') path += '\\';
  return path + kInstanceMarker;
}

// Locks one byte of the marker; under Wine this is a record lock on the same byte that the native
// program locks, so either build sees the other.
bool LockByte(HANDLE file, const std::string& title, DWORD flags) {
  OVERLAPPED at{};
  at.Offset = MarkerByte(title);
  return LockFileEx(file, flags | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at) != 0;
}

void UnlockByte(HANDLE file, const std::string& title) {
  OVERLAPPED at{};
  at.Offset = MarkerByte(title);
  UnlockFileEx(file, 0, 1, 0, &at);
}

HANDLE OpenMarker(DWORD access, DWORD disposition) {
  return CreateFileA(kInstanceMarker, access,
                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, disposition,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
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
    UnlockByte(handle_, title_);
    CloseHandle(handle_);  // the file stays
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
    const HANDLE marker = OpenMarker(GENERIC_READ, OPEN_EXISTING);
    if (marker == INVALID_HANDLE_VALUE) return false;
    const bool free = LockByte(marker, title, 0);
    if (free) UnlockByte(marker, title);
    CloseHandle(marker);
    return !free;
  }

  std::unique_ptr<WindowClaim> Claim(const std::string& title, std::string* unusable) override {
    // A second claim of this process would only wait for the first to let go.
    if (held_->count(title) > 0) return nullptr;
    const HANDLE marker = OpenMarker(GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS);
    const DWORD attributes = GetFileAttributesA(kInstanceMarker);
    if (marker == INVALID_HANDLE_VALUE || attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) != 0) {
      if (marker != INVALID_HANDLE_VALUE) CloseHandle(marker);
      if (unusable != nullptr) *unusable = MarkerPath();
      return nullptr;
    }
    // Another start may be looking at the lock this very moment (a shared lock for an instant).
    for (int attempt = 0; attempt < 50; ++attempt) {
      if (LockByte(marker, title, LOCKFILE_EXCLUSIVE_LOCK))
        return std::make_unique<HandleClaim>(marker, held_, title);
      const DWORD error = GetLastError();
      if (error != ERROR_LOCK_VIOLATION && error != ERROR_IO_PENDING) {
        if (unusable != nullptr) *unusable = MarkerPath();
        break;
      }
      Sleep(2);
    }
    CloseHandle(marker);
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
