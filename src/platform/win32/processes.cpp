#include "platform/processes.h"

#include <windows.h>

#include <map>
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

class Win32Processes final : public Processes {
 public:
  ~Win32Processes() override {
    for (auto& entry : started_) CloseHandle(entry.second);
  }

  bool Start(const std::string& program, const std::string& arguments,
             const std::string& workingDir) override {
    const Started started = Create(program.c_str(), ProgramLine(program, arguments), workingDir);
    if (!started.ok) return false;
    const auto previous = started_.find(program);
    if (previous != started_.end()) CloseHandle(previous->second);
    started_[program] = started.process;
    return true;
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
    const auto found = started_.find(program);
    return found != started_.end() && WaitForSingleObject(found->second, 0) == WAIT_TIMEOUT;
  }

 private:
  std::map<std::string, HANDLE> started_;
};

}  // namespace

std::unique_ptr<Processes> CreateHostProcesses() { return std::make_unique<Win32Processes>(); }

}  // namespace varokin::platform
