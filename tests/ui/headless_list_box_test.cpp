#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/headless/headless_controls.h"

namespace varokin::ui::headless {
namespace {

std::vector<std::string> Texts(const ListBox& list) {
  std::vector<std::string> texts;
  for (int i = 0; i < list.GetCount(); ++i) texts.push_back(list.GetText(i));
  return texts;
}

TEST(HeadlessListBox, SortedListOrdersWithoutCaseAndKeepsEqualTextsInArrivalOrder) {
  HeadlessListBox list(1008, /*sorted=*/true, /*multipleSelection=*/false);
  EXPECT_EQ(list.AddString("beta"), 0);
  EXPECT_EQ(list.AddString("Alpha"), 0);
  EXPECT_EQ(list.AddString("gamma"), 2);
  EXPECT_EQ(list.AddString("BETA"), 2);
  EXPECT_EQ(list.AddString("Beta"), 3);
  EXPECT_EQ(list.AddString("_under"), 0);
  EXPECT_EQ(Texts(list),
            (std::vector<std::string>{"_under", "Alpha", "beta", "BETA", "Beta", "gamma"}));

  // A special first row goes where it is put, and later rows still sort among the others.
  EXPECT_EQ(list.InsertString(0, "*Original TA*"), 0);
  EXPECT_EQ(list.AddString("zeta"), 7);
  EXPECT_EQ(list.GetText(0), "*Original TA*");
  EXPECT_EQ(list.InsertString(-1, "aaa"), 8);
  EXPECT_EQ(list.GetText(8), "aaa");
  EXPECT_EQ(list.InsertString(10, "too far"), ListBox::kError);
  EXPECT_EQ(list.InsertString(-2, "negative"), ListBox::kError);
  EXPECT_EQ(list.GetCount(), 9);
}

TEST(HeadlessListBox, SingleSelectionHasOneRowAndRefusesMultipleSelectionCalls) {
  HeadlessListBox list(1003, true, false);
  list.AddString("b");
  list.AddString("d");
  EXPECT_EQ(list.GetCurSel(), ListBox::kError);
  EXPECT_EQ(list.SetCurSel(1), 1);
  EXPECT_EQ(list.SetCurSel(0), 0);
  EXPECT_TRUE(list.GetSel(0));
  EXPECT_FALSE(list.GetSel(1));

  // The selection stays on its row when rows are inserted before it, and goes with it.
  list.AddString("a");
  EXPECT_EQ(list.GetCurSel(), 1);
  list.DeleteString(1);
  EXPECT_EQ(list.GetCurSel(), ListBox::kError);

  list.SetCurSel(1);
  EXPECT_EQ(list.SetCurSel(-1), ListBox::kError);
  EXPECT_EQ(list.GetCurSel(), ListBox::kError);
  list.SetCurSel(1);
  EXPECT_EQ(list.SetCurSel(5), ListBox::kError);
  EXPECT_EQ(list.GetCurSel(), ListBox::kError);

  EXPECT_EQ(list.SetSel(0, true), ListBox::kError);
  EXPECT_EQ(list.GetSelCount(), ListBox::kError);
  EXPECT_FALSE(list.GetSel(0));

  EXPECT_TRUE(list.Click(0));
  EXPECT_TRUE(list.Click(0));
  EXPECT_EQ(list.GetCurSel(), 0);
  EXPECT_FALSE(list.Click(2));
  EXPECT_EQ(list.GetCurSel(), 0);
}

TEST(HeadlessListBox, MultipleSelectionCountsRowsAndRefusesSetCurSel) {
  HeadlessListBox list(1001, true, true);
  for (const char* text : {"a", "b", "c", "d"}) list.AddString(text);
  EXPECT_EQ(list.SetCurSel(1), ListBox::kError);
  EXPECT_EQ(list.GetSelCount(), 0);

  EXPECT_EQ(list.SetSel(1, true), 0);
  EXPECT_EQ(list.SetSel(3, true), 0);
  EXPECT_EQ(list.GetSelCount(), 2);
  EXPECT_EQ(list.SetSel(3, false), 0);
  EXPECT_FALSE(list.GetSel(3));
  EXPECT_EQ(list.SetSel(4, true), ListBox::kError);

  EXPECT_EQ(list.SetSel(-1, true), 0);
  EXPECT_EQ(list.GetSelCount(), 4);
  EXPECT_EQ(list.SetSel(-1, false), 0);
  EXPECT_EQ(list.GetSelCount(), 0);
}

TEST(HeadlessListBox, ClickTogglesAndMovesAnchorAndFocusInMultipleSelection) {
  HeadlessListBox list(1013, true, true);
  for (const char* text : {"a", "b", "c"}) list.AddString(text);
  EXPECT_EQ(list.GetAnchorIndex(), -1);
  EXPECT_EQ(list.GetCurSel(), 0);  // the first row has the focus

  EXPECT_TRUE(list.Click(2));
  EXPECT_TRUE(list.GetSel(2));
  EXPECT_EQ(list.GetAnchorIndex(), 2);
  EXPECT_EQ(list.GetCurSel(), 2);
  EXPECT_TRUE(list.Click(0));
  EXPECT_TRUE(list.Click(2));
  EXPECT_FALSE(list.GetSel(2));
  EXPECT_TRUE(list.GetSel(0));
  EXPECT_EQ(list.GetAnchorIndex(), 2);
  EXPECT_FALSE(list.Click(3));
  EXPECT_EQ(list.GetAnchorIndex(), 2);

  // Deselecting by program leaves the anchor on the row the user clicked; selecting moves it,
  // as the system list box does.
  list.SetSel(1, false);
  EXPECT_EQ(list.GetAnchorIndex(), 2);
  list.SetSel(1, true);
  EXPECT_EQ(list.GetAnchorIndex(), 1);

  list.SetAnchorIndex(0);
  list.AddString("0 first");
  EXPECT_EQ(list.GetAnchorIndex(), 1);
  EXPECT_EQ(list.GetText(list.GetAnchorIndex()), "a");
  list.SetAnchorIndex(7);
  EXPECT_EQ(list.GetAnchorIndex(), 1);
}

}  // namespace
}  // namespace varokin::ui::headless
