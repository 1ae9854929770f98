#pragma once

#include <memory>
#include <string>

#include "engine/startup_state.h"
#include "platform/instances.h"
#include "settings/settings_store.h"
#include "ui/dialog.h"

namespace varokin::ui {

enum MultiplayerId : int {
  kIdHostGame = 1045,
  kIdJoinGame = 1046,
  kIdServerAddress = 1047,
  kIdGameName = 1052,
  kIdLocalAddress = 1053,
};

// The multiplayer window: names a game to host or the server to join. It only records the
// choice in the start-up state; the main window launches the game afterwards.
class CMultiplayerDlg : public ModalDialog {
 public:
  // instances, when given, learns of the hosting form, so that a second "-host" start ends.
  CMultiplayerDlg(settings::SettingsStore& settings, engine::StartupState& startup,
                  platform::InstanceRegistry* instances = nullptr)
      : settings_(settings), startup_(startup), instances_(instances) {}

  const DialogLayout& Layout() const override;
  bool OnInitDialog(DialogControls& controls) override;
  void OnCommand(int id) override;
  void OnKillFocus(int id) override;

  void OnHostGame();
  void OnJoinGame();
  void OnKillfocusGameName();
  void OnKillfocusServerAddress();
  void OnCancel();

  // The name taken when "Host a Game" was pressed; empty until then.
  const std::string& GameName() const { return gameName_; }

 private:
  std::string FieldText(int id);
  void SetFieldText(int id, const std::string& text);

  settings::SettingsStore& settings_;
  engine::StartupState& startup_;
  platform::InstanceRegistry* instances_;
  std::unique_ptr<platform::WindowClaim> hostingClaim_;
  DialogControls* controls_ = nullptr;
  std::string gameName_;
};

}  // namespace varokin::ui
