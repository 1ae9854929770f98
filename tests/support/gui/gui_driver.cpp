// Drives a running Varokin.exe from outside, as a user's clicks would: selects list rows, presses
// buttons, chooses menu items, switches tabs and answers message boxes. Runs in the same Wine
// prefix as the program. Exit status 0 when the step was done, 1 when not, 2 on a wrong call.
//
// Text crosses the process boundary only through the wide-character messages: some Wine versions
// answer a cross-process LB_GETTEXT in UTF-16 even when asked in ANSI.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr char kMessageBoxClass[] = "#32770";
constexpr int kMessageBoxTextId = 0xFFFF;

std::wstring Wide(const std::string& text) {
  const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  std::wstring wide(static_cast<size_t>(length > 0 ? length : 1), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), length);
  wide.resize(wide.size() - 1);
  return wide;
}

std::string Utf8(const std::wstring& text) {
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<size_t>(length > 0 ? length : 1), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, narrow.data(), length, nullptr, nullptr);
  narrow.resize(narrow.size() - 1);
  return narrow;
}

std::wstring WindowText(HWND hwnd) {
  // WM_GETTEXT itself: GetWindowTextW would not ask a window of another process.
  wchar_t buffer[4096] = {};
  SendMessageW(hwnd, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(buffer));
  return buffer;
}

// Waits up to seconds for a top-level window; nullptr when none came.
HWND WaitForWindow(const char* className, const std::string& title, double seconds,
                   bool reportMissing = true) {
  for (double waited = 0; waited <= seconds; waited += 0.1) {
    if (HWND found = FindWindowA(className, title.c_str())) return found;
    Sleep(100);
  }
  if (reportMissing) std::fprintf(stderr, "no window \"%s\"\n", title.c_str());
  return nullptr;
}

HWND Control(HWND window, int id) {
  HWND control = GetDlgItem(window, id);
  if (control == nullptr) std::fprintf(stderr, "no control %d\n", id);
  return control;
}

int RowOf(HWND list, const std::wstring& text) {
  const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  for (int row = 0; row < count; ++row) {
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, row, 0);
    if (length < 0) continue;
    std::wstring rowText(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, row, reinterpret_cast<LPARAM>(rowText.data()));
    rowText.resize(static_cast<size_t>(length));
    if (rowText == text) return row;
  }
  return -1;
}

// A click on a row: selects it, or toggles it in a multiple-selection list, and tells the window.
int Select(HWND window, int id, const std::string& text) {
  HWND list = Control(window, id);
  if (list == nullptr) return 1;
  const int row = RowOf(list, Wide(text));
  if (row < 0) {
    std::fprintf(stderr, "no row \"%s\" in list %d\n", text.c_str(), id);
    return 1;
  }
  if (GetWindowLongW(list, GWL_STYLE) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) {
    const bool selected = SendMessageW(list, LB_GETSEL, row, 0) > 0;
    SendMessageW(list, LB_SETSEL, selected ? FALSE : TRUE, row);
    SendMessageW(list, LB_SETANCHORINDEX, row, 0);
    SendMessageW(list, LB_SETCARETINDEX, row, FALSE);
  } else {
    // A click makes the row the anchor of a single-selection list too.
    SendMessageW(list, LB_SETCURSEL, row, 0);
    SendMessageW(list, LB_SETANCHORINDEX, row, 0);
  }
  // Posted: the handler may open a message box, which this program answers in a later call.
  PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
  return 0;
}

// A button press (a control id) or a menu command (an id that is no control of the window).
int Command(HWND window, int id) {
  HWND control = GetDlgItem(window, id);
  PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
  return 0;
}

// Shows the message of a message box and presses one of its buttons (IDOK 1, IDYES 6, IDNO 7).
int Answer(const std::string& caption, int button, double seconds) {
  HWND box = WaitForWindow(kMessageBoxClass, caption, seconds);
  if (box == nullptr) return 1;
  std::printf("%s\n", Utf8(WindowText(GetDlgItem(box, kMessageBoxTextId))).c_str());
  HWND pressed = GetDlgItem(box, button);
  if (pressed == nullptr) {
    std::fprintf(stderr, "the message box has no button %d\n", button);
    return 1;
  }
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(pressed));
  return 0;
}

int Usage() {
  std::fprintf(
      stderr,
      "usage: gui_driver wait TITLE [SECONDS] | gone TITLE [SECONDS]\n"
      "       | select TITLE LIST_ID ROW_TEXT | command TITLE ID | close TITLE | disabled TITLE\n"
      "       | key TITLE CONTROL_ID left|right | text TITLE CONTROL_ID\n"
      "       | size TITLE [CONTROL_ID] | resize TITLE WIDTH HEIGHT\n"
      "       | type TITLE EDIT_ID TEXT | rows TITLE LIST_ID | tab TITLE TABS_ID\n"
      "       | ctrl TITLE tab|shift+tab|LETTER | maximise TITLE | focus TITLE\n"
      "       | spot TITLE LIST_ID ROW_TEXT | tip TITLE\n"
      "       | answer CAPTION BUTTON_ID [SECONDS] | nobox CAPTION SECONDS\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Usage();
  const std::string verb = argv[1];
  const std::string title = argv[2];
  const double seconds = argc > 3 ? std::atof(argv[3]) : 30;
  if (verb == "wait") return WaitForWindow(nullptr, title, seconds) ? 0 : 1;
  if (verb == "gone") {
    for (double waited = 0; waited <= seconds; waited += 0.1) {
      if (FindWindowA(nullptr, title.c_str()) == nullptr) return 0;
      Sleep(100);
    }
    std::fprintf(stderr, "window \"%s\" still open\n", title.c_str());
    return 1;
  }
  if (verb == "answer")
    return argc >= 4 ? Answer(title, std::atoi(argv[3]), argc > 4 ? std::atof(argv[4]) : 30)
                     : Usage();
  if (verb == "nobox") {
    HWND box = WaitForWindow(kMessageBoxClass, title, seconds, false);
    if (box == nullptr) return 0;
    std::printf("unexpected message: %s\n",
                Utf8(WindowText(GetDlgItem(box, kMessageBoxTextId))).c_str());
    return 1;
  }

  HWND window = WaitForWindow(nullptr, title, 10);
  if (window == nullptr) return 1;
  if (verb == "select" && argc == 5) return Select(window, std::atoi(argv[3]), argv[4]);
  if (verb == "command" && argc == 4) return Command(window, std::atoi(argv[3]));
  // A window that a message box or dialog of its own keeps disabled.
  if (verb == "disabled") return IsWindowEnabled(window) ? 1 : 0;
  // The close box of the window's frame.
  if (verb == "close") return PostMessageW(window, WM_CLOSE, 0, 0) ? 0 : 1;
  if (verb == "key" && argc == 5) {
    HWND control = Control(window, std::atoi(argv[3]));
    if (control == nullptr) return 1;
    const WPARAM key = std::string(argv[4]) == "left" ? VK_LEFT : VK_RIGHT;
    PostMessageW(control, WM_KEYDOWN, key, 1);
    PostMessageW(control, WM_KEYUP, key, 0xC0000001);
    return 0;
  }
  // The window's outer size, or a control's.
  if (verb == "size" && argc <= 4) {
    HWND which = argc == 4 ? Control(window, std::atoi(argv[3])) : window;
    RECT rect{};
    if (which == nullptr || !GetWindowRect(which, &rect)) return 1;
    std::printf("%ld %ld\n", rect.right - rect.left, rect.bottom - rect.top);
    return 0;
  }
  if (verb == "maximise") {
    ShowWindow(window, SW_MAXIMIZE);
    return IsZoomed(window) ? 0 : 1;
  }
  // Drags the frame to this outer size, as a user would.
  if (verb == "resize" && argc == 5) {
    return SetWindowPos(window, nullptr, 0, 0, std::atoi(argv[3]), std::atoi(argv[4]),
                        SWP_NOMOVE | SWP_NOZORDER)
               ? 0
               : 1;
  }
  // Types into an edit: its text replaced, as the edit then tells its window.
  if (verb == "type" && argc == 5) {
    HWND control = Control(window, std::atoi(argv[3]));
    if (control == nullptr) return 1;
    const std::wstring text = Wide(argv[4]);
    SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    return 0;
  }
  // The texts of a list's rows, one a line.
  if (verb == "rows" && argc == 4) {
    HWND list = Control(window, std::atoi(argv[3]));
    if (list == nullptr) return 1;
    const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) {
      wchar_t text[512] = {};
      if (SendMessageW(list, LB_GETTEXTLEN, row, 0) < 512) {
        SendMessageW(list, LB_GETTEXT, row, reinterpret_cast<LPARAM>(text));
      }
      std::printf("%s\n", Utf8(text).c_str());
    }
    return 0;
  }
  // The id of the window's control that has the focus.
  if (verb == "focus") {
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &gui)) return 1;
    std::printf("%d\n", GetDlgCtrlID(gui.hwndFocus));
    return 0;
  }
  // The selected tab of a tab control.
  if (verb == "tab" && argc == 4) {
    HWND control = Control(window, std::atoi(argv[3]));
    if (control == nullptr) return 1;
    std::printf("%d\n", static_cast<int>(SendMessageW(control, TCM_GETCURSEL, 0, 0)));
    return 0;
  }
  // Ctrl with a key (a letter, or "tab"), with Shift too for "shift+tab", typed into the window.
  if (verb == "ctrl" && argc == 4) {
    const std::string key = argv[3];
    const bool shift = key == "shift+tab";
    const WORD code = key == "tab" || shift ? VK_TAB : static_cast<WORD>(std::toupper(key[0]));
    SetForegroundWindow(window);
    std::vector<INPUT> inputs;
    const auto press = [&inputs](WORD vk, bool up) {
      INPUT input{};
      input.type = INPUT_KEYBOARD;
      input.ki.wVk = vk;
      input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
      inputs.push_back(input);
    };
    press(VK_CONTROL, false);
    if (shift) press(VK_SHIFT, false);
    press(code, false);
    press(code, true);
    if (shift) press(VK_SHIFT, true);
    press(VK_CONTROL, true);
    return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) ==
                   inputs.size()
               ? 0
               : 1;
  }
  // Scrolls a list to a row and prints a point of the screen on that row, for the mouse.
  if (verb == "spot" && argc == 5) {
    HWND list = Control(window, std::atoi(argv[3]));
    const int row = list ? RowOf(list, Wide(argv[4])) : -1;
    if (row < 0) return 1;
    SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(row), 0);
    RECT rect{};
    if (SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(&rect)) == LB_ERR) {
      return 1;
    }
    POINT spot{rect.left + 8, (rect.top + rect.bottom) / 2};
    ClientToScreen(list, &spot);
    std::printf("%ld %ld\n", spot.x, spot.y);
    return 0;
  }
  // The text of the tooltip the window's program shows, if it shows one.
  if (verb == "tip") {
    struct Search {
      DWORD process;
      std::wstring text;
      bool found;
    } search{0, {}, false};
    GetWindowThreadProcessId(window, &search.process);
    EnumWindows(
        [](HWND hwnd, LPARAM found) -> BOOL {
          auto& s = *reinterpret_cast<Search*>(found);
          wchar_t className[32] = {};
          DWORD process = 0;
          GetWindowThreadProcessId(hwnd, &process);
          GetClassNameW(hwnd, className, 32);
          if (process != s.process || !IsWindowVisible(hwnd) ||
              lstrcmpiW(className, TOOLTIPS_CLASSW) != 0) {
            return TRUE;
          }
          wchar_t text[1024] = {};
          SendMessageW(hwnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
          s.text = text;
          s.found = true;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    if (!search.found) return 1;
    std::printf("%s\n", Utf8(search.text).c_str());
    return 0;
  }
  if (verb == "text" && argc == 4) {
    HWND control = Control(window, std::atoi(argv[3]));
    if (control == nullptr) return 1;
    std::printf("%s\n", Utf8(WindowText(control)).c_str());
    return 0;
  }
  return Usage();
}
