#include "platform/win32/win32_files.h"

#include <windows.h>

#include <algorithm>

namespace varokin::platform::win32 {

namespace {

// ReadFile and WriteFile take a DWORD count.
constexpr std::size_t kMaxTransfer = 1u << 30;

// Closes the handle on every way out.
class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() { Close(); }
  HANDLE Get() const { return handle_; }
  bool IsValid() const { return handle_ != INVALID_HANDLE_VALUE; }
  bool Close() {
    const HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    return handle == INVALID_HANDLE_VALUE || CloseHandle(handle) != 0;
  }

 private:
  HANDLE handle_;
};

class HostInputFile final : public InputFile {
 public:
  explicit HostInputFile(HANDLE handle) : handle_(handle) {}
  std::size_t Read(char* buffer, std::size_t count) override {
    DWORD got = 0;
    const DWORD want = static_cast<DWORD>(std::min(count, kMaxTransfer));
    return ReadFile(handle_.Get(), buffer, want, &got, nullptr) ? got : 0;
  }

 private:
  Handle handle_;
};

class HostOutputFile final : public OutputFile {
 public:
  explicit HostOutputFile(HANDLE handle) : handle_(handle) {}
  bool Write(const std::string& text) override {
    DWORD written = 0;
    return WriteFile(handle_.Get(), text.data(), static_cast<DWORD>(text.size()), &written,
                     nullptr) != 0 &&
           written == text.size();
  }

 private:
  Handle handle_;
};

// A file (never a folder) opened for reading; other programs may go on using it.
HANDLE OpenForReading(const std::string& host) {
  HANDLE handle = CreateFileA(host.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  // Not GetFileInformationByHandle: the volume serial number it asks for costs Wine milliseconds.
  FILE_STANDARD_INFO information{};
  // A console or a pipe would make reading wait for input that never ends.
  if (handle != INVALID_HANDLE_VALUE &&
      (GetFileType(handle) != FILE_TYPE_DISK ||
       !GetFileInformationByHandleEx(handle, FileStandardInfo, &information, sizeof information) ||
       information.Directory)) {
    CloseHandle(handle);
    SetLastError(ERROR_ACCESS_DENIED);
    return INVALID_HANDLE_VALUE;
  }
  return handle;
}

bool WriteAll(HANDLE handle, const std::string& contents) {
  std::size_t done = 0;
  while (done < contents.size()) {
    DWORD wrote = 0;
    const DWORD want = static_cast<DWORD>(std::min(contents.size() - done, kMaxTransfer));
    if (!WriteFile(handle, contents.data() + done, want, &wrote, nullptr) || wrote == 0) {
      return false;
    }
    done += wrote;
  }
  return true;
}

// A name beside the target that no one else uses: the process id keeps two programs apart, the
// counter two writes of this one, and CREATE_NEW whatever is left.
HANDLE CreateTempBeside(const std::string& host, std::string& temp) {
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    temp = host + ".tmp" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
    HANDLE handle = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return handle;
  }
  return INVALID_HANDLE_VALUE;
}

}  // namespace

std::string FinalPath(const std::string& host) {
  Handle file(CreateFileA(host.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                          nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file.IsValid()) return std::string();
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD length =
        GetFinalPathNameByHandleA(file.Get(), path.data(), static_cast<DWORD>(path.size()), 0);
    if (length == 0) return std::string();
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(length + 1);
  }
}

std::unique_ptr<InputFile> OpenHostFile(const std::string& host) {
  HANDLE handle = OpenForReading(host);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<HostInputFile>(handle);
}

std::optional<std::string> ReadHostFileAt(const std::string& host, std::uint64_t offset,
                                          std::size_t count) {
  Handle file(OpenForReading(host));
  LARGE_INTEGER size;
  if (!file.IsValid() || !GetFileSizeEx(file.Get(), &size)) return std::nullopt;
  const std::uint64_t total = static_cast<std::uint64_t>(size.QuadPart);
  std::string bytes;
  // Sized by what the file holds, so a large count asked of a small file allocates nothing.
  if (offset >= total) return bytes;
  bytes.resize(static_cast<std::size_t>(std::min<std::uint64_t>(count, total - offset)));
  LARGE_INTEGER position;
  position.QuadPart = static_cast<LONGLONG>(offset);
  if (!SetFilePointerEx(file.Get(), position, nullptr, FILE_BEGIN)) return std::nullopt;
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD got = 0;
    const DWORD want = static_cast<DWORD>(std::min(bytes.size() - done, kMaxTransfer));
    if (!ReadFile(file.Get(), bytes.data() + done, want, &got, nullptr)) return std::nullopt;
    if (got == 0) break;
    done += got;
  }
  bytes.resize(done);
  return bytes;
}

bool WriteHostFileAtomic(const std::string& host, const std::string& contents) {
  std::string temp;
  Handle file(CreateTempBeside(host, temp));
  if (!file.IsValid()) return false;
  bool written = WriteAll(file.Get(), contents) && FlushFileBuffers(file.Get());
  written = file.Close() && written;
  if (!written || !MoveFileExA(temp.c_str(), host.c_str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const DWORD error = GetLastError();
    DeleteFileA(temp.c_str());
    SetLastError(error);
    return false;
  }
  return true;
}

std::unique_ptr<OutputFile> OpenHostFileAppend(const std::string& host) {
  HANDLE handle = CreateFileA(host.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  if (GetFileType(handle) != FILE_TYPE_DISK) {
    CloseHandle(handle);
    return nullptr;
  }
  return std::make_unique<HostOutputFile>(handle);
}

}  // namespace varokin::platform::win32
