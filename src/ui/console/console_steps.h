#pragma once

#include "app/switcher_app.h"
#include "engine/context.h"
#include "platform/instances.h"
#include "ui/console/console_io.h"

namespace varokin::ui::console {

// What start-up hands on to, for the console: the main window runs as text.
class ConsoleSteps : public app::StartupSteps {
 public:
  ConsoleSteps(engine::Context& ctx, platform::InstanceRegistry& instances, ConsoleIo& io)
      : ctx_(ctx), instances_(instances), io_(io) {}

  bool CheckInstallation() override;
  void RegisterWithIcq() override;
  void RunMainWindow() override;

  bool MainWindowClosed() const { return mainWindowClosed_; }

 private:
  engine::Context& ctx_;
  platform::InstanceRegistry& instances_;
  ConsoleIo& io_;
  bool mainWindowClosed_ = false;
};

}  // namespace varokin::ui::console
