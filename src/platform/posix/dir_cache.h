#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <ctime>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/text.h"

namespace varokin::platform::posix {

// A folder's times only tell apart changes that fall in different clock ticks, so a listing read
// within a tick or two of the folder's last change may already miss a change that left the times
// as they were. Such a listing serves one operation only.
bool IsRacyListing(const struct stat& folder, const timespec& readStart);

// The names of one folder, found by their lower-case form.
class DirListing {
 public:
  // A link is remembered as one: a folder reached through it may lie anywhere.
  void Add(std::string_view name, bool link = false);
  void Remove(std::string_view name);
  // True when the stored name is a symbolic link.
  bool IsLink(const std::string& stored) const {
    return !links_.empty() && links_.count(stored) != 0;
  }
  // The stored name that `name` stands for: itself when it is there, else the smallest in byte
  // order of the names that differ from it only by case; nullptr when there is none.
  const std::string* Match(std::string_view name) const;

  // Every stored name that differs from `name` by case alone, itself included.
  template <class Visit>
  void ForEachTwin(std::string_view name, Visit visit) const {
    const auto it = byLower_.find(LowerCase(name));
    if (it == byLower_.end()) return;
    visit(it->second.smallest);
    for (const std::string& other : it->second.others) visit(other);
  }

  template <class Visit>
  void ForEachName(Visit visit) const {
    for (const auto& [lower, twins] : byLower_) {
      visit(twins.smallest);
      for (const std::string& other : twins.others) visit(other);
    }
  }

 private:
  // Nearly always a single name; a case-sensitive disk may hold several that differ by case only.
  struct Twins {
    std::string smallest;
    std::vector<std::string> others;
  };
  std::unordered_map<std::string, Twins> byLower_;
  std::unordered_set<std::string> links_;
};

// Listings of the folders looked at, each trusted only while the folder's status is unchanged.
// Changes made through us are applied to the listing directly, which is what keeps thousands of
// renames in one folder from reading it thousands of times. Not thread-safe, as nothing here is.
class DirCache {
 public:
  // Starts one file system operation: a folder's status is checked once per operation.
  void BeginOperation() { ++operation_; }
  // The listing of a host folder, read again when the folder changed; nullptr when it cannot be
  // read.
  const DirListing* Get(const std::string& folder);
  // After our own change in `folder`: an empty name means none removed or none added.
  void Changed(const std::string& folder, std::string_view removed, std::string_view added,
               bool addedIsLink = false);
  void Forget(const std::string& folder) { entries_.erase(folder); }
  void Clear() { entries_.clear(); }

 private:
  struct Stamp {
    dev_t device;
    ino_t inode;
    timespec modified;
    timespec changed;
    off_t size;
    nlink_t links;
  };
  struct Entry {
    Stamp stamp;
    bool racy;
    unsigned checkedIn;
    DirListing listing;
  };

  static Stamp StampOf(const struct stat& status);
  static bool Same(const Stamp& a, const Stamp& b);
  const DirListing* Read(const std::string& folder);

  std::unordered_map<std::string, Entry> entries_;
  unsigned operation_ = 0;
};

}  // namespace varokin::platform::posix
