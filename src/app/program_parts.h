#pragma once

#include <memory>
#include <string>

#include "app/switcher_app.h"
#include "app/ta_folder.h"
#include "engine/context.h"
#include "engine/mod_state.h"
#include "engine/prompts.h"
#include "engine/relocation.h"
#include "engine/startup_state.h"
#include "platform/file_system.h"
#include "platform/instances.h"
#include "platform/processes.h"
#include "platform/registry.h"
#include "settings/settings_store.h"
#include "ui/switcher_dlg.h"

namespace varokin::app {

// Start-up steps over the host's services; a front end adds how its main window runs, and
// sets mainWindowClosed_ once it has.
class HostSteps : public StartupSteps {
 public:
  HostSteps(engine::Context& ctx, const ui::CSwitcherDlg::FrontEnd& frontEnd)
      : ctx_(ctx), frontEnd_(frontEnd) {}

  bool CheckInstallation() override;
  void RegisterWithIcq() override;

  bool MainWindowClosed() const { return mainWindowClosed_; }

 protected:
  engine::Context& ctx_;
  ui::CSwitcherDlg::FrontEnd frontEnd_;
  bool mainWindowClosed_ = false;
};

// What one run of the program owns, over the host's services and the settings file of this
// user; a front end brings its prompts, its dialog runner and its start-up steps.
struct ProgramParts {
  explicit ProgramParts(Prompts& frontEndPrompts);
  ProgramParts(const ProgramParts&) = delete;
  ProgramParts& operator=(const ProgramParts&) = delete;

  // The services the main window's handlers reach, with this front end's dialogs.
  ui::CSwitcherDlg::FrontEnd FrontEnd(ui::DialogRunner& dialogs);
  // Start-up through to the closed main window, on the TA folder the search finds. False when
  // no TA folder was found.
  bool Run(StartupSteps& steps, const TaFolderSearch& search);

  std::unique_ptr<platform::FileSystem> fs;
  std::unique_ptr<platform::InstanceRegistry> instances;
  std::unique_ptr<platform::Processes> processes;
  std::unique_ptr<platform::Registry> registry;
  Prompts& prompts;
  settings::SettingsStore settings;
  engine::StartupState startup;
  engine::ModState state;
  engine::Relocator relocator;
  engine::PackMembership packMembership;
  engine::Context ctx;
};

}  // namespace varokin::app
