#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "engine/context.h"
#include "engine/mod_state.h"
#include "engine/relocation.h"
#include "engine/startup_state.h"
#include "platform/file_system.h"
#include "settings/settings_store.h"
#include "support/expect_prompts.h"
#include "support/ta_folder.h"
#include "ui/headless/headless_dialog.h"
#include "ui/headless/main_window_set.h"
#include "ui/switcher_dlg.h"

namespace varokin::fixtures {

// The main window over headless controls on a temporary TA folder, with its own Varokin.INI in
// a separate temporary folder. A test lays down its files, then calls Start(); Restart() is the
// next run of the program: fresh state and controls, the same folder and settings.
class MainWindowTest : public ::testing::Test {
 protected:
  using Texts = std::vector<std::string>;

  MainWindowTest();
  ~MainWindowTest() override;

  void Start();
  void Restart() { Start(); }
  // The program's end without a word, as when it is killed: what it held open is let go.
  void Stop() { session_.reset(); }

  ui::CSwitcherDlg& Dlg() { return session_->dlg; }
  ui::headless::HeadlessMainWindow& Window() { return session_->window; }
  engine::ModState& State() { return session_->state; }
  engine::PackMembership& Packs() { return session_->packs; }

  std::string Setting(const std::string& section, const std::string& entry);
  // The settings file as it lies on disk.
  std::string SettingsFileText() const;
  void Remember(const std::string& section, const std::string& entry, const std::string& value);

  // Row texts of a list, and the texts of its selected rows, in list order.
  static std::vector<std::string> Rows(const ui::ListBox& list);
  static std::vector<std::string> Selected(const ui::ListBox& list);
  // The row with exactly this text; fails the test when there is none.
  static int RowOf(const ui::ListBox& list, const std::string& text);
  // A user's click on a row, with the selection-change notification it sends.
  void Click(int listId, int row);
  void ClickRow(int listId, const std::string& text) {
    Click(listId, RowOf(*Window().List(listId), text));
  }
  // A user's click on a tab, with the notification it sends.
  void ShowTab(int tab);

  TaFolder ta;
  std::unique_ptr<platform::FileSystem> fs = platform::CreateHostFileSystem();
  std::filesystem::path settingsFolder;
  std::unique_ptr<settings::SettingsStore> settings;
  ExpectPrompts prompts;
  // Runs the dialogs the main window opens; a test sets its `user` to act in them.
  ui::headless::HeadlessDialogRunner dialogs;
  engine::StartupState startup;

 private:
  struct Session {
    explicit Session(MainWindowTest& test);
    ui::headless::HeadlessMainWindow window;
    engine::ModState state;
    engine::PackMembership packs;
    engine::Relocator relocator;
    engine::Context ctx;
    ui::CSwitcherDlg dlg;
  };
  std::unique_ptr<Session> session_;
};

// The same on a TA folder that holds the game.
class GameWindowTest : public MainWindowTest {
 protected:
  void SetUp() override { ta.Game(); }
};

}  // namespace varokin::fixtures
