#include "support/engine/rename_blocker.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace varokin::engine_tests {

#ifdef _WIN32

RenameBlocker::RenameBlocker(const std::filesystem::path& file) {
  HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return;
  handle_ = handle;
  active_ = true;
}

RenameBlocker::~RenameBlocker() {
  if (handle_) CloseHandle(static_cast<HANDLE>(handle_));
}

#else

RenameBlocker::RenameBlocker(const std::filesystem::path& file) {
  fd_ = open(file.c_str(), O_RDONLY);
  if (fd_ < 0) return;
  int flags = 0;
  if (ioctl(fd_, FS_IOC_GETFLAGS, &flags) != 0) return;
  flags |= FS_IMMUTABLE_FL;
  active_ = ioctl(fd_, FS_IOC_SETFLAGS, &flags) == 0;
}

RenameBlocker::~RenameBlocker() {
  if (fd_ < 0) return;
  int flags = 0;
  if (active_ && ioctl(fd_, FS_IOC_GETFLAGS, &flags) == 0) {
    flags &= ~FS_IMMUTABLE_FL;
    ioctl(fd_, FS_IOC_SETFLAGS, &flags);
  }
  close(fd_);
}

#endif

}  // namespace varokin::engine_tests
