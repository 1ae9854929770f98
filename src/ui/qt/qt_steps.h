#pragma once

#include "app/program_parts.h"

namespace varokin::ui::qt {

// What start-up hands on to, for the desktop program: the main window on the screen.
class QtSteps : public app::HostSteps {
 public:
  using app::HostSteps::HostSteps;
  void RunMainWindow() override;
};

}  // namespace varokin::ui::qt
