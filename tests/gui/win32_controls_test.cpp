// The Win32 controls keep the promises of the abstract ones, where list boxes of different
// Windows versions (and Wine) would each answer their own way.
#include "ui/win32/win32_controls.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "ui/win32/command_text.h"

namespace varokin::ui::win32 {
namespace {

class Win32ListBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    parent_ = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(parent_, nullptr);
  }
  void TearDown() override { DestroyWindow(parent_); }

  HWND MakeList(DWORD style) {
    return CreateWindowExA(0, "LISTBOX", "", WS_CHILD | LBS_HASSTRINGS | style, 0, 0, 300, 200,
                           parent_, reinterpret_cast<HMENU>(1008), GetModuleHandleA(nullptr),
                           nullptr);
  }

  HWND parent_ = nullptr;
};

TEST_F(Win32ListBoxTest, SortedListPutsEqualTextsInTheOrderAdded) {
  Win32ListBox list(MakeList(LBS_SORT));
  list.AddString("beta");
  list.AddString("Alpha");
  EXPECT_EQ(list.AddString("alpha"), 1);
  EXPECT_EQ(list.GetText(0), "Alpha");
  EXPECT_EQ(list.GetText(1), "alpha");
  EXPECT_EQ(list.GetText(2), "beta");
  EXPECT_EQ(list.Id(), 1008);
}

TEST_F(Win32ListBoxTest, SingleSelectionRefusesMissingRowsAndSetSel) {
  Win32ListBox list(MakeList(LBS_SORT));
  list.AddString("Iron Tide");
  list.AddString("Galactic Dawn");
  ASSERT_EQ(list.SetCurSel(1), 1);
  EXPECT_EQ(list.SetCurSel(7), ListBox::kError);
  EXPECT_EQ(list.GetCurSel(), ListBox::kError);

  EXPECT_EQ(list.SetSel(0, true), ListBox::kError);
  EXPECT_FALSE(list.GetSel(0));
}

TEST_F(Win32ListBoxTest, AnchorStaysOnItsRowWhenRowsAreInsertedAbove) {
  Win32ListBox list(MakeList(LBS_SORT | LBS_MULTIPLESEL));
  list.AddString("Bulwark");
  list.AddString("Phalanx");
  ASSERT_EQ(list.SetSel(1, true), 0);
  ASSERT_EQ(list.GetAnchorIndex(), 1);

  list.AddString("Arbiter");
  EXPECT_EQ(list.GetText(list.GetAnchorIndex()), "Phalanx");
  list.InsertString(0, "*All*");
  EXPECT_EQ(list.GetText(list.GetAnchorIndex()), "Phalanx");
  EXPECT_EQ(list.GetSelCount(), 1);
  EXPECT_TRUE(list.GetSel(3));
}

TEST_F(Win32ListBoxTest, ItemDataAndExactSearchWithoutRegardToCase) {
  Win32ListBox list(MakeList(LBS_SORT));
  list.AddString("Warlord AI");
  list.InsertString(0, "*Default AI*");
  ASSERT_TRUE(list.SetItemData(0, 9999));
  ASSERT_TRUE(list.SetItemData(1, 3));
  EXPECT_EQ(list.GetItemData(0), 9999);
  EXPECT_EQ(list.GetItemData(5), ListBox::kError);
  EXPECT_EQ(list.FindStringExact(-1, "WARLORD ai"), 1);
  EXPECT_EQ(list.FindStringExact(1, "*default ai*"), 0);
  EXPECT_EQ(list.FindStringExact(-1, "Warlord"), ListBox::kError);
}

TEST(CommandTextOf, KeepsWhatFollowsTheProgramName) {
  EXPECT_EQ(CommandTextOf("\"C:\\My Games\\TA\\Varokin.exe\" -host"), "-host");
  EXPECT_EQ(CommandTextOf("Varokin.exe   -join:10.0.0.5"), "-join:10.0.0.5");
  EXPECT_EQ(CommandTextOf("Varokin \"C:\\TA\\Varokin\\Snapshots\\a b.tas\""),
            "\"C:\\TA\\Varokin\\Snapshots\\a b.tas\"");
  EXPECT_EQ(CommandTextOf("\"C:\\My Games\\TA\\Varokin.exe\""), "");
}

}  // namespace
}  // namespace varokin::ui::win32
