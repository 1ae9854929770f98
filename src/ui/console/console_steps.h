#pragma once

#include "ui/console/console_io.h"
#include "ui/program_parts.h"

namespace varokin::ui::console {

// What start-up hands on to, for the console: the main window runs as text.
class ConsoleSteps : public HostSteps {
 public:
  ConsoleSteps(engine::Context& ctx, const CSwitcherDlg::FrontEnd& frontEnd, ConsoleIo& io)
      : HostSteps(ctx, frontEnd), io_(io) {}

  void RunMainWindow() override;

 private:
  ConsoleIo& io_;
};

}  // namespace varokin::ui::console
