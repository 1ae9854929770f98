#include "platform/processes.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <vector>

#include "platform/posix/wine.h"
#include "platform/text.h"

namespace varokin::platform {

namespace {

bool EndsWithExe(const std::string& program) {
  return program.size() >= 4 && EqualsIgnoringCase(program.substr(program.size() - 4), ".exe");
}

// A path with a drive letter is one only Wine can resolve.
bool IsWindowsPath(const std::string& program) {
  return program.size() >= 2 && program[1] == ':' &&
         ((program[0] >= 'A' && program[0] <= 'Z') || (program[0] >= 'a' && program[0] <= 'z'));
}

std::string InFolder(const std::string& program, const std::string& workingDir) {
  if (program.empty() || program[0] == '/' || workingDir.empty()) return program;
  return workingDir + "/" + program;
}

bool IsFile(const std::string& path) {
  struct stat status;
  return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

std::string BaseName(const std::string& path) {
  const std::size_t separator = path.find_last_of("/\\");
  return separator == std::string::npos ? path : path.substr(separator + 1);
}

std::string CurrentFolder() {
  char folder[4096];
  return getcwd(folder, sizeof folder) != nullptr ? folder : "";
}

// The argument vector for program: a Windows program goes to Wine with its path as the game
// writes it, in the Wine prefix that holds the TA folder (the working directory); the game of a
// Steam install goes to Steam, which runs it under its own compatibility layer; anything else is
// run directly. The environment settings the program needs go to `settings`.
StartResult BuildArgv(const std::string& program, const std::string& arguments,
                      const std::string& workingDir, const posix::WineSearch& search,
                      std::vector<std::string>& argv, std::vector<std::string>& settings) {
  argv.clear();
  settings.clear();
  if (EndsWithExe(program)) {
    // Wine starts whatever it is given and reports a missing file only in its own log.
    if (!IsWindowsPath(program) && !IsFile(InFolder(program, workingDir))) {
      return StartResult::kFailed;
    }
    const std::string folder = workingDir.empty() ? CurrentFolder() : workingDir;
    std::string prefix;
    if (const std::optional<posix::SteamInstall> steam = posix::SteamInstallAt(folder)) {
      if (EqualsIgnoringCase(BaseName(program), "totala.exe")) {
        const std::string steamCommand =
            search.path.empty() ? "" : posix::FindOnPath(search.path, "steam");
        if (steamCommand.empty()) return StartResult::kNoSteam;
        argv = {steamCommand, "-applaunch", steam->appId};
        for (std::string& word : SplitAtBlanks(arguments)) argv.push_back(std::move(word));
        return StartResult::kStarted;
      }
      prefix = steam->prefix;
    } else {
      prefix = posix::PrefixHolding(folder);
    }
    const std::string wine = posix::FindWine(search);
    if (wine.empty()) return StartResult::kNoWine;
    if (!prefix.empty()) settings.push_back("WINEPREFIX=" + prefix);
    argv = {wine, program};
  } else {
    std::string hostProgram = program;
    for (char& c : hostProgram) {
      if (c == '\\') c = '/';
    }
    argv = {hostProgram};
  }
  for (std::string& word : SplitAtBlanks(arguments)) argv.push_back(std::move(word));
  return StartResult::kStarted;
}

// Runs in a freshly forked child: never returns. A failure is reported as -1 on report.
[[noreturn]] void ExecChild(std::vector<char*>& argv, char** environment,
                            const std::string& workingDir, int report) {
  if (workingDir.empty() || chdir(workingDir.c_str()) == 0) {
    execve(argv[0], argv.data(), environment);
  }
  const int failed = -1;
  [[maybe_unused]] const ssize_t written = write(report, &failed, sizeof failed);
  _exit(127);
}

std::vector<char*> Pointers(std::vector<std::string>& words) {
  std::vector<char*> pointers;
  for (std::string& word : words) pointers.push_back(word.data());
  pointers.push_back(nullptr);
  return pointers;
}

// This process's environment with each "NAME=value" of settings put in; built before the fork,
// as the child may only call what is safe between fork and exec.
std::vector<std::string> Environment(const std::vector<std::string>& settings) {
  std::vector<std::string> entries;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string text = *entry;
    const std::string name = text.substr(0, text.find('=') + 1);
    bool replaced = false;
    for (const std::string& setting : settings) replaced = replaced || setting.rfind(name, 0) == 0;
    if (!replaced) entries.push_back(text);
  }
  entries.insert(entries.end(), settings.begin(), settings.end());
  return entries;
}

// Every int written to fd until all its writers have closed it.
std::vector<int> ReadReports(int fd) {
  std::vector<int> values;
  int value = 0;
  for (;;) {
    const ssize_t got = read(fd, &value, sizeof value);
    if (got == sizeof value) {
      values.push_back(value);
    } else if (got < 0 && errno == EINTR) {
      continue;
    } else {
      break;
    }
  }
  return values;
}

int WaitFor(pid_t pid) {
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  return 128 + (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
}

std::vector<std::string> CommandLineOf(const std::string& pid) {
  std::ifstream file("/proc/" + pid + "/cmdline", std::ios::binary);
  std::vector<std::string> words;
  for (std::string word; std::getline(file, word, '\0');) words.push_back(word);
  return words;
}

// Whether the process pid runs the program. A native one runs it when its executable is the
// program's file. A Windows one runs under Wine's loader and is known by its command line: the
// .exe's path first once Wine runs it (the path it was given, or a Windows path when another
// Windows program started it), "wine" and that path while Wine starts.
bool Runs(const std::string& pid, const struct stat* file, const std::string& exeName) {
  struct stat running;
  if (file != nullptr && stat(("/proc/" + pid + "/exe").c_str(), &running) == 0 &&
      running.st_dev == file->st_dev && running.st_ino == file->st_ino) {
    return true;
  }
  if (exeName.empty()) return false;
  const std::vector<std::string> words = CommandLineOf(pid);
  if (words.empty()) return false;
  if (EqualsIgnoringCase(BaseName(words[0]), exeName)) return true;
  return words.size() > 1 && BaseName(words[0]).rfind("wine", 0) == 0 &&
         EqualsIgnoringCase(BaseName(words[1]), exeName);
}

std::string LinkTarget(const std::string& link) {
  std::vector<char> buffer(4096);
  const ssize_t length = readlink(link.c_str(), buffer.data(), buffer.size());
  return length > 0 ? std::string(buffer.data(), static_cast<std::size_t>(length)) : std::string();
}

std::string EnvironmentOf(const std::string& pid, const std::string& name) {
  std::ifstream file("/proc/" + pid + "/environ", std::ios::binary);
  for (std::string entry; std::getline(file, entry, '\0');) {
    if (entry.rfind(name + "=", 0) == 0) return entry.substr(name.size() + 1);
  }
  return std::string();
}

// Wine matches names without regard to case, so a Windows program's path is compared so too.
bool Within(const std::string& path, const std::string& folder) {
  const std::string normal = std::filesystem::path(path).lexically_normal().string();
  return !folder.empty() && normal.size() > folder.size() + 1 && normal[folder.size()] == '/' &&
         EqualsIgnoringCase(normal.substr(0, folder.size()), folder);
}

// Where the program a process names in its command line lies on this machine: a drive letter is
// resolved through the process's Wine prefix, a relative name from its working folder.
std::string HostPathOfProgram(const std::string& pid, const std::string& word) {
  std::string path = word;
  std::replace(path.begin(), path.end(), '\\', '/');
  if (IsWindowsPath(path)) {
    std::string prefix = EnvironmentOf(pid, "WINEPREFIX");
    if (prefix.empty()) prefix = EnvironmentOf(pid, "HOME") + "/.wine";
    const std::string drive = prefix + "/dosdevices/" + LowerAscii(path[0]) + ":";
    std::unique_ptr<char, decltype(&std::free)> root(realpath(drive.c_str(), nullptr), &std::free);
    if (root == nullptr) return std::string();
    return std::string(root.get()) + "/" + path.substr(2);
  }
  if (!path.empty() && path.front() == '/') return path;
  return LinkTarget("/proc/" + pid + "/cwd") + "/" + path;
}

bool RunsFrom(const std::string& pid, const std::string& folder) {
  if (Within(LinkTarget("/proc/" + pid + "/exe"), folder)) return true;
  const std::vector<std::string> words = CommandLineOf(pid);
  if (words.empty()) return false;
  std::string program = words[0];
  if (BaseName(program).rfind("wine", 0) == 0 && words.size() > 1) program = words[1];
  return EndsWithExe(program) && Within(HostPathOfProgram(pid, program), folder);
}

class PosixProcesses final : public Processes {
 public:
  explicit PosixProcesses(std::function<posix::WineSearch()> search) : search_(std::move(search)) {}

  StartResult Start(const std::string& program, const std::string& arguments,
                    const std::string& workingDir) override;
  std::optional<int> RunAndWait(const std::string& program, const std::string& arguments,
                                const std::string& workingDir) override;
  std::optional<int> RunCommandLine(const std::string& commandLine,
                                    const std::string& workingDir) override;
  bool IsRunning(const std::string& program) override;
  bool RunsFromFolder(const std::string& folder) override;

 private:
  std::function<posix::WineSearch()> search_;
};

// The program runs as a grandchild that nobody waits for: the child in between ends at once and
// is reaped here, so no zombie is left and no SIGCHLD handler can steal RunAndWait's statuses.
StartResult PosixProcesses::Start(const std::string& program, const std::string& arguments,
                                  const std::string& workingDir) {
  std::vector<std::string> argv;
  std::vector<std::string> settings;
  const StartResult built = BuildArgv(program, arguments, workingDir, search_(), argv, settings);
  if (built != StartResult::kStarted) return built;
  std::vector<char*> pointers = Pointers(argv);
  std::vector<std::string> environment = Environment(settings);
  std::vector<char*> environmentPointers = Pointers(environment);
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) return StartResult::kFailed;
  const pid_t child = fork();
  if (child < 0) {
    close(report[0]);
    close(report[1]);
    return StartResult::kFailed;
  }
  if (child == 0) {
    close(report[0]);
    const pid_t grandchild = fork();
    if (grandchild == 0) ExecChild(pointers, environmentPointers.data(), workingDir, report[1]);
    const int value = grandchild > 0 ? static_cast<int>(grandchild) : -1;
    [[maybe_unused]] const ssize_t written = write(report[1], &value, sizeof value);
    _exit(0);
  }
  close(report[1]);
  WaitFor(child);
  const std::vector<int> values = ReadReports(report[0]);
  close(report[0]);
  bool started = false;
  for (int value : values) {
    if (value < 0) return StartResult::kFailed;
    started = true;
  }
  return started ? StartResult::kStarted : StartResult::kFailed;
}

std::optional<int> PosixProcesses::RunAndWait(const std::string& program,
                                              const std::string& arguments,
                                              const std::string& workingDir) {
  std::vector<std::string> argv;
  std::vector<std::string> settings;
  if (BuildArgv(program, arguments, workingDir, search_(), argv, settings) !=
      StartResult::kStarted) {
    return std::nullopt;
  }
  return posix::RunAndWait(std::move(argv), workingDir, settings);
}

// The command interpreter of the Windows tools is Wine's; the line reaches it as one argument
// each word, never through /bin/sh.
std::optional<int> PosixProcesses::RunCommandLine(const std::string& commandLine,
                                                  const std::string& workingDir) {
  const std::string wine = posix::FindWine(search_());
  if (wine.empty()) return std::nullopt;
  std::vector<std::string> argv = {wine, "cmd", "/c"};
  for (std::string& word : SplitAtBlanks(commandLine)) argv.push_back(std::move(word));
  const std::string folder = workingDir.empty() ? CurrentFolder() : workingDir;
  const std::optional<posix::SteamInstall> steam = posix::SteamInstallAt(folder);
  const std::string prefix = steam ? steam->prefix : posix::PrefixHolding(folder);
  std::vector<std::string> settings;
  if (!prefix.empty()) settings.push_back("WINEPREFIX=" + prefix);
  return posix::RunAndWait(std::move(argv), workingDir, settings);
}

// Whether a process other than this one, by its /proc folder name, is what the test looks for.
static bool AnyOtherProcess(const std::function<bool(const std::string& pid)>& matches) {
  DIR* processes = opendir("/proc");
  if (processes == nullptr) return false;
  const std::string self = std::to_string(getpid());
  bool found = false;
  while (const dirent* entry = readdir(processes)) {
    const std::string pid = entry->d_name;
    if (pid.find_first_not_of("0123456789") != std::string::npos || pid == self) continue;
    if (matches(pid)) {
      found = true;
      break;
    }
  }
  closedir(processes);
  return found;
}

bool PosixProcesses::IsRunning(const std::string& program) {
  struct stat file;
  const bool known = !IsWindowsPath(program) && stat(program.c_str(), &file) == 0;
  const std::string exeName = EndsWithExe(program) ? BaseName(program) : "";
  if (!known && exeName.empty()) return false;
  return AnyOtherProcess(
      [&](const std::string& pid) { return Runs(pid, known ? &file : nullptr, exeName); });
}

bool PosixProcesses::RunsFromFolder(const std::string& folder) {
  std::unique_ptr<char, decltype(&std::free)> real(realpath(folder.c_str(), nullptr), &std::free);
  if (real == nullptr) return false;
  return AnyOtherProcess([&](const std::string& pid) { return RunsFrom(pid, real.get()); });
}

}  // namespace

namespace posix {

std::optional<int> RunAndWait(std::vector<std::string> argv, const std::string& workingDir,
                              const std::vector<std::string>& settings) {
  if (argv.empty()) return std::nullopt;
  std::vector<char*> pointers = Pointers(argv);
  std::vector<std::string> environment = Environment(settings);
  std::vector<char*> environmentPointers = Pointers(environment);
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) return std::nullopt;
  const pid_t child = fork();
  if (child < 0) {
    close(report[0]);
    close(report[1]);
    return std::nullopt;
  }
  if (child == 0) {
    close(report[0]);
    ExecChild(pointers, environmentPointers.data(), workingDir, report[1]);
  }
  close(report[1]);
  const bool failedToStart = !ReadReports(report[0]).empty();
  close(report[0]);
  const int status = WaitFor(child);
  if (failedToStart || status < 0) return std::nullopt;
  return status;
}

std::unique_ptr<Processes> CreateProcesses(std::function<WineSearch()> search) {
  return std::make_unique<PosixProcesses>(std::move(search));
}

}  // namespace posix

std::unique_ptr<Processes> CreateHostProcesses() {
  return posix::CreateProcesses(posix::HostWineSearch);
}

}  // namespace varokin::platform
