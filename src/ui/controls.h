#pragma once

#include <cstdint>
#include <string>

namespace varokin::ui {

// The controls a window is made of, as the handlers see them. A front end implements them over
// its own widgets; src/ui/headless keeps them in memory.
class Control {
 public:
  virtual ~Control() = default;
  virtual int Id() const = 0;
  virtual void Show(bool visible) = 0;
  virtual bool IsVisible() const = 0;
  virtual void Enable(bool enabled) = 0;
  virtual bool IsEnabled() const = 0;
};

// A list box. Indexes are rows from 0; -1 (kError) answers a request that cannot be met, as the
// system list box does.
class ListBox : public Control {
 public:
  static constexpr int kError = -1;

  virtual bool IsSorted() const = 0;
  virtual bool IsMultipleSelection() const = 0;

  // Adds a row: in sorted order (alphabetical without regard to case, after equal texts) for a
  // sorted list, at the end otherwise. Returns its row.
  virtual int AddString(const std::string& text) = 0;
  // Inserts a row at index (-1: at the end), outside any sorting. Returns its row or kError.
  virtual int InsertString(int index, const std::string& text) = 0;
  virtual int GetCount() const = 0;
  virtual std::string GetText(int index) const = 0;

  virtual bool SetItemData(int index, std::intptr_t data) = 0;
  // kError for a row that does not exist.
  virtual std::intptr_t GetItemData(int index) const = 0;

  // Single selection: the selected row or kError. On a multiple-selection list, the row with the
  // focus.
  virtual int GetCurSel() const = 0;
  // Single selection: selects index, or clears the selection for -1. kError for a row that does
  // not exist (the selection is then cleared) and on a multiple-selection list.
  virtual int SetCurSel(int index) = 0;

  // Multiple selection.
  virtual bool GetSel(int index) const = 0;
  // Selects or deselects index, or every row for -1. kError on a single-selection list. Selecting
  // moves the anchor row to index (and the focus too, for one row), as the system list box does.
  virtual int SetSel(int index, bool select) = 0;
  virtual int GetSelCount() const = 0;
  virtual int GetAnchorIndex() const = 0;
  virtual void SetAnchorIndex(int index) = 0;

  // Shows only the rows whose text contains text without regard to case (all rows for an empty
  // text). Rows keep their numbers and their selection: every other call still sees them all.
  virtual void SetFilter(const std::string& text) = 0;

  // Width of the list in pixels, and the column width of a multi-column list.
  virtual int GetWidthPixels() const = 0;
  // How wide text is drawn in the list's font, in pixels.
  virtual int GetTextWidthPixels(const std::string& text) const = 0;
  virtual void SetColumnWidth(int pixels) = 0;
};

// An edit (the description panes are read-only multi-line edits) or a static text.
class TextControl : public Control {
 public:
  virtual void SetText(const std::string& text) = 0;
  virtual std::string GetText() const = 0;
};

class CheckBox : public Control {
 public:
  virtual bool IsChecked() const = 0;
  virtual void SetChecked(bool checked) = 0;
};

class Button : public Control {};

// A menu item with a check mark.
class MenuItem {
 public:
  virtual ~MenuItem() = default;
  virtual int Id() const = 0;
  virtual bool IsChecked() const = 0;
  virtual void SetChecked(bool checked) = 0;
};

class TabControl : public Control {
 public:
  // Inserts a tab before index; returns its index.
  virtual int InsertItem(int index, const std::string& text) = 0;
  virtual int GetItemCount() const = 0;
  virtual std::string GetItemText(int index) const = 0;
  // The selected tab, or -1.
  virtual int GetCurSel() const = 0;
  // Selects a tab; returns the previous one, or -1 when index is not a tab (nothing changes).
  virtual int SetCurSel(int index) = 0;
};

}  // namespace varokin::ui
