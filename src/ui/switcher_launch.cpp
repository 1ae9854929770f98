// Launching the game from the main window, directly or into a multiplayer game.
#include "install/launch.h"
#include "install/multiplayer_arguments.h"
#include "ui/multiplayer_dlg.h"
#include "ui/switcher_dlg.h"

namespace varokin::ui {

void CSwitcherDlg::OnLaunchTa() {
  if (frontEnd.processes == nullptr) return;
  SaveWindowState();
  if (install::LaunchGame(ctx_, *frontEnd.processes, frontEnd.instances)) result_ = Result::kOk;
}

void CSwitcherDlg::OnAutoLaunchTahook() {
  if (c_.menuAutoLaunchTahook.IsChecked()) {
    ctx_.settings.Write(settings::kUseTahook, 0);
    c_.menuAutoLaunchTahook.SetChecked(false);
    return;
  }
  FileDialogRequest request;
  request.title = "Please locate the TAHook executable";
  request.defaultExt = "exe";
  request.fileName = "tahook.exe";
  const std::optional<std::string> path = ctx_.prompts.OpenFile(request);
  if (!path) return;
  ctx_.settings.Write(settings::kUseTahook, 1);
  ctx_.settings.Write(settings::kTahookPath, *path);
  c_.menuAutoLaunchTahook.SetChecked(true);
}

void CSwitcherDlg::OnMultiplayer() {
  if (frontEnd.dialogs == nullptr) return;
  engine::StartupState& startup = ctx_.startup;
  CMultiplayerDlg multiplayer(ctx_.settings, startup, frontEnd.instances);
  frontEnd.dialogs->DoModal(multiplayer);
  SaveWindowState();
  if (startup.hostRequested) {
    startup.gameArguments = install::HostArguments(multiplayer.GameName());
    OnLaunchTa();
  }
  // A game already started for hosting is not followed by a second one for joining.
  if (startup.joinRequested && result_ == Result::kRunning) {
    startup.gameArguments = install::JoinArguments(startup.joinAddress);
    OnLaunchTa();
  }
}

}  // namespace varokin::ui
