#include <windows.h>
// After windows.h, which it needs.
#include <winternl.h>

#include <algorithm>
#include <vector>

#include "platform/file_system.h"
#include "platform/text.h"
#include "platform/win32/win32_files.h"

namespace varokin::platform {

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

std::string ToHost(std::string path) {
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

std::optional<WIN32_FILE_ATTRIBUTE_DATA> HostAttributes(const std::string& path) {
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

// True when path is root or lies below it; both are final paths, which the system spells alike.
bool StaysBelow(const std::string& root, const std::string& path) {
  if (path.size() < root.size() ||
      !EqualsIgnoringCase(root, std::string_view(path).substr(0, root.size()))) {
    return false;
  }
  return path.size() == root.size() || IsSeparator(root.back()) || IsSeparator(path[root.size()]);
}

// Whether a relative path passes through a folder that is a reparse point (a junction, a symbolic
// link) and, if so, whether where it lands is still below the working directory.
bool PassesOutside(const std::string& host) {
  if (RootLength(host) > 0) return false;
  std::string path = host;
  while (!path.empty() && IsSeparator(path.back())) path.pop_back();
  const std::size_t last = path.find_last_of('\\');
  if (last == std::string::npos) return false;
  const std::string folder = path.substr(0, last);
  bool throughLink = false;
  for (std::size_t end = 0; end != std::string::npos && !throughLink;) {
    end = folder.find('\\', end + 1);
    const std::string prefix = folder.substr(0, end);
    const DWORD attributes = GetFileAttributesA(prefix.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    throughLink = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
  }
  if (!throughLink) return false;
  const std::string root = win32::FinalPath(".");
  const std::string real = win32::FinalPath(folder);
  return root.empty() || real.empty() || !StaysBelow(root, real);
}

// The host path of a name that stays in the TA folder; nothing for one that leads out of it.
std::optional<std::string> Inside(const std::string& path) {
  std::string host = ToHost(path);
  if (!PassesOutside(host)) return host;
  SetLastError(ERROR_ACCESS_DENIED);
  return std::nullopt;
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
    const auto host = Inside(path);
    return host && CreateDirectoryA(host->c_str(), nullptr) != 0;
  }
  bool RemoveFolder(const std::string& path) override {
    const auto host = Inside(path);
    return host && RemoveDirectoryA(host->c_str()) != 0;
  }
  bool RemoveFile(const std::string& path) override {
    const auto host = Inside(path);
    return host && DeleteFileA(host->c_str()) != 0;
  }
  std::optional<std::string> ReadAt(const std::string& path, std::uint64_t offset,
                                    std::size_t count) override {
    const auto host = Inside(path);
    if (!host) return std::nullopt;
    return win32::ReadHostFileAt(*host, offset, count);
  }
  std::unique_ptr<InputFile> OpenRead(const std::string& path) override {
    const auto host = Inside(path);
    if (!host) return nullptr;
    return win32::OpenHostFile(*host);
  }
  std::unique_ptr<OutputFile> OpenAppend(const std::string& path) override {
    const auto host = Inside(path);
    if (!host) return nullptr;
    return win32::OpenHostFileAppend(*host);
  }
  bool WriteFileAtomic(const std::string& path, const std::string& contents) override;
  // The system keeps the case it is given; the stored one makes CurrentDir agree with the disk.
  bool SetCurrentDir(const std::string& path) override {
    return SetCurrentDirectoryA(HostPath(path).c_str()) != 0;
  }
  std::string CurrentDir() override;
  std::string HostPath(const std::string& path) override;
  std::optional<FileStamp> Stamp(const std::string& path) override;
  bool LeadsOutside(const std::string& path) override { return PassesOutside(ToHost(path)); }

 private:
  // Reports no entry at all for a name that leads out of the TA folder. The attributes of the
  // last component are its own, so a link that points nowhere still exists.
  static std::optional<WIN32_FILE_ATTRIBUTE_DATA> Attributes(const std::string& path) {
    if (!Inside(path)) return std::nullopt;
    return HostAttributes(path);
  }
};

// Every name of the folder, filtered by our own matcher: the system's matching would also try the
// short 8.3 names and its own rules for "*.*" and "?".
std::vector<std::string> Win32FileSystem::Find(const std::string& pattern) {
  const std::string host = ToHost(pattern);
  std::size_t leafStart = host.find_last_of('\\');
  leafStart = leafStart == std::string::npos ? RootLength(host) : leafStart + 1;
  const std::string leaf = host.substr(leafStart);

  std::vector<std::string> names;
  if (PassesOutside(host)) return names;
  WIN32_FIND_DATAA data;
  // A plain name is looked up as itself rather than by a walk through the whole folder; a short
  // 8.3 name that the system also matches is filtered out below.
  const bool plain = leaf.find_first_of("*?") == std::string::npos;
  HANDLE search = FindFirstFileA((plain ? host : host.substr(0, leafStart) + "*").c_str(), &data);
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
  if (PassesOutside(source) || PassesOutside(target)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return false;
  }
  // The system takes a move onto the very same name as done; the contract calls that destination
  // taken. Another case of the same name is a real rename and goes through.
  if (source == target) {
    SetLastError(ERROR_ALREADY_EXISTS);
    return false;
  }
  return MoveFileA(source.c_str(), target.c_str()) != 0;
}

// A settings file that is a link keeps its link: the file it names is replaced instead, when it
// stays in the TA folder for a relative name. Where the user may not write there, creating the
// temporary file fails and so does the write.
bool Win32FileSystem::WriteFileAtomic(const std::string& path, const std::string& contents) {
  const auto host = Inside(path);
  if (!host) return false;
  const DWORD attributes = GetFileAttributesA(host->c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    return win32::WriteHostFileAtomic(*host, contents);
  }
  const std::string target = win32::FinalPath(*host);
  if (target.empty() || (attributes & FILE_ATTRIBUTE_DIRECTORY) ||
      (RootLength(*host) == 0 && !StaysBelow(win32::FinalPath("."), target))) {
    SetLastError(ERROR_ACCESS_DENIED);
    return false;
  }
  return win32::WriteHostFileAtomic(target, contents);
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
  // Asked piece by piece rather than with GetFileInformationByHandle: its volume serial number
  // costs Wine milliseconds a call, and the settings file is stamped at every look-up. A stamp is
  // compared with an earlier one of the same path, so the file's index tells a replaced file.
  FILE_STANDARD_INFO standard{};
  FILE_BASIC_INFO basic{};
  LARGE_INTEGER index{};
  IO_STATUS_BLOCK status{};
  constexpr auto kFileInternalInformation = static_cast<FILE_INFORMATION_CLASS>(6);
  const bool file =
      GetFileType(handle) == FILE_TYPE_DISK &&
      GetFileInformationByHandleEx(handle, FileStandardInfo, &standard, sizeof standard) &&
      GetFileInformationByHandleEx(handle, FileBasicInfo, &basic, sizeof basic) &&
      NtQueryInformationFile(handle, &status, &index, sizeof index, kFileInternalInformation) >=
          0 &&
      !standard.Directory;
  CloseHandle(handle);
  if (!file) return std::nullopt;
  // File times count 100 ns from 1601.
  constexpr std::int64_t kFrom1601To1970 = 116'444'736'000'000'000;
  return FileStamp{0, static_cast<std::uint64_t>(index.QuadPart),
                   static_cast<std::uint64_t>(standard.EndOfFile.QuadPart),
                   (basic.LastWriteTime.QuadPart - kFrom1601To1970) * 100};
}

}  // namespace

std::unique_ptr<FileSystem> CreateHostFileSystem() { return std::make_unique<Win32FileSystem>(); }

}  // namespace varokin::platform
