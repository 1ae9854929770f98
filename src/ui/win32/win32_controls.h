#pragma once

#include <windows.h>
// After windows.h.
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>

#include "ui/controls.h"
#include "ui/dialog.h"
#include "ui/list_model.h"

namespace varokin::ui::win32 {

// Id, visibility and enabled state of a child window. A control whose window is made later keeps
// them until Made() gives it its window.
template <class Base>
class Win32Control : public Base {
 public:
  explicit Win32Control(HWND hwnd) : hwnd_(hwnd), id_(GetDlgCtrlID(hwnd)) {}
  explicit Win32Control(int id) : id_(id) {}
  int Id() const override { return id_; }
  void Show(bool visible) override {
    shown_ = visible;
    if (hwnd_ != nullptr) ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE);
  }
  // The control's own flag: a control of a window not shown yet still counts as visible.
  bool IsVisible() const override {
    return hwnd_ == nullptr ? shown_ : (GetWindowLongPtrA(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0;
  }
  void Enable(bool enabled) override {
    enabled_ = enabled;
    if (hwnd_ != nullptr) EnableWindow(hwnd_, enabled ? TRUE : FALSE);
  }
  bool IsEnabled() const override {
    return hwnd_ == nullptr ? enabled_ : IsWindowEnabled(hwnd_) != FALSE;
  }
  HWND Handle() const { return hwnd_; }
  // Takes the window made for a control made later, hidden, and passes on what it was told.
  virtual void Made(HWND hwnd) {
    hwnd_ = hwnd;
    EnableWindow(hwnd_, enabled_ ? TRUE : FALSE);
    if (shown_) ShowWindow(hwnd_, SW_SHOWNA);
  }

 protected:
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return SendMessageA(hwnd_, message, wParam, lParam);
  }
  void Adopt(HWND hwnd) { hwnd_ = hwnd; }

 private:
  HWND hwnd_ = nullptr;
  int id_;
  bool shown_ = true;
  bool enabled_ = true;
};

// The system list box. Sorting, item data and the search are the control's own; the few places
// where list boxes of different Windows versions disagree are settled here as ListBox promises.
class Win32ListBox : public Win32Control<ListBox> {
 public:
  explicit Win32ListBox(HWND hwnd);
  // A list made later: until then its rows are kept in the system's order, and its width is
  // widthPixels() and its text is measured in the dialog's font.
  Win32ListBox(HWND dialog, const ControlSpec& item, std::function<int()> widthPixels);
  void Made(HWND hwnd) override;

  bool IsSorted() const override { return sorted_; }
  bool IsMultipleSelection() const override { return multiple_; }
  int AddString(const std::string& text) override;
  int InsertString(int index, const std::string& text) override;
  int GetCount() const override;
  std::string GetText(int index) const override;
  bool SetItemData(int index, std::intptr_t data) override;
  std::intptr_t GetItemData(int index) const override;
  int GetCurSel() const override;
  int SetCurSel(int index) override;
  bool GetSel(int index) const override;
  int SetSel(int index, bool select) override;
  int GetSelCount() const override;
  int GetAnchorIndex() const override;
  void SetAnchorIndex(int index) override;
  // The system list box cannot hide rows: the window shows the rows that pass in a list of its
  // own laid over this one (see main_window.cpp), which keeps every row.
  void SetFilter(const std::string& text) override { filter_ = text; }
  const std::string& Filter() const { return filter_; }
  int GetWidthPixels() const override;
  int GetTextWidthPixels(const std::string& text) const override;
  void SetColumnWidth(int pixels) override;
  int ColumnWidth() const { return columnWidth_; }

 private:
  bool Valid(int index) const { return index >= 0 && index < GetCount(); }
  // Keeps the anchor on its row after a row was inserted at index.
  void KeepAnchorAfterInsert(int anchorBefore, int index);

  bool sorted_;
  bool multiple_;
  std::string filter_;
  int columnWidth_ = 0;
  // Until the list is made: its rows, and where its width and the dialog's font are.
  std::unique_ptr<ListModel> pending_;
  HWND dialog_ = nullptr;
  std::function<int()> widthPixels_;
};

// The width of text in a window's font.
int TextWidthPixels(HWND window, const std::string& text);

// A tooltip with the whole name of the row under the mouse when its list box shows the name cut,
// by its column or by the list's edge; tipFor gives the tip of a row. The window that owns the
// lists feeds it their mouse moves.
class CutNameTip {
 public:
  explicit CutNameTip(HWND owner);
  ~CutNameTip();
  CutNameTip(const CutNameTip&) = delete;
  CutNameTip& operator=(const CutNameTip&) = delete;

  void Follow(HWND list, POINT mouse, const std::function<std::string(int row)>& tipFor);
  void Hide();
  HWND Handle() const { return tip_; }

 private:
  TOOLINFOA Tool();
  bool Made();

  HWND owner_;
  HWND tip_ = nullptr;
  HWND list_ = nullptr;
  int row_ = -1;
};

// An edit or a static text.
class Win32Text : public Win32Control<TextControl> {
 public:
  using Win32Control::Win32Control;
  void SetText(const std::string& text) override;
  std::string GetText() const override;
  void Made(HWND hwnd) override;

 private:
  std::string pending_;  // the text of a control made later, until it is made
};

class Win32CheckBox : public Win32Control<CheckBox> {
 public:
  using Win32Control::Win32Control;
  bool IsChecked() const override { return Send(BM_GETCHECK) == BST_CHECKED; }
  void SetChecked(bool checked) override {
    Send(BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED);
  }
};

class Win32Button : public Win32Control<Button> {
 public:
  using Win32Control::Win32Control;
};

// An item of a window's menu bar, found by command id.
class Win32MenuItem : public MenuItem {
 public:
  Win32MenuItem(HWND window, int id) : window_(window), id_(id) {}
  int Id() const override { return id_; }
  bool IsChecked() const override;
  void SetChecked(bool checked) override;

 private:
  HWND window_;
  int id_;
};

// The common controls' tab control.
class Win32TabControl : public Win32Control<TabControl> {
 public:
  using Win32Control::Win32Control;
  int InsertItem(int index, const std::string& text) override;
  int GetItemCount() const override;
  std::string GetItemText(int index) const override;
  int GetCurSel() const override;
  int SetCurSel(int index) override;
};

}  // namespace varokin::ui::win32
