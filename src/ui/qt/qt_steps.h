#pragma once

#include "app/switcher_app.h"
#include "engine/context.h"
#include "platform/instances.h"
#include "ui/switcher_dlg.h"

namespace varokin::ui::qt {

// What start-up hands on to, for the desktop program: the main window on the screen.
class QtSteps : public app::StartupSteps {
 public:
  // frontEnd names every service: the processes and the registry are used at start-up too.
  QtSteps(engine::Context& ctx, platform::InstanceRegistry& instances,
          const CSwitcherDlg::FrontEnd& frontEnd)
      : ctx_(ctx), instances_(instances), frontEnd_(frontEnd) {}

  bool CheckInstallation() override;
  void RegisterWithIcq() override;
  void RunMainWindow() override;

  bool MainWindowClosed() const { return mainWindowClosed_; }

 private:
  engine::Context& ctx_;
  platform::InstanceRegistry& instances_;
  CSwitcherDlg::FrontEnd frontEnd_;
  bool mainWindowClosed_ = false;
};

}  // namespace varokin::ui::qt
