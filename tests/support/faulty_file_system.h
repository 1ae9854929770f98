#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace varokin::fixtures {

// A file system that fails on demand, over a real one. The calls that can lose or duplicate a
// file when they fail part-way through an operation are counted: renames, folder creations,
// removals and opens (OpenRead, ReadAt, WriteFileAtomic). A failed call returns its failure value
// and leaves the disk alone. Nothing is counted or failed until Arm().
class FaultyFileSystem : public platform::FileSystem {
 public:
  explicit FaultyFileSystem(std::unique_ptr<platform::FileSystem> real) : real_(std::move(real)) {}

  // Thrown instead of failing the call when armed to kill: the program stops right there, as
  // if its process had been killed, and the call never reaches the disk.
  struct Killed {};

  // Counts from now on; failAt (from 1) is the counted call to fail, 0 fails none. With kill,
  // that call throws Killed instead.
  void Arm(std::size_t failAt, bool kill = false) {
    armed_ = true;
    kill_ = kill;
    failAt_ = failAt;
    calls_ = 0;
    failures_.clear();
    seen_.clear();
    killedAt_.reset();
  }
  void Disarm() { armed_ = false; }
  // Every counted call on this path fails (names compared as given, without regard to case).
  void FailPath(std::optional<std::string> path) { failPath_ = std::move(path); }
  std::size_t Calls() const { return calls_; }

  enum class Call { kRename, kCreate, kRemove, kOpen };
  struct Failure {
    Call call;
    std::string path;
    std::string other;  // a rename's destination
    bool firstOnPath;   // no earlier counted call named path
    std::size_t mark;   // what `mark` returned as the call failed
  };
  // The calls failed since Arm(), in order.
  const std::vector<Failure>& Failures() const { return failures_; }
  // The call a kill stopped short of.
  std::optional<Call> KilledAt() const { return killedAt_; }
  // Tells where a failure happened, e.g. how many messages had been shown by then.
  std::function<std::size_t()> mark;

  std::vector<std::string> Find(const std::string& pattern) override {
    return real_->Find(pattern);
  }
  bool Exists(const std::string& path) override { return real_->Exists(path); }
  bool IsFolder(const std::string& path) override { return real_->IsFolder(path); }
  std::optional<std::uint64_t> Size(const std::string& path) override { return real_->Size(path); }
  bool Rename(const std::string& from, const std::string& to) override;
  bool CreateFolder(const std::string& path) override;
  bool RemoveFolder(const std::string& path) override;
  bool RemoveFile(const std::string& path) override;
  std::optional<std::string> ReadAt(const std::string& path, std::uint64_t offset,
                                    std::size_t count) override;
  std::unique_ptr<platform::InputFile> OpenRead(const std::string& path) override;
  std::unique_ptr<platform::OutputFile> OpenAppend(const std::string& path) override {
    return real_->OpenAppend(path);
  }
  bool WriteFileAtomic(const std::string& path, const std::string& contents) override;
  bool SetCurrentDir(const std::string& path) override { return real_->SetCurrentDir(path); }
  std::string CurrentDir() override { return real_->CurrentDir(); }
  std::string HostPath(const std::string& path) override { return real_->HostPath(path); }
  std::optional<FileStamp> Stamp(const std::string& path) override { return real_->Stamp(path); }
  bool LeadsOutside(const std::string& path) override { return real_->LeadsOutside(path); }

 private:
  // True when this counted call is to fail.
  bool Fails(Call call, const std::string& path, const std::string& other = {});

  std::unique_ptr<platform::FileSystem> real_;
  bool armed_ = false;
  bool kill_ = false;
  std::size_t failAt_ = 0;
  std::size_t calls_ = 0;
  std::optional<std::string> failPath_;
  std::vector<Failure> failures_;
  std::set<std::string> seen_;
  std::optional<Call> killedAt_;
};

// Refuses every rename onto one name, as a disk may at any moment (a file locked or made there by
// another program).
class RefusesRenamesOnto : public FaultyFileSystem {
 public:
  explicit RefusesRenamesOnto(std::string name)
      : FaultyFileSystem(platform::CreateHostFileSystem()), name_(std::move(name)) {}
  bool Rename(const std::string& from, const std::string& to) override {
    return to != name_ && FaultyFileSystem::Rename(from, to);
  }

 private:
  std::string name_;
};

}  // namespace varokin::fixtures
