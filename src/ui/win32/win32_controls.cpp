#include "ui/win32/win32_controls.h"

#include <commctrl.h>

#include <utility>
#include <vector>

#include "ui/list_model.h"

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

Win32ListBox::Win32ListBox(HWND dialog, const ControlSpec& item, std::function<int()> widthPixels)
    : Win32Control(item.id),
      sorted_(item.sorted),
      multiple_(item.multipleSelection),
      // The order the system's list box sorts its rows in.
      pending_(std::make_unique<ListModel>(sorted_, multiple_,
                                           [](const std::string& a, const std::string& b) {
                                             return lstrcmpiA(a.c_str(), b.c_str()) < 0;
                                           })),
      dialog_(dialog),
      widthPixels_(std::move(widthPixels)) {}

void Win32ListBox::Made(HWND hwnd) {
  const std::unique_ptr<ListModel> rows = std::move(pending_);
  Adopt(hwnd);
  // Row by row where the list kept them, so that every row keeps its number.
  for (int row = 0; row < rows->GetCount(); ++row) {
    Send(LB_INSERTSTRING, static_cast<WPARAM>(row), TextParam(rows->GetText(row)));
    Send(LB_SETITEMDATA, static_cast<WPARAM>(row), rows->GetItemData(row));
    if (multiple_ && rows->GetSel(row)) Send(LB_SETSEL, TRUE, row);
  }
  if (multiple_) {
    if (rows->GetAnchorIndex() != kError) Send(LB_SETANCHORINDEX, rows->GetAnchorIndex());
    if (rows->GetCurSel() != kError) Send(LB_SETCARETINDEX, rows->GetCurSel(), FALSE);
    // The selections scrolled the list to the last of them; it opens at its first row instead, as
    // the lists filled before the window shows do.
    Send(LB_SETTOPINDEX, 0);
  } else if (rows->GetCurSel() != kError) {
    Send(LB_SETCURSEL, rows->GetCurSel());
  }
  if (columnWidth_ > 0) Send(LB_SETCOLUMNWIDTH, static_cast<WPARAM>(columnWidth_));
  Win32Control::Made(hwnd);
}

void Win32ListBox::KeepAnchorAfterInsert(int anchorBefore, int index) {
  if (!multiple_ || anchorBefore < 0) return;
  Send(LB_SETANCHORINDEX, anchorBefore >= index ? anchorBefore + 1 : anchorBefore);
}

int Win32ListBox::AddString(const std::string& text) {
  if (pending_) return pending_->AddString(text);
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
  if (pending_) return pending_->InsertString(index, text);
  if (index < -1 || index > GetCount()) return kError;
  const int anchor = multiple_ ? GetAnchorIndex() : kError;
  const int row = RowOrError(Send(LB_INSERTSTRING, index, TextParam(text)));
  if (row != kError) KeepAnchorAfterInsert(anchor, row);
  return row;
}

int Win32ListBox::GetCount() const {
  return pending_ ? pending_->GetCount() : RowOrError(Send(LB_GETCOUNT));
}

std::string Win32ListBox::GetText(int index) const {
  if (pending_) return pending_->GetText(index);
  if (!Valid(index)) return std::string();
  const LRESULT length = Send(LB_GETTEXTLEN, index);
  if (length < 0) return std::string();
  std::vector<char> buffer(static_cast<size_t>(length) + 1);
  const LRESULT copied = Send(LB_GETTEXT, index, reinterpret_cast<LPARAM>(buffer.data()));
  return copied < 0 ? std::string() : std::string(buffer.data(), static_cast<size_t>(copied));
}

bool Win32ListBox::SetItemData(int index, std::intptr_t data) {
  if (pending_) return pending_->SetItemData(index, data);
  return Valid(index) && Send(LB_SETITEMDATA, index, data) != LB_ERR;
}

std::intptr_t Win32ListBox::GetItemData(int index) const {
  if (pending_) return pending_->GetItemData(index);
  return Valid(index) ? static_cast<std::intptr_t>(Send(LB_GETITEMDATA, index)) : kError;
}

int Win32ListBox::GetCurSel() const {
  if (pending_) return pending_->GetCurSel();
  if (!multiple_) return RowOrError(Send(LB_GETCURSEL));
  return GetCount() > 0 ? RowOrError(Send(LB_GETCARETINDEX)) : kError;
}

int Win32ListBox::SetCurSel(int index) {
  if (pending_) return pending_->SetCurSel(index);
  if (multiple_) return kError;
  if (!Valid(index)) {
    // Some list boxes keep the old selection when asked for a row they do not have.
    Send(LB_SETCURSEL, static_cast<WPARAM>(-1));
    return kError;
  }
  return RowOrError(Send(LB_SETCURSEL, index));
}

bool Win32ListBox::GetSel(int index) const {
  if (pending_) return pending_->GetSel(index);
  return Valid(index) && Send(LB_GETSEL, index) > 0;
}

int Win32ListBox::SetSel(int index, bool select) {
  if (pending_) return pending_->SetSel(index, select);
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
  if (pending_) return pending_->GetSelCount();
  return multiple_ ? RowOrError(Send(LB_GETSELCOUNT)) : kError;
}

int Win32ListBox::GetAnchorIndex() const {
  if (pending_) return pending_->GetAnchorIndex();
  return GetCount() > 0 ? RowOrError(Send(LB_GETANCHORINDEX)) : kError;
}

void Win32ListBox::SetAnchorIndex(int index) {
  if (pending_) return pending_->SetAnchorIndex(index);
  if (Valid(index)) Send(LB_SETANCHORINDEX, index);
}

int Win32ListBox::GetWidthPixels() const {
  if (pending_) return widthPixels_();
  RECT client{};
  GetClientRect(Handle(), &client);
  return client.right - client.left;
}

int Win32ListBox::GetTextWidthPixels(const std::string& text) const {
  // Its window's font is the dialog's.
  return TextWidthPixels(pending_ ? dialog_ : Handle(), text);
}

int TextWidthPixels(HWND window, const std::string& text) {
  HDC dc = GetDC(window);
  if (dc == nullptr) return 0;
  const HGDIOBJ previous =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(window, WM_GETFONT, 0, 0)));
  SIZE size{};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, previous);
  ReleaseDC(window, dc);
  return size.cx;
}

CutNameTip::CutNameTip(HWND owner) : owner_(owner) {}

bool CutNameTip::Made() {
  // Made when first needed: a window fewer before the main window shows.
  if (tip_ != nullptr) return true;
  tip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                         WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                         CW_USEDEFAULT, CW_USEDEFAULT, owner_, nullptr, nullptr, nullptr);
  if (tip_ == nullptr) return false;
  TOOLINFOA tool = Tool();
  tool.uFlags |= TTF_TRACK | TTF_ABSOLUTE;
  SendMessageA(tip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  // A width makes the tip break its lines at the description's line ends.
  SendMessageA(tip_, TTM_SETMAXTIPWIDTH, 0, 480);
  return true;
}

CutNameTip::~CutNameTip() {
  if (tip_ != nullptr) DestroyWindow(tip_);
}

TOOLINFOA CutNameTip::Tool() {
  TOOLINFOA tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = owner_;
  tool.uId = 1;
  tool.lpszText = const_cast<char*>("");
  return tool;
}

void CutNameTip::Follow(HWND list, POINT mouse, const std::function<std::string(int row)>& tipFor) {
  const auto hit =
      static_cast<DWORD>(SendMessageA(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(mouse.x, mouse.y)));
  const int row = HIWORD(hit) == 0 ? LOWORD(hit) : -1;
  // The tip of a row is read once while it stays up; whether a name is cut is seen afresh, as
  // the columns and rows may have changed under a still mouse.
  if (list == list_ && row == row_) return;
  Hide();
  if (row < 0) return;
  RECT shown{};
  RECT client{};
  GetClientRect(list, &client);
  if (SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(row),
                   reinterpret_cast<LPARAM>(&shown)) == LB_ERR)
    return;
  IntersectRect(&shown, &shown, &client);
  const auto length = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0);
  if (length == LB_ERR) return;
  std::string name(static_cast<std::size_t>(length) + 1, '\0');
  SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(name.data()));
  name.resize(static_cast<std::size_t>(length));
  if (!NameIsCut(TextWidthPixels(list, name), shown.right - shown.left)) return;
  if (!Made()) return;
  list_ = list;
  row_ = row;
  std::string text = tipFor(row);
  TOOLINFOA tool = Tool();
  tool.lpszText = text.data();
  SendMessageA(tip_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
  POINT at{shown.left, shown.bottom};
  ClientToScreen(list, &at);
  SendMessageA(tip_, TTM_TRACKPOSITION, 0, MAKELPARAM(at.x, at.y));
  tool = Tool();
  SendMessageA(tip_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
  // Told when the mouse leaves the list, to take the tip away.
  TRACKMOUSEEVENT leave{sizeof leave, TME_LEAVE, list, 0};
  TrackMouseEvent(&leave);
}

void CutNameTip::Hide() {
  list_ = nullptr;
  row_ = -1;
  if (tip_ == nullptr) return;
  TOOLINFOA tool = Tool();
  SendMessageA(tip_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
}

void Win32ListBox::SetColumnWidth(int pixels) {
  columnWidth_ = pixels;
  if (!pending_) Send(LB_SETCOLUMNWIDTH, pixels);
}

void Win32Text::SetText(const std::string& text) {
  if (Handle() == nullptr) {
    pending_ = text;
  } else {
    SetWindowTextA(Handle(), text.c_str());
  }
}

void Win32Text::Made(HWND hwnd) {
  SetWindowTextA(hwnd, pending_.c_str());
  pending_.clear();
  Win32Control::Made(hwnd);
}

std::string Win32Text::GetText() const {
  if (Handle() == nullptr) return pending_;
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
