#include "ui/headless/headless_dialog.h"

namespace varokin::ui::headless {

namespace {

// Dialog units of the templates' 8-point font in pixels: 4 horizontal units are 6 pixels.
int WidthPixels(const ControlSpec& item) { return item.width * 3 / 2; }

std::unique_ptr<Control> Build(const ControlSpec& item) {
  switch (item.kind) {
    case ControlKind::kButton:
    case ControlKind::kDefaultButton:
      return std::make_unique<HeadlessButton>(item.id);
    case ControlKind::kCheckBox:
      return std::make_unique<HeadlessCheckBox>(item.id);
    case ControlKind::kList:
      return std::make_unique<HeadlessListBox>(item.id, item.sorted, item.multipleSelection,
                                               WidthPixels(item));
    case ControlKind::kLabel:
    case ControlKind::kEdit:
    case ControlKind::kGroupBox:
      break;
  }
  return std::make_unique<HeadlessText>(item.id, item.caption);
}

}  // namespace

HeadlessDialog::HeadlessDialog(const DialogLayout& layout) : layout_(layout), title_(layout.title) {
  for (const ControlSpec& item : layout_.controls) controls_.push_back(Build(item));
}

const ControlSpec* HeadlessDialog::Entry(int id) const {
  for (const ControlSpec& item : layout_.controls) {
    if (item.id == id && id >= 0) return &item;
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
  if (!dialog.Ended()) dialog.OnCommand(CommandForKey(dialog.Layout(), DialogKey::kCloseBox));
  return dialog.Ended() ? dialog.Result() : kIdCancelDialog;
}

}  // namespace varokin::ui::headless
