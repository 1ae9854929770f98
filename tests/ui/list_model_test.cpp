#include "ui/list_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/text.h"

namespace varokin::ui {
namespace {

std::vector<std::string> Texts(const ListModel& list) {
  std::vector<std::string> texts;
  for (int i = 0; i < list.GetCount(); ++i) texts.push_back(list.GetText(i));
  return texts;
}

TEST(ListModel, SortedListOrdersWithoutCaseAndKeepsEqualTextsInArrivalOrder) {
  ListModel list(/*sorted=*/true, /*multipleSelection=*/false);
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
  EXPECT_EQ(list.InsertString(10, "too far"), ListModel::kError);
  EXPECT_EQ(list.InsertString(-2, "negative"), ListModel::kError);
  EXPECT_EQ(list.GetCount(), 9);
}

TEST(ListModel, SingleSelectionHasOneRowAndRefusesMultipleSelectionCalls) {
  ListModel list(true, false);
  list.AddString("b");
  list.AddString("d");
  EXPECT_EQ(list.GetCurSel(), ListModel::kError);
  EXPECT_EQ(list.SetCurSel(1), 1);
  EXPECT_EQ(list.SetCurSel(0), 0);
  EXPECT_TRUE(list.GetSel(0));
  EXPECT_FALSE(list.GetSel(1));

  // The selection stays on its row when rows are inserted before it.
  list.AddString("a");
  EXPECT_EQ(list.GetCurSel(), 1);

  for (int row : {-1, 5}) {  // both clear the selection
    list.SetCurSel(1);
    EXPECT_EQ(list.SetCurSel(row), ListModel::kError);
    EXPECT_EQ(list.GetCurSel(), ListModel::kError) << row;
  }

  EXPECT_EQ(list.SetSel(0, true), ListModel::kError);
  EXPECT_EQ(list.GetSelCount(), ListModel::kError);
  EXPECT_FALSE(list.GetSel(0));

  EXPECT_TRUE(list.Click(0));
  EXPECT_TRUE(list.Click(0));
  EXPECT_EQ(list.GetCurSel(), 0);
  EXPECT_FALSE(list.Click(3));
  EXPECT_EQ(list.GetCurSel(), 0);
}

TEST(ListModel, MultipleSelectionCountsRowsAndRefusesSetCurSel) {
  ListModel list(true, true);
  for (const char* text : {"a", "b", "c", "d"}) list.AddString(text);
  EXPECT_EQ(list.SetCurSel(1), ListModel::kError);
  EXPECT_EQ(list.GetSelCount(), 0);

  EXPECT_EQ(list.SetSel(1, true), 0);
  EXPECT_EQ(list.SetSel(3, true), 0);
  EXPECT_EQ(list.GetSelCount(), 2);
  EXPECT_EQ(list.SetSel(3, false), 0);
  EXPECT_FALSE(list.GetSel(3));
  EXPECT_EQ(list.SetSel(4, true), ListModel::kError);

  EXPECT_EQ(list.SetSel(-1, true), 0);
  EXPECT_EQ(list.GetSelCount(), 4);
  EXPECT_EQ(list.SetSel(-1, false), 0);
  EXPECT_EQ(list.GetSelCount(), 0);
}

TEST(ListModel, ClickTogglesAndMovesAnchorAndFocusInMultipleSelection) {
  ListModel list(true, true);
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

bool LessIgnoringCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(platform::LowerAscii(x)) <
           static_cast<unsigned char>(platform::LowerAscii(y));
  });
}

// Lists of hundreds of rows, as the UFO list of a well-stocked TA folder: rows, their data and
// their selection stay together through sorted inserts anywhere in the list.
TEST(ListModel, LongListKeepsOrderDataAndSelectionThroughInserts) {
  ListModel list(/*sorted=*/true, /*multipleSelection=*/true);
  std::vector<std::string> expected;
  for (int n = 0; n < 500; ++n) {
    // Scrambled arrival order, with case-only twins that must keep their arrival order.
    const int key = (n * 7919) % 500;
    const std::string text = (n % 3 == 0 ? "Unit" : "unit") + std::to_string(key / 2);
    const int row = list.AddString(text);
    ASSERT_GE(row, 0);
    list.SetItemData(row, key);
    list.SetSel(row, key % 5 == 0);
    expected.push_back(text);
  }
  std::stable_sort(expected.begin(), expected.end(), LessIgnoringCase);

  ASSERT_EQ(list.GetCount(), static_cast<int>(expected.size()));
  int selected = 0;
  for (int i = 0; i < list.GetCount(); ++i) {
    ASSERT_EQ(list.GetText(i), expected[i]) << "row " << i;
    const std::intptr_t key = list.GetItemData(i);
    EXPECT_EQ(list.GetText(i).substr(4), std::to_string(key / 2)) << "row " << i;
    EXPECT_EQ(list.GetSel(i), key % 5 == 0) << "row " << i;
    selected += key % 5 == 0;
  }
  EXPECT_EQ(list.GetSelCount(), selected);

  // Sorted runs, as folder listings arrive, including a run of case twins of the one before:
  // each twin still lands after the text it equals.
  for (const char* prefix : {"Kept", "kept", "Zulu", "Able"}) {
    for (int n = 0; n < 100; n += 1 + n % 3) {
      const std::string text = prefix + std::to_string(1000 + n);
      const auto place = std::upper_bound(expected.begin(), expected.end(), text, LessIgnoringCase);
      ASSERT_EQ(list.AddString(text), place - expected.begin()) << text;
      expected.insert(place, text);
    }
  }
  for (int i = 0; i < list.GetCount(); ++i) ASSERT_EQ(list.GetText(i), expected[i]) << "row " << i;
}

}  // namespace
}  // namespace varokin::ui
