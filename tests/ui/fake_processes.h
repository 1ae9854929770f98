#pragma once

#include <set>
#include <string>
#include <vector>

#include "platform/processes.h"

namespace varokin::fixtures {

// Records every start instead of starting anything; programs named in `failing` cannot start.
class FakeProcesses : public platform::Processes {
 public:
  struct Started {
    std::string program;
    std::string arguments;
    std::string workingDir;
  };

  bool Start(const std::string& program, const std::string& arguments,
             const std::string& workingDir) override {
    if (failing.count(program) > 0) return false;
    started.push_back({program, arguments, workingDir});
    return true;
  }
  std::optional<int> RunAndWait(const std::string&, const std::string&,
                                const std::string&) override {
    return std::nullopt;
  }
  std::optional<int> RunCommandLine(const std::string&, const std::string&) override {
    return std::nullopt;
  }
  bool IsRunning(const std::string& program) override {
    for (const Started& s : started) {
      if (s.program == program) return true;
    }
    return false;
  }

  std::set<std::string> failing;
  std::vector<Started> started;
};

}  // namespace varokin::fixtures
