// The Settings menu's switches, their questions and what they write, and the about box.
#include <string>
#include <tuple>
#include <utility>

#include "support/main_window_fixture.h"
#include "ui/about_dlg.h"

namespace varokin::fixtures {
namespace {

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

using SettingsMenu = GameWindowTest;

TEST_F(SettingsMenu, WarningsGoOffOnlyWhenConfirmedAndComeBackWithoutAQuestion) {
  Start();
  const struct {
    int id;
    const char* question;
    const char* entry;
    bool& on;
  } warnings[] = {
      {ui::kIdMenuDisableFileWarnings, kFileWarningsQuestion, "Modifed/Missing File",
       startup.warnModifiedFiles},
      {ui::kIdMenuDisableCustomExeWarning, kCustomExeQuestion, "Custom EXE", startup.warnCustomExe},
  };
  for (const auto& w : warnings) {
    SCOPED_TRACE(w.entry);
    for (Answer answer : {Answer::kNo, Answer::kYes, Answer::kOk}) {
      // The third choice switches the warning back on, without a question.
      if (answer != Answer::kOk) prompts.Expect(w.question, answer, Buttons::kYesNo);
      Dlg().OnCommand(w.id);
      const bool off = answer == Answer::kYes;
      EXPECT_EQ(w.on, !off);
      EXPECT_EQ(Setting("Warnings", w.entry), off ? "0" : "1");
      EXPECT_EQ(Window().Menu(w.id)->IsChecked(), off);
    }
  }
}

// "Don't configure ICQ" and "Don't ask to recompile totala1.hpi": checked while the offer is off.
TEST_F(SettingsMenu, OfferSwitchesGoOffAndOnWithoutAQuestion) {
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
}

// Both questions answered both ways; an active TC keeps its own tags.
TEST_F(SettingsMenu, TheCoreContingencyChangesTheBaseTagAndOnlyTheTagsOfNoTc) {
  ta.Tc("Foo", "Foo War", "f", "FW", {});
  for (const bool activeTc : {false, true}) {
    SCOPED_TRACE(activeTc ? "with a TC" : "without a TC");
    if (activeTc) Remember("Previous Settings", "TC", "][Foo.tc");
    Start();
    const std::string tcTags = State().tcTags;
    if (activeTc) {
      ASSERT_NE(tcTags, " OTA ");
    }
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
