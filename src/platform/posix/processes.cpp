#include "platform/processes.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <map>
#include <vector>

namespace varokin::platform {

namespace {

bool EndsWithExe(const std::string& program) {
  if (program.size() < 4) return false;
  std::string tail = program.substr(program.size() - 4);
  for (char& c : tail) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
  return tail == ".exe";
}

std::vector<std::string> SplitAtBlanks(const std::string& text) {
  std::vector<std::string> words;
  std::string word;
  for (char c : text) {
    if (c == ' ' || c == '\t') {
      if (!word.empty()) words.push_back(word);
      word.clear();
    } else {
      word += c;
    }
  }
  if (!word.empty()) words.push_back(word);
  return words;
}

// Wine from the PATH; empty when there is none.
std::string FindWine() {
  const char* path = std::getenv("PATH");
  if (path == nullptr) return {};
  std::string folders = path;
  std::size_t start = 0;
  while (start <= folders.size()) {
    std::size_t end = folders.find(':', start);
    if (end == std::string::npos) end = folders.size();
    const std::string folder = end > start ? folders.substr(start, end - start) : ".";
    const std::string candidate = folder + "/wine";
    struct stat status;
    if (stat(candidate.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
        access(candidate.c_str(), X_OK) == 0) {
      return candidate;
    }
    start = end + 1;
  }
  return {};
}

// The argument vector for program: a Windows program goes to Wine with its path as the game
// writes it; anything else is run directly. Empty when it cannot be run at all.
std::vector<std::string> BuildArgv(const std::string& program, const std::string& arguments) {
  std::vector<std::string> argv;
  if (EndsWithExe(program)) {
    const std::string wine = FindWine();
    if (wine.empty()) return argv;
    argv = {wine, program};
  } else {
    std::string hostProgram = program;
    for (char& c : hostProgram) {
      if (c == '\\') c = '/';
    }
    argv = {hostProgram};
  }
  for (std::string& word : SplitAtBlanks(arguments)) argv.push_back(std::move(word));
  return argv;
}

// Runs in a freshly forked child: never returns. A failure is reported as -1 on report.
[[noreturn]] void ExecChild(std::vector<char*>& argv, const std::string& workingDir, int report) {
  if (workingDir.empty() || chdir(workingDir.c_str()) == 0) execv(argv[0], argv.data());
  const int failed = -1;
  [[maybe_unused]] const ssize_t written = write(report, &failed, sizeof failed);
  _exit(127);
}

std::vector<char*> Pointers(std::vector<std::string>& argv) {
  std::vector<char*> pointers;
  for (std::string& word : argv) pointers.push_back(word.data());
  pointers.push_back(nullptr);
  return pointers;
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

// A zombie is no longer running, though kill() still finds it.
bool Alive(pid_t pid) {
  if (kill(pid, 0) != 0) return false;
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  if (!std::getline(stat, line)) return true;
  const std::size_t close = line.rfind(')');
  return close == std::string::npos || close + 2 >= line.size() || line[close + 2] != 'Z';
}

class PosixProcesses final : public Processes {
 public:
  bool Start(const std::string& program, const std::string& arguments,
             const std::string& workingDir) override;
  std::optional<int> RunAndWait(const std::string& program, const std::string& arguments,
                                const std::string& workingDir) override;
  std::optional<int> RunCommandLine(const std::string& commandLine,
                                    const std::string& workingDir) override;
  bool IsRunning(const std::string& program) override {
    const auto found = started_.find(program);
    return found != started_.end() && Alive(found->second);
  }

 private:
  std::optional<int> Run(std::vector<std::string> argv, const std::string& workingDir);

  std::map<std::string, pid_t> started_;
};

// The program runs as a grandchild that nobody waits for: the child in between ends at once and
// is reaped here, so no zombie is left and no SIGCHLD handler can steal RunAndWait's statuses.
bool PosixProcesses::Start(const std::string& program, const std::string& arguments,
                           const std::string& workingDir) {
  std::vector<std::string> argv = BuildArgv(program, arguments);
  if (argv.empty()) return false;
  std::vector<char*> pointers = Pointers(argv);
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) return false;
  const pid_t child = fork();
  if (child < 0) {
    close(report[0]);
    close(report[1]);
    return false;
  }
  if (child == 0) {
    close(report[0]);
    const pid_t grandchild = fork();
    if (grandchild == 0) ExecChild(pointers, workingDir, report[1]);
    const int value = grandchild > 0 ? static_cast<int>(grandchild) : -1;
    [[maybe_unused]] const ssize_t written = write(report[1], &value, sizeof value);
    _exit(0);
  }
  close(report[1]);
  WaitFor(child);
  const std::vector<int> values = ReadReports(report[0]);
  close(report[0]);
  pid_t started = 0;
  for (int value : values) {
    if (value < 0) return false;
    started = value;
  }
  if (started == 0) return false;
  started_[program] = started;
  return true;
}

std::optional<int> PosixProcesses::Run(std::vector<std::string> argv,
                                       const std::string& workingDir) {
  if (argv.empty()) return std::nullopt;
  std::vector<char*> pointers = Pointers(argv);
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
    ExecChild(pointers, workingDir, report[1]);
  }
  close(report[1]);
  const bool failedToStart = !ReadReports(report[0]).empty();
  close(report[0]);
  const int status = WaitFor(child);
  if (failedToStart || status < 0) return std::nullopt;
  return status;
}

std::optional<int> PosixProcesses::RunAndWait(const std::string& program,
                                              const std::string& arguments,
                                              const std::string& workingDir) {
  return Run(BuildArgv(program, arguments), workingDir);
}

// The command interpreter of the Windows tools is Wine's; the line reaches it as one argument
// each word, never through /bin/sh.
std::optional<int> PosixProcesses::RunCommandLine(const std::string& commandLine,
                                                  const std::string& workingDir) {
  const std::string wine = FindWine();
  if (wine.empty()) return std::nullopt;
  std::vector<std::string> argv = {wine, "cmd", "/c"};
  for (std::string& word : SplitAtBlanks(commandLine)) argv.push_back(std::move(word));
  return Run(std::move(argv), workingDir);
}

}  // namespace

std::unique_ptr<Processes> CreateHostProcesses() { return std::make_unique<PosixProcesses>(); }

}  // namespace varokin::platform
