// The main window's set-up, what it lists at start-up, tabs, closing, routing, filter and columns,
// over headless controls.
#include <filesystem>
#include <string>
#include <vector>

#include "support/main_window_fixture.h"

namespace varokin::fixtures {
namespace {

using ui::CSwitcherDlg;

using MainWindow = GameWindowTest;

TEST_F(MainWindow, FreshSettingsShowTheMutatorsTabWithTheDefaultAiAllowed) {
  startup.warnModifiedFiles = false;
  startup.ccInstalled = true;
  settings->WriteProfileInt("Varokin", "Use TAHook", 1);
  settings->WriteProfileInt("Varokin", "Compile Monolithic", 0);
  Start();
  auto& w = Window();
  ASSERT_EQ(w.tabs.GetItemCount(), 4);
  EXPECT_EQ(w.tabs.GetItemText(0), "Total Conversions");
  EXPECT_EQ(w.tabs.GetItemText(3), "Units, Etc. (.ufo)");
  EXPECT_EQ(w.tabs.GetCurSel(), 1);
  EXPECT_EQ(Dlg().selectedTab, 1);
  EXPECT_TRUE(w.mutatorList.IsVisible() && w.mutatorPane.IsVisible());
  EXPECT_FALSE(w.tcList.IsVisible() || w.aiList.IsVisible() || w.ufoList.IsVisible() ||
               w.packList.IsVisible() || w.tcPane.IsVisible() || w.ufoPane.IsVisible());
  EXPECT_TRUE(w.allowDefaultAi.IsChecked());
  for (auto* list : {&w.tcList, &w.mutatorList, &w.aiList}) {
    EXPECT_EQ(list->GetColumnWidth(), w.mutatorList.GetWidthPixels() / 3);
  }
  EXPECT_TRUE(w.menuDisableFileWarnings.IsChecked());
  EXPECT_FALSE(w.menuDisableCustomExeWarning.IsChecked());
  EXPECT_TRUE(w.menuCcInstalled.IsChecked());
  EXPECT_TRUE(w.menuAutoLaunchTahook.IsChecked());
  EXPECT_TRUE(w.menuDontAskCompile.IsChecked());
  EXPECT_FALSE(w.menuDontConfigureIcq.IsChecked());
  // An empty Varokin folder lists only the special rows, each selected.
  for (auto* list : {&w.tcList, &w.aiList}) EXPECT_EQ(Rows(*list), Selected(*list));
  EXPECT_EQ(Rows(w.tcList), std::vector<std::string>{"*Original TA*"});
  EXPECT_EQ(w.tcList.GetItemData(0), engine::kNoMod);
  EXPECT_EQ(Rows(w.aiList), std::vector<std::string>{"*Default AI*"});
  EXPECT_EQ(w.mutatorList.GetCount(), 0);
  EXPECT_EQ(w.mutatorPane.GetText(), "No Mutators Currently Selected");
  EXPECT_EQ(w.ufoPane.GetText(), "No Units Currently Selected");
  EXPECT_EQ(w.currentTcLabel.GetText(), "*Original TA*");
  EXPECT_EQ(w.taFolderLabel.GetText(), "TA folder: " + ta.Root().string());
}

// Ctrl+Tab and Ctrl+Shift+Tab go round the ends. Only the Close button saves the shown tab and the
// check box; Escape and the close box do not.
TEST_F(MainWindow, AStoredTabOutsideTheFourShowsTheFirstAndOnlyCloseSavesTheTab) {
  for (const char* stored : {"7", "-1"}) {
    Remember("Previous Settings", "SelectedTab", stored);
    Start();
    EXPECT_EQ(Window().tabs.GetCurSel(), 0) << stored;
    EXPECT_EQ(Dlg().selectedTab, 0) << stored;
    EXPECT_TRUE(Window().tcList.IsVisible()) << stored;
  }
  Dlg().OnStepTab(false);
  EXPECT_EQ(Dlg().selectedTab, 3);
  EXPECT_TRUE(Window().ufoList.IsVisible());
  Dlg().OnStepTab(true);
  EXPECT_EQ(Dlg().selectedTab, 0);

  ShowTab(2);
  Window().allowDefaultAi.SetChecked(false);
  EXPECT_TRUE(Dlg().OnCommand(ui::kIdCancel));
  EXPECT_EQ(Dlg().GetResult(), CSwitcherDlg::Result::kCancel);
  EXPECT_EQ(Setting("Previous Settings", "SelectedTab"), "-1");
  EXPECT_TRUE(Dlg().OnCommand(ui::kIdClose));
  EXPECT_EQ(Dlg().GetResult(), CSwitcherDlg::Result::kOk);
  EXPECT_EQ(Setting("Previous Settings", "SelectedTab"), "2");
  EXPECT_EQ(Setting("Previous Settings", "Allow Default AI"), "0");
  EXPECT_FALSE(Dlg().OnCommand(ui::kIdTcPane));
  EXPECT_FALSE(Dlg().OnSelchange(ui::kIdDisableAll));
}

class Filter : public GameWindowTest {
 protected:
  // 150 Mutators, one in ten of them "Fast ...", and 400 UFOs, one in ten "Tank ...".
  void SetUp() override {
    GameWindowTest::SetUp();
    AddBigCollection(ta.Root());
  }
  void Type(const std::string& text) {
    Window().filter.SetText(text);
    EXPECT_TRUE(Dlg().OnChange(ui::kIdFilter));
  }
  static Texts ShownRows(const ui::headless::HeadlessListBox& list) {
    Texts shown;
    for (int row = 0; row < list.GetCount(); ++row) {
      if (list.IsShown(row)) shown.push_back(list.GetText(row));
    }
    return shown;
  }
};

// The filter hides rows and nothing else: a hidden Mutator stays selected and active, a click on
// a shown row switches exactly that Mutator, and each tab keeps its own filter.
TEST_F(Filter, NarrowsTheShownTabsListsWithoutSelectingOrSwitching) {
  Start();
  auto& w = Window();
  ShowTab(1);
  Click(ui::kIdMutatorList, RowOf(w.mutatorList, "Heavy 001"));
  ASSERT_EQ(State().GetMutatorName(0), "}{Heavy1.vkn");

  Type("fAST 1");
  EXPECT_EQ(ShownRows(w.mutatorList),
            (Texts{"Fast 100", "Fast 110", "Fast 120", "Fast 130", "Fast 140"}));
  EXPECT_EQ(Selected(w.mutatorList), Texts{"Heavy 001"});
  EXPECT_EQ(w.mutatorList.GetCount(), 150);
  EXPECT_EQ(ShownRows(w.ufoList).size(), 400u);

  Click(ui::kIdMutatorList, RowOf(w.mutatorList, "Fast 120"));
  EXPECT_EQ(Selected(w.mutatorList), (Texts{"Fast 120", "Heavy 001"}));
  EXPECT_EQ(State().GetMutatorName(0), "}{Heavy1.vkn");
  EXPECT_EQ(State().GetMutatorName(1), "}{Fast120.vkn");
  EXPECT_TRUE(ta.Exists("}{Fast120.ccx") && ta.Exists("}{Heavy1.ccx"));
  EXPECT_FALSE(ta.Exists("}{Fast110.ccx") || ta.Exists("}{Fast130.ccx"));

  ShowTab(3);
  EXPECT_EQ(w.filter.GetText(), "");
  Type("tank 3");
  EXPECT_EQ(ShownRows(w.ufoList),
            (Texts{"Tank 300", "Tank 310", "Tank 320", "Tank 330", "Tank 340", "Tank 350",
                   "Tank 360", "Tank 370", "Tank 380", "Tank 390"}));
  EXPECT_TRUE(Selected(w.ufoList).empty());
  ShowTab(1);
  EXPECT_EQ(w.filter.GetText(), "fAST 1");
  EXPECT_EQ(ShownRows(w.mutatorList).size(), 5u);
  // Escape in a filter that holds text clears it; in an empty one it closes the window.
  Dlg().OnEscape(ui::kIdFilter);
  EXPECT_EQ(w.filter.GetText(), "");
  EXPECT_EQ(ShownRows(w.mutatorList).size(), 150u);
  EXPECT_EQ(Selected(w.mutatorList), (Texts{"Fast 120", "Heavy 001"}));
  EXPECT_EQ(Dlg().GetResult(), ui::CSwitcherDlg::Result::kRunning);
  Dlg().OnEscape(ui::kIdFilter);
  EXPECT_EQ(Dlg().GetResult(), ui::CSwitcherDlg::Result::kCancel);
}

// A column is as wide as the longest name in its list and a gap, but never narrower than a third
// of the list; a name cut all the same has its description's first lines in its tip.
TEST_F(MainWindow, ColumnsFollowTheLongestNameUpToTheListsWidth) {
  ta.Mutator("Short", "Short", "one##two##three##four", "*", 0);
  ta.Tc("Long", std::string(40, 'T'), "d", "LT", {});
  Start();
  auto& w = Window();
  EXPECT_EQ(w.tcList.GetColumnWidth(), w.tcList.GetTextWidthPixels(std::string(40, 'T')) + 8);

  // A cut name's tip: the whole name and the first three lines of the description.
  EXPECT_EQ(Dlg().NameTip(ui::kIdMutatorList, 0), "Short\r\none\r\ntwo\r\nthree");
  EXPECT_EQ(Dlg().NameTip(ui::kIdTcList, 0), "*Original TA*");
  EXPECT_EQ(Dlg().NameTip(ui::kIdTcList, 1), std::string(40, 'T') + "\r\nd");
}

// What the main window lists at start-up, what it marks as active and what it reports.
class CatalogueScan : public GameWindowTest {
 protected:
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
  std::filesystem::rename(ta.Host("Varokin\\}{Speedy.ccx"), ta.Host("}{Speedy.ccx"));  // active
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
      "The configuration file for the last Total Conversion used (][Mod.tc)  has dissappeared");
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
      "The configuration file for the last Total Conversion used (][Blank.tc)  has dissappeared");
  Restart();
  EXPECT_EQ(Rows(Window().tcList), (Texts{"*Original TA*", "Mod in capitals"}));
}

TEST_F(CatalogueScan, ListsUfosFromBothFoldersAndSelectsThePacksWithEveryMemberEnabled) {
  for (const char* name : {"Tanks", "Both", "~units", "]x", "^hat"})
    ta.Ufo(name, UfoPlace::kEnabled);
  for (const char* name : {"Both", "~units", "]x", "Spare"}) ta.Ufo(name, UfoPlace::kKept);
#ifndef _WIN32
  // Names Windows cannot hold: no move would take them, so they are not listed.
  for (const char* name : {"x?", "Tanks\nSpare"}) ta.Ufo(name, UfoPlace::kEnabled);
  for (const char* name : {"nul", "a|b"}) ta.Ufo(name, UfoPlace::kKept);
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
