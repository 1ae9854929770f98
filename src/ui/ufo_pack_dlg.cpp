#include "ui/ufo_pack_dlg.h"

#include "engine/pack_file.h"
#include "ui/switcher_dlg.h"

namespace varokin::ui {

// The caption of the list is 80 units wide, not 50: in the fonts that stand in for MS Sans Serif it
// wraps at 50.
const DialogLayout& CUfoPackDlg::Layout() const {
  static const DialogLayout layout{.templateId = kTemplateId,
                                   .title = "Make a UFO Pack",
                                   .width = 293,
                                   .height = 207,
                                   .controls = {
                                       {.id = -1,
                                        .kind = ControlKind::kLabel,
                                        .caption = "Pack Name:",
                                        .x = 5,
                                        .y = 9,
                                        .width = 44,
                                        .height = 8,
                                        .rightAligned = true},
                                       {.id = kIdPackName,
                                        .kind = ControlKind::kEdit,
                                        .caption = "",
                                        .x = 52,
                                        .y = 7,
                                        .width = 95,
                                        .height = 14,
                                        .startsSelected = true},
                                       {.id = -1,
                                        .kind = ControlKind::kLabel,
                                        .caption = "File Name:",
                                        .x = 11,
                                        .y = 26,
                                        .width = 38,
                                        .height = 8,
                                        .rightAligned = true},
                                       {.id = kIdFileName,
                                        .kind = ControlKind::kEdit,
                                        .caption = "",
                                        .x = 52,
                                        .y = 24,
                                        .width = 119,
                                        .height = 14},
                                       {.id = -1,
                                        .kind = ControlKind::kLabel,
                                        .caption = "Description:",
                                        .x = 7,
                                        .y = 40,
                                        .width = 65,
                                        .height = 8},
                                       {.id = kIdDescription,
                                        .kind = ControlKind::kEdit,
                                        .caption = "",
                                        .x = 8,
                                        .y = 49,
                                        .width = 278,
                                        .height = 51,
                                        .multiline = true,
                                        .verticalScroll = true},
                                       {.id = -1,
                                        .kind = ControlKind::kLabel,
                                        .caption = "Included UFOs:",
                                        .x = 7,
                                        .y = 105,
                                        .width = 80,
                                        .height = 8},
                                       {.id = kIdIncludedUfos,
                                        .kind = ControlKind::kList,
                                        .caption = "",
                                        .x = 7,
                                        .y = 115,
                                        .width = 278,
                                        .height = 67,
                                        .verticalScroll = true,
                                        .sorted = true,
                                        .multipleSelection = true,
                                        .multiColumn = true,
                                        .horizontalScroll = true,
                                        .extendedSelection = true},
                                       {.id = kIdOk,
                                        .kind = ControlKind::kDefaultButton,
                                        .caption = "OK",
                                        .x = 242,
                                        .y = 185,
                                        .width = 50,
                                        .height = 22},
                                       {.id = kIdCancelDialog,
                                        .kind = ControlKind::kButton,
                                        .caption = "Cancel",
                                        .x = 4,
                                        .y = 189,
                                        .width = 50,
                                        .height = 15},
                                   }};
  return layout;
}

std::string CUfoPackDlg::TextOf(int id) const {
  TextControl* text = controls_ != nullptr ? controls_->Text(id) : nullptr;
  return text != nullptr ? text->GetText() : std::string();
}

bool CUfoPackDlg::OnInitDialog(DialogControls& controls) {
  controls_ = &controls;
  TextControl* packName = controls.Text(kIdPackName);
  TextControl* fileName = controls.Text(kIdFileName);
  ListBox* included = controls.List(kIdIncludedUfos);
  if (packName == nullptr || fileName == nullptr || included == nullptr) return true;
  packName->SetText("Unamed Pack");
  fileName->SetText("Unamed Pack.pac");
  included->SetColumnWidth(included->GetWidthPixels() / 2);
  for (int row = 0; row < ufoList_.GetCount(); ++row) {
    if (ufoList_.GetSel(row)) included->AddString(ufoList_.GetText(row));
  }
  included->SetSel(-1, true);
  return true;
}

void CUfoPackDlg::OnCommand(int id) {
  if (id == kIdOk) OnOK();
  if (id == kIdCancelDialog) EndDialog(kIdCancelDialog);
}

void CUfoPackDlg::OnChange(int id) {
  if (id == kIdPackName) OnChangePackName();
}

void CUfoPackDlg::OnChangePackName() {
  TextControl* fileName = controls_ != nullptr ? controls_->Text(kIdFileName) : nullptr;
  if (fileName != nullptr) fileName->SetText(TextOf(kIdPackName) + ".pac");
}

void CUfoPackDlg::OnOK() {
  engine::UfoPack pack{TextOf(kIdPackName), TextOf(kIdDescription), {}};
  if (ListBox* included = controls_ != nullptr ? controls_->List(kIdIncludedUfos) : nullptr) {
    for (int row = 0; row < included->GetCount(); ++row) {
      if (included->GetSel(row)) pack.ufos.push_back(included->GetText(row));
    }
  }
  if (engine::SaveUfoPack(fs_, prompts_, TextOf(kIdFileName), pack)) EndDialog(kIdOk);
}

void CSwitcherDlg::OnMakeUfoPack() {
  if (frontEnd.dialogs == nullptr) return;
  CUfoPackDlg dialog(ctx_.fs, ctx_.prompts, c_.ufoList);
  frontEnd.dialogs->DoModal(dialog);
}

}  // namespace varokin::ui
