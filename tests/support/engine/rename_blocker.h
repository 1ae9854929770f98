#pragma once

#include <filesystem>

namespace varokin::engine_tests {

// Makes the host refuse to rename one file for as long as it lives, the way a file locked by
// another program is refused: a handle open without delete sharing on Windows, the immutable
// attribute elsewhere. Active() is false when the host offers neither (the test then skips).
class RenameBlocker {
 public:
  explicit RenameBlocker(const std::filesystem::path& file);
  ~RenameBlocker();
  RenameBlocker(const RenameBlocker&) = delete;
  RenameBlocker& operator=(const RenameBlocker&) = delete;

  bool Active() const { return active_; }

 private:
  bool active_ = false;
#ifdef _WIN32
  void* handle_ = nullptr;
#else
  int fd_ = -1;
#endif
};

}  // namespace varokin::engine_tests
