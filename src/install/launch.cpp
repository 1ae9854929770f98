#include "install/launch.h"

#include "engine/config_files.h"

namespace varokin::install {

namespace {

// The window TAHook shows while it runs, where windows have titles.
constexpr const char* kTahookTitle = "TAHook";
constexpr const char* kNoWine = "\nWine was not found: install Wine or set WINE to its path.";
constexpr const char* kNoSteam =
    "\nThis game is a Steam install, which starts through Steam, and the steam command was not "
    "found on the PATH.";

// The message for a program that did not start, with the cause when it is one the message
// does not suggest.
std::string Unable(const std::string& message, platform::StartResult result) {
  if (result == platform::StartResult::kNoWine) return message + kNoWine;
  if (result == platform::StartResult::kNoSteam) return message + kNoSteam;
  return message;
}

void StartTahook(engine::Context& ctx, platform::Processes& processes,
                 platform::InstanceRegistry* instances) {
  if (ctx.settings.Get(settings::kUseTahook) != 1) return;
  const std::string path = ctx.settings.Get(settings::kTahookPath);
  // Where windows have no titles, a process running TAHook's file tells that it runs.
  if ((instances != nullptr && instances->WindowExists(kTahookTitle)) ||
      (!path.empty() && processes.IsRunning(path))) {
    return;
  }
  const platform::StartResult result = path.empty()
                                           ? platform::StartResult::kFailed
                                           : processes.Start(path, "", ctx.fs.CurrentDir());
  if (result != platform::StartResult::kStarted) {
    ctx.prompts.Message(Unable("Unable to run TAHook it may have been moved", result), Buttons::kOk,
                        Icon::kExclamation);
  }
}

platform::StartResult Start(engine::Context& ctx, platform::Processes& processes,
                            const std::string& program) {
  // The name as the folder stores it, so that a host that tells case apart finds it.
  return processes.Start(ctx.fs.HostPath(program), ctx.startup.gameArguments, ctx.fs.CurrentDir());
}

}  // namespace

bool LaunchGame(engine::Context& ctx, platform::Processes& processes,
                platform::InstanceRegistry* instances) {
  const std::string tcExe = engine::TcExecutableName(ctx.state.GetCurrentTcName());
  StartTahook(ctx, processes, instances);

  if (ctx.fs.Exists(tcExe)) {
    Answer answer = Answer::kYes;
    if (ctx.startup.warnCustomExe) {
      answer = ctx.prompts.Message(
          "The currently selected TC has it's own executable\n\n    It is possible, though "
          "improbable,  that running this executable could maliciously damage your computer.  "
          "Do you wish to:\n\n\t Yes, use the custom executable.\n\n\t No, use the default "
          "executable (the TC probably won't work correctly)\n\n\t Cancel and return to Varokin",
          Buttons::kYesNoCancel);
    }
    if (answer == Answer::kCancel) return false;
    if (answer == Answer::kYes) {
      const platform::StartResult result = Start(ctx, processes, tcExe);
      if (result == platform::StartResult::kStarted) return true;
      ctx.prompts.Message(Unable("Unable to run the custom exe " + tcExe +
                                     " it may have been badly hacked or be a misnamed data file.",
                                 result));
      return false;
    }
  }

  const platform::StartResult result = Start(ctx, processes, "totala.exe");
  if (result == platform::StartResult::kStarted) return true;
  ctx.prompts.Message(Unable("Unable to run TotalA.exe, it may have been moved", result),
                      Buttons::kOk, Icon::kStop);
  return false;
}

}  // namespace varokin::install
