#include "ui/win32/win32_controls.h"

#include <commctrl.h>

#include <vector>

namespace varokin::ui::win32 {

namespace {

LPARAM TextParam(const std::string& text) { return reinterpret_cast<LPARAM>(text.c_str()); }

int RowOrError(LRESULT result) { return result < 0 ? ListBox::kError : static_cast<int>(result); }

}  // namespace

Win32ListBox::Win32ListBox(HWND hwnd) : Win32Control(hwnd) {
  const LONG_PTR style = GetWindowLongPtrA(hwnd, GWL_STYLE);
  sorted_ = (style & LBS_SORT) != 0;
  multiple_ = (style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0;
}

void Win32ListBox::KeepAnchorAfterInsert(int anchorBefore, int index) {
  if (!multiple_ || anchorBefore < 0) return;
  Send(LB_SETANCHORINDEX, anchorBefore >= index ? anchorBefore + 1 : anchorBefore);
}

int Win32ListBox::AddString(const std::string& text) {
  const int anchor = multiple_ ? GetAnchorIndex() : kError;
  int row = RowOrError(Send(LB_ADDSTRING, 0, TextParam(text)));
  if (row == kError) return kError;
  if (sorted_) {
    // Some list boxes put a new row before the rows of equal text; it belongs after them.
    int last = row;
    while (last + 1 < GetCount() && lstrcmpiA(GetText(last + 1).c_str(), text.c_str()) == 0) {
      ++last;
    }
    if (last != row) {
      Send(LB_DELETESTRING, row);
      row = RowOrError(Send(LB_INSERTSTRING, last, TextParam(text)));
    }
  }
  KeepAnchorAfterInsert(anchor, row);
  return row;
}

int Win32ListBox::InsertString(int index, const std::string& text) {
  if (index < -1 || index > GetCount()) return kError;
  const int anchor = multiple_ ? GetAnchorIndex() : kError;
  const int row = RowOrError(Send(LB_INSERTSTRING, index, TextParam(text)));
  if (row != kError) KeepAnchorAfterInsert(anchor, row);
  return row;
}

int Win32ListBox::DeleteString(int index) {
  if (!Valid(index)) return kError;
  return RowOrError(Send(LB_DELETESTRING, index));
}

void Win32ListBox::ResetContent() { Send(LB_RESETCONTENT); }

int Win32ListBox::GetCount() const { return RowOrError(Send(LB_GETCOUNT)); }

std::string Win32ListBox::GetText(int index) const {
  if (!Valid(index)) return std::string();
  const LRESULT length = Send(LB_GETTEXTLEN, index);
  if (length < 0) return std::string();
  std::vector<char> buffer(static_cast<size_t>(length) + 1);
  const LRESULT copied = Send(LB_GETTEXT, index, reinterpret_cast<LPARAM>(buffer.data()));
  return copied < 0 ? std::string() : std::string(buffer.data(), static_cast<size_t>(copied));
}

bool Win32ListBox::SetItemData(int index, std::intptr_t data) {
  return Valid(index) && Send(LB_SETITEMDATA, index, data) != LB_ERR;
}

std::intptr_t Win32ListBox::GetItemData(int index) const {
  return Valid(index) ? static_cast<std::intptr_t>(Send(LB_GETITEMDATA, index)) : kError;
}

int Win32ListBox::GetCurSel() const {
  if (!multiple_) return RowOrError(Send(LB_GETCURSEL));
  return GetCount() > 0 ? RowOrError(Send(LB_GETCARETINDEX)) : kError;
}

int Win32ListBox::SetCurSel(int index) {
  if (multiple_) return kError;
  if (!Valid(index)) {
    // Some list boxes keep the old selection when asked for a row they do not have.
    Send(LB_SETCURSEL, static_cast<WPARAM>(-1));
    return kError;
  }
  return RowOrError(Send(LB_SETCURSEL, index));
}

bool Win32ListBox::GetSel(int index) const { return Valid(index) && Send(LB_GETSEL, index) > 0; }

int Win32ListBox::SetSel(int index, bool select) {
  // Some list boxes accept this on a single-selection list too; callers are told it is wrong.
  if (!multiple_ || (index != -1 && !Valid(index))) return kError;
  if (Send(LB_SETSEL, select ? TRUE : FALSE, index) == LB_ERR) return kError;
  if (select && index != -1) {
    Send(LB_SETANCHORINDEX, index);
    Send(LB_SETCARETINDEX, index, FALSE);
  }
  return 0;
}

int Win32ListBox::GetSelCount() const {
  return multiple_ ? RowOrError(Send(LB_GETSELCOUNT)) : kError;
}

int Win32ListBox::GetAnchorIndex() const {
  return GetCount() > 0 ? RowOrError(Send(LB_GETANCHORINDEX)) : kError;
}

void Win32ListBox::SetAnchorIndex(int index) {
  if (Valid(index)) Send(LB_SETANCHORINDEX, index);
}

int Win32ListBox::FindStringExact(int start, const std::string& text) const {
  return RowOrError(Send(LB_FINDSTRINGEXACT, Valid(start) ? start : -1, TextParam(text)));
}

int Win32ListBox::GetWidthPixels() const {
  RECT client{};
  GetClientRect(Handle(), &client);
  return client.right - client.left;
}

int Win32ListBox::GetTextWidthPixels(const std::string& text) const {
  HDC dc = GetDC(Handle());
  if (dc == nullptr) return 0;
  const HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(Send(WM_GETFONT)));
  SIZE size{};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, previous);
  ReleaseDC(Handle(), dc);
  return size.cx;
}

void Win32ListBox::SetColumnWidth(int pixels) {
  columnWidth_ = pixels;
  Send(LB_SETCOLUMNWIDTH, pixels);
}

std::string Win32Text::GetText() const {
  const int length = GetWindowTextLengthA(Handle());
  if (length <= 0) return std::string();
  std::vector<char> buffer(static_cast<size_t>(length) + 1);
  const int copied = GetWindowTextA(Handle(), buffer.data(), length + 1);
  return std::string(buffer.data(), static_cast<size_t>(copied > 0 ? copied : 0));
}

bool Win32MenuItem::IsChecked() const {
  const UINT state = GetMenuState(GetMenu(window_), id_, MF_BYCOMMAND);
  return state != static_cast<UINT>(-1) && (state & MF_CHECKED) != 0;
}

void Win32MenuItem::SetChecked(bool checked) {
  CheckMenuItem(GetMenu(window_), id_, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

int Win32TabControl::InsertItem(int index, const std::string& text) {
  std::string caption = text;
  TCITEMA item{};
  item.mask = TCIF_TEXT;
  item.pszText = caption.data();
  return static_cast<int>(Send(TCM_INSERTITEMA, index, reinterpret_cast<LPARAM>(&item)));
}

int Win32TabControl::GetItemCount() const { return static_cast<int>(Send(TCM_GETITEMCOUNT)); }

std::string Win32TabControl::GetItemText(int index) const {
  char buffer[256] = {};
  TCITEMA item{};
  item.mask = TCIF_TEXT;
  item.pszText = buffer;
  item.cchTextMax = sizeof buffer;
  if (!Send(TCM_GETITEMA, index, reinterpret_cast<LPARAM>(&item))) return std::string();
  return item.pszText ? std::string(item.pszText) : std::string();
}

int Win32TabControl::GetCurSel() const { return static_cast<int>(Send(TCM_GETCURSEL)); }

int Win32TabControl::SetCurSel(int index) {
  if (index < 0 || index >= GetItemCount()) return -1;
  return static_cast<int>(Send(TCM_SETCURSEL, index));
}

}  // namespace varokin::ui::win32
