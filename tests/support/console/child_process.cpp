#include "support/console/child_process.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#endif

namespace varokin::testing {

#ifdef _WIN32

namespace {

// Wine maps the root of the Linux file system to drive Z:.
std::string WindowsPath(std::string path) {
  if (!path.empty() && path[0] == '/') path = "Z:" + path;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

}  // namespace

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& arguments,
                           const std::filesystem::path& outputFile) {
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE readEnd = nullptr;
  HANDLE writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return;
  SetHandleInformation(writeEnd, HANDLE_FLAG_INHERIT, 0);
  HANDLE output = CreateFileA(outputFile.string().c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  std::string commandLine = "\"" + WindowsPath(program) + "\"";
  for (const std::string& argument : arguments) commandLine += " " + argument;

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = readEnd;
  startup.hStdOutput = output;
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION info{};
  started_ = output != INVALID_HANDLE_VALUE &&
             CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                            nullptr, &startup, &info);
  CloseHandle(readEnd);
  if (output != INVALID_HANDLE_VALUE) CloseHandle(output);
  if (!started_) {
    CloseHandle(writeEnd);
    return;
  }
  CloseHandle(info.hThread);
  process_ = info.hProcess;
  input_ = writeEnd;
}

ChildProcess::~ChildProcess() { Wait(); }

void ChildProcess::Write(const std::string& text) {
  DWORD written = 0;
  if (input_ != nullptr)
    WriteFile(input_, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

void ChildProcess::CloseInput() {
  if (input_ != nullptr) CloseHandle(input_);
  input_ = nullptr;
}

int ChildProcess::Wait() {
  CloseInput();
  if (process_ != nullptr && !waited_) {
    waited_ = true;
    DWORD code = 0;
    WaitForSingleObject(process_, INFINITE);
    if (GetExitCodeProcess(process_, &code)) status_ = static_cast<int>(code);
    CloseHandle(process_);
    process_ = nullptr;
  }
  return status_;
}

#else

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& arguments,
                           const std::filesystem::path& outputFile) {
  // A program that ends before reading all its input must not end the test with it.
  signal(SIGPIPE, SIG_IGN);
  int ends[2];
  if (pipe2(ends, O_CLOEXEC) != 0) return;
  const int output = open(outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  pid_ = output < 0 ? -1 : fork();
  if (pid_ == 0) {
    dup2(ends[0], 0);
    dup2(output, 1);
    close(ends[0]);
    close(ends[1]);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  close(ends[0]);
  if (output >= 0) close(output);
  if (pid_ < 0) {
    close(ends[1]);
    return;
  }
  started_ = true;
  input_ = ends[1];
}

ChildProcess::~ChildProcess() { Wait(); }

void ChildProcess::Write(const std::string& text) {
  std::size_t done = 0;
  while (input_ >= 0 && done < text.size()) {
    const ssize_t n = write(input_, text.data() + done, text.size() - done);
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
}

void ChildProcess::CloseInput() {
  if (input_ >= 0) close(input_);
  input_ = -1;
}

int ChildProcess::Wait() {
  CloseInput();
  if (pid_ > 0 && !waited_) {
    waited_ = true;
    int status = 0;
    if (waitpid(pid_, &status, 0) == pid_ && WIFEXITED(status)) status_ = WEXITSTATUS(status);
  }
  return status_;
}

bool ChildProcess::Pause() {
  if (pid_ <= 0 || waited_) return false;
  kill(pid_, SIGSTOP);
  int status = 0;
  if (waitpid(pid_, &status, WUNTRACED) == pid_ && WIFSTOPPED(status)) return true;
  waited_ = true;
  if (WIFEXITED(status)) status_ = WEXITSTATUS(status);
  return false;
}

void ChildProcess::Resume() {
  if (pid_ > 0 && !waited_) kill(pid_, SIGCONT);
}

bool ChildProcess::Kill() {
  if (pid_ <= 0 || waited_) return false;
  kill(pid_, SIGKILL);
  CloseInput();
  waited_ = true;
  int status = 0;
  return waitpid(pid_, &status, 0) == pid_ && WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

#endif

}  // namespace varokin::testing
