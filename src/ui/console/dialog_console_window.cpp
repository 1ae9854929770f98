#include "ui/console/dialog_console_window.h"

#include "ui/console/command_loop.h"

namespace varokin::ui::console {

bool DialogConsoleWindow::IsLabel(int id) const {
  const ControlSpec* item = controls_.Entry(id);
  return item != nullptr && item->kind != ControlKind::kEdit;
}

bool DialogConsoleWindow::IsEditable(int id) const {
  const ControlSpec* item = controls_.Entry(id);
  return item != nullptr && item->kind == ControlKind::kEdit && !item->readOnly;
}

int ConsoleDialogRunner::DoModal(ModalDialog& dialog) {
  headless::HeadlessDialog controls(dialog.Layout());
  dialog.OnInitDialog(controls);
  DialogConsoleWindow window(dialog, controls);
  // The end of input closes the dialog as Escape does, so this always returns.
  CommandLoop(io_).Run(window);
  return dialog.Ended() ? dialog.Result() : kIdCancelDialog;
}

}  // namespace varokin::ui::console
