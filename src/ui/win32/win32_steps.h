#pragma once

#include <windows.h>

#include "app/switcher_app.h"
#include "engine/context.h"
#include "ui/switcher_dlg.h"

namespace varokin::ui::win32 {

// What start-up hands on to, for the desktop: the main window as a real dialog. The front end's
// processes and registry must be set.
class Win32Steps : public app::StartupSteps {
 public:
  Win32Steps(HINSTANCE instance, engine::Context& ctx, const CSwitcherDlg::FrontEnd& frontEnd)
      : instance_(instance), ctx_(ctx), frontEnd_(frontEnd) {}

  bool CheckInstallation() override;
  void RegisterWithIcq() override;
  void RunMainWindow() override;

 private:
  HINSTANCE instance_;
  engine::Context& ctx_;
  const CSwitcherDlg::FrontEnd& frontEnd_;
};

}  // namespace varokin::ui::win32
