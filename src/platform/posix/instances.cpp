#include "platform/instances.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <utility>

namespace varokin::platform {

namespace {

std::string MarkerPath() {
  char folder[4096];
  if (getcwd(folder, sizeof folder) == nullptr) return kInstanceMarker;
  return std::string(folder) + "/" + kInstanceMarker;
}

// Open-file-description locks: they belong to the open file, not the process, so two claims of
// one process exclude each other too, and they conflict with the record locks Wine takes for a
// Windows program's LockFileEx on the same bytes.
struct flock ByteOf(const std::string& title, short type) {
  struct flock lock {};
  lock.l_type = type;
  lock.l_whence = SEEK_SET;
  lock.l_start = static_cast<off_t>(MarkerByte(title));
  lock.l_len = 1;
  return lock;
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
    close(fd_);  // closing drops the lock; the file stays
  }

 private:
  int fd_;
  HeldTitles held_;
  std::string title_;
};

class LockFileRegistry : public InstanceRegistry {
 public:
  bool WindowExists(const std::string& title) override {
    const int fd = open(kInstanceMarker, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    struct flock lock = ByteOf(title, F_WRLCK);
    const bool held = fcntl(fd, F_OFD_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
    close(fd);
    return held;
  }

  std::unique_ptr<WindowClaim> Claim(const std::string& title, std::string* unusable) override {
    // A second claim of this process would only wait for the first to let go.
    if (held_->count(title) > 0) return nullptr;
    // Only a regular file can hold a lock that another start also sees; a link could point the
    // marker anywhere.
    const int fd =
        open(kInstanceMarker, O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) return Unusable(unusable);
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
      close(fd);
      return Unusable(unusable);
    }
    // Another start may be looking at the lock this very moment (a shared lock for an instant).
    for (int attempt = 0; attempt < 50; ++attempt) {
      struct flock lock = ByteOf(title, F_WRLCK);
      if (fcntl(fd, F_OFD_SETLK, &lock) == 0) return std::make_unique<FileClaim>(fd, held_, title);
      if (errno != EAGAIN && errno != EACCES && errno != EINTR) {
        close(fd);
        return Unusable(unusable);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    close(fd);
    return nullptr;
  }

 private:
  static std::unique_ptr<WindowClaim> Unusable(std::string* unusable) {
    if (unusable != nullptr) *unusable = MarkerPath();
    return nullptr;
  }

  HeldTitles held_ = std::make_shared<std::set<std::string>>();
};

}  // namespace

std::unique_ptr<InstanceRegistry> CreateHostInstanceRegistry() {
  return std::make_unique<LockFileRegistry>();
}

}  // namespace varokin::platform
