#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/processes.h"

namespace varokin::install_tests {

// Stands in for the outside programs: records every call as one line and answers with scripted
// exit statuses (0 once the script has run out). Programs named in `failing` do not start, for
// the reason given there, and a program runs from its first start on.
class RecordingProcesses : public platform::Processes {
 public:
  platform::StartResult Start(const std::string& program, const std::string& arguments,
                              const std::string& workingDir) override {
    const auto fails = failing.find(program);
    if (fails != failing.end()) return fails->second;
    return Next("start " + program + "|" + arguments, workingDir).has_value()
               ? platform::StartResult::kStarted
               : platform::StartResult::kFailed;
  }
  std::optional<int> RunAndWait(const std::string& program, const std::string& arguments,
                                const std::string& workingDir) override {
    return Next("wait " + program + "|" + arguments, workingDir);
  }
  std::optional<int> RunCommandLine(const std::string& commandLine,
                                    const std::string& workingDir) override {
    return Next("cmd " + commandLine, workingDir);
  }
  bool IsRunning(const std::string& program) override {
    for (const std::string& call : calls) {
      if (call.rfind("start " + program + "|", 0) == 0) return true;
    }
    return false;
  }

  // A stand-in for the game's process, which these tests never start.
  bool RunsFromFolder(const std::string&) override { return gameRunning; }

  bool gameRunning = false;
  std::vector<std::string> calls;
  std::vector<std::string> workingDirs;
  std::deque<std::optional<int>> statuses;
  std::map<std::string, platform::StartResult> failing;
  // Runs at each call, as the outside program would, e.g. to leave files behind.
  std::function<void(const std::string& call)> onCall;

 private:
  std::optional<int> Next(const std::string& call, const std::string& workingDir) {
    calls.push_back(call);
    workingDirs.push_back(workingDir);
    if (onCall) onCall(call);
    if (statuses.empty()) return 0;
    const std::optional<int> status = statuses.front();
    statuses.pop_front();
    return status;
  }
};

}  // namespace varokin::install_tests
