// The Settings menu's switches, their questions and what they write, and the about box.
#include "support/main_window_fixture.h"
#include "ui/about_dlg.h"

namespace varokin::fixtures {
namespace {

using ui::Answer;

constexpr const char* kFileWarningsQuestion =
    "This will prevent validation of the TA file structure\n\nIt's only recommended that you "
    "disable these warnings if you are getting them because you have repacked your totala1.hpi, "
    "ccdata.ccx, and/or rev31.gp3 files into new file(s).(in which case you should also check "
    "\"I Have The Core Contingency installed\" under \"Other Settings\" \n\n\tAre you sure you "
    "want to disable these warnings?";
constexpr const char* kCustomExeQuestion =
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

class SettingsMenu : public MainWindowTest {
 protected:
  void SetUp() override { ta.Game(); }
};

TEST_F(SettingsMenu, WarningsGoOffOnlyWhenConfirmedAndComeBackWithoutAQuestion) {
  Start();
  auto& w = Window();
  prompts.Expect(kFileWarningsQuestion, Answer::kNo, ui::Buttons::kYesNo);
  Dlg().OnCommand(ui::kIdMenuDisableFileWarnings);
  EXPECT_TRUE(startup.warnModifiedFiles);
  EXPECT_EQ(Setting("Warnings", "Modifed/Missing File"), "1");
  EXPECT_FALSE(w.menuDisableFileWarnings.IsChecked());

  prompts.Expect(kFileWarningsQuestion, Answer::kYes);
  Dlg().OnCommand(ui::kIdMenuDisableFileWarnings);
  EXPECT_FALSE(startup.warnModifiedFiles);
  EXPECT_EQ(Setting("Warnings", "Modifed/Missing File"), "0");
  EXPECT_TRUE(w.menuDisableFileWarnings.IsChecked());

  Dlg().OnCommand(ui::kIdMenuDisableFileWarnings);
  EXPECT_TRUE(startup.warnModifiedFiles);
  EXPECT_EQ(Setting("Warnings", "Modifed/Missing File"), "1");
  EXPECT_FALSE(w.menuDisableFileWarnings.IsChecked());

  prompts.Expect(kCustomExeQuestion, Answer::kNo, ui::Buttons::kYesNo);
  Dlg().OnCommand(ui::kIdMenuDisableCustomExeWarning);
  EXPECT_TRUE(startup.warnCustomExe);
  EXPECT_EQ(Setting("Warnings", "Custom EXE"), "1");
  prompts.Expect(kCustomExeQuestion, Answer::kYes);
  Dlg().OnCommand(ui::kIdMenuDisableCustomExeWarning);
  EXPECT_FALSE(startup.warnCustomExe);
  EXPECT_EQ(Setting("Warnings", "Custom EXE"), "0");
  EXPECT_TRUE(w.menuDisableCustomExeWarning.IsChecked());
}

TEST_F(SettingsMenu, TheCoreContingencyChangesTheBaseTagAndTheTagsOfNoTc) {
  Start();
  prompts.Expect(kCcOnQuestion, Answer::kNo, ui::Buttons::kYesNo);
  Dlg().OnCommand(ui::kIdMenuCcInstalled);
  EXPECT_FALSE(startup.ccInstalled);
  EXPECT_EQ(Setting("TA Setup", "CC Installed"), "0");
  EXPECT_EQ(State().baseGameTag, " OTA ");

  prompts.Expect(kCcOnQuestion, Answer::kYes);
  Dlg().OnCommand(ui::kIdMenuCcInstalled);
  EXPECT_TRUE(startup.ccInstalled);
  EXPECT_TRUE(Window().menuCcInstalled.IsChecked());
  EXPECT_EQ(Setting("TA Setup", "CC Installed"), "1");
  EXPECT_EQ(State().baseGameTag, " TACC ");
  EXPECT_EQ(State().tcTags, " TACC ");

  prompts.Expect(kCcOffQuestion, Answer::kNo, ui::Buttons::kYesNo);
  Dlg().OnCommand(ui::kIdMenuCcInstalled);
  EXPECT_TRUE(startup.ccInstalled);
  EXPECT_EQ(Setting("TA Setup", "CC Installed"), "1");
  EXPECT_TRUE(Window().menuCcInstalled.IsChecked());
}

TEST_F(SettingsMenu, TheCoreContingencyLeavesTheTagsOfAnActiveTc) {
  ta.Tc("Foo", "Foo War", "f", "FW", {});
  Remember("Previous Settings", "TC", "][Foo.tc");
  Start();
  const std::string tcTags = State().tcTags;
  ASSERT_NE(tcTags, " OTA ");
  prompts.Expect(kCcOnQuestion, Answer::kYes);
  Dlg().OnCommand(ui::kIdMenuCcInstalled);
  EXPECT_EQ(State().baseGameTag, " TACC ");
  EXPECT_EQ(State().tcTags, tcTags);

  prompts.Expect(kCcOffQuestion, Answer::kYes);
  Dlg().OnCommand(ui::kIdMenuCcInstalled);
  EXPECT_FALSE(startup.ccInstalled);
  EXPECT_EQ(State().baseGameTag, " OTA ");
  EXPECT_FALSE(Window().menuCcInstalled.IsChecked());
}

TEST_F(SettingsMenu, IcqOfferSwitchesOffAndOn) {
  Start();
  Dlg().OnCommand(ui::kIdMenuDontConfigureIcq);
  EXPECT_EQ(Setting("Varokin", "Configure ICQ"), "0");
  EXPECT_TRUE(Window().menuDontConfigureIcq.IsChecked());
  Dlg().OnCommand(ui::kIdMenuDontConfigureIcq);
  EXPECT_EQ(Setting("Varokin", "Configure ICQ"), "1");
  EXPECT_FALSE(Window().menuDontConfigureIcq.IsChecked());
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
