#include "support/faulty_file_system.h"

#include <algorithm>

#include "platform/text.h"

namespace varokin::fixtures {

namespace {

bool SameName(const std::string& a, const std::string& b) {
  return platform::EqualsIgnoringCase(a, b);
}

}  // namespace

bool FaultyFileSystem::Fails(Call call, const std::string& path, const std::string& other) {
  if (!armed_) return false;
  ++calls_;
  const bool firstOnPath = seen_.insert(path).second;
  const bool onPath = failPath_ && (SameName(*failPath_, path) || SameName(*failPath_, other));
  if (calls_ != failAt_ && !onPath) return false;
  if (kill_) {
    killedAt_ = call;
    throw Killed{};
  }
  failures_.push_back({call, path, other, firstOnPath, mark ? mark() : 0});
  return true;
}

bool FaultyFileSystem::Rename(const std::string& from, const std::string& to) {
  return !Fails(Call::kRename, from, to) && real_->Rename(from, to);
}

bool FaultyFileSystem::CreateFolder(const std::string& path) {
  return !Fails(Call::kCreate, path) && real_->CreateFolder(path);
}

bool FaultyFileSystem::RemoveFolder(const std::string& path) {
  return !Fails(Call::kRemove, path) && real_->RemoveFolder(path);
}

bool FaultyFileSystem::RemoveFile(const std::string& path) {
  return !Fails(Call::kRemove, path) && real_->RemoveFile(path);
}

std::optional<std::string> FaultyFileSystem::ReadAt(const std::string& path, std::uint64_t offset,
                                                    std::size_t count) {
  if (Fails(Call::kOpen, path)) return std::nullopt;
  return real_->ReadAt(path, offset, count);
}

std::unique_ptr<platform::InputFile> FaultyFileSystem::OpenRead(const std::string& path) {
  if (Fails(Call::kOpen, path)) return nullptr;
  return real_->OpenRead(path);
}

bool FaultyFileSystem::WriteFileAtomic(const std::string& path, const std::string& contents) {
  return !Fails(Call::kOpen, path) && real_->WriteFileAtomic(path, contents);
}

}  // namespace varokin::fixtures
