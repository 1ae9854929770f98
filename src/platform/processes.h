#pragma once

#include <memory>
#include <optional>
#include <string>

namespace varokin::platform {

enum class StartResult {
  kStarted,
  kFailed,   // the program is not there, or its process could not be created
  kNoWine,   // a Windows program, and no Wine to start it with
  kNoSteam,  // the game of a Steam install, and no steam command to start it with
};

// Starting the game and the outside tools. Argument texts are handed over as they stand; no
// shell ever sees them. On Linux a program whose name ends in ".exe" is started through Wine.
class Processes {
 public:
  virtual ~Processes() = default;
  // Starts program (relative to the working directory, or absolute) with the whole argument text,
  // in workingDir, without waiting.
  virtual StartResult Start(const std::string& program, const std::string& arguments,
                            const std::string& workingDir) = 0;
  // Starts program and waits for it: its exit status, or nothing when it could not be started.
  virtual std::optional<int> RunAndWait(const std::string& program, const std::string& arguments,
                                        const std::string& workingDir) = 0;
  // Runs a command line through the command interpreter and waits: its exit status, or nothing
  // when the interpreter could not be started.
  virtual std::optional<int> RunCommandLine(const std::string& commandLine,
                                            const std::string& workingDir) = 0;
  // True while any process runs the program file at that path, whoever started it: a second
  // run of ours must not start a tool the first one started.
  virtual bool IsRunning(const std::string& program) = 0;
  // True while any process but ours runs a program whose file lies in folder (an absolute host
  // path) or below it: the game, a TC's own executable, any tool of the game's folder. On Linux
  // that includes Windows programs under Wine, known by their command line.
  virtual bool RunsFromFolder(const std::string& folder) = 0;
};

std::unique_ptr<Processes> CreateHostProcesses();

}  // namespace varokin::platform
