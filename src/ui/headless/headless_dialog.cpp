#include "ui/headless/headless_dialog.h"

namespace varokin::ui::headless {

namespace {

// Dialog units of the templates' 8-point font in pixels: 4 horizontal units are 6 pixels.
int WidthPixels(const ControlSpec& spec) { return spec.width * 3 / 2; }

std::unique_ptr<Control> Build(const ControlSpec& spec) {
  switch (spec.kind) {
    case ControlKind::kButton:
    case ControlKind::kDefaultButton:
      return std::make_unique<HeadlessButton>(spec.id);
    case ControlKind::kCheckBox:
      return std::make_unique<HeadlessCheckBox>(spec.id);
    case ControlKind::kList:
      return std::make_unique<HeadlessListBox>(spec.id, spec.sorted, spec.multipleSelection,
                                               WidthPixels(spec));
    case ControlKind::kLabel:
    case ControlKind::kEdit:
    case ControlKind::kGroupBox:
      break;
  }
  return std::make_unique<HeadlessText>(spec.id, spec.caption);
}

}  // namespace

HeadlessDialog::HeadlessDialog(const DialogLayout& layout) : layout_(layout), title_(layout.title) {
  for (const ControlSpec& spec : layout_.controls) controls_.push_back(Build(spec));
}

const ControlSpec* HeadlessDialog::Spec(int id) const {
  for (const ControlSpec& spec : layout_.controls) {
    if (spec.id == id && id >= 0) return &spec;
  }
  return nullptr;
}

std::vector<Control*> HeadlessDialog::AllControls() {
  std::vector<Control*> all;
  for (const auto& control : controls_) {
    if (control->Id() >= 0) all.push_back(control.get());
  }
  return all;
}

int HeadlessDialogRunner::DoModal(ModalDialog& dialog) {
  ran_.push_back(dialog.Layout());
  HeadlessDialog controls(dialog.Layout());
  dialog.OnInitDialog(controls);
  if (user) user(dialog, controls);
  if (!dialog.Ended()) dialog.OnCommand(kIdCancelDialog);
  return dialog.Ended() ? dialog.Result() : kIdCancelDialog;
}

}  // namespace varokin::ui::headless
