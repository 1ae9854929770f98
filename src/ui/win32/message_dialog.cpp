#include "ui/win32/message_dialog.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "ui/win32/owner_window.h"
#include "ui/win32/win32_prompts.h"

namespace varokin::ui::win32 {

namespace {

constexpr int kTextId = 100;
constexpr int kMargin = 11;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 6;
// Narrowest text area, so that a few long lines do not make a sliver of a box.
constexpr int kMinTextWidth = 200;

// The font message boxes are written in.
class MessageFont {
 public:
  MessageFont() {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
      font_ = CreateFontIndirectA(&metrics.lfMessageFont);
    }
  }
  ~MessageFont() {
    if (font_) DeleteObject(font_);
  }
  MessageFont(const MessageFont&) = delete;
  MessageFont& operator=(const MessageFont&) = delete;

  HFONT Get() const { return font_ ? font_ : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

 private:
  HFONT font_ = nullptr;
};

// The text's extent in that font; wrapped at wrapWidth, or line by line when it is 0.
RECT TextExtent(HFONT font, const std::string& text, int wrapWidth) {
  RECT extent{0, 0, wrapWidth, 0};
  HDC dc = GetDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, font);
  const UINT wrap = wrapWidth > 0 ? DT_WORDBREAK : 0;
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &extent,
            DT_CALCRECT | DT_EXPANDTABS | DT_NOPREFIX | DT_LEFT | wrap);
  SelectObject(dc, previous);
  ReleaseDC(nullptr, dc);
  return extent;
}

RECT WorkArea(HWND window) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  HMONITOR monitor = window ? MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST)
                            : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
  if (!GetMonitorInfoA(monitor, &info)) {
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &info.rcWork, 0);
  }
  return info.rcWork;
}

// What the box adds to its text's height: caption, frame, margins and the row of buttons.
int Chrome() {
  return GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYFIXEDFRAME) + 3 * kMargin +
         kButtonHeight;
}

struct Request {
  const std::string& text;
  Buttons buttons;
  Icon icon;
  HWND owner;
  HFONT font;
};

struct ButtonSpec {
  int id;
  const char* text;
};

std::vector<ButtonSpec> ButtonsOf(Buttons buttons) {
  switch (buttons) {
    case Buttons::kYesNo:
      return {{IDYES, "&Yes"}, {IDNO, "&No"}};
    case Buttons::kYesNoCancel:
      return {{IDYES, "&Yes"}, {IDNO, "&No"}, {IDCANCEL, "Cancel"}};
    case Buttons::kFinishUndoLeave:
      return {{IDYES, "&Finish"}, {IDNO, "&Undo"}, {IDCANCEL, "Leave it"}};
    case Buttons::kOk:
      break;
  }
  return {{IDOK, "OK"}};
}

// The system's icons by number: the A and W forms of IDI_* differ in type only.
HICON SystemIcon(Icon icon) {
  switch (icon) {
    case Icon::kExclamation:
      return LoadIconW(nullptr, MAKEINTRESOURCEW(32515));
    case Icon::kQuestion:
      return LoadIconW(nullptr, MAKEINTRESOURCEW(32514));
    case Icon::kStop:
      return LoadIconW(nullptr, MAKEINTRESOURCEW(32513));
    case Icon::kNone:
      break;
  }
  return nullptr;
}

// The edit control wants CR LF; the text is otherwise shown as it is.
std::string WithCrLf(const std::string& text) {
  std::string shown;
  shown.reserve(text.size() + text.size() / 16);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) shown += '\r';
    shown += text[i];
  }
  return shown;
}

HWND Child(HWND parent, const char* windowClass, const char* text, DWORD style, int id,
           const RECT& place, HFONT font) {
  HWND child = CreateWindowExA(0, windowClass, text, WS_CHILD | WS_VISIBLE | style, place.left,
                               place.top, place.right - place.left, place.bottom - place.top,
                               parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               GetModuleHandleA(nullptr), nullptr);
  if (child) SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return child;
}

void Layout(HWND dialog, const Request& request) {
  const RECT work = WorkArea(request.owner ? request.owner : dialog);
  const int workWidth = work.right - work.left;
  const int workHeight = work.bottom - work.top;
  const int scrollBar = GetSystemMetrics(SM_CXVSCROLL);
  const int natural = TextExtent(request.font, request.text, 0).right;
  const int textWidth =
      std::clamp(natural + 8, kMinTextWidth, std::max(kMinTextWidth, workWidth / 2));

  HICON icon = SystemIcon(request.icon);
  const int iconSize = GetSystemMetrics(SM_CXICON);
  const int textLeft = kMargin + (icon ? iconSize + kMargin : 0);
  const std::vector<ButtonSpec> specs = ButtonsOf(request.buttons);
  const int buttonsWidth =
      static_cast<int>(specs.size()) * (kButtonWidth + kButtonGap) - kButtonGap;
  const int clientWidth =
      std::max(textLeft + textWidth + scrollBar + kMargin, buttonsWidth + 2 * kMargin);
  const int textHeight = std::max(3 * kButtonHeight, workHeight * 2 / 3 - Chrome());
  const int clientHeight = kMargin + textHeight + kMargin + kButtonHeight + kMargin;

  // The buttons first: they come first in the tab order, as in a message box.
  int x = (clientWidth - buttonsWidth) / 2;
  const int y = clientHeight - kMargin - kButtonHeight;
  for (std::size_t i = 0; i < specs.size(); ++i) {
    const DWORD kind = i == 0 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    Child(dialog, "BUTTON", specs[i].text, WS_TABSTOP | (i == 0 ? WS_GROUP : 0) | kind, specs[i].id,
          RECT{x, y, x + kButtonWidth, y + kButtonHeight}, request.font);
    x += kButtonWidth + kButtonGap;
  }
  SendMessageA(dialog, DM_SETDEFID, specs.front().id, 0);

  if (icon) {
    HWND picture =
        Child(dialog, "STATIC", nullptr, SS_ICON, -1,
              RECT{kMargin, kMargin, kMargin + iconSize, kMargin + iconSize}, request.font);
    SendMessageA(picture, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
  }
  HWND text = Child(
      dialog, "EDIT", "",
      WS_TABSTOP | WS_GROUP | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, kTextId,
      RECT{textLeft, kMargin, clientWidth - kMargin, kMargin + textHeight}, request.font);
  SendMessageA(text, EM_SETLIMITTEXT, 0, 0);
  SetWindowTextA(text, WithCrLf(request.text).c_str());

  RECT frame{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_EXSTYLE)));
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  SetWindowPos(dialog, nullptr, work.left + (workWidth - width) / 2,
               work.top + (workHeight - height) / 2, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  CentreOverOwner(dialog);

  if (!EscapeAnswer(request.buttons)) {
    // As on a Yes/No message box: no close box, the question must be answered.
    EnableMenuItem(GetSystemMenu(dialog, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
  }
  SetFocus(GetDlgItem(dialog, specs.front().id));
}

INT_PTR CALLBACK MessageProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      const auto* request = reinterpret_cast<const Request*>(lParam);
      SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      Layout(dialog, *request);
      return FALSE;  // the focus is set
    }
    case WM_COMMAND: {
      const auto* request = reinterpret_cast<const Request*>(GetWindowLongPtrA(dialog, DWLP_USER));
      switch (LOWORD(wParam)) {
        case IDYES:
        case IDNO:
        case IDOK:
          EndDialog(dialog, LOWORD(wParam));
          return TRUE;
        case IDCANCEL:
          // Escape, the close box and the Cancel button alike.
          if (const std::optional<Answer> escape = EscapeAnswer(request->buttons)) {
            EndDialog(dialog, *escape == Answer::kOk ? IDOK : IDCANCEL);
          }
          return TRUE;
      }
      break;
    }
  }
  return FALSE;
}

// A dialog without controls: they are made, and the box sized, when it opens.
std::vector<WORD> EmptyTemplate() {
  std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
  auto* header = reinterpret_cast<DLGTEMPLATE*>(words.data());
  header->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFOREGROUND;
  words.push_back(0);  // no menu
  words.push_back(0);  // the standard dialog class
  for (const char* c = kApplicationName; *c; ++c) words.push_back(static_cast<WORD>(*c));
  words.push_back(0);
  return words;
}

}  // namespace

bool TooTallForMessageBox(HWND owner, const std::string& text) {
  const RECT work = WorkArea(owner);
  const MessageFont font;
  // About as wide as a message box lets its text grow before it wraps.
  const int wrap = (work.right - work.left) * 3 / 4;
  const int textHeight = TextExtent(font.Get(), text, wrap).bottom;
  return NeedsScrolling(textHeight + Chrome(), work.bottom - work.top);
}

int ScrollingMessageBox(HWND owner, const std::string& text, Buttons buttons, Icon icon) {
  const MessageFont font;
  const Request request{text, buttons, icon, owner, font.Get()};
  const std::vector<WORD> dialog = EmptyTemplate();
  const INT_PTR pressed = DialogBoxIndirectParamA(
      GetModuleHandleA(nullptr), reinterpret_cast<LPCDLGTEMPLATEA>(dialog.data()), owner,
      MessageProc, reinterpret_cast<LPARAM>(&request));
  return static_cast<int>(pressed);
}

}  // namespace varokin::ui::win32
