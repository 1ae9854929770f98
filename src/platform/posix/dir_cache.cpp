#include "platform/posix/dir_cache.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <utility>

namespace varokin::platform::posix {

namespace {

// Past this many folders the cache starts over rather than grow without end.
constexpr std::size_t kMaxFolders = 256;

std::int64_t Nanoseconds(const timespec& t) {
  return static_cast<std::int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

}  // namespace

// Disks that keep whole seconds (FAT keeps two) get a wider margin than the few milliseconds of a
// kernel clock tick.
bool IsRacyListing(const struct stat& folder, const timespec& readStart) {
  const bool coarse = folder.st_mtim.tv_nsec == 0 && folder.st_ctim.tv_nsec == 0;
  const std::int64_t margin = coarse ? 2'100'000'000 : 20'000'000;
  const std::int64_t latest = std::max(Nanoseconds(folder.st_mtim), Nanoseconds(folder.st_ctim));
  return latest + margin >= Nanoseconds(readStart);
}

void DirListing::Add(std::string_view name, bool link) {
  if (link) links_.emplace(name);
  auto [it, inserted] = byLower_.try_emplace(LowerCase(name));
  Twins& twins = it->second;
  if (inserted) {
    twins.smallest.assign(name);
    return;
  }
  if (twins.smallest == name ||
      std::find(twins.others.begin(), twins.others.end(), name) != twins.others.end()) {
    return;
  }
  std::string added(name);
  if (added < twins.smallest) std::swap(added, twins.smallest);
  twins.others.push_back(std::move(added));
}

void DirListing::Remove(std::string_view name) {
  if (!links_.empty()) links_.erase(std::string(name));
  auto it = byLower_.find(LowerCase(name));
  if (it == byLower_.end()) return;
  Twins& twins = it->second;
  if (twins.smallest != name) {
    auto other = std::find(twins.others.begin(), twins.others.end(), name);
    if (other != twins.others.end()) twins.others.erase(other);
    return;
  }
  if (twins.others.empty()) {
    byLower_.erase(it);
    return;
  }
  auto next = std::min_element(twins.others.begin(), twins.others.end());
  twins.smallest = std::move(*next);
  twins.others.erase(next);
}

const std::string* DirListing::Match(std::string_view name) const {
  auto it = byLower_.find(LowerCase(name));
  if (it == byLower_.end()) return nullptr;
  const Twins& twins = it->second;
  for (const std::string& other : twins.others) {
    if (other == name) return &other;
  }
  return &twins.smallest;
}

DirCache::Stamp DirCache::StampOf(const struct stat& status) {
  return {status.st_dev,  status.st_ino,  status.st_mtim,
          status.st_ctim, status.st_size, status.st_nlink};
}

bool DirCache::Same(const Stamp& a, const Stamp& b) {
  return a.device == b.device && a.inode == b.inode &&
         Nanoseconds(a.modified) == Nanoseconds(b.modified) &&
         Nanoseconds(a.changed) == Nanoseconds(b.changed) && a.size == b.size && a.links == b.links;
}

const DirListing* DirCache::Get(const std::string& folder) {
  auto it = entries_.find(folder);
  if (it == entries_.end()) return Read(folder);
  Entry& entry = it->second;
  if (entry.checkedIn == operation_) return &entry.listing;
  struct stat status;
  if (stat(folder.c_str(), &status) != 0 || entry.racy || !Same(entry.stamp, StampOf(status))) {
    return Read(folder);
  }
  entry.checkedIn = operation_;
  return &entry.listing;
}

const DirListing* DirCache::Read(const std::string& folder) {
  entries_.erase(folder);
  timespec readStart;
  clock_gettime(CLOCK_REALTIME, &readStart);
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat status;
  DIR* dir = fstat(fd, &status) == 0 ? fdopendir(fd) : nullptr;
  if (dir == nullptr) {
    close(fd);
    return nullptr;
  }
  DirListing listing;
  bool complete = true;
  for (;;) {
    errno = 0;
    const dirent* entry = readdir(dir);
    if (entry == nullptr) {
      complete = errno == 0;
      break;
    }
    const std::string_view name(entry->d_name);
    if (name == "." || name == "..") continue;
    // Some file systems leave the type to a look of its own.
    bool link = entry->d_type == DT_LNK;
    struct stat entryStatus;
    if (entry->d_type == DT_UNKNOWN &&
        fstatat(dirfd(dir), entry->d_name, &entryStatus, AT_SYMLINK_NOFOLLOW) == 0) {
      link = S_ISLNK(entryStatus.st_mode);
    }
    listing.Add(name, link);
  }
  closedir(dir);
  if (!complete) return nullptr;
  if (entries_.size() >= kMaxFolders) entries_.clear();
  Entry& stored = entries_[folder];
  stored = Entry{StampOf(status), IsRacyListing(status, readStart), operation_, std::move(listing)};
  return &stored.listing;
}

void DirCache::Changed(const std::string& folder, std::string_view removed, std::string_view added,
                       bool addedIsLink) {
  auto it = entries_.find(folder);
  if (it == entries_.end()) return;
  // Only a listing known to be current up to this change may simply take it in.
  struct stat status;
  if (it->second.checkedIn != operation_ || stat(folder.c_str(), &status) != 0) {
    entries_.erase(it);
    return;
  }
  Entry& entry = it->second;
  if (!removed.empty()) entry.listing.Remove(removed);
  if (!added.empty()) entry.listing.Add(added, addedIsLink);
  entry.stamp = StampOf(status);
  // The folder's new times are those of our own change, so a listing that took the change in is
  // as current as one read afresh. Treating it as racy would read the folder again after every
  // rename of a switch, which makes a switch of thousands of files quadratic. What another program
  // might change within that same tick stays safe: renames never replace, and every positive
  // lookup is confirmed on disk.
  entry.racy = false;
}

}  // namespace varokin::platform::posix
