#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <string>
#include <vector>

#include "ui/headless/headless_controls.h"

namespace varokin::ui::headless {
namespace {

bool LessIgnoringCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) <
           std::tolower(static_cast<unsigned char>(y));
  });
}

// Lists of hundreds of rows, as the UFO list of a well-stocked TA folder: rows, their data and
// their selection stay together through sorted inserts and deletes anywhere in the list.
TEST(HeadlessListBox, LongListKeepsOrderDataAndSelectionThroughInsertsAndDeletes) {
  HeadlessListBox list(1010, /*sorted=*/true, /*multipleSelection=*/true);
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

  auto checkRows = [&] {
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
  };
  checkRows();

  // Deleting whole runs empties parts of the list; inserts after that still land in place.
  for (int i = 450; i >= 0; i -= 3) {
    expected.erase(expected.begin() + i);
    ASSERT_EQ(list.DeleteString(i), static_cast<int>(expected.size()));
  }
  for (int i = 0; i < 120; ++i) {
    expected.erase(expected.begin() + 100);
    ASSERT_EQ(list.DeleteString(100), static_cast<int>(expected.size()));
  }
  checkRows();
  const auto at = std::upper_bound(expected.begin(), expected.end(), "UNIT99", LessIgnoringCase);
  EXPECT_EQ(list.AddString("UNIT99"), at - expected.begin());
  expected.insert(at, "UNIT99");

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
}  // namespace varokin::ui::headless
