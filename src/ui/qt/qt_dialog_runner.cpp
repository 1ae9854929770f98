#include "ui/qt/qt_dialog_runner.h"

#include <QApplication>

#include "ui/qt/dialog_window.h"

namespace varokin::ui::qt {

int QtDialogRunner::DoModal(ModalDialog& dialog) {
  const DialogLayout& layout = dialog.Layout();
  DialogWindow window(QApplication::activeWindow(), layout);
  const DialogUnits units = DialogUnits::Fitting(window.font(), layout.controls);
  window.setFixedSize(units.X(layout.width), units.Y(layout.height));

  // Each event goes to the logic until it has ended the dialog; the window then closes.
  const auto forward = [&dialog, &window](void (ModalDialog::*handler)(int)) {
    return [&dialog, &window, handler](int id) {
      if (dialog.Ended()) return;
      (dialog.*handler)(id);
      if (dialog.Ended() && window.isVisible()) window.done(dialog.Result());
    };
  };
  ControlEvents events;
  events.command = forward(&ModalDialog::OnCommand);
  events.change = forward(&ModalDialog::OnChange);
  events.killFocus = forward(&ModalDialog::OnKillFocus);
  events.selchange = forward(&ModalDialog::OnSelchange);
  QtDialogControls controls(window, layout.controls, units, QPoint(0, 0), events, instances_);
  window.onCommand = events.command;
  controls.SetTitle(layout.title);

  if (dialog.OnInitDialog(controls)) controls.FocusOpeningSelection();
  if (!dialog.Ended()) window.exec();
  window.onCommand = nullptr;
  return dialog.Ended() ? dialog.Result() : kIdCancelDialog;
}

}  // namespace varokin::ui::qt
