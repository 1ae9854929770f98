#pragma once

#include <string>

#include "engine/prompts.h"
#include "engine/startup_state.h"
#include "platform/file_system.h"
#include "platform/instances.h"
#include "settings/settings_store.h"

namespace varokin::app {

// What start-up hands on to the rest of the program; the front end supplies them.
class StartupSteps {
 public:
  virtual ~StartupSteps() = default;
  // The installation check: false when the program must end (the user has been told why).
  virtual bool CheckInstallation() = 0;
  virtual void RegisterWithIcq() = 0;
  // Creates the main window and shows it modally until it closes.
  virtual void RunMainWindow() = 0;
};

// The application object: the whole start-up, from the command line to the main window.
class CSwitcherApp {
 public:
  CSwitcherApp(platform::FileSystem& fs, Prompts& prompts, settings::SettingsStore& settings,
               engine::StartupState& startup, std::string& baseGameTag,
               platform::InstanceRegistry& instances, StartupSteps& steps,
               std::string userSettings = std::string());

  // Runs start-up and the main window; always false (the process then ends).
  bool InitInstance(const std::string& commandText);

 private:
  platform::FileSystem& fs_;
  Prompts& prompts_;
  settings::SettingsStore& settings_;
  engine::StartupState& startup_;
  std::string& baseGameTag_;
  platform::InstanceRegistry& instances_;
  StartupSteps& steps_;
  // The per-user settings file of older versions, taken over by a TA folder that has none.
  std::string userSettings_;
};

}  // namespace varokin::app
