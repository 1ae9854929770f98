#include "ui/win32/main_window.h"

#include <commctrl.h>

#include <memory>
#include <vector>

#include "ui/main_window_layout.h"
#include "ui/win32/dialog_template.h"
#include "ui/win32/owner_window.h"
#include "ui/win32/resource_ids.h"
#include "ui/win32/win32_controls.h"
#include "ui/win32/win32_dialogs.h"

namespace varokin::ui::win32 {

namespace {

constexpr UINT_PTR kDeferredRequestTimer = 1;
constexpr UINT kDeferredRequestDelayMs = 100;

// The wrappers of the window's controls and menu items, made from its template, alive as long as
// the window.
struct MainWindowHandles {
  explicit MainWindowHandles(HWND w)
      : dialog(w, MainWindowLayout().layout), tabs(GetDlgItem(w, kIdTabs)) {
    for (const MenuBarEntry* item : MenuItemsOf(MainWindowLayout())) {
      menuItems.push_back(std::make_unique<Win32MenuItem>(w, item->id));
    }
    controls = std::make_unique<MainWindowControls>(
        BindMainWindow(dialog, tabs, [this](int id) -> MenuItem* {
          for (const auto& item : menuItems) {
            if (item->Id() == id) return item.get();
          }
          return nullptr;
        }));
  }

  Win32DialogControls dialog;
  Win32TabControl tabs;
  std::vector<std::unique_ptr<Win32MenuItem>> menuItems;
  std::unique_ptr<MainWindowControls> controls;
};

// Everything the window procedure reaches between messages.
struct MainWindowState {
  HINSTANCE instance;
  engine::Context& ctx;
  const CSwitcherDlg::FrontEnd& frontEnd;
  std::unique_ptr<MainWindowHandles> handles;
  std::unique_ptr<CSwitcherDlg> dlg;
  std::unique_ptr<OwnerScope> owner;
};

MainWindowState* StateOf(HWND hwnd) {
  return reinterpret_cast<MainWindowState*>(GetWindowLongPtrA(hwnd, DWLP_USER));
}

void SetWindowIcons(HWND hwnd, HINSTANCE instance) {
  const auto load = [instance](int metricX, int metricY) {
    return static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(VAROKIN_ICON), IMAGE_ICON,
                                         GetSystemMetrics(metricX), GetSystemMetrics(metricY),
                                         LR_DEFAULTCOLOR));
  };
  SendMessageA(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(load(SM_CXICON, SM_CYICON)));
  SendMessageA(hwnd, WM_SETICON, ICON_SMALL,
               reinterpret_cast<LPARAM>(load(SM_CXSMICON, SM_CYSMICON)));
}

BOOL OnInit(HWND hwnd, MainWindowState& state) {
  AttachMenuBar(hwnd, MainWindowLayout().layout, MainWindowLayout().menuBar);
  // Placed first: the validation messages of the catalogue scan already belong to this window.
  CentreOverOwner(hwnd);
  state.owner = std::make_unique<OwnerScope>(hwnd);
  SetWindowIcons(hwnd, state.instance);
  // The system list box has no hidden rows, so this window does without the filter.
  for (int id : {kIdFilter, kIdFilterLabel}) ShowWindow(GetDlgItem(hwnd, id), SW_HIDE);
  state.handles = std::make_unique<MainWindowHandles>(hwnd);
  state.dlg = std::make_unique<CSwitcherDlg>(state.ctx, *state.handles->controls);
  state.dlg->frontEnd = state.frontEnd;
  return state.dlg->OnInitDialog() ? TRUE : FALSE;
}

// A notification of a control or a menu command, as CSwitcherDlg routes it.
void OnCommand(CSwitcherDlg& dlg, WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  const bool fromMenu = lParam == 0;
  if (fromMenu || code == BN_CLICKED) {
    dlg.OnCommand(id);
  } else if (code == LBN_SELCHANGE) {
    wchar_t className[16] = {};
    GetClassNameW(reinterpret_cast<HWND>(lParam), className, 16);
    if (lstrcmpiW(className, L"ListBox") == 0) dlg.OnSelchange(id);
  }
}

void EndWhenDone(HWND hwnd, const CSwitcherDlg& dlg) {
  const CSwitcherDlg::Result result = dlg.GetResult();
  if (result == CSwitcherDlg::Result::kRunning) return;
  EndDialog(hwnd, result == CSwitcherDlg::Result::kOk ? IDOK : IDCANCEL);
}

INT_PTR CALLBACK MainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
    const BOOL focus = OnInit(hwnd, *reinterpret_cast<MainWindowState*>(lParam));
    EndWhenDone(hwnd, *StateOf(hwnd)->dlg);
    return focus;
  }
  MainWindowState* state = StateOf(hwnd);
  if (state == nullptr || !state->dlg) return FALSE;
  CSwitcherDlg& dlg = *state->dlg;
  switch (message) {
    case WM_SHOWWINDOW:
      if (wParam) {
        dlg.OnShowWindow(true);
        SetTimer(hwnd, kDeferredRequestTimer, kDeferredRequestDelayMs, nullptr);
      }
      return FALSE;  // the default handling runs as well
    case WM_TIMER:
      if (wParam != kDeferredRequestTimer) return FALSE;
      // Once per showing: the request may open windows of its own.
      KillTimer(hwnd, kDeferredRequestTimer);
      dlg.OnTimer();
      break;
    case WM_COMMAND:
      OnCommand(dlg, wParam, lParam);
      break;
    case WM_CLOSE:
      dlg.OnCommand(CommandForKey(MainWindowLayout().layout, DialogKey::kCloseBox));
      break;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->idFrom != static_cast<UINT_PTR>(kIdTabs) || header->code != TCN_SELCHANGE) {
        return FALSE;
      }
      dlg.OnSelchange(kIdTabs);
      break;
    }
    default:
      return FALSE;
  }
  EndWhenDone(hwnd, dlg);
  return TRUE;
}

}  // namespace

void RunMainWindow(HINSTANCE instance, engine::Context& ctx,
                   const CSwitcherDlg::FrontEnd& frontEnd) {
  MainWindowState state{instance, ctx, frontEnd, nullptr, nullptr, nullptr};
  const MainWindowTemplate& layout = MainWindowLayout();
  const std::vector<WORD> dialog = DialogTemplate(layout.layout, &layout.tabs);
  DialogBoxIndirectParamA(instance, reinterpret_cast<LPCDLGTEMPLATEA>(dialog.data()), nullptr,
                          MainWindowProc, reinterpret_cast<LPARAM>(&state));
}

}  // namespace varokin::ui::win32
