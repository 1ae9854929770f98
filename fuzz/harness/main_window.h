#pragma once

#include <memory>
#include <optional>
#include <string>

#include "engine/context.h"
#include "engine/mod_state.h"
#include "engine/prompts.h"
#include "engine/relocation.h"
#include "engine/startup_state.h"
#include "platform/file_system.h"
#include "settings/settings_store.h"
#include "ui/headless/headless_dialog.h"
#include "ui/headless/main_window_set.h"
#include "ui/switcher_dlg.h"

namespace varokin::fuzz {

// A user who answers every question from the bits of one input byte, in turn (1: Yes), and picks
// one file in every open dialog.
class FuzzPrompts : public Prompts {
 public:
  explicit FuzzPrompts(unsigned char answers) : answers_(answers) {}

  Answer Message(const std::string& text, Buttons buttons, Icon icon) override;
  std::optional<std::string> OpenFile(const FileDialogRequest& request) override;
  std::optional<std::string> SaveFile(const FileDialogRequest& request) override;

  std::optional<std::string> fileToOpen;

 private:
  unsigned char answers_;
  unsigned asked_ = 0;
};

// One run of the program's main window over headless controls: the host's file system in the
// working directory (the TA folder), and the settings file given.
class MainWindow {
 public:
  MainWindow(Prompts& prompts, const std::string& settingsPath);
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Start-up of the window: settings, catalogue, the remembered modifications checked.
  void Start();
  // A user's click on a row, with the notification it sends.
  void Click(int listId, int row);
  void Command(int id) { dlg.OnCommand(id); }
  // The row listing a file (a configuration or pack file name); -1 when none does.
  int RowOfFile(int listId, const std::string& fileName);
  // The row with exactly this text; -1 when none has it.
  int RowOfText(int listId, const std::string& text);

  std::unique_ptr<platform::FileSystem> fs;
  settings::SettingsStore settings;
  engine::StartupState startup;
  ui::headless::HeadlessMainWindow window;
  ui::headless::HeadlessDialogRunner dialogs;
  engine::ModState state;
  engine::PackMembership packs;
  engine::Relocator relocator;
  engine::Context ctx;
  ui::CSwitcherDlg dlg;
};

}  // namespace varokin::fuzz
