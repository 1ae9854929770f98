#include "ui/win32/win32_dialogs.h"

#include <vector>

#include "ui/win32/dialog_template.h"
#include "ui/win32/owner_window.h"

namespace varokin::ui::win32 {

namespace {

// What the dialog procedure needs between messages.
struct RunningDialog {
  ModalDialog& dialog;
  std::unique_ptr<Win32DialogControls> controls;
  std::unique_ptr<OwnerScope> owner;
};

RunningDialog* RunningOf(HWND hwnd) {
  return reinterpret_cast<RunningDialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
}

void Forward(RunningDialog& running, int id, int code) {
  ModalDialog& dialog = running.dialog;
  switch (code) {
    case EN_CHANGE:
      dialog.OnChange(id);
      break;
    case EN_KILLFOCUS:
      dialog.OnKillFocus(id);
      break;
    case BN_CLICKED:
      dialog.OnCommand(id);
      break;
    case LBN_SELCHANGE:
      // The same code as BN_PAINT of an owner-drawn button: only lists' count.
      if (running.controls && running.controls->IsList(id)) dialog.OnSelchange(id);
      break;
    default:
      break;
  }
}

// The edit the layout opens with its text selected takes the focus, that text selected. False
// when the layout names none.
bool FocusOpeningSelection(HWND dialog, const DialogLayout& layout) {
  for (const ControlSpec& item : layout.controls) {
    if (!item.startsSelected) continue;
    HWND edit = GetDlgItem(dialog, item.id);
    if (edit == nullptr) return false;
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    return true;
  }
  return false;
}

INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* running = reinterpret_cast<RunningDialog*>(lParam);
    SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
    CentreOverOwner(hwnd);
    running->owner = std::make_unique<OwnerScope>(hwnd);
    const DialogLayout& layout = running->dialog.Layout();
    running->controls = std::make_unique<Win32DialogControls>(hwnd, layout);
    bool defaultFocus = running->dialog.OnInitDialog(*running->controls);
    if (running->dialog.Ended()) EndDialog(hwnd, running->dialog.Result());
    if (defaultFocus && FocusOpeningSelection(hwnd, layout)) defaultFocus = false;
    return defaultFocus ? TRUE : FALSE;
  }
  RunningDialog* running = RunningOf(hwnd);
  if (running == nullptr) return FALSE;
  if (message == WM_CLOSE) {
    running->dialog.OnCommand(CommandForKey(running->dialog.Layout(), DialogKey::kCloseBox));
  } else if (message == WM_COMMAND) {
    Forward(*running, LOWORD(wParam), HIWORD(wParam));
  } else {
    return FALSE;
  }
  if (running->dialog.Ended()) EndDialog(hwnd, running->dialog.Result());
  return TRUE;
}

}  // namespace

Win32DialogControls::Win32DialogControls(HWND dialog, const DialogLayout& layout,
                                         const std::function<int(int id)>& widthOf)
    : dialog_(dialog) {
  for (const ControlSpec& item : layout.controls) {
    if (item.id == -1) continue;
    HWND control = GetDlgItem(dialog, item.id);
    if (control == nullptr && !(item.onTabPage && widthOf)) continue;
    const int id = item.id;
    switch (item.kind) {
      case ControlKind::kList:
        lists_[id] = control != nullptr ? std::make_unique<Win32ListBox>(control)
                                        : std::make_unique<Win32ListBox>(
                                              dialog, item, [widthOf, id] { return widthOf(id); });
        break;
      case ControlKind::kEdit:
      case ControlKind::kLabel:
      case ControlKind::kGroupBox:
        texts_[id] = control != nullptr ? std::make_unique<Win32Text>(control)
                                        : std::make_unique<Win32Text>(id);
        break;
      case ControlKind::kCheckBox:
        if (control != nullptr) checks_[id] = std::make_unique<Win32CheckBox>(control);
        break;
      case ControlKind::kButton:
      case ControlKind::kDefaultButton:
        if (control != nullptr) buttons_[id] = std::make_unique<Win32Button>(control);
        break;
    }
  }
}

const Control* Win32DialogControls::Waiting(int id) {
  if (const Win32ListBox* list = Find(lists_, id); list != nullptr && list->Handle() == nullptr) {
    return list;
  }
  const Win32Text* text = Find(texts_, id);
  return text != nullptr && text->Handle() == nullptr ? text : nullptr;
}

void Win32DialogControls::Made(int id, HWND hwnd) {
  if (Win32ListBox* list = Find(lists_, id)) list->Made(hwnd);
  if (Win32Text* text = Find(texts_, id)) text->Made(hwnd);
}

std::string Win32DialogControls::Title() const {
  std::vector<char> buffer(static_cast<size_t>(GetWindowTextLengthA(dialog_)) + 1);
  const int copied = GetWindowTextA(dialog_, buffer.data(), static_cast<int>(buffer.size()));
  return std::string(buffer.data(), static_cast<size_t>(copied > 0 ? copied : 0));
}

int Win32DialogRunner::DoModal(ModalDialog& dialog) {
  RunningDialog running{dialog, nullptr, nullptr};
  const std::vector<WORD> layout = DialogTemplate(dialog.Layout());
  const INT_PTR result =
      DialogBoxIndirectParamA(instance_, reinterpret_cast<LPCDLGTEMPLATEA>(layout.data()),
                              CurrentOwner(), DialogProc, reinterpret_cast<LPARAM>(&running));
  return result <= 0 ? kIdCancelDialog : static_cast<int>(result);
}

}  // namespace varokin::ui::win32
