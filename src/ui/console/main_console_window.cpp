#include "ui/console/main_console_window.h"

#include "app/switcher_app.h"
#include "ui/main_window_layout.h"

namespace varokin::ui::console {

std::string MainConsoleWindow::Title() const { return app::kMainWindowTitle; }

void MainConsoleWindow::Escape() {
  dlg_.OnCommand(CommandForKey(MainWindowLayout().layout, DialogKey::kEscape));
}

void MainConsoleWindow::CloseBox() {
  dlg_.OnCommand(CommandForKey(MainWindowLayout().layout, DialogKey::kCloseBox));
}

}  // namespace varokin::ui::console
