#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/file_system.h"
#include "platform/win32/win32_files.h"

namespace varokin::platform {

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

std::string ToHost(std::string path) {
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

std::optional<WIN32_FILE_ATTRIBUTE_DATA> Attributes(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(ToHost(path).c_str(), GetFileExInfoStandard, &data)) {
    return std::nullopt;
  }
  return data;
}

// The part of a path that names no entry of a folder: a drive ("C:"), the root, or the server and
// share of a network path.
std::size_t RootLength(const std::string& path) {
  if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
    std::size_t end = 2;
    for (int part = 0; part < 2 && end < path.size(); ++part) {
      end = path.find('\\', end);
      end = end == std::string::npos ? path.size() : end + 1;
    }
    return end;
  }
  std::size_t length = path.size() >= 2 && path[1] == ':' ? 2 : 0;
  if (length < path.size() && IsSeparator(path[length])) ++length;
  return length;
}

class Win32FileSystem final : public FileSystem {
 public:
  std::vector<std::string> Find(const std::string& pattern) override;
  bool Exists(const std::string& path) override { return Attributes(path).has_value(); }
  bool IsFolder(const std::string& path) override {
    auto data = Attributes(path);
    return data && (data->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
  }
  std::optional<std::uint64_t> Size(const std::string& path) override {
    auto data = Attributes(path);
    if (!data || (data->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return std::nullopt;
    return (static_cast<std::uint64_t>(data->nFileSizeHigh) << 32) | data->nFileSizeLow;
  }
  bool Rename(const std::string& from, const std::string& to) override;
  bool CreateFolder(const std::string& path) override {
    return CreateDirectoryA(ToHost(path).c_str(), nullptr) != 0;
  }
  bool RemoveFolder(const std::string& path) override {
    return RemoveDirectoryA(ToHost(path).c_str()) != 0;
  }
  bool RemoveFile(const std::string& path) override {
    return DeleteFileA(ToHost(path).c_str()) != 0;
  }
  std::optional<std::string> ReadAt(const std::string& path, std::uint64_t offset,
                                    std::size_t count) override {
    return win32::ReadHostFileAt(ToHost(path), offset, count);
  }
  std::unique_ptr<InputFile> OpenRead(const std::string& path) override {
    return win32::OpenHostFile(ToHost(path));
  }
  bool WriteFileAtomic(const std::string& path, const std::string& contents) override {
    return win32::WriteHostFileAtomic(ToHost(path), contents);
  }
  // The system keeps the case it is given; the stored one makes CurrentDir agree with the disk.
  bool SetCurrentDir(const std::string& path) override {
    return SetCurrentDirectoryA(HostPath(path).c_str()) != 0;
  }
  std::string CurrentDir() override;
  std::string HostPath(const std::string& path) override;
  std::optional<FileStamp> Stamp(const std::string& path) override;
};

// Every name of the folder, filtered by our own matcher: the system's matching would also try the
// short 8.3 names and its own rules for "*.*" and "?".
std::vector<std::string> Win32FileSystem::Find(const std::string& pattern) {
  const std::string host = ToHost(pattern);
  std::size_t leafStart = host.find_last_of('\\');
  leafStart = leafStart == std::string::npos ? RootLength(host) : leafStart + 1;
  const std::string leaf = host.substr(leafStart);

  std::vector<std::string> names;
  WIN32_FIND_DATAA data;
  HANDLE search = FindFirstFileA((host.substr(0, leafStart) + "*").c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = data.cFileName;
    if (name != "." && name != ".." && WildcardMatch(leaf, name)) names.push_back(name);
  } while (FindNextFileA(search, &data));
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

bool Win32FileSystem::Rename(const std::string& from, const std::string& to) {
  const std::string source = ToHost(from);
  const std::string target = ToHost(to);
  // The system takes a move onto the very same name as done; the contract calls that destination
  // taken. Another case of the same name is a real rename and goes through.
  if (source == target) {
    SetLastError(ERROR_ALREADY_EXISTS);
    return false;
  }
  return MoveFileA(source.c_str(), target.c_str()) != 0;
}

std::string Win32FileSystem::CurrentDir() {
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    const DWORD length = GetCurrentDirectoryA(static_cast<DWORD>(buffer.size()), buffer.data());
    if (length == 0) return std::string();
    if (length < buffer.size()) return std::string(buffer.data(), length);
    buffer.resize(length + 1);
  }
}

// Each existing component as the folder stores it, found one at a time.
std::string Win32FileSystem::HostPath(const std::string& path) {
  const std::string host = ToHost(path);
  std::size_t start = RootLength(host);
  std::string resolved = host.substr(0, start);
  while (start < host.size()) {
    std::size_t end = host.find('\\', start);
    if (end == std::string::npos) end = host.size();
    std::string component = host.substr(start, end - start);
    start = end + 1;
    if (component.empty()) continue;
    const bool literal = component.find_first_of("*?") == std::string::npos;
    WIN32_FIND_DATAA data;
    HANDLE found = literal && component != "." && component != ".."
                       ? FindFirstFileA((resolved + component).c_str(), &data)
                       : INVALID_HANDLE_VALUE;
    if (found != INVALID_HANDLE_VALUE) {
      component = data.cFileName;
      FindClose(found);
    }
    resolved += component;
    if (start < host.size()) resolved += '\\';
  }
  return resolved;
}

std::optional<FileSystem::FileStamp> Win32FileSystem::Stamp(const std::string& path) {
  // A folder cannot be opened without backup semantics, so only files get this far.
  const HANDLE handle = CreateFileA(ToHost(path).c_str(), FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info;
  const bool file = GetFileType(handle) == FILE_TYPE_DISK &&
                    GetFileInformationByHandle(handle, &info) &&
                    !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
  CloseHandle(handle);
  if (!file) return std::nullopt;
  const auto join = [](DWORD high, DWORD low) {
    return (static_cast<std::uint64_t>(high) << 32) | low;
  };
  // File times count 100 ns from 1601.
  constexpr std::int64_t kFrom1601To1970 = 116'444'736'000'000'000;
  const std::int64_t written = static_cast<std::int64_t>(
      join(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime));
  return FileStamp{info.dwVolumeSerialNumber, join(info.nFileIndexHigh, info.nFileIndexLow),
                   join(info.nFileSizeHigh, info.nFileSizeLow), (written - kFrom1601To1970) * 100};
}

}  // namespace

std::unique_ptr<FileSystem> CreateHostFileSystem() { return std::make_unique<Win32FileSystem>(); }

}  // namespace varokin::platform
