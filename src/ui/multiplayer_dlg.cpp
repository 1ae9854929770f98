#include "ui/multiplayer_dlg.h"

#include "install/multiplayer_arguments.h"
#include "platform/network.h"
#include "ui/window_titles.h"

namespace varokin::ui {

const DialogLayout& CMultiplayerDlg::Layout() const {
  static const DialogLayout layout{
      137,
      "Varokin: Multiplayer",
      226,
      106,
      "MS Sans Serif",
      8,
      {
          {kIdLocalAddress, ControlKind::kLabel, "Local IP =", 7, 7, 212, 9},
          {-1, ControlKind::kLabel, "Game Name:", 7, 24, 60, 9},
          {kIdGameName, ControlKind::kEdit, "", 70, 22, 90, 13},
          {kIdHostGame, ControlKind::kButton, "Host a Game", 166, 21, 53, 15},
          {-1, ControlKind::kLabel, "Connect to the server at:", 7, 48, 84, 9},
          {kIdServerAddress, ControlKind::kEdit, "", 94, 46, 66, 13},
          {kIdJoinGame, ControlKind::kButton, "Join a Game", 166, 45, 53, 15},
          {kIdCancelDialog, ControlKind::kButton, "Cancel", 87, 82, 53, 15},
      }};
  return layout;
}

std::string CMultiplayerDlg::FieldText(int id) {
  TextControl* field = controls_ ? controls_->Text(id) : nullptr;
  return field ? field->GetText() : std::string();
}

void CMultiplayerDlg::SetFieldText(int id, const std::string& text) {
  if (TextControl* field = controls_ ? controls_->Text(id) : nullptr) field->SetText(text);
}

bool CMultiplayerDlg::OnInitDialog(DialogControls& controls) {
  controls_ = &controls;
  SetFieldText(kIdGameName, install::CleanGameName(settings_.Get(settings::kGameName)));
  SetFieldText(kIdServerAddress, install::NormaliseAddress(settings_.Get(settings::kServerIp)));
  Button* host = controls.ButtonById(kIdHostGame);
  Button* join = controls.ButtonById(kIdJoinGame);
  if (host) host->Enable(true);
  if (join) join->Enable(true);

  if (startup_.hostRequested) {
    startup_.hostRequested = false;
    if (join) join->Enable(false);
    controls.SetTitle(kHostingWindowTitle);
    if (instances_) hostingClaim_ = instances_->Claim(kHostingWindowTitle);
  } else if (startup_.joinRequested) {
    if (host) host->Enable(false);
    SetFieldText(kIdServerAddress, startup_.joinAddress);
    controls.SetTitle("Varokin: Joining...");
  }

  if (const std::optional<std::string> address = platform::LocalIpv4Address()) {
    SetFieldText(kIdLocalAddress, "Local IP = " + *address);
  }
  return true;
}

void CMultiplayerDlg::OnCommand(int id) {
  switch (id) {
    case kIdHostGame:
      OnHostGame();
      break;
    case kIdJoinGame:
      OnJoinGame();
      break;
    case kIdOk:
      // Enter in a field: the window closes and the flags stay as they are.
      EndDialog(kIdOk);
      break;
    case kIdCancelDialog:
      OnCancel();
      break;
    default:
      break;
  }
}

void CMultiplayerDlg::OnKillFocus(int id) {
  if (id == kIdGameName) OnKillfocusGameName();
  if (id == kIdServerAddress) OnKillfocusServerAddress();
}

void CMultiplayerDlg::OnKillfocusGameName() {
  SetFieldText(kIdGameName, install::CleanGameName(FieldText(kIdGameName)));
}

void CMultiplayerDlg::OnKillfocusServerAddress() {
  SetFieldText(kIdServerAddress, install::NormaliseAddress(FieldText(kIdServerAddress)));
}

// The fields are cleaned again here: a front end may press a button without the field losing
// the focus first, and a name with blanks would hand the game extra arguments.
void CMultiplayerDlg::OnHostGame() {
  OnKillfocusGameName();
  gameName_ = FieldText(kIdGameName);
  settings_.Write(settings::kGameName, gameName_);
  startup_.hostRequested = true;
  EndDialog(kIdOk);
}

void CMultiplayerDlg::OnJoinGame() {
  OnKillfocusServerAddress();
  startup_.joinAddress = FieldText(kIdServerAddress);
  settings_.Write(settings::kServerIp, startup_.joinAddress);
  startup_.joinRequested = true;
  EndDialog(kIdOk);
}

void CMultiplayerDlg::OnCancel() {
  startup_.hostRequested = false;
  startup_.joinRequested = false;
  EndDialog(kIdCancelDialog);
}

}  // namespace varokin::ui
