// "Launch TA", the TAHook switch and the multiplayer window, with every start recorded.
#include <filesystem>

#include "support/install/recording_processes.h"
#include "support/main_window_fixture.h"
#include "ui/multiplayer_dlg.h"
#include "ui/window_titles.h"

namespace varokin::fixtures {
namespace {

using Result = ui::CSwitcherDlg::Result;

class Launch : public GameWindowTest {
 protected:
  // A fresh run of the main window; the starts recorded before are forgotten.
  void Open() {
    Start();
    processes.calls.clear();
    processes.workingDirs.clear();
    Dlg().frontEnd.processes = &processes;
  }
  // Each start as the program's file name followed by its argument text.
  Texts Starts() const {
    Texts starts;
    for (const std::string& call : processes.calls) {  // "start PROGRAM|ARGUMENTS"
      const std::size_t bar = call.find('|');
      starts.push_back(std::filesystem::path(call.substr(6, bar - 6)).filename().string() +
                       call.substr(bar + 1));
    }
    return starts;
  }

  static constexpr const char* kCustomExeQuestion =
      "The currently selected TC has it's own executable\n\n    It is possible, though "
      "improbable,  that running this executable could maliciously damage your computer.  Do "
      "you wish to:\n\n\t Yes, use the custom executable.\n\n\t No, use the default executable "
      "(the TC probably won't work correctly)\n\n\t Cancel and return to Varokin";

  install_tests::RecordingProcesses processes;
};

TEST_F(Launch, StartsTheGameWithItsPlainArgumentsInTheTaFolderAndEnds) {
  Open();
  ShowTab(2);
  Dlg().OnCommand(ui::kIdLaunchTa);
  EXPECT_EQ(processes.calls, Texts{"start " + fs->HostPath("totala.exe") + "| -N"});
  EXPECT_EQ(processes.workingDirs, Texts{fs->CurrentDir()});
  EXPECT_EQ(Dlg().GetResult(), Result::kOk);
  EXPECT_EQ(Setting("Previous Settings", "SelectedTab"), "2");
}

TEST_F(Launch, AsksBeforeATcsOwnExecutableUnlessTheWarningIsOff) {
  ta.Tc("Foo", "Foo War", "f", "FW", {});
  ta.Text("][Foo.exe", "MZ");
  Remember("Previous Settings", "TC", "][Foo.tc");

  Open();
  prompts.Expect(kCustomExeQuestion, Answer::kCancel, Buttons::kYesNoCancel);
  Dlg().OnLaunchTa();
  EXPECT_TRUE(processes.calls.empty());
  EXPECT_EQ(Dlg().GetResult(), Result::kRunning);

  prompts.Expect(kCustomExeQuestion, Answer::kNo);
  Dlg().OnLaunchTa();
  EXPECT_EQ(Starts(), Texts{"totala.exe -N"});

  Open();
  prompts.Expect(kCustomExeQuestion, Answer::kYes);
  Dlg().OnLaunchTa();
  EXPECT_EQ(Starts(), Texts{"][Foo.exe -N"});

  // The TC's executable that cannot start is reported, and the plain game is not tried.
  Open();
  startup.warnCustomExe = false;
  processes.failing[fs->HostPath("][Foo.exe")] = platform::StartResult::kFailed;
  prompts.Expect(
      "Unable to run the custom exe ][Foo.exe it may have been badly hacked or be a misnamed "
      "data file.");
  Dlg().OnLaunchTa();
  EXPECT_TRUE(processes.calls.empty());
  EXPECT_EQ(Dlg().GetResult(), Result::kRunning);
}

TEST_F(Launch, StartsTahookOnceAndGoesOnWhenItCannotStart) {
  const std::string tahook = (ta.Root() / "tools" / "TAHook.exe").string();
  Remember("Varokin", "Use TAHook", "1");
  Remember("Varokin", "TAHook Path", tahook);
  Open();
  processes.failing[fs->HostPath("totala.exe")] = platform::StartResult::kNoWine;
  prompts.Expect(
      "Unable to run TotalA.exe, it may have been moved\nWine was not found: install Wine or set "
      "WINE to its path.");
  Dlg().OnLaunchTa();
  EXPECT_EQ(Starts(), Texts{"TAHook.exe"});
  EXPECT_EQ(Dlg().GetResult(), Result::kRunning);

  processes.failing.clear();
  Dlg().OnLaunchTa();
  EXPECT_EQ(Starts(), (Texts{"TAHook.exe", "totala.exe -N"}));

  Remember("Varokin", "TAHook Path", "");
  Open();
  prompts.Expect("Unable to run TAHook it may have been moved");
  Dlg().OnLaunchTa();
  EXPECT_EQ(Starts(), Texts{"totala.exe -N"});
}

TEST_F(Launch, TahookMenuItemAsksForTheProgramOnlyWhenSwitchedOn) {
  Open();
  prompts.ExpectFileDialog(std::nullopt);
  Dlg().OnCommand(ui::kIdMenuAutoLaunchTahook);
  EXPECT_FALSE(Window().menuAutoLaunchTahook.IsChecked());
  EXPECT_EQ(Setting("Varokin", "Use TAHook"), "<missing>");

  prompts.ExpectFileDialog("C:\\Tools\\tahook.exe");
  Dlg().OnCommand(ui::kIdMenuAutoLaunchTahook);
  EXPECT_TRUE(Window().menuAutoLaunchTahook.IsChecked());
  EXPECT_EQ(Setting("Varokin", "Use TAHook"), "1");
  EXPECT_EQ(Setting("Varokin", "TAHook Path"), "C:\\Tools\\tahook.exe");

  Dlg().OnCommand(ui::kIdMenuAutoLaunchTahook);
  EXPECT_FALSE(Window().menuAutoLaunchTahook.IsChecked());
  EXPECT_EQ(Setting("Varokin", "Use TAHook"), "0");
}

TEST_F(Launch, MultiplayerCleansWhatItShowsAndStartsTheGameWithTheNetworkArguments) {
  Remember("Previous Settings", "Game Name", "My great game\twith tabs and more");
  Remember("Previous Settings", "Server IP", "300.1.2");
  Open();
  dialogs.user = [](ui::ModalDialog& dialog, ui::headless::HeadlessDialog& controls) {
    EXPECT_EQ(controls.Layout().templateId, 137);
    EXPECT_EQ(controls.Text(ui::kIdGameName)->GetText(), "My_great_game_wi");
    EXPECT_EQ(controls.Text(ui::kIdServerAddress)->GetText(), "44.1.2.0");
    EXPECT_EQ(controls.Text(ui::kIdLocalAddress)->GetText().rfind("Local IP =", 0), 0u);
    controls.Text(ui::kIdServerAddress)->SetText("abc");
    dialog.OnKillFocus(ui::kIdServerAddress);
    EXPECT_EQ(controls.Text(ui::kIdServerAddress)->GetText(), "0.0.0.0");
    // Numbers too long for any integer keep their lowest eight bits; a blank may follow a dot.
    controls.Text(ui::kIdServerAddress)->SetText("4294967553.99999999999999999999.-1. +7x.9");
    dialog.OnKillFocus(ui::kIdServerAddress);
    EXPECT_EQ(controls.Text(ui::kIdServerAddress)->GetText(), "1.255.255.7");
  };
  Window().allowDefaultAi.SetChecked(false);
  Dlg().OnCommand(ui::kIdMultiplayer);  // closed by the runner: cancelled
  EXPECT_TRUE(processes.calls.empty());
  EXPECT_EQ(Setting("Previous Settings", "Allow Default AI"), "0");

  Open();
  dialogs.user = [](ui::ModalDialog& dialog, ui::headless::HeadlessDialog& controls) {
    controls.Text(ui::kIdGameName)->SetText("LAN_Party");
    dialog.OnCommand(ui::kIdHostGame);
  };
  Dlg().OnMultiplayer();
  EXPECT_EQ(Starts(), Texts{"totala.exe -N1:0.0.0.0 -H LAN_Party"});
  EXPECT_EQ(Setting("Previous Settings", "Game Name"), "LAN_Party");

  Open();
  dialogs.user = [](ui::ModalDialog& dialog, ui::headless::HeadlessDialog& controls) {
    controls.Text(ui::kIdServerAddress)->SetText("192.168.1.10");
    dialog.OnCommand(ui::kIdJoinGame);
  };
  Dlg().OnMultiplayer();
  EXPECT_EQ(Starts(), Texts{"totala.exe -N1:192.168.1.10"});
  EXPECT_EQ(Setting("Previous Settings", "Server IP"), "192.168.1.10");
}

TEST_F(Launch, RequestsFromTheCommandLineOpenTheMatchingForm) {
  startup.joinRequested = true;
  startup.joinAddress = "10.0.0.5";
  Open();
  dialogs.user = [](ui::ModalDialog& dialog, ui::headless::HeadlessDialog& controls) {
    EXPECT_EQ(controls.Title(), "Varokin: Joining...");
    EXPECT_FALSE(controls.ButtonById(ui::kIdHostGame)->IsEnabled());
    EXPECT_EQ(controls.Text(ui::kIdServerAddress)->GetText(), "10.0.0.5");
    dialog.OnCommand(ui::kIdOk);  // Enter joins the address the window opened with
  };
  Dlg().OnShowWindow(true);
  Dlg().OnTimer();
  EXPECT_EQ(Starts(), Texts{"totala.exe -N1:10.0.0.5"});

  startup = {};
  startup.hostRequested = true;
  Open();
  const auto instances = platform::CreateHostInstanceRegistry();
  Dlg().frontEnd.instances = instances.get();
  dialogs.user = [&](ui::ModalDialog&, ui::headless::HeadlessDialog& controls) {
    EXPECT_EQ(controls.Title(), "Varokin: Hosting...");
    EXPECT_FALSE(controls.ButtonById(ui::kIdJoinGame)->IsEnabled());
    EXPECT_FALSE(startup.hostRequested);
    EXPECT_TRUE(instances->WindowExists(ui::kHostingWindowTitle));
  };
  Dlg().OnMultiplayer();
  EXPECT_TRUE(processes.calls.empty());
  EXPECT_FALSE(instances->WindowExists(ui::kHostingWindowTitle));
}

}  // namespace
}  // namespace varokin::fixtures
