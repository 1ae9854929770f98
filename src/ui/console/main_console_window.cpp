#include "ui/console/main_console_window.h"

#include "ui/main_window_layout.h"
#include "ui/window_titles.h"

namespace varokin::ui::console {

bool MainConsoleWindow::IsLabel(int id) const {
  const ControlSpec* item = controls_.Entry(id);
  return item != nullptr && item->kind == ControlKind::kLabel;
}

bool MainConsoleWindow::IsEditable(int id) const {
  const ControlSpec* item = controls_.Entry(id);
  return item != nullptr && item->kind == ControlKind::kEdit && !item->readOnly;
}

std::string MainConsoleWindow::Title() const { return kMainWindowTitle; }

void MainConsoleWindow::Escape() { dlg_.OnEscape(0); }

void MainConsoleWindow::CloseBox() {
  dlg_.OnCommand(CommandForKey(MainWindowLayout().layout, DialogKey::kCloseBox));
}

}  // namespace varokin::ui::console
