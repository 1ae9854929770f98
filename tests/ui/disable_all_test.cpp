// "Disable all TCs, Mutators, and AIs", and the limit of 32 active Mutators.
#include <filesystem>
#include <string>
#include <vector>

#include "support/main_window_fixture.h"

namespace varokin::fixtures {
namespace {

const std::string kForce =
    " do you want to give up? \n\n    NO = try to force Varokin to use the default settings.  It "
    "probably won't work and may well screw things up worse.  You've been warned.";

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
      "Unloading Mutator (}{Kept.vkn):\n\nUnable to find the file }{Kept.ccx\n\nUnload "
      "Aborted.");
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
  // Given up: still active, selected and remembered. Unloaded: back in the Varokin folder.
  EXPECT_EQ(Selected(Window().mutatorList), Texts{"Kept title"});
  EXPECT_EQ(State().GetMutatorName(3), "}{Kept.vkn");
  EXPECT_EQ(Setting("Active Mutators", "Mutator 3"), "}{Kept.vkn");
  EXPECT_EQ(State().mutatorSlots[9], -1);
  EXPECT_EQ(Setting("Active Mutators", "Mutator 9"), "");
  EXPECT_TRUE(ta.Exists("Varokin\\}{Fine.ccx"));
  EXPECT_EQ(Selected(Window().aiList), Texts{"*Default AI*"});
  EXPECT_EQ(State().currentAi, engine::kNoMod);
  EXPECT_EQ(Setting("Previous Settings", "AI"), "none");
  EXPECT_EQ(Window().ufoPane.GetText(), "No Units Currently Selected");
  EXPECT_NE(Window().mutatorPane.GetText(), "No Mutators Currently Selected");
}

TEST_F(DisableAll, AForcedMutatorIsForgottenAndItsRowDeselected) {
  ActiveMutator("Gone", 0);
  Start();
  std::filesystem::remove(ta.Host("}{Gone.ccx"));
  prompts.Expect(
      "Unloading Mutator (}{Gone.vkn):\n\nUnable to find the file }{Gone.ccx\n\nUnload "
      "Aborted.");
  prompts.Expect("Unable to safely unload the Mutator }{Gone.vkn" + kForce, Answer::kNo);
  Dlg().OnDisableAll();
  EXPECT_EQ(State().mutatorSlots[0], -1);
  EXPECT_EQ(Setting("Active Mutators", "Mutator 0"), "");
  EXPECT_TRUE(Selected(Window().mutatorList).empty());
  EXPECT_EQ(Window().mutatorPane.GetText(), "No Mutators Currently Selected");
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
