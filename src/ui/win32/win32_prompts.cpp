#include "ui/win32/win32_prompts.h"

#include <windows.h>
// After windows.h, which it needs.
#include <commdlg.h>

#include <vector>

#include "ui/win32/message_dialog.h"
#include "ui/win32/owner_window.h"

namespace varokin::ui::win32 {

namespace {

UINT ButtonFlags(Buttons buttons) {
  switch (buttons) {
    case Buttons::kYesNo:
      return MB_YESNO;
    case Buttons::kYesNoCancel:
    case Buttons::kFinishUndoLeave:
      return MB_YESNOCANCEL;
    case Buttons::kOk:
      break;
  }
  return MB_OK;
}

UINT IconFlags(Icon icon) {
  switch (icon) {
    case Icon::kExclamation:
      return MB_ICONEXCLAMATION;
    case Icon::kQuestion:
      return MB_ICONQUESTION;
    case Icon::kStop:
      return MB_ICONSTOP;
    case Icon::kNone:
      break;
  }
  return 0;
}

// "Text (*.x)|*.x||" as the dialog wants it: every "|" a terminating zero.
std::vector<char> Filter(const std::string& filter) {
  std::vector<char> result(filter.begin(), filter.end());
  for (char& c : result) {
    if (c == '|') c = '\0';
  }
  result.push_back('\0');
  result.push_back('\0');
  return result;
}

// Works on the next message box as it opens: centres it over its owner (left to itself it opens in
// the middle of the screen, away from the window it speaks of) and, on a Yes/No box, refuses
// Escape and the close box, which Wine's MessageBox would answer with IDCANCEL.
class MessageBoxHook {
 public:
  MessageBoxHook(HWND owner, Buttons buttons) {
    owner_ = owner;
    unanswerable_ = !EscapeAnswer(buttons).has_value();
    if (owner_ || unanswerable_) {
      hook_ = SetWindowsHookExA(WH_CBT, OnCbt, nullptr, GetCurrentThreadId());
    }
  }
  ~MessageBoxHook() { Release(); }
  MessageBoxHook(const MessageBoxHook&) = delete;
  MessageBoxHook& operator=(const MessageBoxHook&) = delete;

 private:
  static void Release() {
    if (hook_) UnhookWindowsHookEx(hook_);
    hook_ = nullptr;
  }
  // The box is placed when it is first activated; later activations are the user's business.
  static LRESULT CALLBACK OnCbt(int code, WPARAM wParam, LPARAM lParam) {
    const HHOOK hook = hook_;
    if (code == HCBT_ACTIVATE) {
      HWND box = reinterpret_cast<HWND>(wParam);
      char windowClass[16] = {};
      GetClassNameA(box, windowClass, sizeof windowClass);
      if (std::string(windowClass) == "#32770") {
        CentreOverOwner(box);
        if (unanswerable_) {
          boxProc_ = reinterpret_cast<WNDPROC>(
              SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WithoutCancel)));
        }
        Release();
      }
    }
    return CallNextHookEx(hook, code, wParam, lParam);
  }
  // Escape and the close box both arrive as IDCANCEL.
  static LRESULT CALLBACK WithoutCancel(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) return 0;
    return CallWindowProcW(boxProc_, box, message, wParam, lParam);
  }

  // One user-interface thread, one message box at a time.
  static inline HHOOK hook_ = nullptr;
  static inline HWND owner_ = nullptr;
  static inline bool unanswerable_ = false;
  static inline WNDPROC boxProc_ = nullptr;
};

// The common dialogs' library brings the shell and the print spooler with it; loaded only when a
// file dialog is first asked for, it keeps them out of the program's start-up.
using FileDialogFunction = BOOL(WINAPI*)(OPENFILENAMEA*);

FileDialogFunction CommonDialog(const char* name) {
  static const HMODULE library = LoadLibraryA("comdlg32.dll");
  if (library == nullptr) return nullptr;
  // Through a function type without arguments, the one a cast between function types may take.
  return reinterpret_cast<FileDialogFunction>(
      reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
}

std::optional<std::string> AskForFile(const FileDialogRequest& request, bool save) {
  const FileDialogFunction ask = CommonDialog(save ? "GetSaveFileNameA" : "GetOpenFileNameA");
  if (ask == nullptr) return std::nullopt;
  std::vector<char> file(MAX_PATH * 4, '\0');
  request.fileName.copy(file.data(), file.size() - 1);
  std::vector<char> filter = Filter(request.filter);

  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = CurrentOwner();
  ofn.lpstrFilter = request.filter.empty() ? nullptr : filter.data();
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrInitialDir = request.initialDir.empty() ? nullptr : request.initialDir.c_str();
  ofn.lpstrTitle = request.title.empty() ? nullptr : request.title.c_str();
  ofn.lpstrDefExt = request.defaultExt.empty() ? nullptr : request.defaultExt.c_str();
  // The working directory is the TA folder: every relative path of the program depends on it.
  ofn.Flags = OFN_NOCHANGEDIR | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_EXPLORER;
  ofn.Flags |= save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST;
  if (!ask(&ofn)) return std::nullopt;
  return std::string(file.data());
}

}  // namespace

Answer Win32Prompts::Message(const std::string& text, Buttons buttons, Icon icon) {
  HWND owner = CurrentOwner();
  int pressed = 0;
  // The system's box cannot label its buttons; our own can.
  if (buttons == Buttons::kFinishUndoLeave || TooTallForMessageBox(owner, text)) {
    MessageBeep(IconFlags(icon));
    pressed = ScrollingMessageBox(owner, text, buttons, icon);
  }
  if (pressed <= 0) {
    const MessageBoxHook hook(owner, buttons);
    pressed = MessageBoxA(owner, text.c_str(), kApplicationName,
                          ButtonFlags(buttons) | IconFlags(icon) | MB_SETFOREGROUND);
  }
  switch (pressed) {
    case IDYES:
      return Answer::kYes;
    case IDNO:
      return Answer::kNo;
    case IDOK:
      return Answer::kOk;
    default:
      // Escape or the close box, which Wine's MessageBox answers with IDCANCEL also on a box of
      // OK alone.
      return EscapeAnswer(buttons).value_or(Answer::kNo);
  }
}

std::optional<std::string> Win32Prompts::OpenFile(const FileDialogRequest& request) {
  return AskForFile(request, false);
}

std::optional<std::string> Win32Prompts::SaveFile(const FileDialogRequest& request) {
  return AskForFile(request, true);
}

}  // namespace varokin::ui::win32
