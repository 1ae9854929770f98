// The Win32 controls keep the promises of the abstract ones, where list boxes of different
// Windows versions (and Wine) would each answer their own way.
#include "ui/win32/win32_controls.h"

#include <gtest/gtest.h>
#include <windows.h>
// After windows.h.
#include <commctrl.h>

#include <string>

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

  HWND MakeList(DWORD style, int height = 200) {
    return CreateWindowExA(0, "LISTBOX", "", WS_CHILD | LBS_HASSTRINGS | style, 0, 0, 300, height,
                           parent_, reinterpret_cast<HMENU>(1008), GetModuleHandleA(nullptr),
                           nullptr);
  }

  HWND parent_ = nullptr;
};

// A sorted single-selection list, as the TC and AI lists are.
TEST_F(Win32ListBoxTest, SortedSingleSelectionListKeepsOrderDataAndRefusesMissingRows) {
  Win32ListBox list(MakeList(LBS_SORT));
  list.AddString("beta");
  list.AddString("Alpha");
  EXPECT_EQ(list.AddString("alpha"), 1);
  EXPECT_EQ(list.GetText(0), "Alpha");
  EXPECT_EQ(list.GetText(1), "alpha");
  EXPECT_EQ(list.GetText(2), "beta");
  EXPECT_EQ(list.Id(), 1008);

  ASSERT_EQ(list.SetCurSel(1), 1);
  EXPECT_EQ(list.SetCurSel(7), ListBox::kError);
  EXPECT_EQ(list.GetCurSel(), ListBox::kError);
  EXPECT_EQ(list.SetSel(0, true), ListBox::kError);
  EXPECT_FALSE(list.GetSel(0));

  list.InsertString(0, "*Default AI*");
  ASSERT_TRUE(list.SetItemData(0, 9999));
  ASSERT_TRUE(list.SetItemData(1, 3));
  EXPECT_EQ(list.GetItemData(0), 9999);
  EXPECT_EQ(list.GetItemData(5), ListBox::kError);
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

// The main window makes the lists of hidden tab pages once it shows: until then a list keeps what
// it is told, in the order the system's list box would, and its window takes it all over.
TEST_F(Win32ListBoxTest, AListMadeLaterAnswersAsTheSystemListAndHandsItsRowsOver) {
  ControlSpec item{1008, ControlKind::kList, "", 0, 0, 200, 100};
  item.sorted = true;
  for (bool multiple : {true, false}) {
    SCOPED_TRACE(multiple);
    item.multipleSelection = multiple;
    const DWORD style = LBS_SORT | (multiple ? LBS_MULTIPLESEL : 0);
    Win32ListBox system(MakeList(style));
    Win32ListBox later(parent_, item, [] { return 123; });
    for (ListBox* list : {static_cast<ListBox*>(&system), static_cast<ListBox*>(&later)}) {
      for (const char* name :
           {"beta", "Alpha", "co-op", "coop", "_x", "alpha", "[x]", "Zed", "x1"}) {
        list->SetItemData(list->AddString(name), name[0]);
      }
      list->InsertString(0, "*None*");
      if (multiple) {
        list->SetSel(2, true);
        list->SetSel(5, true);
        list->SetAnchorIndex(2);
      } else {
        list->SetCurSel(4);
      }
    }
    later.Show(false);
    later.Enable(false);
    EXPECT_EQ(later.Handle(), nullptr);
    EXPECT_EQ(later.GetWidthPixels(), 123);
    const auto expectSame = [&] {
      ASSERT_EQ(later.GetCount(), system.GetCount());
      for (int row = 0; row < system.GetCount(); ++row) {
        EXPECT_EQ(later.GetText(row), system.GetText(row)) << row;
        EXPECT_EQ(later.GetItemData(row), system.GetItemData(row)) << row;
        EXPECT_EQ(later.GetSel(row), system.GetSel(row)) << row;
      }
      EXPECT_EQ(later.GetCurSel(), system.GetCurSel());
      EXPECT_EQ(later.GetSelCount(), system.GetSelCount());
      if (multiple) {
        EXPECT_EQ(later.GetAnchorIndex(), system.GetAnchorIndex());
      }
    };
    expectSame();
    // Two rows high: the selections would scroll it.
    later.Made(MakeList(
        style, 2 * static_cast<int>(SendMessageA(system.Handle(), LB_GETITEMHEIGHT, 0, 0))));
    ASSERT_NE(later.Handle(), nullptr);
    expectSame();
    EXPECT_FALSE(later.IsVisible());
    EXPECT_FALSE(later.IsEnabled());
    if (multiple) {
      EXPECT_EQ(SendMessageA(later.Handle(), LB_GETTOPINDEX, 0, 0), 0);
    }
  }

  Win32Text pane(1000);
  pane.SetText("No Mutators Currently Selected");
  EXPECT_EQ(pane.GetText(), "No Mutators Currently Selected");
  pane.Made(CreateWindowExA(0, "EDIT", "", WS_CHILD, 0, 0, 100, 20, parent_, nullptr,
                            GetModuleHandleA(nullptr), nullptr));
  EXPECT_TRUE(pane.IsVisible());
  EXPECT_EQ(pane.GetText(), "No Mutators Currently Selected");
}

// The tip's own text and whether it is up.
std::string TipText(HWND tip) {
  char text[256] = {};
  TOOLINFOA tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = GetParent(tip);
  tool.uId = 1;
  tool.lpszText = text;
  SendMessageA(tip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
  return IsWindowVisible(tip) ? std::string(text) : std::string("(hidden)");
}

TEST_F(Win32ListBoxTest, CutNameTipShowsOnlyOverANameCutByItsColumnOrTheEdge) {
  HWND hwnd = MakeList(LBS_MULTICOLUMN);
  ShowWindow(parent_, SW_SHOWNOACTIVATE);
  ShowWindow(hwnd, SW_SHOWNOACTIVATE);
  Win32ListBox list(hwnd);
  list.AddString("Arm");
  list.AddString("Core Contingency with every unit of the expansion packs");
  list.AddString("Phalanx Mutator");
  RECT first{};
  SendMessageA(hwnd, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
  const int rowHeight = first.bottom - first.top;
  const auto mouseOn = [&](int row) { return POINT{5, row * rowHeight + rowHeight / 2}; };
  CutNameTip tip(parent_);
  const auto tipFor = [&](int row) {
    return list.GetText(row) + "\r\nline of row " + std::to_string(row);
  };

  list.SetColumnWidth(300);
  tip.Follow(hwnd, mouseOn(0), tipFor);
  EXPECT_EQ(TipText(tip.Handle()), "(hidden)");
  tip.Follow(hwnd, mouseOn(1), tipFor);
  EXPECT_EQ(TipText(tip.Handle()),
            "Core Contingency with every unit of the expansion packs\r\nline of row 1");
  tip.Follow(hwnd, mouseOn(2), tipFor);
  EXPECT_EQ(TipText(tip.Handle()), "(hidden)");

  // Narrower columns cut a name that the list would have room for.
  list.SetColumnWidth(list.GetTextWidthPixels("Phalanx Mutator") - 10);
  tip.Follow(hwnd, mouseOn(2), tipFor);
  EXPECT_EQ(TipText(tip.Handle()), "Phalanx Mutator\r\nline of row 2");
  tip.Follow(hwnd, POINT{5, 180}, tipFor);
  EXPECT_EQ(TipText(tip.Handle()), "(hidden)");
  tip.Follow(hwnd, mouseOn(0), tipFor);
  EXPECT_EQ(TipText(tip.Handle()), "(hidden)");
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
