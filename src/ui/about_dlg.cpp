#include "ui/about_dlg.h"

#include "ui/switcher_dlg.h"

namespace varokin::ui {

namespace {

constexpr const char* kAcknowledgements =
    "Thanks to the Total Annihilation community: the mod makers whose Total Conversions, "
    "Mutators, AIs and units give this program something to switch, the testers who sent in "
    "their TA folders' oddities, and everyone who keeps the game's servers and archives alive "
    "after all these years.";
constexpr const char* kFeedback = "varokin-feedback@users.noreply.codeberg.org";
constexpr const char* kWebAddress = "https://codeberg.org/varokin/varokin";

// Tab passes the fields by, so the box opens on "OK" with nothing highlighted.
ControlSpec ReadOnlyField(int id, int x, int y, int width, int height, bool multiline) {
  ControlSpec item{id, ControlKind::kEdit, "", x, y, width, height};
  item.readOnly = true;
  item.multiline = multiline;
  item.verticalScroll = multiline;
  item.centred = !multiline;
  item.tabStop = false;
  return item;
}

ControlSpec Headline(const char* text) {
  ControlSpec item{-1, ControlKind::kLabel, text, 7, 7, 246, 9};
  item.centred = true;
  return item;
}

}  // namespace

const DialogLayout& CAboutDlg::Layout() const {
  static const DialogLayout layout{
      136,
      "About Varokin",
      260,
      236,
      "MS Sans Serif",
      8,
      {
          Headline("Varokin - the ultimate Total Annihilation switcher utility"),
          {-1, ControlKind::kLabel,
           "Varokin allows you to easily switch between any installed Total Conversions, "
           "Mutators, and AIs.  It also lets you easliy manage any units you have installed.",
           7, 20, 246, 26},
          ReadOnlyField(kIdAboutAcknowledgements, 7, 50, 246, 50, true),
          {-1, ControlKind::kLabel, "Send feedback to:", 7, 106, 60, 9},
          ReadOnlyField(kIdAboutFeedback, 70, 104, 183, 13, false),
          ReadOnlyField(kIdAboutWebAddress, 7, 122, 246, 13, false),
          {-1, ControlKind::kLabel,
           "Varokin may be freely redistributed, unchanged and free of charge.", 7, 142, 246, 18},
          {-1, ControlKind::kLabel,
           "Varokin only renames files inside your TA folder, but it comes with no warranty: "
           "keep a backup of anything you could not replace.",
           7, 162, 246, 26},
          {-1, ControlKind::kLabel, "Written by the Varokin developers.", 7, 190, 246, 9},
          {-1, ControlKind::kLabel, "News and updates are on the project's web site above.", 7, 202,
           246, 9},
          {kIdOk, ControlKind::kDefaultButton, "OK", 103, 216, 53, 14},
      }};
  return layout;
}

bool CAboutDlg::OnInitDialog(DialogControls& controls) {
  const std::pair<int, const char*> fields[] = {{kIdAboutAcknowledgements, kAcknowledgements},
                                                {kIdAboutFeedback, kFeedback},
                                                {kIdAboutWebAddress, kWebAddress}};
  for (const auto& [id, text] : fields) {
    if (TextControl* field = controls.Text(id)) field->SetText(text);
  }
  return true;
}

void CAboutDlg::OnCommand(int id) {
  if (id == kIdOk || id == kIdCancelDialog) EndDialog(id);
}

void CSwitcherDlg::OnAbout() {
  if (frontEnd.dialogs == nullptr) return;
  CAboutDlg about;
  frontEnd.dialogs->DoModal(about);
}

}  // namespace varokin::ui
