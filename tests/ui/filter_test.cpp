// The main window over big collections and long names, over headless controls.
#include <string>
#include <vector>

#include "support/main_window_fixture.h"

namespace varokin::fixtures {
namespace {

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

using LongNames = GameWindowTest;

// A column is as wide as the longest name in its list and a gap, but never narrower than a third
// of the list; a name cut all the same has its description's first lines in its tip.
TEST_F(LongNames, ColumnsFollowTheLongestNameUpToTheListsWidth) {
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
