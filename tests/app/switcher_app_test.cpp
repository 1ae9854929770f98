// Start-up from the command text to the main window, on real folders and a real settings file.
#include "app/switcher_app.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "app/command_line.h"
#include "platform/text.h"
#include "support/app/startup_fakes.h"
#include "support/expect_prompts.h"
#include "support/ta_folder.h"
#include "ui/window_titles.h"

namespace varokin::app {
namespace {

using app_tests::OpenWindows;
using app_tests::PromptsWithAnInterruption;
using app_tests::RecordingSteps;

const std::string kFirstUse =
    "This appears to be the first time you've used Varokin.\n\nHave you read and follwed all the "
    "instructions in the file VKN Installation.txt?";
const std::string kOneInstance = "You can only have one instance of Varokin running at a time.";

class Startup : public ::testing::Test {
 protected:
  Startup() { ta.Folder("Varokin\\Snapshots"); }

  bool Run(const std::string& commandText) { return app.InitInstance(commandText); }
  void Confirmed() { settings.WriteProfileInt("Varokin", "First Use", 0); }
  std::string Setting(const std::string& section, const std::string& entry) {
    return settings.GetProfileString(section, entry, "(missing)");
  }
  bool SettingsWritten() { return ta.Exists("Varokin.INI"); }

  fixtures::TaFolder ta;
  std::unique_ptr<platform::FileSystem> fs = platform::CreateHostFileSystem();
  PromptsWithAnInterruption prompts;
  settings::SettingsStore settings{*fs, (ta.Root() / "Varokin.INI").string()};
  engine::StartupState startup;
  std::string baseGameTag = " OTA ";
  OpenWindows windows;
  RecordingSteps steps;
  CSwitcherApp app{*fs, prompts, settings, startup, baseGameTag, windows, steps};
};

const std::vector<std::string> kWholeRun = {"CheckInstallation", "RegisterWithIcq",
                                            "RunMainWindow"};

// The instance lock is held from the check on: a second start while the first waits at its first
// question is refused, and the lock is let go only at the end.
TEST_F(Startup, AFreshMachineAsksTheFirstUseQuestionAndRunsEveryStepOnlyAfterAYes) {
  prompts.meanwhile = [&] {
    fixtures::ExpectPrompts secondPrompts;
    secondPrompts.Expect(kOneInstance);
    engine::StartupState secondStartup;
    std::string secondTag;
    RecordingSteps secondSteps;
    CSwitcherApp(*fs, secondPrompts, settings, secondStartup, secondTag, windows, secondSteps)
        .InitInstance("");
    EXPECT_TRUE(secondSteps.calls.empty());
  };
  prompts.Expect(kFirstUse, Answer::kNo, Buttons::kYesNo);
  prompts.Expect(
      "Please read and follow all the instructions in the file VKN Installation.txt.\n\nOtherwise "
      "your TA folder could end up in a state where VKN can't function");
  EXPECT_FALSE(Run(""));
  EXPECT_TRUE(steps.calls.empty());
  EXPECT_FALSE(SettingsWritten());

  prompts.Expect(kFirstUse, Answer::kYes, Buttons::kYesNo);
  steps.check = [this] { return windows.titles.count(ui::kMainWindowTitle) > 0; };
  EXPECT_FALSE(Run(""));

  EXPECT_EQ(steps.calls, kWholeRun);
  EXPECT_TRUE(windows.titles.empty());
  EXPECT_EQ(Setting("Varokin", "First Use"), "0");
  EXPECT_EQ(Setting("TA Setup", "CC Installed"), "0");
  EXPECT_EQ(startup.previousTc, "none");
  EXPECT_FALSE(startup.ccInstalled);
  EXPECT_TRUE(startup.warnModifiedFiles);
  EXPECT_TRUE(startup.warnCustomExe);
  EXPECT_EQ(baseGameTag, " OTA ");
}

TEST_F(Startup, FlagsComeFromTheSettingsAndTheInstallationCheckMayChangeThem) {
  settings.WriteProfileInt("Varokin", "First Use", 2);  // only 1 asks
  settings.WriteProfileInt("Warnings", "Modifed/Missing File", 0);
  settings.WriteProfileInt("Warnings", "Custom EXE", 0);
  settings.WriteProfileInt("Varokin", "Configure ICQ", 0);
  steps.check = [this] {
    startup.ccInstalled = true;
    return true;
  };
  Run("");

  EXPECT_EQ(Setting("Varokin", "First Use"), "0");
  EXPECT_FALSE(startup.warnModifiedFiles);
  EXPECT_FALSE(startup.warnCustomExe);
  EXPECT_EQ(Setting("TA Setup", "CC Installed"), "1");
  EXPECT_EQ(baseGameTag, " TACC ");
  EXPECT_EQ(steps.calls, (std::vector<std::string>{"CheckInstallation", "RunMainWindow"}));

  // A failed check ends start-up before anything else is written.
  steps.calls.clear();
  steps.check = [this] {
    startup.ccInstalled = false;
    return false;
  };
  Run("-host");
  EXPECT_EQ(steps.calls, (std::vector<std::string>{"CheckInstallation"}));
  EXPECT_EQ(Setting("TA Setup", "CC Installed"), "1");
  EXPECT_FALSE(startup.hostRequested);
}

TEST_F(Startup, OneInstanceAtATimeExceptAHostRequestToAHostingInstance) {
  Confirmed();
  windows.titles = {ui::kMainWindowTitle};
  prompts.Expect(kOneInstance);
  Run("-host");  // the other instance is not hosting
  EXPECT_TRUE(steps.calls.empty());

  windows.titles.insert(ui::kHostingWindowTitle);
  prompts.Expect(kOneInstance);
  Run("-join:1.2.3.4");

  Run("-host");  // ends silently
  EXPECT_TRUE(steps.calls.empty());
  EXPECT_FALSE(startup.hostRequested);

  windows.titles = {ui::kHostingWindowTitle};  // no main window: not another instance
  Run("-host");
  EXPECT_EQ(steps.calls, kWholeRun);
}

TEST_F(Startup, ALockThatIsNotOursOrADamagedSettingsFileIsSaidOnce) {
  windows.foreignLock = "/games/ta/Varokin.lock";
  prompts.Expect(
      "Varokin cannot make sure it runs only once: it cannot lock /games/ta/Varokin.lock. Remove "
      "it, or make the folder writable, and start Varokin again.");
  Run("");
  EXPECT_TRUE(steps.calls.empty());
  windows.foreignLock.clear();

  ta.Text("Varokin.INI",
          "[Varokin]\nFirst Use=0\n" + std::string(settings::SettingsStore::kMaxBytes, ';'));
  prompts.Expect("The settings file " + settings.Path() +
                 " is larger than 1 MB and looks damaged. Varokin uses its default settings "
                 "and leaves the file as it is.");
  prompts.Expect(kFirstUse, Answer::kYes, Buttons::kYesNo);
  Run("");
  EXPECT_EQ(steps.calls, kWholeRun);
}

// Settings of older versions, kept per user, come over to a TA folder that has none yet, and to no
// other; the per-user file stays as it was.
TEST_F(Startup, AFolderWithoutSettingsTakesOverThePerUserFileOnce) {
  const std::string perUser = "[Varokin]\r\nFirst Use=0\r\n[Previous Settings]\r\nTC=][A.tc\r\n";
  ta.Text("user\\Varokin.INI", perUser);
  const std::string userPath = (ta.Root() / "user" / "Varokin.INI").string();
  CSwitcherApp withUserFile{*fs, prompts, settings, startup, baseGameTag, windows, steps, userPath};

  withUserFile.InitInstance("");  // no first-use question: the entry came over
  EXPECT_EQ(steps.calls, kWholeRun);
  EXPECT_EQ(Setting("Previous Settings", "TC"), "][A.tc");
  EXPECT_EQ(startup.previousTc, "][A.tc");
  EXPECT_EQ(ta.Read("user\\Varokin.INI"), perUser);

  settings.WriteProfileString("Previous Settings", "TC", "none");
  withUserFile.InitInstance("");
  EXPECT_EQ(Setting("Previous Settings", "TC"), "none");
}

TEST_F(Startup, RecordsOneRequestFromTheCommandTextOrAParameterFile) {
  Confirmed();
  // A parameter file gives its first line exactly as written (before a snapshot moves the
  // working directory).
  ta.Text("Host.txt", "-host\r\nsecond line -join:1.2.3.4\r\n");
  ta.Text("Shout.txt", "-HOST\r\n");
  const std::tuple<std::string, bool, bool, bool, std::string, std::string> cases[] = {
      {"", false, false, false, "", ""},
      {"HOST.TXT", true, false, false, "", ""},
      {"shout.txt", false, false, false, "", ""},
      {"-host -join:1.2.3.4", true, false, false, "", ""},
      {"-JOIN:010.000.000.005", false, true, false, "10.0.0.5", ""},
      {"x -join: 7. 8", false, true, false, "7.8.0.0", ""},
      {"-join:", false, true, false, "0.0.0.0", ""},
      {"Gone\\Mine.TAS", false, false, true, "", "gone\\mine.tas"},
      {"\"mine.tas\"", false, false, false, "", ""},
  };
  for (const auto& [text, host, join, snapshot, address, path] : cases) {
    startup = engine::StartupState{};
    Run(text);
    EXPECT_EQ(std::tie(startup.hostRequested, startup.joinRequested, startup.snapshotRequested,
                       startup.joinAddress, startup.snapshotPath),
              std::tie(host, join, snapshot, address, path))
        << text;
  }
}

TEST_F(Startup, ASnapshotOpenedFromItsFolderMovesToTheTaFolderAndKeepsFindingTheFile) {
  Confirmed();
  ta.Text("Varokin\\Snapshots\\Mine.TAS", "snapshot\r\n");
  ASSERT_TRUE(fs->SetCurrentDir("Varokin\\Snapshots"));
  Run("Mine.TAS");

  EXPECT_TRUE(fs->Exists("Varokin\\Snapshots"));  // the working directory is the TA folder
  ASSERT_TRUE(startup.snapshotRequested);
  EXPECT_EQ(startup.snapshotPath, platform::LowerCase(startup.snapshotPath));
  EXPECT_EQ(startup.snapshotPath, AbsoluteHostPath("", startup.snapshotPath));
  EXPECT_TRUE(fs->Exists(startup.snapshotPath)) << startup.snapshotPath;
  EXPECT_EQ(steps.calls, kWholeRun);
}

TEST_F(Startup, AFileOnTheCommandLineOutsideItsFolderIsRefused) {
  // A parameter file belongs in the TA folder, a snapshot two levels below it.
  const std::tuple<std::string, std::string, std::string> cases[] = {
      {"Elsewhere", "params.txt",
       "Varokin can only non .TAS files if they're in your Total Annihilation folder"},
      // Two levels up from a loose snapshot is a folder of this test's own: the temporary folder
      // itself may hold a Varokin folder (the Windows program keeps its instance locks there).
      {"Outside\\Loose\\Snapshots", "mine.tas",
       "Varokin can only open .TAS files if they're in your Varokin\\Snapshots folder"},
  };
  for (const auto& [folder, file, message] : cases) {
    ta.Text(folder + "\\" + file, "-host\r\n");
    ASSERT_TRUE(fs->SetCurrentDir(ta.Root().string()));
    ASSERT_TRUE(fs->SetCurrentDir(folder));
    prompts.Expect(message);
    Run(file);
  }
  EXPECT_TRUE(steps.calls.empty());
  EXPECT_FALSE(SettingsWritten());
}

}  // namespace
}  // namespace varokin::app
