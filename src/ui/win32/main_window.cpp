#include "ui/win32/main_window.h"

#include <commctrl.h>

#include <functional>
#include <iterator>
#include <memory>
#include <vector>

#include "settings/window_placement.h"
#include "ui/list_model.h"
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
// the window. widthOf gives the width of a list not made yet.
struct MainWindowHandles {
  MainWindowHandles(HWND w, const std::function<int(int id)>& widthOf)
      : dialog(w, MainWindowLayout().layout, widthOf), tabs(GetDlgItem(w, kIdTabs)) {
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

// The window's children where the template put them, to be moved by their anchors when the window
// is resized; one for each control of the template, in its order, and the tab control last. The
// controls of the tabs' pages are made when first needed (fewer windows to make before the window
// shows): until then they have no window, only a place. The dialog manager makes the others in
// template order; labels without an id can only be found so.
struct Placement {
  struct Child {
    HWND hwnd;
    RECT base;
    Anchors anchors;
  };
  SIZE baseClient{};
  SIZE smallestWindow{};
  std::vector<Child> children;

  explicit Placement(HWND w) : window(w) {
    RECT client{};
    GetClientRect(w, &client);
    baseClient = SIZE{client.right, client.bottom};
    RECT frame{};
    GetWindowRect(w, &frame);
    smallestWindow = SIZE{frame.right - frame.left, frame.bottom - frame.top};
    const MainWindowTemplate& t = MainWindowLayout();
    HWND child = GetWindow(w, GW_CHILD);
    for (std::size_t i = 0; child != nullptr && i <= t.layout.controls.size(); ++i) {
      const bool tabs = i == t.layout.controls.size();
      const ControlSpec& item = tabs ? t.tabs : t.layout.controls[i];
      HWND made = item.onTabPage ? nullptr : child;
      RECT rect = TemplatePlace(w, item);
      if (made != nullptr) {
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, w, reinterpret_cast<POINT*>(&rect), 2);
        child = GetWindow(child, GW_HWNDNEXT);
      }
      children.push_back({made, rect, item.anchors});
    }
  }

  // Where the child belongs in the window as it is now.
  RECT Now(const Child& child) const {
    RECT client{};
    GetClientRect(window, &client);
    const Box box =
        Anchored({child.base.left, child.base.top, child.base.right - child.base.left,
                  child.base.bottom - child.base.top},
                 child.anchors, client.right - baseClient.cx, client.bottom - baseClient.cy);
    return RECT{box.x, box.y, box.x + box.width, box.y + box.height};
  }

  void Follow() const {
    for (const Child& child : children) {
      if (child.hwnd == nullptr) continue;
      const RECT place = Now(child);
      SetWindowPos(child.hwnd, nullptr, place.left, place.top, place.right - place.left,
                   place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    InvalidateRect(window, nullptr, TRUE);
  }

  // The template's control of that id, or null.
  Child* Of(int id) {
    const std::vector<ControlSpec>& controls = MainWindowLayout().layout.controls;
    for (std::size_t i = 0; i < controls.size() && i < children.size(); ++i) {
      if (controls[i].id == id) return &children[i];
    }
    return nullptr;
  }

  // Makes the control of the template at index i, hidden, where it belongs now and after the
  // controls before it in the template's order.
  HWND Make(std::size_t i) {
    HWND after = nullptr;
    for (std::size_t j = i; j > 0 && after == nullptr; --j) after = children[j - 1].hwnd;
    children[i].hwnd =
        MakeControl(window, MainWindowLayout().layout.controls[i], Now(children[i]), after);
    return children[i].hwnd;
  }

 private:
  HWND window;
};

// The system list box cannot hide rows. While a list has a filter, a list of the rows that pass
// lies over it, each row's item data its row in the list beneath; a click there is made on that
// row beneath, and the list over it is made again from the one beneath after every event, so
// that the handlers only ever see the whole list.
class FilterViews {
 public:
  static constexpr int kViewIdOffset = 0x4000;
  static constexpr int kListIds[] = {kIdTcList, kIdMutatorList, kIdAiList, kIdPackList, kIdUfoList};

  FilterViews(HWND w, HINSTANCE instance)
      : window_(w), instance_(instance), views_(std::size(kListIds), nullptr) {
    for (int id : kListIds) Beneath(GetDlgItem(w, id));
  }

  // The list beneath must not paint over the one above it.
  static void Beneath(HWND list) {
    if (list != nullptr) {
      SetWindowLongPtrA(list, GWL_STYLE, GetWindowLongPtrA(list, GWL_STYLE) | WS_CLIPSIBLINGS);
    }
  }

  // The list beneath a view's id, or 0.
  static int ListOf(int viewId) {
    for (int id : kListIds) {
      if (id + kViewIdOffset == viewId) return id;
    }
    return 0;
  }

  static bool IsList(int id) {
    for (int listId : kListIds) {
      if (listId == id) return true;
    }
    return false;
  }

  // The user's click on a row of a view, made on its row beneath.
  static void Click(HWND view, Win32ListBox& list) {
    const bool multiple = list.IsMultipleSelection();
    const auto shown =
        static_cast<int>(SendMessageA(view, multiple ? LB_GETCARETINDEX : LB_GETCURSEL, 0, 0));
    const auto row = static_cast<int>(SendMessageA(view, LB_GETITEMDATA, shown, 0));
    if (multiple) {
      list.SetSel(row, SendMessageA(view, LB_GETSEL, shown, 0) > 0);
    } else {
      list.SetCurSel(row);
    }
    list.SetAnchorIndex(row);
  }

  void Sync(Win32DialogControls& controls) {
    for (std::size_t i = 0; i < views_.size(); ++i) {
      Win32ListBox* found = controls.Win32List(kListIds[i]);
      if (found == nullptr || found->Handle() == nullptr) continue;
      Win32ListBox& list = *found;
      const bool filtered = !list.Filter().empty() && list.IsVisible();
      // Made when first needed: windows fewer before the main window shows.
      if (filtered && views_[i] == nullptr) views_[i] = Made(kListIds[i]);
      HWND view = views_[i];
      // Tab reaches the list on top only.
      const auto style = GetWindowLongPtrA(list.Handle(), GWL_STYLE);
      SetWindowLongPtrA(list.Handle(), GWL_STYLE,
                        filtered ? style & ~WS_TABSTOP : style | WS_TABSTOP);
      if (!filtered || view == nullptr) {
        if (view != nullptr) ShowWindow(view, SW_HIDE);
        continue;
      }
      SendMessageA(view, WM_SETREDRAW, FALSE, 0);
      const LRESULT top = SendMessageA(view, LB_GETTOPINDEX, 0, 0);
      SendMessageA(view, LB_RESETCONTENT, 0, 0);
      SendMessageA(view, LB_SETCOLUMNWIDTH, static_cast<WPARAM>(list.ColumnWidth()), 0);
      for (int row = 0; row < list.GetCount(); ++row) {
        const std::string text = list.GetText(row);
        if (!PassesFilter(text, list.Filter())) continue;
        const LRESULT shown =
            SendMessageA(view, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        SendMessageA(view, LB_SETITEMDATA, static_cast<WPARAM>(shown), row);
        if (list.IsMultipleSelection()) {
          if (list.GetSel(row)) SendMessageA(view, LB_SETSEL, TRUE, shown);
        } else if (list.GetCurSel() == row) {
          SendMessageA(view, LB_SETCURSEL, static_cast<WPARAM>(shown), 0);
        }
      }
      SendMessageA(view, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
      RECT rect{};
      GetWindowRect(list.Handle(), &rect);
      MapWindowPoints(nullptr, GetParent(view), reinterpret_cast<POINT*>(&rect), 2);
      SetWindowPos(view, HWND_TOP, rect.left, rect.top, rect.right - rect.left,
                   rect.bottom - rect.top, SWP_SHOWWINDOW | SWP_NOACTIVATE);
      SendMessageA(view, WM_SETREDRAW, TRUE, 0);
      InvalidateRect(view, nullptr, TRUE);
    }
  }

 private:
  // The view over the list of that id, as the list is made.
  HWND Made(int id) const {
    HWND real = GetDlgItem(window_, id);
    const auto style = static_cast<DWORD>(GetWindowLongPtrA(real, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrA(real, GWL_EXSTYLE));
    HWND view = CreateWindowExA(
        exStyle, "LISTBOX", "",
        (style & ~(WS_VISIBLE | WS_DISABLED | WS_CLIPSIBLINGS | LBS_SORT)) | WS_CHILD, 0, 0, 0, 0,
        window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id + kViewIdOffset)), instance_,
        nullptr);
    if (view == nullptr) return nullptr;
    SendMessageA(view, WM_SETFONT, SendMessageA(real, WM_GETFONT, 0, 0), FALSE);
    return view;
  }

  HWND window_;
  HINSTANCE instance_;
  std::vector<HWND> views_;
};

// Everything the window procedure reaches between messages.
struct MainWindowState {
  HINSTANCE instance;
  engine::Context& ctx;
  const CSwitcherDlg::FrontEnd& frontEnd;
  std::unique_ptr<MainWindowHandles> handles = nullptr;
  std::unique_ptr<CSwitcherDlg> dlg = nullptr;
  std::unique_ptr<OwnerScope> owner = nullptr;
  std::unique_ptr<Placement> placement = nullptr;
  bool maximised = false;  // as the last run left it
  std::unique_ptr<FilterViews> views = nullptr;
  std::unique_ptr<CutNameTip> tip = nullptr;
  bool shown = false;
};

// The size and place of the last run, kept on the work area of a monitor there is now.
void RestorePlacement(HWND hwnd, MainWindowState& state) {
  const auto saved = settings::ReadWindowPlacement(state.ctx.fs, settings::WindowPlacementPath());
  if (!saved) return;
  RECT wanted{saved->box.x, saved->box.y, saved->box.x + saved->box.width,
              saved->box.y + saved->box.height};
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoA(MonitorFromRect(&wanted, MONITOR_DEFAULTTOPRIMARY), &monitor)) return;
  const RECT& work = monitor.rcWork;
  const settings::WindowBox kept = settings::KeptOnScreen(
      saved->box, {work.left, work.top, work.right - work.left, work.bottom - work.top},
      state.placement->smallestWindow.cx, state.placement->smallestWindow.cy);
  SetWindowPos(hwnd, nullptr, kept.x, kept.y, kept.width, kept.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
  state.maximised = saved->maximised;
}

void SavePlacement(HWND hwnd, MainWindowState& state) {
  WINDOWPLACEMENT now{};
  now.length = sizeof now;
  if (!GetWindowPlacement(hwnd, &now)) return;
  // The normal place is in work area coordinates; the window's own rectangle is in screen ones.
  RECT box = now.rcNormalPosition;
  if (now.showCmd != SW_SHOWMAXIMIZED) GetWindowRect(hwnd, &box);
  const settings::WindowPlacement placement{
      {box.left, box.top, box.right - box.left, box.bottom - box.top},
      now.showCmd == SW_SHOWMAXIMIZED};
  // Not worth a message: the next start just opens at the smallest size.
  static_cast<void>(
      settings::WriteWindowPlacement(state.ctx.fs, settings::WindowPlacementPath(), placement));
}

// Keys the dialog manager keeps to itself: Ctrl+Tab and Ctrl+Shift+Tab change tabs, Ctrl+F goes to
// the filter. Seen by a message filter of the window's modal loop, and sent to the window as one
// of these. The filter also sees the mouse move over the lists, which only the lists are sent.
constexpr UINT kStepTab = WM_APP + 1;  // wParam: 1 to the next tab, 0 to the one before
constexpr UINT kFindKey = WM_APP + 2;
// Posted when the window is first shown; the dialog manager shows it only once its queue is empty.
constexpr UINT kFirstFocus = WM_APP + 3;
// Posted with it: the controls of the hidden pages are made then.
constexpr UINT kMakePages = WM_APP + 4;
HWND keyedWindow = nullptr;

MainWindowState* StateOf(HWND hwnd) {
  return reinterpret_cast<MainWindowState*>(GetWindowLongPtrA(hwnd, DWLP_USER));
}

// The mouse over a list, or over the filtered view of one, for the tip of a cut name.
void FollowMouse(const MSG& msg) {
  MainWindowState* state = StateOf(keyedWindow);
  if (state == nullptr || !state->tip || !state->dlg || GetParent(msg.hwnd) != keyedWindow) return;
  const int id = GetDlgCtrlID(msg.hwnd);
  const int listId = FilterViews::IsList(id) ? id : FilterViews::ListOf(id);
  if (listId == 0) return;
  if (msg.message == WM_MOUSELEAVE) {
    state->tip->Hide();
    return;
  }
  const POINT mouse{static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
  state->tip->Follow(msg.hwnd, mouse, [&](int row) {
    const int whole =
        listId == id
            ? row
            : static_cast<int>(SendMessageA(msg.hwnd, LB_GETITEMDATA, static_cast<WPARAM>(row), 0));
    return state->dlg->NameTip(listId, whole);
  });
}

LRESULT CALLBACK KeyFilter(int code, WPARAM wParam, LPARAM lParam) {
  const auto* msg = reinterpret_cast<const MSG*>(lParam);
  if (code == MSGF_DIALOGBOX && keyedWindow != nullptr &&
      (msg->message == WM_MOUSEMOVE || msg->message == WM_MOUSELEAVE)) {
    FollowMouse(*msg);
  }
  if (code == MSGF_DIALOGBOX && msg->message == WM_KEYDOWN && keyedWindow != nullptr &&
      (GetKeyState(VK_CONTROL) & 0x8000) != 0 && GetAncestor(msg->hwnd, GA_ROOT) == keyedWindow) {
    if (msg->wParam == VK_TAB) {
      SendMessageA(keyedWindow, kStepTab, (GetKeyState(VK_SHIFT) & 0x8000) == 0 ? 1 : 0, 0);
      return 1;
    }
    if (msg->wParam == 'F') {
      SendMessageA(keyedWindow, kFindKey, 0, 0);
      return 1;
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The main window's class: the standard dialog class with the program's icons, so that the window
// has them from the start rather than being given them once it exists. Null when it cannot be
// registered: the window is then a plain dialog.
const char* MainWindowClass(HINSTANCE instance) {
  static const char kName[] = "VarokinMainWindow";
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  if (GetClassInfoExA(instance, kName, &windowClass)) return kName;
  if (!GetClassInfoExA(nullptr, WC_DIALOG, &windowClass)) return nullptr;
  const auto load = [instance](int metricX, int metricY) {
    return static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(VAROKIN_ICON), IMAGE_ICON,
                                         GetSystemMetrics(metricX), GetSystemMetrics(metricY),
                                         LR_DEFAULTCOLOR));
  };
  windowClass.hInstance = instance;
  windowClass.lpszClassName = kName;
  windowClass.hIcon = load(SM_CXICON, SM_CYICON);
  windowClass.hIconSm = load(SM_CXSMICON, SM_CYSMICON);
  return RegisterClassExA(&windowClass) != 0 ? kName : nullptr;
}

// Makes the controls of the tabs' pages that wait for their windows; while the window is made,
// only those of the page it opens on.
void MakePages(MainWindowState& state, bool shownOnly) {
  const std::vector<ControlSpec>& controls = MainWindowLayout().layout.controls;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const int id = controls[i].id;
    const Control* waiting = state.handles->dialog.Waiting(id);
    if (waiting == nullptr || (shownOnly && !waiting->IsVisible())) continue;
    HWND made = state.placement->Make(i);
    if (made == nullptr) continue;
    if (FilterViews::IsList(id)) FilterViews::Beneath(made);
    state.handles->dialog.Made(id, made);
  }
}

BOOL OnInit(HWND hwnd, MainWindowState& state) {
  keyedWindow = hwnd;
  const SIZE frame = AttachMenuBar(hwnd, MainWindowLayout().layout, MainWindowLayout().menuBar);
  // Placed first: the validation messages of the catalogue scan already belong to this window.
  CentreOverOwner(hwnd, &frame);
  state.placement = std::make_unique<Placement>(hwnd);
  RestorePlacement(hwnd, state);
  state.owner = std::make_unique<OwnerScope>(hwnd);
  // A list still to be made measures where it will be, inside its sunken edge.
  state.handles = std::make_unique<MainWindowHandles>(hwnd, [&state](int id) -> int {
    const Placement::Child* list = state.placement->Of(id);
    if (list == nullptr) return 0;
    const RECT place = state.placement->Now(*list);
    return static_cast<int>(place.right - place.left) - 2 * GetSystemMetrics(SM_CXEDGE);
  });
  state.views = std::make_unique<FilterViews>(hwnd, state.instance);
  state.tip = std::make_unique<CutNameTip>(hwnd);
  state.dlg = std::make_unique<CSwitcherDlg>(state.ctx, *state.handles->controls);
  state.dlg->frontEnd = state.frontEnd;
  state.dlg->OnInitDialog();
  MakePages(state, true);
  state.views->Sync(state.handles->dialog);
  // No focus yet: the first focus in the process loads the input method's support, which would
  // hold the window back from the screen. It is given once the window is shown.
  return FALSE;
}

// A notification of a control or a menu command, as CSwitcherDlg routes it.
void OnCommand(MainWindowState& state, WPARAM wParam, LPARAM lParam) {
  CSwitcherDlg& dlg = *state.dlg;
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  const bool fromMenu = lParam == 0;
  if (id == kIdCancel) {
    // Escape: what it does depends on where the focus is.
    dlg.OnEscape(GetDlgCtrlID(GetFocus()));
  } else if (fromMenu || code == BN_CLICKED) {
    dlg.OnCommand(id);
  } else if (id == kIdFilter && code == EN_CHANGE) {
    dlg.OnChange(id);
  } else if (code == LBN_SELCHANGE) {
    wchar_t className[16] = {};
    GetClassNameW(reinterpret_cast<HWND>(lParam), className, 16);
    if (lstrcmpiW(className, L"ListBox") != 0) return;
    const int listId = FilterViews::ListOf(id);
    if (Win32ListBox* list = listId ? state.handles->dialog.Win32List(listId) : nullptr) {
      FilterViews::Click(reinterpret_cast<HWND>(lParam), *list);
      dlg.OnSelchange(listId);
    } else {
      dlg.OnSelchange(id);
    }
  }
}

void EndWhenDone(HWND hwnd, const CSwitcherDlg& dlg) {
  const CSwitcherDlg::Result result = dlg.GetResult();
  if (result == CSwitcherDlg::Result::kRunning) return;
  if (MainWindowState* state = StateOf(hwnd); state != nullptr && state->placement) {
    SavePlacement(hwnd, *state);
  }
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
    case WM_GETMINMAXINFO:
      if (state->placement) {
        auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
        limits->ptMinTrackSize.x = state->placement->smallestWindow.cx;
        limits->ptMinTrackSize.y = state->placement->smallestWindow.cy;
      }
      return TRUE;
    case WM_SIZE:
      if (!state->placement || wParam == SIZE_MINIMIZED) return FALSE;
      state->placement->Follow();
      dlg.OnSize();
      state->views->Sync(state->handles->dialog);
      return FALSE;
    case WM_SHOWWINDOW:
      if (wParam && !state->shown) {
        state->shown = true;
        if (state->maximised) PostMessageA(hwnd, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
        PostMessageA(hwnd, kFirstFocus, 0, 0);
        PostMessageA(hwnd, kMakePages, 0, 0);
      }
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
      OnCommand(*state, wParam, lParam);
      break;
    case kStepTab:
      dlg.OnStepTab(wParam != 0);
      break;
    case kFirstFocus:
      // The tab control comes first: it lies beneath the lists, so it is last in the window's
      // order, and the focus starts on it instead, Tab going on from it to the filter.
      SetFocus(GetDlgItem(hwnd, kIdTabs));
      return TRUE;
    case kMakePages:
      MakePages(*state, false);
      break;
    case kFindKey: {
      HWND filter = GetDlgItem(hwnd, kIdFilter);
      SetFocus(filter);
      SendMessageA(filter, EM_SETSEL, 0, -1);
      return TRUE;
    }
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
  state->views->Sync(state->handles->dialog);
  EndWhenDone(hwnd, dlg);
  return TRUE;
}

}  // namespace

void RunMainWindow(HINSTANCE instance, engine::Context& ctx,
                   const CSwitcherDlg::FrontEnd& frontEnd) {
  MainWindowState state{instance, ctx, frontEnd};
  const MainWindowTemplate& layout = MainWindowLayout();
  const std::vector<WORD> dialog =
      DialogTemplate(layout.layout, &layout.tabs, false, MainWindowClass(instance));
  HHOOK keys = SetWindowsHookExA(WH_MSGFILTER, KeyFilter, nullptr, GetCurrentThreadId());
  DialogBoxIndirectParamA(instance, reinterpret_cast<LPCDLGTEMPLATEA>(dialog.data()), nullptr,
                          MainWindowProc, reinterpret_cast<LPARAM>(&state));
  keyedWindow = nullptr;
  if (keys != nullptr) UnhookWindowsHookEx(keys);
}

}  // namespace varokin::ui::win32
