#include "ui/win32/win32_prompts.h"

#include <windows.h>
// After windows.h, which it needs.
#include <commdlg.h>

#include <vector>

#include "ui/win32/owner_window.h"

namespace varokin::ui::win32 {

namespace {

UINT ButtonFlags(Buttons buttons) {
  switch (buttons) {
    case Buttons::kYesNo:
      return MB_YESNO;
    case Buttons::kYesNoCancel:
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

std::optional<std::string> AskForFile(const FileDialogRequest& request, bool save) {
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
  BOOL chosen;
  if (save) {
    ofn.Flags |= OFN_OVERWRITEPROMPT;
    chosen = GetSaveFileNameA(&ofn);
  } else {
    ofn.Flags |= OFN_FILEMUSTEXIST;
    chosen = GetOpenFileNameA(&ofn);
  }
  if (!chosen) return std::nullopt;
  return std::string(file.data());
}

}  // namespace

Answer Win32Prompts::Message(const std::string& text, Buttons buttons, Icon icon) {
  const int pressed = MessageBoxA(CurrentOwner(), text.c_str(), kApplicationName,
                                  ButtonFlags(buttons) | IconFlags(icon) | MB_SETFOREGROUND);
  switch (pressed) {
    case IDYES:
      return Answer::kYes;
    case IDNO:
      return Answer::kNo;
    case IDCANCEL:
      return Answer::kCancel;
    default:
      return Answer::kOk;
  }
}

std::optional<std::string> Win32Prompts::OpenFile(const FileDialogRequest& request) {
  return AskForFile(request, false);
}

std::optional<std::string> Win32Prompts::SaveFile(const FileDialogRequest& request) {
  return AskForFile(request, true);
}

}  // namespace varokin::ui::win32
