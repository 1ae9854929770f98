#include "install/launch.h"

#include "engine/config_files.h"

namespace varokin::install {

namespace {

constexpr const char* kVarokin = "Varokin";
// The window TAHook shows while it runs, where windows have titles.
constexpr const char* kTahookTitle = "TAHook";

void StartTahook(engine::Context& ctx, platform::Processes& processes,
                 platform::InstanceRegistry* instances) {
  if (ctx.settings.GetProfileInt(kVarokin, "Use TAHook", 0) != 1) return;
  const std::string path = ctx.settings.GetProfileString(kVarokin, "TAHook Path", "");
  // Where windows have no titles, the TAHook this process started is the one we know of.
  if ((instances != nullptr && instances->WindowExists(kTahookTitle)) ||
      processes.IsRunning(path)) {
    return;
  }
  if (path.empty() || !processes.Start(path, "", ctx.fs.CurrentDir())) {
    ctx.prompts.Message("Unable to run TAHook it may have been moved", ui::Buttons::kOk,
                        ui::Icon::kExclamation);
  }
}

bool Start(engine::Context& ctx, platform::Processes& processes, const std::string& program) {
  // The name as the folder stores it, so that a host that tells case apart finds it.
  return processes.Start(ctx.fs.HostPath(program), ctx.startup.gameArguments, ctx.fs.CurrentDir());
}

}  // namespace

bool LaunchGame(engine::Context& ctx, platform::Processes& processes,
                platform::InstanceRegistry* instances) {
  const std::string tcExe = engine::TcExecutableName(ctx.state.GetCurrentTcName());
  StartTahook(ctx, processes, instances);

  if (ctx.fs.Exists(tcExe)) {
    ui::Answer answer = ui::Answer::kYes;
    if (ctx.startup.warnCustomExe) {
      answer = ctx.prompts.Message(
          "The currently selected TC has it's own executable\n\n    It is possible, though "
          "improbable,  that running this executable could maliciously damage your computer.  "
          "Do you wish to:\n\n\t Yes, use the custom executable.\n\n\t No, use the default "
          "executable (the TC probably won't work correctly)\n\n\t Cancel and return to Varokin",
          ui::Buttons::kYesNoCancel);
    }
    if (answer == ui::Answer::kCancel) return false;
    if (answer == ui::Answer::kYes) {
      if (Start(ctx, processes, tcExe)) return true;
      ctx.prompts.Message("Unable to run the custom exe " + tcExe +
                          " it may have been badly hacked or be a misnamed data file.");
      return false;
    }
  }

  if (Start(ctx, processes, "totala.exe")) return true;
  ctx.prompts.Message("Unable to run TotalA.exe, it may have been moved", ui::Buttons::kOk,
                      ui::Icon::kStop);
  return false;
}

}  // namespace varokin::install
