#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <vector>

#include "platform/file_system.h"
#include "platform/posix/dir_cache.h"
#include "platform/posix/no_replace_rename.h"
#include "platform/posix/path_resolver.h"
#include "platform/posix/posix_files.h"

namespace varokin::platform {

namespace {

using posix::ResolvedPath;
using Known = ResolvedPath::Known;

class PosixFileSystem final : public FileSystem {
 public:
  std::vector<std::string> Find(const std::string& pattern) override;
  bool Exists(const std::string& path) override;
  bool IsFolder(const std::string& path) override;
  std::optional<std::uint64_t> Size(const std::string& path) override;
  bool Rename(const std::string& from, const std::string& to) override;
  bool CreateFolder(const std::string& path) override;
  bool RemoveFolder(const std::string& path) override;
  bool RemoveFile(const std::string& path) override;
  std::optional<std::string> ReadAt(const std::string& path, std::uint64_t offset,
                                    std::size_t count) override;
  std::unique_ptr<InputFile> OpenRead(const std::string& path) override;
  std::unique_ptr<OutputFile> OpenAppend(const std::string& path) override;
  bool WriteFileAtomic(const std::string& path, const std::string& contents) override;
  bool SetCurrentDir(const std::string& path) override;
  std::string CurrentDir() override;
  std::string HostPath(const std::string& path) override;
  std::optional<FileStamp> Stamp(const std::string& path) override;
  bool LeadsOutside(const std::string& path) override {
    const bool outside = Resolve(path).outside;
    queriedAt_ = std::chrono::steady_clock::now();
    return outside;
  }

 private:
  // The path with host separators, every component as written. Files are read far more often
  // than they are named in another case, and a name that exists exactly is what resolution would
  // find first: trying it spares checking each folder on the way, one system call per folder.
  static std::string ExactHostPath(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path.empty() ? "." : path;
  }
  static bool IsRelative(const std::string& path) { return path.empty() || path.front() != '/'; }
  // The direct open of a relative path passes no link at all, so one that failed for a link (or
  // where the system cannot refuse links) is resolved step by step, which checks where links lead.
  static bool WorthResolving(int error) {
    return error == ENOENT || error == ENOTDIR || error == ELOOP || error == ENOSYS;
  }

  ResolvedPath Resolve(const std::string& path) {
    if (!FollowsAQuery()) cache_.BeginOperation();
    return posix::ResolvePath(cache_, path);
  }

  // The boundary is asked about before nearly every move. A call that comes right after that
  // question shares its check of the folders, as if both were one operation; otherwise the
  // question would double the system calls of a switch.
  bool FollowsAQuery() {
    if (!queriedAt_) return false;
    const bool recent = std::chrono::steady_clock::now() - *queriedAt_ < kQueryShared;
    queriedAt_.reset();
    return recent;
  }

  // Runs `act` on the existing entry `path` names; `act` returns false with errno set. A listing
  // that named an entry the system no longer finds was stale, however unlikely: the path is then
  // resolved once more from fresh listings.
  template <class Act>
  bool OnExisting(const std::string& path, Act act) {
    ResolvedPath resolved = Resolve(path);
    if (Refused(resolved) || resolved.known == Known::kAbsent) return false;
    if (act(resolved)) return true;
    if (errno != ENOENT || resolved.known != Known::kPresent) return false;
    cache_.Clear();
    resolved = Resolve(path);
    return !Refused(resolved) && resolved.known != Known::kAbsent && act(resolved);
  }

  // A name that leads out of the TA folder is treated as one that names nothing there.
  static bool Refused(const ResolvedPath& resolved) {
    if (resolved.outside) errno = EXDEV;
    return resolved.outside;
  }

  // An entry exists when its folder lists it, so a link exists even where it points to nothing;
  // what it is, though, is what it points to.
  bool Stat(const std::string& path, struct stat& status, bool followLink) {
    return OnExisting(path, [&](const ResolvedPath& resolved) {
      return (followLink ? stat(resolved.host.c_str(), &status)
                         : lstat(resolved.host.c_str(), &status)) == 0;
    });
  }

  bool WriteThroughLink(const ResolvedPath& resolved, bool relative, const std::string& contents);

  // Runs a removal and keeps the folder's listing in step with it.
  template <class Remove>
  bool RemoveEntry(const std::string& path, Remove remove) {
    return OnExisting(path, [&](const ResolvedPath& resolved) {
      if (remove(resolved.host.c_str()) != 0) return false;
      cache_.Changed(resolved.folder, resolved.name, {});
      return true;
    });
  }

  int RenameOnce(const std::string& from, const std::string& to, bool& staleSource);

  static constexpr std::chrono::milliseconds kQueryShared{2};

  posix::DirCache cache_;
  std::optional<std::chrono::steady_clock::time_point> queriedAt_;
};

std::vector<std::string> PosixFileSystem::Find(const std::string& pattern) {
  const std::size_t separator = pattern.find_last_of("/\\");
  std::string folderPath;
  if (separator == 0 && pattern.front() == '/') {
    folderPath = "/";
  } else if (separator != std::string::npos) {
    folderPath = pattern.substr(0, separator);
  }
  const std::string leaf = separator == std::string::npos ? pattern : pattern.substr(separator + 1);

  std::vector<std::string> names;
  const ResolvedPath folder = Resolve(folderPath);
  // The folder searched is itself a folder on the way.
  const bool leadsOutside = folder.outside || (folder.link && IsRelative(pattern) &&
                                               !posix::StaysBelowWorkingDir(folder.host));
  if (folder.known == Known::kAbsent || leadsOutside) return names;
  const posix::DirListing* listing = cache_.Get(folder.host);
  if (listing == nullptr) return names;
  auto take = [&](const std::string& name) {
    if (WildcardMatch(leaf, name)) names.push_back(name);
  };
  // A plain name (a check for case twins before each move of a switch) needs no walk through a
  // folder of thousands.
  if (leaf.find_first_of("*?") == std::string::npos) {
    listing->ForEachTwin(leaf, take);
  } else {
    listing->ForEachName(take);
  }
  std::sort(names.begin(), names.end());
  return names;
}

bool PosixFileSystem::Exists(const std::string& path) {
  struct stat status;
  return Stat(path, status, false);
}

bool PosixFileSystem::IsFolder(const std::string& path) {
  struct stat status;
  return Stat(path, status, true) && S_ISDIR(status.st_mode);
}

std::optional<std::uint64_t> PosixFileSystem::Size(const std::string& path) {
  struct stat status;
  if (!Stat(path, status, true) || S_ISDIR(status.st_mode)) return std::nullopt;
  return static_cast<std::uint64_t>(status.st_size);
}

// 0 or an errno value. staleSource tells that a listing named the source but the system did not
// find it.
int PosixFileSystem::RenameOnce(const std::string& from, const std::string& to, bool& staleSource) {
  const ResolvedPath source = Resolve(from);
  if (source.outside) return EXDEV;
  if (source.known == Known::kAbsent) return ENOENT;
  ResolvedPath target = posix::ResolvePath(cache_, to);
  if (target.outside) return EXDEV;
  if (target.known == Known::kPresent) {
    // The destination is taken without regard to case, unless it is the source itself being
    // given another case.
    const bool sameEntry = target.folder == source.folder && target.name == source.name;
    if (!sameEntry || target.given == source.name) return EEXIST;
    target.name = target.given;
    target.host = posix::JoinHostPath(target.folder, target.name);
  }
  const int error = posix::RenameWithoutReplacing(source.host.c_str(), target.host.c_str());
  if (error != 0) {
    struct stat status;
    staleSource = error == ENOENT && source.known == Known::kPresent &&
                  lstat(source.host.c_str(), &status) != 0 && errno == ENOENT;
    cache_.Forget(source.folder);
    cache_.Forget(target.folder);
    return error;
  }
  if (source.folder == target.folder) {
    cache_.Changed(source.folder, source.name, target.name, source.link);
  } else {
    cache_.Changed(source.folder, source.name, {});
    cache_.Changed(target.folder, {}, target.name, source.link);
  }
  return 0;
}

bool PosixFileSystem::Rename(const std::string& from, const std::string& to) {
  bool staleSource = false;
  int error = RenameOnce(from, to, staleSource);
  if (staleSource) {
    cache_.Clear();
    error = RenameOnce(from, to, staleSource);
  }
  errno = error;
  return error == 0;
}

bool PosixFileSystem::CreateFolder(const std::string& path) {
  const ResolvedPath resolved = Resolve(path);
  if (Refused(resolved) || resolved.known == Known::kPresent) return false;
  if (mkdir(resolved.host.c_str(), 0777) != 0) {
    cache_.Forget(resolved.folder);
    return false;
  }
  cache_.Changed(resolved.folder, {}, resolved.name);
  return true;
}

bool PosixFileSystem::RemoveFolder(const std::string& path) { return RemoveEntry(path, rmdir); }

bool PosixFileSystem::RemoveFile(const std::string& path) { return RemoveEntry(path, unlink); }

std::optional<std::string> PosixFileSystem::ReadAt(const std::string& path, std::uint64_t offset,
                                                   std::size_t count) {
  std::optional<std::string> bytes =
      posix::ReadHostFileAt(ExactHostPath(path), offset, count, IsRelative(path));
  if (bytes || !WorthResolving(errno)) return bytes;
  OnExisting(path, [&](const ResolvedPath& resolved) {
    bytes = posix::ReadHostFileAt(resolved.host, offset, count);
    return bytes.has_value();
  });
  return bytes;
}

std::unique_ptr<InputFile> PosixFileSystem::OpenRead(const std::string& path) {
  std::unique_ptr<InputFile> file = posix::OpenHostFile(ExactHostPath(path), IsRelative(path));
  if (file != nullptr || !WorthResolving(errno)) return file;
  OnExisting(path, [&](const ResolvedPath& resolved) {
    file = posix::OpenHostFile(resolved.host);
    return file != nullptr;
  });
  return file;
}

std::unique_ptr<OutputFile> PosixFileSystem::OpenAppend(const std::string& path) {
  std::unique_ptr<OutputFile> file;
  OnExisting(path, [&](const ResolvedPath& resolved) {
    file = posix::OpenHostFileAppend(resolved.host);
    return file != nullptr;
  });
  return file;
}

bool PosixFileSystem::WriteFileAtomic(const std::string& path, const std::string& contents) {
  const ResolvedPath resolved = Resolve(path);
  if (Refused(resolved)) return false;
  struct stat status;
  if (resolved.known != Known::kAbsent && lstat(resolved.host.c_str(), &status) == 0 &&
      S_ISLNK(status.st_mode)) {
    return WriteThroughLink(resolved, IsRelative(path), contents);
  }
  if (!posix::WriteHostFileAtomic(resolved.folder, resolved.host, contents)) {
    cache_.Forget(resolved.folder);
    return false;
  }
  cache_.Changed(resolved.folder, {}, resolved.name);
  return true;
}

// A settings file kept elsewhere and linked in (a dotfiles folder, a shared disk) keeps its link:
// the file the link names is replaced instead. That file must lie where the user may write, since
// the replacement is a new file in its folder; a link into a folder of the system, or one that
// leads out of the TA folder, or one that points to nothing, is a file that cannot be written.
bool PosixFileSystem::WriteThroughLink(const ResolvedPath& resolved, bool relative,
                                       const std::string& contents) {
  const std::unique_ptr<char, decltype(&std::free)> real(realpath(resolved.host.c_str(), nullptr),
                                                         &std::free);
  if (real == nullptr) return false;
  const std::string target = real.get();
  const std::string folder = target.substr(0, std::max<std::size_t>(target.rfind('/'), 1));
  struct stat status;
  if ((relative && !posix::StaysBelowWorkingDir(target)) || stat(target.c_str(), &status) != 0 ||
      !S_ISREG(status.st_mode) || access(target.c_str(), W_OK) != 0 ||
      access(folder.c_str(), W_OK | X_OK) != 0) {
    errno = EACCES;
    return false;
  }
  // The link's folder is unchanged, and the cache sees the change in the target's by its times.
  return posix::WriteHostFileAtomic(folder, target, contents);
}

bool PosixFileSystem::SetCurrentDir(const std::string& path) {
  const bool changed = OnExisting(
      path, [](const ResolvedPath& resolved) { return chdir(resolved.host.c_str()) == 0; });
  // Relative folders in the cache now mean other folders.
  if (changed) cache_.Clear();
  return changed;
}

std::string PosixFileSystem::CurrentDir() {
  std::vector<char> buffer(4096);
  while (getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE) return std::string();
    buffer.resize(buffer.size() * 2);
  }
  return buffer.data();
}

std::string PosixFileSystem::HostPath(const std::string& path) { return Resolve(path).host; }

std::optional<FileSystem::FileStamp> PosixFileSystem::Stamp(const std::string& path) {
  struct stat status;
  // An absolute name (the settings file) is nearly always spelled as stored: tried first as
  // written. A relative one goes through the checks of the TA folder's boundary.
  bool found = !path.empty() && path.front() == '/' && stat(path.c_str(), &status) == 0;
  if (!found) found = Stat(path, status, true);
  if (!found || !S_ISREG(status.st_mode)) return std::nullopt;
  return FileStamp{static_cast<std::uint64_t>(status.st_dev),
                   static_cast<std::uint64_t>(status.st_ino),
                   static_cast<std::uint64_t>(status.st_size),
                   std::int64_t{status.st_mtim.tv_sec} * 1'000'000'000 + status.st_mtim.tv_nsec};
}

}  // namespace

std::unique_ptr<FileSystem> CreateHostFileSystem() {
  // Past the file-size limit (ulimit -f) a write would kill the program with SIGXFSZ, leaving its
  // temporary file behind; ignored, the write fails with EFBIG like any other failed write.
  std::signal(SIGXFSZ, SIG_IGN);
  return std::make_unique<PosixFileSystem>();
}

}  // namespace varokin::platform
