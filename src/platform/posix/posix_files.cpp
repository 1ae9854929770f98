#include "platform/posix/posix_files.h"

#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "platform/posix/path_resolver.h"

namespace varokin::platform::posix {

namespace {

// Closes the descriptor on every way out.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() {
    if (fd_ >= 0) close(fd_);
  }
  int Get() const { return fd_; }
  int Release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }
  // Closes now, for the callers that must know whether the last write reached the disk.
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return close(fd) == 0;
  }

 private:
  int fd_;
};

class HostInputFile final : public InputFile {
 public:
  explicit HostInputFile(int fd) : fd_(fd) {}
  std::size_t Read(char* buffer, std::size_t count) override {
    for (;;) {
      const ssize_t got = read(fd_.Get(), buffer, count);
      if (got >= 0) return static_cast<std::size_t>(got);
      if (errno != EINTR) return 0;
    }
  }

 private:
  Descriptor fd_;
};

int OpenWithoutLinks(const std::string& host, int flags) {
#ifdef SYS_openat2
  open_how how{};
  how.flags = static_cast<decltype(how.flags)>(flags);
  how.resolve = RESOLVE_NO_SYMLINKS;
  return static_cast<int>(syscall(SYS_openat2, AT_FDCWD, host.c_str(), &how, sizeof how));
#else
  (void)host;
  (void)flags;
  errno = ENOSYS;
  return -1;
#endif
}

// A regular file opened for reading. Opening a FIFO would wait for a writer, so nothing waits; and
// only a regular file has an end that reading reaches.
int OpenForReading(const std::string& host, struct stat& status, bool withoutLinks) {
  const int flags = O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY;
  const int fd = withoutLinks ? OpenWithoutLinks(host, flags) : open(host.c_str(), flags);
  if (fd < 0) return -1;
  int error = 0;
  if (fstat(fd, &status) != 0) {
    error = errno;
  } else if (!S_ISREG(status.st_mode)) {
    error = S_ISDIR(status.st_mode) ? EISDIR : EINVAL;
  } else if (fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
    error = errno;
  }
  if (error == 0) return fd;
  close(fd);
  errno = error;
  return -1;
}

bool WriteAll(int fd, const std::string& contents) {
  std::size_t done = 0;
  while (done < contents.size()) {
    const ssize_t wrote = write(fd, contents.data() + done, contents.size() - done);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) return false;
    done += static_cast<std::size_t>(wrote);
  }
  return true;
}

// A name beside the target that no one else uses: the process id keeps two programs apart, the
// counter two writes of this one, and O_EXCL whatever is left.
int CreateTempBeside(const std::string& folder, const std::string& host, std::string& temp) {
  static unsigned counter = 0;
  const std::string base = host.substr(host.find_last_of('/') + 1);
  for (int attempt = 0; attempt < 100; ++attempt) {
    temp = JoinHostPath(
        folder, "." + base + ".tmp" + std::to_string(getpid()) + "-" + std::to_string(++counter));
    const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

void SyncFolder(const std::string& folder) {
  Descriptor fd(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.Get() >= 0) fsync(fd.Get());
}

class HostOutputFile final : public OutputFile {
 public:
  explicit HostOutputFile(int fd) : fd_(fd) {}
  bool Write(const std::string& text) override { return WriteAll(fd_.Get(), text); }

 private:
  Descriptor fd_;
};

}  // namespace

std::unique_ptr<OutputFile> OpenHostFileAppend(const std::string& host) {
  Descriptor fd(open(host.c_str(), O_WRONLY | O_APPEND | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
  struct stat status;
  if (fd.Get() < 0 || fstat(fd.Get(), &status) != 0 || !S_ISREG(status.st_mode)) return nullptr;
  return std::make_unique<HostOutputFile>(fd.Release());
}

bool IsHostFolder(const std::string& host) {
  struct stat info {};
  return stat(host.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool IsHostFile(const std::string& host) {
  struct stat info {};
  return stat(host.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::unique_ptr<InputFile> OpenHostFile(const std::string& host, bool withoutLinks) {
  struct stat status;
  const int fd = OpenForReading(host, status, withoutLinks);
  if (fd < 0) return nullptr;
  return std::make_unique<HostInputFile>(fd);
}

std::optional<std::string> ReadHostFileAt(const std::string& host, std::uint64_t offset,
                                          std::size_t count, bool withoutLinks) {
  struct stat status;
  Descriptor fd(OpenForReading(host, status, withoutLinks));
  if (fd.Get() < 0) return std::nullopt;
  const std::uint64_t size = static_cast<std::uint64_t>(status.st_size);
  std::string bytes;
  // Sized by what the file holds, so a large count asked of a small file allocates nothing.
  bytes.resize(
      offset >= size ? 0 : static_cast<std::size_t>(std::min<std::uint64_t>(count, size - offset)));
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t got = pread(fd.Get(), bytes.data() + done, bytes.size() - done,
                              static_cast<off_t>(offset + done));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return std::nullopt;
    if (got == 0) break;
    done += static_cast<std::size_t>(got);
  }
  bytes.resize(done);
  return bytes;
}

bool WriteHostFileAtomic(const std::string& folder, const std::string& host,
                         const std::string& contents) {
  std::string temp;
  Descriptor fd(CreateTempBeside(folder, host, temp));
  if (fd.Get() < 0) return false;
  // The new file takes the old one's permissions, so a rewrite does not widen or narrow them.
  struct stat old;
  if (stat(host.c_str(), &old) == 0 && S_ISREG(old.st_mode)) fchmod(fd.Get(), old.st_mode & 07777);
  bool written = WriteAll(fd.Get(), contents) && fsync(fd.Get()) == 0;
  written = fd.Close() && written;
  if (!written || std::rename(temp.c_str(), host.c_str()) != 0) {
    const int error = errno;
    unlink(temp.c_str());
    errno = error;
    return false;
  }
  SyncFolder(folder);
  return true;
}

}  // namespace varokin::platform::posix
