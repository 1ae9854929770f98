// The main window's set-up, tabs, closing and routing, over headless controls.
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

}  // namespace
}  // namespace varokin::fixtures
