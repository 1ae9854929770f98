// "Launch TA", the TAHook switch and the multiplayer window, with every start recorded; the
// Settings menu and the about box.
#include <filesystem>
#include <string>
#include <tuple>
#include <utility>

#include "support/install/recording_processes.h"
#include "support/main_window_fixture.h"
#include "ui/about_dlg.h"
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

TEST_F(Launch, StartsTheGameInTheTaFolderAndTahookOnceAndGoesOnWhenTahookCannotStart) {
  Open();
  ShowTab(2);
  Dlg().OnCommand(ui::kIdLaunchTa);
  EXPECT_EQ(processes.calls, Texts{"start " + fs->HostPath("totala.exe") + "| -N"});
  EXPECT_EQ(processes.workingDirs, Texts{fs->CurrentDir()});
  EXPECT_EQ(Dlg().GetResult(), Result::kOk);
  EXPECT_EQ(Setting("Previous Settings", "SelectedTab"), "2");

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
    EXPECT_EQ(controls.Title(), "Varokin: Multiplayer");
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

// The Settings menu's switches, their questions and what they write, and the about box.
constexpr const char* kFileWarningsQuestion =
    "This will prevent validation of the TA file structure\n\nIt's only recommended that you "
    "disable these warnings if you are getting them because you have repacked your totala1.hpi, "
    "ccdata.ccx, and/or rev31.gp3 files into new file(s).(in which case you should also check "
    "\"I Have The Core Contingency installed\" under \"Other Settings\" \n\n\tAre you sure you "
    "want to disable these warnings?";
constexpr const char* kCustomExeWarningQuestion =
    "This will disable the warning that you get when using a Total Conversion that uses a "
    "custom executable.\n\nIt's possible that such an executable could be malicious, and the "
    "warning just makes sure that you're aware of the fact that you'll be using one.\n\n\tAre "
    "you sure you want to disable this warning?";
constexpr const char* kCcOnQuestion =
    "You should only change this setting if you have CC installed and have combined ccdata.ccx "
    "into totala1.hpi, where VKN can't verify it's existance.\n\nAre you sure you want to force "
    "VKN into believing you have The Core Contingency installed?";
constexpr const char* kCcOffQuestion =
    "You should only change this setting if you mistakenly told VKN to believe that you have "
    "The Core Contingeny installed, or if you had it installed and uninstalled it.  Are you "
    "sure you want to tell VKN that TA:CC is not installed?";

using SettingsMenu = GameWindowTest;

// "Don't configure ICQ" and "Don't ask to recompile totala1.hpi", checked while the offer is off,
// switch at once; a warning goes off only when confirmed and comes back without a question.
TEST_F(SettingsMenu, OffersSwitchAtOnceAndWarningsGoOffOnlyWhenConfirmed) {
  for (const auto& [id, entry] : {std::pair{ui::kIdMenuDontConfigureIcq, "Configure ICQ"},
                                  std::pair{ui::kIdMenuDontAskCompile, "Compile Monolithic"}}) {
    SCOPED_TRACE(entry);
    Remember("Varokin", entry, "1");
    Start();
    EXPECT_FALSE(Window().Menu(id)->IsChecked());
    for (const char* expected : {"0", "1"}) {
      Dlg().OnCommand(id);
      EXPECT_EQ(Setting("Varokin", entry), expected);
      EXPECT_EQ(Window().Menu(id)->IsChecked(), std::string(expected) == "0");
    }
  }

  const std::tuple<int, const char*, const char*, bool&> warnings[] = {
      {ui::kIdMenuDisableFileWarnings, kFileWarningsQuestion, "Modifed/Missing File",
       startup.warnModifiedFiles},
      {ui::kIdMenuDisableCustomExeWarning, kCustomExeWarningQuestion, "Custom EXE",
       startup.warnCustomExe},
  };
  for (const auto& [id, question, entry, on] : warnings) {
    SCOPED_TRACE(entry);
    for (Answer answer : {Answer::kNo, Answer::kYes, Answer::kOk}) {
      // The third choice switches the warning back on, without a question.
      if (answer != Answer::kOk) prompts.Expect(question, answer, Buttons::kYesNo);
      Dlg().OnCommand(id);
      const bool off = answer == Answer::kYes;
      EXPECT_EQ(on, !off);
      EXPECT_EQ(Setting("Warnings", entry), off ? "0" : "1");
      EXPECT_EQ(Window().Menu(id)->IsChecked(), off);
    }
  }
}

// Both questions answered both ways; an active TC keeps its own tags.
TEST_F(SettingsMenu, TheCoreContingencyChangesTheBaseTagAndOnlyTheTagsOfNoTc) {
  ta.Tc("Foo", "Foo War", "f", "FW", {});
  for (const bool activeTc : {false, true}) {
    SCOPED_TRACE(activeTc ? "with a TC" : "without a TC");
    if (activeTc) Remember("Previous Settings", "TC", "][Foo.tc");
    Start();
    const std::string tcTags = State().tcTags;
    ASSERT_EQ(tcTags == " OTA ", !activeTc) << tcTags;
    for (const auto& [question, answer, on] : {std::tuple{kCcOnQuestion, Answer::kNo, false},
                                               {kCcOnQuestion, Answer::kYes, true},
                                               {kCcOffQuestion, Answer::kNo, true},
                                               {kCcOffQuestion, Answer::kYes, false}}) {
      prompts.Expect(question, answer, Buttons::kYesNo);
      Dlg().OnCommand(ui::kIdMenuCcInstalled);
      EXPECT_EQ(startup.ccInstalled, on);
      EXPECT_EQ(Window().menuCcInstalled.IsChecked(), on);
      EXPECT_EQ(Setting("TA Setup", "CC Installed"), on ? "1" : "0");
      EXPECT_EQ(State().baseGameTag, on ? " TACC " : " OTA ");
      EXPECT_EQ(State().tcTags, activeTc ? tcTags : State().baseGameTag);
    }
  }
}

TEST_F(SettingsMenu, AboutBoxShowsItsThreeFieldsAndClosesWithOk) {
  Start();
  bool shown = false;
  dialogs.user = [&](ui::ModalDialog& dialog, ui::headless::HeadlessDialog& controls) {
    EXPECT_EQ(controls.Layout().title, "About Varokin");
    for (int id : {ui::kIdAboutAcknowledgements, ui::kIdAboutFeedback, ui::kIdAboutWebAddress}) {
      ASSERT_NE(controls.Text(id), nullptr);
      EXPECT_FALSE(controls.Text(id)->GetText().empty()) << id;
      EXPECT_TRUE(controls.Entry(id)->readOnly);
    }
    dialog.OnCommand(ui::kIdOk);
    shown = dialog.Ended();
  };
  Dlg().OnCommand(ui::kIdMenuAbout);
  EXPECT_TRUE(shown);
  EXPECT_EQ(Dlg().GetResult(), ui::CSwitcherDlg::Result::kRunning);
}

}  // namespace
}  // namespace varokin::fixtures
