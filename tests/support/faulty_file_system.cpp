#include "support/faulty_file_system.h"

#include <algorithm>
#include <cctype>

namespace varokin::fixtures {

namespace {

bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

bool FaultyFileSystem::Fails(const std::string& path, const std::string& other) {
  if (!armed_) return false;
  ++calls_;
  const bool onPath = failPath_ && (SameName(*failPath_, path) || SameName(*failPath_, other));
  if (calls_ != failAt_ && !onPath) return false;
  ++failed_;
  lastFailure_ = other.empty() ? path : path + " -> " + other;
  return true;
}

bool FaultyFileSystem::Rename(const std::string& from, const std::string& to) {
  return !Fails(from, to) && real_->Rename(from, to);
}

bool FaultyFileSystem::CreateFolder(const std::string& path) {
  return !Fails(path) && real_->CreateFolder(path);
}

bool FaultyFileSystem::RemoveFolder(const std::string& path) {
  return !Fails(path) && real_->RemoveFolder(path);
}

bool FaultyFileSystem::RemoveFile(const std::string& path) {
  return !Fails(path) && real_->RemoveFile(path);
}

std::optional<std::string> FaultyFileSystem::ReadAt(const std::string& path, std::uint64_t offset,
                                                    std::size_t count) {
  if (Fails(path)) return std::nullopt;
  return real_->ReadAt(path, offset, count);
}

std::unique_ptr<platform::InputFile> FaultyFileSystem::OpenRead(const std::string& path) {
  if (Fails(path)) return nullptr;
  return real_->OpenRead(path);
}

bool FaultyFileSystem::WriteFileAtomic(const std::string& path, const std::string& contents) {
  return !Fails(path) && real_->WriteFileAtomic(path, contents);
}

}  // namespace varokin::fixtures
