#pragma once

#include <windows.h>

#include "app/program_parts.h"

namespace varokin::ui::win32 {

// What start-up hands on to, for the desktop: the main window as a real dialog. The front end's
// processes and registry must be set.
class Win32Steps : public app::HostSteps {
 public:
  Win32Steps(HINSTANCE instance, engine::Context& ctx, const CSwitcherDlg::FrontEnd& frontEnd)
      : app::HostSteps(ctx, frontEnd), instance_(instance) {}

  void RunMainWindow() override;

 private:
  HINSTANCE instance_;
};

}  // namespace varokin::ui::win32
