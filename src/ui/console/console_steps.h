#pragma once

#include "app/program_parts.h"
#include "ui/console/console_io.h"

namespace varokin::ui::console {

// What start-up hands on to, for the console: the main window runs as text.
class ConsoleSteps : public app::HostSteps {
 public:
  ConsoleSteps(engine::Context& ctx, const CSwitcherDlg::FrontEnd& frontEnd, ConsoleIo& io)
      : app::HostSteps(ctx, frontEnd), io_(io) {}

  void RunMainWindow() override;

 private:
  ConsoleIo& io_;
};

}  // namespace varokin::ui::console
