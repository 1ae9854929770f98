#pragma once

#include "ui/program_parts.h"

namespace varokin::ui::qt {

// What start-up hands on to, for the desktop program: the main window on the screen.
class QtSteps : public HostSteps {
 public:
  using HostSteps::HostSteps;
  void RunMainWindow() override;
};

}  // namespace varokin::ui::qt
