// Switching Total Conversions, AIs and Mutators from the main window's lists and buttons.
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/processes.h"
#include "support/main_window_fixture.h"

namespace varokin::fixtures {
namespace {

constexpr const char* kShutDown =
    "Please shut down Varokin immediately and fix whatever problems were reported";
const std::string kForce =
    " do you want to give up? \n\n    NO = try to force Varokin to use the default settings.  It "
    "probably won't work and may well screw things up worse.  You've been warned.";

using Switching = GameWindowTest;

// A TC's files move in and out with its row; a load that fails falls back to the original game,
// an unload that fails keeps the old TC.
TEST_F(Switching, TcListMovesTheFilesInAndOutAndFallsBackWhenASwitchFails) {
  ta.Tc("Alpha", "Alpha Strike", "a##b", "AS", {{"a1.hpi", "units.hpi"}, {"a2.gp3", "rev.gp3"}});
  ta.Tc("Beta", "Beta Test", "b", "BT", {{"b1.hpi", "units.hpi"}});
  ta.Text("rev.gp3", "in the way");
  Start();
  prompts.Expect("Loading TC (][Alpha.tc):\n\nAn extra copy of rev.gp3 was found\n\nload Aborted.");
  ClickRow(ui::kIdTcList, "Alpha Strike");
  EXPECT_FALSE(ta.Exists("units.hpi"));
  EXPECT_EQ(Selected(Window().tcList), Texts{"*Original TA*"});
  EXPECT_EQ(State().currentTc, engine::kNoMod);
  EXPECT_EQ(State().lastTcListPos, 0);
  EXPECT_EQ(Setting("Previous Settings", "TC"), "none");

  std::filesystem::remove(ta.Host("rev.gp3"));
  ClickRow(ui::kIdTcList, "Alpha Strike");
  EXPECT_EQ(ta.Read("units.hpi"), "TC Alpha: a1.hpi");
  EXPECT_EQ(Setting("Previous Settings", "TC"), "][Alpha.tc");
  EXPECT_EQ(Window().currentTcLabel.GetText(), "Alpha Strike");
  EXPECT_EQ(Window().tcPane.GetText(), "Alpha Strike: \r\na\r\nb\r\n\r\n  -- ][Alpha.tc");
  EXPECT_EQ(State().lastTcListPos, 1);

  ClickRow(ui::kIdTcList, "Beta Test");
  EXPECT_EQ(ta.Read("units.hpi"), "TC Beta: b1.hpi");
  EXPECT_FALSE(ta.Exists("rev.gp3"));
  EXPECT_EQ(Setting("Previous Settings", "TC"), "][Beta.tc");

  ClickRow(ui::kIdTcList, "*Original TA*");
  EXPECT_FALSE(ta.Exists("units.hpi"));
  EXPECT_EQ(Setting("Previous Settings", "TC"), "none");
  EXPECT_EQ(Window().currentTcLabel.GetText(), "*Original TA*");

  ClickRow(ui::kIdTcList, "Alpha Strike");
  std::filesystem::remove(ta.Host("rev.gp3"));
  prompts.Expect(
      "Unloading TC (][Alpha.tc):\n\nUnable to find the file rev.gp3\n\nunload Aborted.");
  prompts.Expect(kShutDown);
  ClickRow(ui::kIdTcList, "Beta Test");
  EXPECT_EQ(Selected(Window().tcList), Texts{"Alpha Strike"});
  EXPECT_EQ(ta.Read("units.hpi"), "TC Alpha: a1.hpi");
  EXPECT_TRUE(ta.Exists("Varokin\\b1.hpi"));
  EXPECT_EQ(Setting("Previous Settings", "TC"), "][Alpha.tc");
}

// A Mutator that cannot be unloaded stays selected, until "Disable all" is told to force it.
TEST_F(Switching, AFailedMutatorUnloadKeepsItsRowSelectedUntilDisableAllForgetsIt) {
  ta.Mutator("Speedy", "Speedy Units", "fast", "*", 2);
  Start();
  ClickRow(ui::kIdMutatorList, "Speedy Units");
  EXPECT_EQ(Window().mutatorPane.GetText(), "Speedy Units: \r\nfast\r\n\r\n  -- }{Speedy.vkn");
  std::filesystem::rename(ta.Host("}{Speedy(2).ccx"), ta.Host("elsewhere.ccx"));
  const FileInventory loaded = ta.Inventory();
  const std::string unloadFailed =
      "Unloading Mutator (}{Speedy.vkn):\n\nUnable to find the file }{Speedy(2).ccx\n\nUnload "
      "Aborted.";
  prompts.Expect(unloadFailed);
  prompts.Expect(kShutDown);
  ClickRow(ui::kIdMutatorList, "Speedy Units");
  EXPECT_EQ(ta.Inventory(), loaded);
  EXPECT_EQ(Selected(Window().mutatorList), Texts{"Speedy Units"});
  // The unload shows the Mutator's description as it reads it, without the load's blank.
  EXPECT_EQ(Window().mutatorPane.GetText(), "Speedy Units:\r\nfast\r\n\r\n  -- }{Speedy.vkn");
  EXPECT_EQ(Setting("Active Mutators", "Mutator 0"), "}{Speedy.vkn");
  EXPECT_EQ(State().GetMutatorName(0), "}{Speedy.vkn");

  prompts.Expect(unloadFailed);
  prompts.Expect("Unable to safely unload the Mutator }{Speedy.vkn" + kForce, Answer::kNo);
  Dlg().OnDisableAll();
  EXPECT_EQ(State().mutatorSlots[0], -1);
  EXPECT_EQ(Setting("Active Mutators", "Mutator 0"), "");
  EXPECT_TRUE(Selected(Window().mutatorList).empty());
  EXPECT_EQ(Window().mutatorPane.GetText(), "No Mutators Currently Selected");
}

TEST_F(Switching, RandomAiPicksOnlyCompatibleOnesAndHidesWhich) {
  ta.Ai("One", "Good One", "1", "OTA", {{"one.ufo"}});
  ta.Ai("Two", "Good Two", "2", "*", {{"two.ufo"}});
  ta.Ai("Bad", "Bad Three", "3", "XTA", {{"bad.ufo"}});
  Remember("Previous Settings", "Allow Default AI", "0");
  Start();
  EXPECT_EQ(Window().currentAiLabel.GetText(), "*Default AI*");
  ClickRow(ui::kIdAiList, "Good Two");
  EXPECT_EQ(Window().currentAiLabel.GetText(), "Good Two");
  for (int run = 0; run < 8; ++run) {
    EXPECT_TRUE(Dlg().OnCommand(ui::kIdChooseRandomAi));
    const std::string active = State().GetCurrentAiName();
    EXPECT_TRUE(active == "^^One.ai" || active == "^^Two.ai") << active;
    EXPECT_EQ(Setting("Previous Settings", "AI"), active);
    EXPECT_EQ(ta.Exists("one.ufo"), active == "^^One.ai");
    EXPECT_EQ(ta.Exists("two.ufo"), active == "^^Two.ai");
    EXPECT_FALSE(ta.Exists("bad.ufo"));
    EXPECT_TRUE(Selected(Window().aiList).empty());
    EXPECT_EQ(Window().currentAiLabel.GetText(), "(random)");
    EXPECT_EQ(
        Window().aiPane.GetText(),
        "Using a randomly selected AI that's compatible with *Original TA*.\r\nCompatible AIs "
        "are:\r\n     Good One\r\n     Good Two\r\n");
  }
}

TEST_F(Switching, AnIncompatibleAiOnlyWhenTheUserInsistsAndRandomAiWithNothingCompatible) {
  ta.Ai("Bad", "Bad Three", "3", "XTA", {{"bad.ufo"}});
  Start();
  EXPECT_TRUE(Window().allowDefaultAi.IsChecked());
  Dlg().OnChooseRandomAi();
  EXPECT_EQ(State().currentAi, engine::kNoMod);
  EXPECT_TRUE(Selected(Window().aiList).empty());
  EXPECT_EQ(Window().aiPane.GetText(),
            "Using a randomly selected AI that's compatible with *Original TA*.\r\nCompatible AIs "
            "are:\r\n     *Default AI*\r\n");

  // An incompatible AI is loaded only when the user insists.
  const std::string question =
      "This AI (^^Bad.ai) does not claim to be compatible with your current TC.\n\nDo you wish to "
      "disable it again?  (Strongly recommended)";
  prompts.Expect(question, Answer::kYes, Buttons::kYesNo);
  ClickRow(ui::kIdAiList, "Bad Three");
  EXPECT_FALSE(ta.Exists("bad.ufo"));
  EXPECT_EQ(Selected(Window().aiList), Texts{"*Default AI*"});
  EXPECT_EQ(Setting("Previous Settings", "AI"), "none");
  prompts.Expect(question, Answer::kNo, Buttons::kYesNo);
  ClickRow(ui::kIdAiList, "Bad Three");
  ASSERT_TRUE(ta.Exists("bad.ufo"));
  EXPECT_EQ(Selected(Window().aiList), Texts{"Bad Three"});
  EXPECT_EQ(Setting("Previous Settings", "AI"), "^^Bad.ai");
  EXPECT_EQ(State().lastAiListPos, 1);

  Window().allowDefaultAi.SetChecked(false);
  prompts.Expect(
      " I'm sorry, you have no AIs which claim to be compatible with the currently "
      "active TC\n\n  Using the Default AI");
  Dlg().OnChooseRandomAi();
  // The message says the default AI is used; it really is.
  EXPECT_FALSE(ta.Exists("bad.ufo"));
  EXPECT_EQ(State().currentAi, engine::kNoMod);
  EXPECT_EQ(Selected(Window().aiList), Texts{"*Default AI*"});
  EXPECT_EQ(State().lastAiListPos, 0);
  EXPECT_EQ(Setting("Previous Settings", "AI"), "none");
}

// A stand-in for the game, started from the TA folder for real, lingers a few seconds: while it
// runs, no kind of switch moves a file and each list shows what it showed before the click; once
// it has ended, they switch again.
TEST_F(Switching, NothingIsSwitchedWhileAProgramOfTheTaFolderRuns) {
  constexpr const char* kRunning =
      "Total Annihilation is running. Close the game before you switch mods.";
  ta.Tc("Alpha", "Alpha Strike", "a", "*", {{"a1.hpi", "units.hpi"}});
  ta.Ai("Brain", "Big Brain", "b", "*", {{"brain.dat"}});
  ta.Mutator("Fast", "Fast units", "f", "*", 1);
  ta.Ufo("Off", UfoPlace::kKept);
  const auto processes = platform::CreateHostProcesses();
  Start();
  Dlg().frontEnd.processes = processes.get();
  ClickRow(ui::kIdTcList, "Alpha Strike");
  ASSERT_EQ(Setting("Previous Settings", "TC"), "][Alpha.tc");

  const std::string game = "Standin" + std::filesystem::path(ECHO_ARGS).extension().string();
  std::filesystem::copy_file(ECHO_ARGS, ta.Root() / game);
  ASSERT_EQ(
      processes->Start((ta.Root() / game).string(), " started.txt --linger", ta.Root().string()),
      platform::StartResult::kStarted);
  for (int i = 0; i < 100 && !ta.Exists("started.txt"); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  const FileInventory before = ta.Inventory();
  const auto refused = [&](const std::function<void()>& click) {
    prompts.Expect(kRunning);
    click();
  };
  refused([&] { ClickRow(ui::kIdTcList, "*Original TA*"); });
  EXPECT_EQ(Window().tcList.GetCurSel(), 1);
  refused([&] { ClickRow(ui::kIdAiList, "Big Brain"); });
  EXPECT_EQ(Window().aiList.GetCurSel(), 0);
  refused([&] { ClickRow(ui::kIdMutatorList, "Fast units"); });
  EXPECT_EQ(Window().mutatorList.GetSelCount(), 0);
  refused([&] { ClickRow(ui::kIdUfoList, "Off"); });
  EXPECT_EQ(Window().ufoList.GetSelCount(), 0);
  refused([&] { Dlg().OnDisableAll(); });
  refused([&] { Dlg().OnChooseRandomAi(); });
  refused([&] { Dlg().OnRestoreSnapshot(); });
  EXPECT_EQ(ta.Inventory(), before);
  EXPECT_EQ(Setting("Previous Settings", "TC"), "][Alpha.tc");

  // The stand-in ends by itself after a few seconds.
  for (int i = 0; i < 200 && processes->RunsFromFolder(ta.Root().string()); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  ClickRow(ui::kIdTcList, "*Original TA*");
  ClickRow(ui::kIdMutatorList, "Fast units");
  EXPECT_EQ(Setting("Previous Settings", "TC"), "none");
  EXPECT_EQ(Window().mutatorList.GetSelCount(), 1);
  EXPECT_TRUE(ta.Exists("}{Fast.ccx"));
}

// "Disable all TCs, Mutators, and AIs", and the limit of 32 active Mutators.
class DisableAll : public GameWindowTest {
 protected:
  void Move(const std::string& from, const std::string& to) {
    std::filesystem::rename(ta.Host(from), ta.Host(to));
  }
  // A Mutator active in a slot from an earlier run.
  void ActiveMutator(const std::string& name, int slot) {
    const std::string file = ta.Mutator(name, name + " title", "d", "*", 0);
    Move("Varokin\\}{" + name + ".ccx", "}{" + name + ".ccx");
    Remember("Active Mutators", "Mutator " + std::to_string(slot), file);
  }
};

TEST_F(DisableAll, ResetsInOrderForcingOrGivingUpAsTheUserAnswers) {
  ta.Tc("Alpha", "Alpha Strike", "a", "AS", {{"a1.hpi", "i1.hpi"}});
  Move("Varokin\\a1.hpi", "i1.hpi");
  Remember("Previous Settings", "TC", "][Alpha.tc");
  ActiveMutator("Kept", 3);
  ActiveMutator("Fine", 9);
  ta.Ai("Smart", "Smart AI", "s", "*", {{"smart.dat"}});
  Move("Varokin\\^^Smart(1)", "smart.dat");
  Remember("Previous Settings", "AI", "^^Smart.ai");
  Start();
  // Files the user moved away behind the program's back.
  Move("i1.hpi", "i1.hpi.lost");
  Move("}{Kept.ccx", "}{Kept.ccx.lost");
  Move("smart.dat", "smart.dat.lost");

  prompts.Expect("Unloading TC (][Alpha.tc):\n\nUnable to find the file i1.hpi\n\nunload Aborted.");
  prompts.Expect("Unable to safely unload the current TC," + kForce, Answer::kNo, Buttons::kYesNo);
  prompts.Expect(
      "Unloading Mutator (}{Kept.vkn):\n\nUnable to find the file }{Kept.ccx\n\nUnload Aborted.");
  prompts.Expect("Unable to safely unload the Mutator }{Kept.vkn" + kForce, Answer::kYes,
                 Buttons::kYesNo);
  prompts.Expect(
      "Unloading the previous Ai (^^Smart.ai):\n\nUnable to find the file smart.dat\n\n"
      "Unload Aborted.");
  prompts.Expect("Unable to safely unload the current Ai," + kForce, Answer::kNo, Buttons::kYesNo);
  EXPECT_TRUE(Dlg().OnCommand(ui::kIdDisableAll));

  EXPECT_EQ(Selected(Window().tcList), Texts{"*Original TA*"});
  EXPECT_EQ(State().currentTc, engine::kNoMod);
  EXPECT_EQ(Setting("Previous Settings", "TC"), "none");
  // Given up: still active, selected and remembered. Unloaded: forgotten.
  EXPECT_EQ(Selected(Window().mutatorList), Texts{"Kept title"});
  EXPECT_EQ(State().GetMutatorName(3), "}{Kept.vkn");
  EXPECT_EQ(Setting("Active Mutators", "Mutator 3"), "}{Kept.vkn");
  EXPECT_EQ(Setting("Active Mutators", "Mutator 9"), "");
  EXPECT_EQ(Selected(Window().aiList), Texts{"*Default AI*"});
  EXPECT_EQ(State().currentAi, engine::kNoMod);
  EXPECT_EQ(Setting("Previous Settings", "AI"), "none");
  EXPECT_EQ(Window().ufoPane.GetText(), "No Units Currently Selected");
  EXPECT_NE(Window().mutatorPane.GetText(), "No Mutators Currently Selected");
}

TEST_F(DisableAll, TheThirtyThirdMutatorIsRefusedWithoutTouchingAnything) {
  for (int slot = 0; slot < 32; ++slot) ActiveMutator("M" + std::to_string(100 + slot), slot);
  ta.Mutator("Extra", "Extra one", "e", "*", 0);
  Start();
  const std::string settingsBefore = SettingsFileText();
  const FileInventory filesBefore = ta.Inventory();
  prompts.Expect("No more than 32 Mutators can be active at the same time.");
  Click(ui::kIdMutatorList, RowOf(Window().mutatorList, "Extra one"));
  EXPECT_FALSE(Window().mutatorList.GetSel(RowOf(Window().mutatorList, "Extra one")));
  EXPECT_EQ(Window().mutatorList.GetSelCount(), 32);
  EXPECT_EQ(ta.Inventory(), filesBefore);
  EXPECT_EQ(SettingsFileText(), settingsBefore);

  // A free slot lets it in.
  Click(ui::kIdMutatorList, RowOf(Window().mutatorList, "M105 title"));
  EXPECT_EQ(State().mutatorSlots[5], -1);
  Click(ui::kIdMutatorList, RowOf(Window().mutatorList, "Extra one"));
  EXPECT_TRUE(ta.Exists("}{Extra.ccx"));
  EXPECT_EQ(Setting("Active Mutators", "Mutator 5"), "}{Extra.vkn");
}

}  // namespace
}  // namespace varokin::fixtures
