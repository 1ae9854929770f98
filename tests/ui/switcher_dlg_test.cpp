// The main window's set-up, tabs, closing, routing, filter and columns, over headless controls.
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

// Ctrl+Tab and Ctrl+Shift+Tab go round the ends.
TEST_F(MainWindow, AStoredTabOutsideTheFourShowsTheFirstAndStepsGoRoundTheEnds) {
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
}

TEST_F(MainWindow, TheUnitsTabBringsTheUfoSelectionInLineWithTheFiles) {
  ta.Ufo("Tanks", UfoPlace::kEnabled);
  Start();
  EXPECT_EQ(Selected(Window().ufoList), std::vector<std::string>{"Tanks"});
  std::filesystem::remove(ta.Host("Tanks.ufo"));
  ShowTab(3);
  EXPECT_EQ(Dlg().selectedTab, 3);
  EXPECT_TRUE(Window().ufoList.IsVisible() && Window().packList.IsVisible());
  EXPECT_TRUE(Selected(Window().ufoList).empty());
}

// Only the Close button saves the shown tab and the check box; Escape and the close box do not.
TEST_F(MainWindow, OnlyCloseSavesTheTabAndTheDefaultAiCheckBox) {
  Start();
  ShowTab(2);
  Window().allowDefaultAi.SetChecked(false);
  EXPECT_TRUE(Dlg().OnCommand(ui::kIdCancel));
  EXPECT_EQ(Dlg().GetResult(), CSwitcherDlg::Result::kCancel);
  EXPECT_EQ(Setting("Previous Settings", "SelectedTab"), "<missing>");
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
  const int width = w.mutatorList.GetWidthPixels();
  EXPECT_EQ(w.mutatorList.GetColumnWidth(), width / 3);
  EXPECT_EQ(w.tcList.GetColumnWidth(), w.tcList.GetTextWidthPixels(std::string(40, 'T')) + 8);

  // A cut name's tip: the whole name and the first three lines of the description.
  EXPECT_EQ(Dlg().NameTip(ui::kIdMutatorList, 0), "Short\r\none\r\ntwo\r\nthree");
  EXPECT_EQ(Dlg().NameTip(ui::kIdTcList, 0), "*Original TA*");
  EXPECT_EQ(Dlg().NameTip(ui::kIdTcList, 1), std::string(40, 'T') + "\r\nd");
}

}  // namespace
}  // namespace varokin::fixtures
