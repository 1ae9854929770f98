#pragma once

#include <QMenuBar>
#include <QTimer>
#include <memory>
#include <vector>

#include "engine/context.h"
#include "platform/file_system.h"
#include "platform/instances.h"
#include "ui/qt/dialog_window.h"
#include "ui/switcher_dlg.h"

namespace varokin::ui::qt {

// The main window on the screen: the controls and menu bar of its template, each event handed to
// the window's handlers, the deferred request 100 ms after each showing, and the window closed
// once the handlers have ended it. Widgets carry their control or menu id as object name.
class QtMainWindow {
 public:
  QtMainWindow(engine::Context& ctx, const CSwitcherDlg::FrontEnd& frontEnd,
               platform::InstanceRegistry* instances);
  ~QtMainWindow();

  // Sets the window up and runs the catalogue scan; then Show() it, or Exec() it modally.
  void Init();
  void Show() { window_.show(); }
  int Exec() { return window_.exec(); }

  DialogWindow& Window() { return window_; }
  CSwitcherDlg& Dlg() { return *dlg_; }

 private:
  void BuildMenuBar(int width);
  // The filter's keys and the keys that change tabs.
  void AddKeys(QTabWidget& tabs);
  // The size and place of the last run, kept on a screen there is now.
  void RestorePlacement(platform::FileSystem& fs);
  void SavePlacement();
  void Route(int id);
  void CloseWhenEnded();

  DialogWindow window_;
  QMenuBar* menuBar_ = nullptr;
  std::unique_ptr<QtTabControl> tabs_;
  std::unique_ptr<QtDialogControls> controls_;
  std::vector<std::unique_ptr<QtMenuItem>> menuItems_;
  std::unique_ptr<MainWindowControls> bound_;
  std::unique_ptr<CSwitcherDlg> dlg_;
  QTimer deferred_;
  QSize smallest_;
  platform::FileSystem* fs_ = nullptr;
};

}  // namespace varokin::ui::qt
