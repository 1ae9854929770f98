// The dialog templates of Varokin.rc and the layouts the dialogs declare describe the same
// windows: every control where the layout puts it, with its caption, kind and list/edit styles.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/startup_state.h"
#include "platform/file_system.h"
#include "settings/settings_store.h"
#include "ui/about_dlg.h"
#include "ui/headless/headless_controls.h"
#include "ui/main_window_layout.h"
#include "ui/multiplayer_dlg.h"
#include "ui/ufo_pack_dlg.h"
#include "ui/win32/win32_prompts.h"

namespace varokin::ui {
namespace {

// A template's -1 reads back as -1, or as 0xFFFF from an old-style template.
bool HasId(HWND child) {
  const int id = GetDlgCtrlID(child);
  return id != -1 && id != 0xFFFF;
}

INT_PTR CALLBACK Inert(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

std::string Text(HWND hwnd) {
  char buffer[512] = {};
  GetWindowTextA(hwnd, buffer, sizeof buffer);
  return buffer;
}

std::string ClassOf(HWND hwnd) {
  char buffer[64] = {};
  GetClassNameA(hwnd, buffer, sizeof buffer);
  return buffer;
}

const char* ClassFor(ControlKind kind) {
  switch (kind) {
    case ControlKind::kList:
      return "ListBox";
    case ControlKind::kEdit:
      return "Edit";
    case ControlKind::kLabel:
      return "Static";
    default:
      return "Button";
  }
}

// The child for a layout entry: by id, or by caption for a label without one.
HWND ChildFor(HWND dialog, const ControlSpec& item) {
  if (item.id != -1) return GetDlgItem(dialog, item.id);
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!HasId(child) && Text(child) == item.caption) return child;
  }
  return nullptr;
}

void ExpectStyles(HWND child, const ControlSpec& item) {
  const LONG style = GetWindowLongA(child, GWL_STYLE);
  if (item.kind == ControlKind::kList) {
    EXPECT_EQ((style & LBS_SORT) == LBS_SORT, item.sorted);
    EXPECT_EQ((style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0, item.multipleSelection);
  }
  if (item.kind == ControlKind::kEdit) {
    EXPECT_EQ((style & ES_MULTILINE) != 0, item.multiline);
    EXPECT_EQ((style & ES_READONLY) != 0, item.readOnly);
    EXPECT_EQ((style & (ES_CENTER | ES_RIGHT)) == ES_CENTER, item.centred);
  }
  if (item.kind == ControlKind::kLabel) {
    EXPECT_EQ((style & SS_TYPEMASK) == SS_RIGHT, item.rightAligned);
    EXPECT_EQ((style & SS_TYPEMASK) == SS_CENTER, item.centred);
  } else if (item.kind != ControlKind::kGroupBox) {
    EXPECT_EQ((style & WS_TABSTOP) != 0, item.tabStop);
  }
  if (item.kind == ControlKind::kDefaultButton) {
    EXPECT_EQ(style & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  }
  // A multi-column list scrolls sideways: the list box drops a vertical bar it was given.
  if (item.verticalScroll && !(item.kind == ControlKind::kList && (style & LBS_MULTICOLUMN))) {
    EXPECT_NE(style & WS_VSCROLL, 0);
  }
}

void ExpectMenuMatches(HMENU menu, const std::vector<MenuBarEntry>& entries) {
  ASSERT_EQ(GetMenuItemCount(menu), static_cast<int>(entries.size()));
  for (UINT i = 0; i < entries.size(); ++i) {
    const MenuBarEntry& entry = entries[i];
    SCOPED_TRACE(entry.caption);
    char caption[256] = {};
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING | MIIM_ID | MIIM_STATE | MIIM_FTYPE | MIIM_SUBMENU;
    info.dwTypeData = caption;
    info.cch = sizeof caption;
    ASSERT_TRUE(GetMenuItemInfoA(menu, i, TRUE, &info));
    EXPECT_EQ(std::string(caption), entry.caption);
    if (entry.id != -1) {
      EXPECT_EQ(static_cast<int>(info.wID), entry.id);
    }
    EXPECT_EQ((info.fState & MFS_DISABLED) == 0, entry.enabled);
    EXPECT_EQ((info.fType & MFT_RIGHTJUSTIFY) != 0, entry.rightAligned);
    EXPECT_EQ(info.hSubMenu != nullptr, !entry.items.empty());
    if (info.hSubMenu != nullptr) ExpectMenuMatches(info.hSubMenu, entry.items);
  }
}

// extraIds: controls of the template that the layout keeps elsewhere.
void ExpectTemplateMatches(const DialogLayout& layout, int extraIds = 0,
                           const MainWindowTemplate* mainWindow = nullptr) {
  SCOPED_TRACE(layout.title);
  HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(layout.templateId),
                                   nullptr, Inert, 0);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(Text(dialog), layout.title);
  RECT size{0, 0, layout.width, layout.height};
  MapDialogRect(dialog, &size);
  RECT client{};
  GetClientRect(dialog, &client);
  EXPECT_EQ(client.right, size.right);
  EXPECT_EQ(client.bottom, size.bottom);

  int withIds = 0;
  for (const ControlSpec& item : layout.controls) {
    SCOPED_TRACE(item.caption + " " + std::to_string(item.id));
    HWND child = ChildFor(dialog, item);
    ASSERT_NE(child, nullptr);
    if (item.id != -1) ++withIds;
    EXPECT_EQ(ClassOf(child), ClassFor(item.kind));
    if (item.kind != ControlKind::kEdit && item.kind != ControlKind::kList) {
      EXPECT_EQ(Text(child), item.caption);
    }
    // Position and size are converted one by one, as the dialog manager does.
    RECT expected{item.x, item.y, item.width, item.height};
    MapDialogRect(dialog, &expected);
    expected.right += expected.left;
    expected.bottom += expected.top;
    RECT actual{};
    GetWindowRect(child, &actual);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&actual), 2);
    EXPECT_EQ(actual.left, expected.left);
    EXPECT_EQ(actual.top, expected.top);
    EXPECT_EQ(actual.bottom, expected.bottom);
    // A label may be drawn wider than its layout, where a substitute font needs the room.
    if (item.kind == ControlKind::kLabel) {
      EXPECT_GE(actual.right, expected.right);
    } else {
      EXPECT_EQ(actual.right, expected.right);
    }
    ExpectStyles(child, item);
  }
  int templateIds = 0;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (HasId(child)) ++templateIds;
  }
  EXPECT_EQ(templateIds, withIds + extraIds) << "the template has controls the layout lacks";
  if (mainWindow != nullptr) {
    const ControlSpec& tabs = mainWindow->tabs;
    HWND tabControl = GetDlgItem(dialog, tabs.id);
    ASSERT_NE(tabControl, nullptr);
    EXPECT_EQ(ClassOf(tabControl), "SysTabControl32");
    RECT expected{tabs.x, tabs.y, tabs.width, tabs.height};
    MapDialogRect(dialog, &expected);
    RECT actual{};
    GetWindowRect(tabControl, &actual);
    EXPECT_EQ(actual.right - actual.left, expected.right);
    EXPECT_EQ(actual.bottom - actual.top, expected.bottom);
    ExpectMenuMatches(GetMenu(dialog), mainWindow->menuBar);
  }
  DestroyWindow(dialog);
}

TEST(DialogTemplates, MatchTheDialogsLayouts) {
  const std::unique_ptr<platform::FileSystem> fs = platform::CreateHostFileSystem();
  settings::SettingsStore settings(*fs, "unused.ini");
  engine::StartupState startup;
  win32::Win32Prompts prompts;
  headless::HeadlessListBox ufoList(1013, true, true);

  const MainWindowTemplate& mainWindow = MainWindowLayout();
  ExpectTemplateMatches(mainWindow.layout, 1, &mainWindow);
  ExpectTemplateMatches(CAboutDlg().Layout());
  ExpectTemplateMatches(CMultiplayerDlg(settings, startup).Layout());
  ExpectTemplateMatches(CUfoPackDlg(*fs, prompts, ufoList).Layout());
}

}  // namespace
}  // namespace varokin::ui
