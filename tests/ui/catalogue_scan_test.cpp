// What the main window lists at start-up, what it marks as active and what it reports.
#include <filesystem>
#include <string>
#include <vector>

#include "support/main_window_fixture.h"

namespace varokin::fixtures {
namespace {

class CatalogueScan : public GameWindowTest {
 protected:
  // Puts a payload where an active modification has it.
  void Install(const std::string& stored, const std::string& installed) {
    std::filesystem::rename(ta.Host("Varokin\\" + stored), ta.Host(installed));
  }
  std::string PoolName(const ui::ListBox& list, int row) {
    return State().modNamePool.Get(static_cast<int>(list.GetItemData(row)));
  }
};

TEST_F(CatalogueScan, ListsEachKindSortedAndMarksWhatWasRemembered) {
  ta.Tc("Zulu", "Zulu War", "z", "ZW", {});
  ta.Tc("Alpha", "Alpha Strike", "a", "AS", {});
  ta.Tc("Blank", "", "never listed", "B", {});
  ta.Tc("Twin", "Alpha Strike", "same title", "AS", {});
  ta.Mutator("Speedy", "Speedy Units", "fast", "*", 0);
  ta.Mutator("Heavy", "Heavy Armour", "slow", "*", 0);
  Install("}{Speedy.ccx", "}{Speedy.ccx");
  ta.Ai("Smart", "Smart AI", "clever", "*", {});
  Remember("Previous Settings", "TC", "][Zulu.tc");
  Remember("Active Mutators", "Mutator 5", "}{SPEEDY.VKN");  // Mutators match in any case
  Remember("Previous Settings", "AI", "^^Smart.ai");
  Start();
  auto& w = Window();

  EXPECT_EQ(Rows(w.tcList), (Texts{"*Original TA*", "Alpha Strike", "Alpha Strike", "Zulu War"}));
  EXPECT_EQ(Selected(w.tcList), Texts{"Zulu War"});
  EXPECT_EQ(State().GetCurrentTcName(), "][Zulu.tc");
  EXPECT_EQ(State().lastTcListPos, 3);
  EXPECT_NE(PoolName(w.tcList, 1), PoolName(w.tcList, 2));
  EXPECT_EQ(w.currentTcLabel.GetText(), "Zulu War");
  EXPECT_EQ(w.tcPane.GetText(), "Zulu War: \r\nz\r\n\r\n  --][Zulu.tc");

  EXPECT_EQ(Rows(w.mutatorList), (Texts{"Heavy Armour", "Speedy Units"}));
  EXPECT_EQ(Selected(w.mutatorList), Texts{"Speedy Units"});
  EXPECT_EQ(State().GetMutatorName(5), "}{Speedy.vkn");
  EXPECT_EQ(State().mutatorSlots[0], -1);
  EXPECT_EQ(w.mutatorPane.GetText(), "Speedy Units: \r\nfast\r\n\r\n  -- }{SPEEDY.VKN");

  EXPECT_EQ(Rows(w.aiList), (Texts{"*Default AI*", "Smart AI"}));
  EXPECT_EQ(Selected(w.aiList), Texts{"Smart AI"});
  EXPECT_EQ(State().GetCurrentAiName(), "^^Smart.ai");
  EXPECT_EQ(State().lastAiListPos, 1);
  EXPECT_EQ(w.aiPane.GetText(), "Smart AI: \r\nclever\r\n\r\n  -- ^^Smart.ai");
}

TEST_F(CatalogueScan, ReportsRememberedFilesThatAreGoneOrDifferInCase) {
  ta.Tc("MOD", "Mod in capitals", "m", "M", {});
  ta.Tc("Blank", "", "never listed", "B", {});
  Remember("Previous Settings", "TC", "][Mod.tc");
  Remember("Active Mutators", "Mutator 2", "}{Gone.vkn");
  Remember("Previous Settings", "AI", "^^Gone.ai");
  prompts.Expect(
      "The configuration file for the last Total Conversion used (][Mod.tc)  has "
      "dissappeared");
  prompts.Expect(
      "The configuration file for one of the mutators currently in use, }{Gone.vkn, "
      "has dissappeared, please close VKN and try to find it");
  prompts.Expect("Error reading }{Gone.vkn mutator file while validating");
  prompts.Expect("The configuration file for the last AI used (^^Gone.ai)  has dissappeared");
  Start();
  EXPECT_EQ(Selected(Window().tcList), Texts{"*Original TA*"});
  EXPECT_EQ(State().currentTc, engine::kNoMod);
  EXPECT_EQ(State().mutatorSlots[2], -1);
  EXPECT_EQ(Setting("Active Mutators", "Mutator 2"), "}{Gone.vkn");
  EXPECT_EQ(Selected(Window().aiList), Texts{"*Default AI*"});

  // A file whose first line is empty is never current, even when it is the remembered one.
  Remember("Previous Settings", "TC", "][Blank.tc");
  Remember("Active Mutators", "Mutator 2", "");
  Remember("Previous Settings", "AI", "none");
  prompts.Expect(
      "The configuration file for the last Total Conversion used (][Blank.tc)  has "
      "dissappeared");
  Restart();
  EXPECT_EQ(Rows(Window().tcList), (Texts{"*Original TA*", "Mod in capitals"}));
}

TEST_F(CatalogueScan, ListsUfosFromBothFoldersAndSelectsThePacksWithEveryMemberEnabled) {
  ta.Ufo("Tanks", UfoPlace::kEnabled);
  ta.Ufo("Both", UfoPlace::kEnabled);
  ta.Ufo("Both", UfoPlace::kKept);
  ta.Ufo("~units", UfoPlace::kEnabled);
  ta.Ufo("~units", UfoPlace::kKept);
  ta.Ufo("]x", UfoPlace::kEnabled);
  ta.Ufo("]x", UfoPlace::kKept);
  ta.Ufo("^hat", UfoPlace::kEnabled);
  ta.Ufo("Spare", UfoPlace::kKept);
#ifndef _WIN32
  // Names Windows cannot hold: no move would take them, so they are not listed.
  ta.Ufo("x?", UfoPlace::kEnabled);
  ta.Ufo("Tanks\nSpare", UfoPlace::kEnabled);
  ta.Ufo("nul", UfoPlace::kKept);
  ta.Ufo("a|b", UfoPlace::kKept);
#endif
  ta.Pack("Armour.pac", "Armour", "tanks and both", {"tanks", "BOTH", "NotAUfo"});
  ta.Pack("Odd.pac", "Odd ones", "kept", {"]X", "Spare"});
  ta.Pack("Empty.pac", "Nothing", "no units", {});
  Start();
  auto& w = Window();

  // rev31.ufo of the game, "~" names and the other tools' prefixes never show.
  EXPECT_EQ(Rows(w.ufoList), (Texts{"]x", "Both", "Both", "Spare", "Tanks"}));
  // A row is selected when its file lies in the TA folder, whichever folder listed it.
  EXPECT_EQ(Selected(w.ufoList), (Texts{"]x", "Both", "Both", "Tanks"}));
  EXPECT_EQ(w.ufoList.GetItemData(1), 0);
  EXPECT_EQ(Rows(w.packList), (Texts{"Armour", "Nothing", "Odd ones"}));
  EXPECT_EQ(Selected(w.packList), (Texts{"Armour", "Nothing"}));

  EXPECT_EQ(w.ufoPane.GetText(), "");
}

}  // namespace
}  // namespace varokin::fixtures
