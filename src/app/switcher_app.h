#pragma once

#include <string>

#include "app/settings_store.h"
#include "app/startup_state.h"
#include "platform/file_system.h"
#include "platform/instances.h"
#include "ui/prompts.h"

namespace varokin::app {

// The title of the main window; one window of this title may be open at a time.
inline constexpr char kMainWindowTitle[] = "Varokin - by Quellan";
// The title of the multiplayer window while it hosts a game.
inline constexpr char kHostingWindowTitle[] = "Varokin: Hosting...";

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
  CSwitcherApp(platform::FileSystem& fs, ui::Prompts& prompts, SettingsStore& settings,
               StartupState& startup, std::string& baseGameTag,
               platform::InstanceRegistry& instances, StartupSteps& steps);

  // Runs start-up and the main window; always false (the process then ends).
  bool InitInstance(const std::string& commandText);

 private:
  platform::FileSystem& fs_;
  ui::Prompts& prompts_;
  SettingsStore& settings_;
  StartupState& startup_;
  std::string& baseGameTag_;
  platform::InstanceRegistry& instances_;
  StartupSteps& steps_;
};

}  // namespace varokin::app
