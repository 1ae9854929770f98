#include "platform/instances.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <utility>

namespace varokin::platform {

namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

std::string LockFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && runtime[0] == '/') return std::string(runtime) + "/varokin";
  return "/tmp/varokin-" + std::to_string(getuid());
}

// The folder must be our own real folder: in /tmp anyone could have made it first, or left a
// symbolic link there that points our lock files somewhere else.
bool EnsureOwnFolder(const std::string& folder) {
  if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return false;
  struct stat info {};
  if (lstat(folder.c_str(), &info) != 0) return false;
  if (!S_ISDIR(info.st_mode) || info.st_uid != getuid()) return false;
  return (info.st_mode & 0077) == 0 || chmod(folder.c_str(), 0700) == 0;
}

std::string LockPath(const std::string& folder, const std::string& title) {
  std::string name;
  for (const char byte : title) {
    const auto c = static_cast<unsigned char>(byte);
    name += kHexDigits[c >> 4];
    name += kHexDigits[c & 0xF];
  }
  return folder + "/" + name + ".lock";
}

// The titles this process holds, shared with the claims so that each can strike its own off.
using HeldTitles = std::shared_ptr<std::set<std::string>>;

class FileClaim : public WindowClaim {
 public:
  FileClaim(int fd, HeldTitles held, std::string title)
      : fd_(fd), held_(std::move(held)), title_(std::move(title)) {
    held_->insert(title_);
  }
  ~FileClaim() override {
    held_->erase(title_);
    close(fd_);  // closing drops the lock; the file may stay
  }

 private:
  int fd_;
  HeldTitles held_;
  std::string title_;
};

class LockFileRegistry : public InstanceRegistry {
 public:
  bool WindowExists(const std::string& title) override {
    const std::string folder = LockFolder();
    if (!EnsureOwnFolder(folder)) return false;
    const int fd =
        open(LockPath(folder, title).c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    // A file left by a killed process holds no lock, so only a live claim blocks this.
    const bool held = flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    close(fd);
    return held;
  }

  std::unique_ptr<WindowClaim> Claim(const std::string& title, std::string* unusable) override {
    // A second claim of this process would only wait for the first to let go.
    if (held_->count(title) > 0) return nullptr;
    const std::string folder = LockFolder();
    if (!EnsureOwnFolder(folder)) return Unusable(folder, unusable);
    // Only a regular file of our own can hold a lock that another start of ours also sees.
    const std::string path = LockPath(folder, title);
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0) return Unusable(path, unusable);
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != getuid()) {
      close(fd);
      return Unusable(path, unusable);
    }
    // Another start may be looking at the lock this very moment (a shared lock for an instant).
    for (int attempt = 0; attempt < 50; ++attempt) {
      if (flock(fd, LOCK_EX | LOCK_NB) == 0) return std::make_unique<FileClaim>(fd, held_, title);
      if (errno != EWOULDBLOCK && errno != EINTR) {
        close(fd);
        return Unusable(path, unusable);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    close(fd);
    return nullptr;
  }

 private:
  static std::unique_ptr<WindowClaim> Unusable(const std::string& path, std::string* unusable) {
    if (unusable != nullptr) *unusable = path;
    return nullptr;
  }

  HeldTitles held_ = std::make_shared<std::set<std::string>>();
};

}  // namespace

std::unique_ptr<InstanceRegistry> CreateHostInstanceRegistry() {
  return std::make_unique<LockFileRegistry>();
}

}  // namespace varokin::platform
