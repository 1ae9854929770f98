#include "ui/qt/qt_dialog_runner.h"

#include <QApplication>

#include "ui/qt/dialog_window.h"

namespace varokin::ui::qt {

int QtDialogRunner::DoModal(ModalDialog& dialog) {
  const DialogLayout& layout = dialog.Layout();
  DialogWindow window(QApplication::activeWindow());
  const DialogUnits units = DialogUnits::Fitting(window.font(), layout.controls);
  window.setFixedSize(units.X(layout.width), units.Y(layout.height));

  // The logic may end the dialog from any event; the window closes as soon as it has.
  const auto closeWhenEnded = [&] {
    if (dialog.Ended() && window.isVisible()) window.done(dialog.Result());
  };
  ControlEvents events;
  events.command = [&](int id) {
    if (dialog.Ended()) return;
    dialog.OnCommand(id);
    closeWhenEnded();
  };
  events.change = [&](int id) {
    if (dialog.Ended()) return;
    dialog.OnChange(id);
    closeWhenEnded();
  };
  events.killFocus = [&](int id) {
    if (dialog.Ended()) return;
    dialog.OnKillFocus(id);
    closeWhenEnded();
  };
  events.selchange = [&](int id) {
    if (dialog.Ended()) return;
    dialog.OnSelchange(id);
    closeWhenEnded();
  };
  QtDialogControls controls(window, layout.controls, units, QPoint(0, 0), events, instances_);
  window.onCommand = events.command;
  window.defaultId = controls.DefaultButtonId();
  controls.SetTitle(layout.title);

  dialog.OnInitDialog(controls);
  if (!dialog.Ended()) window.exec();
  window.onCommand = nullptr;
  return dialog.Ended() ? dialog.Result() : kIdCancelDialog;
}

}  // namespace varokin::ui::qt
