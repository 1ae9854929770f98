#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "support/scoped_variable.h"

namespace varokin::testing {

// A program started in the working directory with its standard input fed from this process and
// its standard output written to a file.
class ChildProcess {
 public:
  ChildProcess(const std::string& program, const std::vector<std::string>& arguments,
               const std::filesystem::path& outputFile);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool Started() const { return started_; }
  void Write(const std::string& text);
  void CloseInput();
  // Closes the input and waits for the exit status; -1 when the program did not start or was
  // killed.
  int Wait();
#ifndef _WIN32
  // Stops the program (SIGSTOP) and waits until it has; false when it has ended instead.
  bool Pause();
  void Resume();
  // Ends the program at once with SIGKILL and waits for it; true when it was still running.
  bool Kill();
#endif

 private:
  bool started_ = false;
  bool waited_ = false;
  int status_ = -1;
#ifdef _WIN32
  void* process_ = nullptr;
  void* input_ = nullptr;
#else
  int pid_ = -1;
  int input_ = -1;
#endif
};

}  // namespace varokin::testing
