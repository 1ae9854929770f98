// Varokin.exe's windows are made from the layouts at run time: every control of a layout is made
// where the layout puts it, of the class its kind asks for.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "ui/about_dlg.h"
#include "ui/main_window_layout.h"
#include "ui/win32/dialog_template.h"
#include "varokin_version.h"

namespace varokin::ui::win32 {
namespace {

INT_PTR CALLBACK Inert(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

std::string ClassOf(HWND hwnd) {
  char name[64] = {};
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

// The controls with an id, checked for class and place; returns how many there are.
int ExpectControlsPlaced(HWND dialog, const DialogLayout& layout) {
  int checked = 0;
  for (const ControlSpec& item : layout.controls) {
    if (item.id == -1) continue;
    SCOPED_TRACE(item.id);
    HWND child = GetDlgItem(dialog, item.id);
    EXPECT_NE(child, nullptr);
    const char* expected = item.kind == ControlKind::kList    ? "ListBox"
                           : item.kind == ControlKind::kEdit  ? "Edit"
                           : item.kind == ControlKind::kLabel ? "Static"
                                                              : "Button";
    EXPECT_EQ(ClassOf(child), expected);
    // Position and size are converted one by one, as the dialog manager does.
    RECT place{item.x, item.y, item.width, item.height};
    MapDialogRect(dialog, &place);
    place.bottom += place.top;
    RECT actual{};
    GetWindowRect(child, &actual);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&actual), 2);
    EXPECT_EQ(actual.left, place.left);
    EXPECT_EQ(actual.bottom, place.bottom);
    ++checked;
  }
  return checked;
}

TEST(DialogTemplate, MakesEveryControlOfTheMainWindowAndItsMenuBar) {
  const MainWindowTemplate& t = MainWindowLayout();
  const std::vector<WORD> words = DialogTemplate(t.layout, &t.tabs);
  HWND dialog = CreateDialogIndirectParamA(GetModuleHandleA(nullptr),
                                           reinterpret_cast<LPCDLGTEMPLATEA>(words.data()), nullptr,
                                           Inert, 0);
  ASSERT_NE(dialog, nullptr);
  const SIZE frame = AttachMenuBar(dialog, t.layout, t.menuBar);
  SetWindowPos(dialog, nullptr, 0, 0, frame.cx, frame.cy, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(ExpectControlsPlaced(dialog, t.layout), 20);
  EXPECT_EQ(ClassOf(GetDlgItem(dialog, kIdTabs)), "SysTabControl32");
  // Beneath the lists drawn on it: last of the children.
  EXPECT_EQ(GetWindow(GetDlgItem(dialog, kIdTabs), GW_HWNDNEXT), nullptr);
  EXPECT_EQ(SendMessageA(dialog, DM_GETDEFID, 0, 0), MAKELRESULT(kIdLaunchTa, DC_HASDEFID));
  const LONG mutators = GetWindowLongA(GetDlgItem(dialog, kIdMutatorList), GWL_STYLE);
  EXPECT_EQ(mutators & (LBS_MULTIPLESEL | LBS_MULTICOLUMN | LBS_SORT),
            LBS_MULTIPLESEL | LBS_MULTICOLUMN | LBS_SORT);

  // The client area stays the layout's with the menu bar above it.
  RECT client{};
  GetClientRect(dialog, &client);
  RECT size{0, 0, t.layout.width, t.layout.height};
  MapDialogRect(dialog, &size);
  EXPECT_EQ(client.bottom, size.bottom);
  HMENU bar = GetMenu(dialog);
  ASSERT_EQ(GetMenuItemCount(bar), 4);
  char version[32] = {};
  GetMenuStringA(bar, 3, version, sizeof version, MF_BYPOSITION);
  EXPECT_EQ(std::string(version), "v" + std::string(VAROKIN_VERSION));
  EXPECT_TRUE(GetMenuState(bar, 3, MF_BYPOSITION) & MF_GRAYED);
  EXPECT_EQ(GetMenuState(bar, kIdMenuTakeSnapshot, MF_BYCOMMAND), 0u);
  DestroyWindow(dialog);
}

// The main window leaves the controls of its tab pages out of its template and makes them later:
// they come out as the dialog manager makes them, in the template's order.
TEST(DialogTemplate, TabPagesMadeLaterMatchThoseOfTheWholeTemplate) {
  const MainWindowTemplate& t = MainWindowLayout();
  const auto open = [&](bool withTabPages) {
    const std::vector<WORD> words = DialogTemplate(t.layout, &t.tabs, withTabPages);
    return CreateDialogIndirectParamA(GetModuleHandleA(nullptr),
                                      reinterpret_cast<LPCDLGTEMPLATEA>(words.data()), nullptr,
                                      Inert, 0);
  };
  HWND whole = open(true);
  HWND later = open(false);
  ASSERT_NE(later, nullptr);
  HWND previous = nullptr;
  for (const ControlSpec& item : t.layout.controls) {
    if (item.onTabPage) {
      EXPECT_EQ(GetDlgItem(later, item.id), nullptr);
      ASSERT_NE(MakeControl(later, item, TemplatePlace(later, item), previous), nullptr);
    }
    previous = item.id == -1 ? GetWindow(previous, GW_HWNDNEXT) : GetDlgItem(later, item.id);
  }
  EXPECT_EQ(ExpectControlsPlaced(later, t.layout), 20);
  HWND a = GetWindow(whole, GW_CHILD);
  for (HWND b = GetWindow(later, GW_CHILD); a != nullptr && b != nullptr;
       a = GetWindow(a, GW_HWNDNEXT), b = GetWindow(b, GW_HWNDNEXT)) {
    SCOPED_TRACE(GetDlgCtrlID(a));
    EXPECT_EQ(GetDlgCtrlID(b), GetDlgCtrlID(a));
    EXPECT_EQ(GetWindowLongA(b, GWL_STYLE) | WS_VISIBLE, GetWindowLongA(a, GWL_STYLE));
    EXPECT_EQ(GetWindowLongA(b, GWL_EXSTYLE), GetWindowLongA(a, GWL_EXSTYLE));
    LOGFONTA fontA{};
    LOGFONTA fontB{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(a, WM_GETFONT, 0, 0)), sizeof fontA, &fontA);
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(b, WM_GETFONT, 0, 0)), sizeof fontB, &fontB);
    EXPECT_EQ(fontB.lfHeight, fontA.lfHeight);
    EXPECT_EQ(std::string(fontB.lfFaceName), fontA.lfFaceName);
  }
  EXPECT_EQ(a, nullptr);
  DestroyWindow(whole);
  DestroyWindow(later);
}

TEST(DialogTemplate, ReadOnlyFieldsOfTheAboutBoxTakeNoTabStop) {
  const DialogLayout& layout = CAboutDlg().Layout();
  const std::vector<WORD> words = DialogTemplate(layout);
  HWND dialog = CreateDialogIndirectParamA(GetModuleHandleA(nullptr),
                                           reinterpret_cast<LPCDLGTEMPLATEA>(words.data()), nullptr,
                                           Inert, 0);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(ExpectControlsPlaced(dialog, layout), 4);
  const LONG feedback = GetWindowLongA(GetDlgItem(dialog, kIdAboutFeedback), GWL_STYLE);
  EXPECT_EQ(feedback & (WS_TABSTOP | ES_READONLY | ES_CENTER), ES_READONLY | ES_CENTER);
  DestroyWindow(dialog);
}

}  // namespace
}  // namespace varokin::ui::win32
