#include "platform/processes.h"

#include <windows.h>
// After windows.h, which it needs.
#include <tlhelp32.h>

#include <vector>

namespace varokin::platform {

namespace {

struct Started {
  HANDLE process = nullptr;
  bool ok = false;
};

// CreateProcessA may write into the command line, so it gets a copy of its own.
Started Create(const char* application, const std::string& commandLine,
               const std::string& workingDir) {
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  Started started;
  started.ok =
      CreateProcessA(application, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                     workingDir.empty() ? nullptr : workingDir.c_str(), &startup, &info) != 0;
  if (started.ok) {
    CloseHandle(info.hThread);
    started.process = info.hProcess;
  }
  return started;
}

std::optional<int> Wait(Started started) {
  if (!started.ok) return std::nullopt;
  WaitForSingleObject(started.process, INFINITE);
  DWORD code = 1;
  const BOOL known = GetExitCodeProcess(started.process, &code);
  CloseHandle(started.process);
  if (!known) return std::nullopt;
  return static_cast<int>(code);
}

// The program's own path in quotes comes first, as every C runtime expects to find it there; the
// argument text follows exactly as given.
std::string ProgramLine(const std::string& program, const std::string& arguments) {
  return "\"" + program + "\"" + arguments;
}

bool SameNoCase(const std::string& a, const std::string& b) {
  return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

std::string FullPath(const std::string& path) {
  char full[MAX_PATH];
  const DWORD length = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
  return length > 0 && length < sizeof full ? std::string(full, length) : path;
}

std::string BaseName(const std::string& path) {
  const std::size_t separator = path.find_last_of("/\\");
  return separator == std::string::npos ? path : path.substr(separator + 1);
}

// Whether the listed process runs the file at fullPath. A process whose image path cannot be
// read (another user's) counts by its file name alone, as starting a tool twice is the harm.
bool Runs(const PROCESSENTRY32& entry, const std::string& fullPath) {
  if (!SameNoCase(entry.szExeFile, BaseName(fullPath))) return false;
  const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID);
  if (process == nullptr) return true;
  char image[MAX_PATH];
  DWORD length = sizeof image;
  const BOOL known = QueryFullProcessImageNameA(process, 0, image, &length);
  CloseHandle(process);
  return !known || SameNoCase(std::string(image, length), fullPath);
}

// Whether the process's image lies inside folder (a full path, without its closing separator).
bool RunsFrom(DWORD processId, const std::string& folder) {
  const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  if (process == nullptr) return false;
  char image[MAX_PATH];
  DWORD length = sizeof image;
  const BOOL known = QueryFullProcessImageNameA(process, 0, image, &length);
  CloseHandle(process);
  if (!known || length <= folder.size() + 1) return false;
  const std::string path(image, length);
  return (path[folder.size()] == '\\' || path[folder.size()] == '/') &&
         SameNoCase(path.substr(0, folder.size()), folder);
}

class Win32Processes final : public Processes {
 public:
  StartResult Start(const std::string& program, const std::string& arguments,
                    const std::string& workingDir) override {
    const Started started = Create(program.c_str(), ProgramLine(program, arguments), workingDir);
    if (!started.ok) return StartResult::kFailed;
    CloseHandle(started.process);
    return StartResult::kStarted;
  }

  std::optional<int> RunAndWait(const std::string& program, const std::string& arguments,
                                const std::string& workingDir) override {
    return Wait(Create(program.c_str(), ProgramLine(program, arguments), workingDir));
  }

  std::optional<int> RunCommandLine(const std::string& commandLine,
                                    const std::string& workingDir) override {
    char comspec[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA("COMSPEC", comspec, sizeof comspec);
    const std::string interpreter =
        length > 0 && length < sizeof comspec ? std::string(comspec, length) : "cmd.exe";
    // No application name, so that a bare "cmd.exe" is looked for along the PATH.
    return Wait(Create(nullptr, "\"" + interpreter + "\" /c " + commandLine, workingDir));
  }

  bool IsRunning(const std::string& program) override {
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return false;
    const std::string fullPath = FullPath(program);
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    bool running = false;
    for (BOOL more = Process32First(snapshot, &entry); more && !running;
         more = Process32Next(snapshot, &entry)) {
      running = entry.th32ProcessID != GetCurrentProcessId() && Runs(entry, fullPath);
    }
    CloseHandle(snapshot);
    return running;
  }

  bool RunsFromFolder(const std::string& folder) override {
    std::string fullFolder = FullPath(folder);
    while (!fullFolder.empty() && (fullFolder.back() == '\\' || fullFolder.back() == '/')) {
      fullFolder.pop_back();
    }
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return false;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    bool running = false;
    for (BOOL more = Process32First(snapshot, &entry); more && !running;
         more = Process32Next(snapshot, &entry)) {
      running =
          entry.th32ProcessID != GetCurrentProcessId() && RunsFrom(entry.th32ProcessID, fullFolder);
    }
    CloseHandle(snapshot);
    return running;
  }
};

}  // namespace

std::unique_ptr<Processes> CreateHostProcesses() { return std::make_unique<Win32Processes>(); }

}  // namespace varokin::platform
