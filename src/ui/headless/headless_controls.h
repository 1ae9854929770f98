#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ui/controls.h"

namespace varokin::ui::headless {

// Visibility, enabled state and id, shared by every in-memory control.
template <class Base>
class Headless : public Base {
 public:
  explicit Headless(int id) : id_(id) {}
  int Id() const override { return id_; }
  void Show(bool visible) override { visible_ = visible; }
  bool IsVisible() const override { return visible_; }
  void Enable(bool enabled) override { enabled_ = enabled; }
  bool IsEnabled() const override { return enabled_; }

 private:
  int id_;
  bool visible_ = true;
  bool enabled_ = true;
};

// A list box in memory that behaves as the system's list box: sorted insert without regard to
// case, single or multiple selection with an anchor row, item data, exact-text search.
class HeadlessListBox : public Headless<ListBox> {
 public:
  HeadlessListBox(int id, bool sorted, bool multipleSelection, int widthPixels = 300);

  bool IsSorted() const override { return sorted_; }
  bool IsMultipleSelection() const override { return multiple_; }
  int AddString(const std::string& text) override;
  int InsertString(int index, const std::string& text) override;
  int DeleteString(int index) override;
  void ResetContent() override;
  int GetCount() const override { return count_; }
  std::string GetText(int index) const override;
  bool SetItemData(int index, std::intptr_t data) override;
  std::intptr_t GetItemData(int index) const override;
  int GetCurSel() const override;
  int SetCurSel(int index) override;
  bool GetSel(int index) const override;
  int SetSel(int index, bool select) override;
  int GetSelCount() const override;
  int GetAnchorIndex() const override { return anchor_; }
  void SetAnchorIndex(int index) override;
  int FindStringExact(int start, const std::string& text) const override;
  int GetWidthPixels() const override { return width_; }
  void SetColumnWidth(int pixels) override { columnWidth_ = pixels; }
  int GetColumnWidth() const { return columnWidth_; }

  // A user's click on a row: selects it in a single-selection list; toggles it and makes it the
  // anchor (and focus) row in a multiple-selection list. False for a row that does not exist.
  bool Click(int index);

 private:
  struct Row {
    std::string text;
    std::intptr_t data = 0;
    bool selected = false;
  };
  // Rows live in short blocks so that an insert or delete moves only the rows of one block: lists
  // of thousands of UFOs are filled one sorted insert at a time.
  struct Block {
    int first = 0;  // the index of the block's first row
    std::vector<Row> rows;
  };
  bool Valid(int index) const { return index >= 0 && index < GetCount(); }
  std::size_t BlockOf(int index) const;
  Row& At(int index);
  const Row& At(int index) const;
  // Calls visit(row, index) in row order until it returns true; returns whether one did.
  template <class Self, class Visit>
  static bool AnyRow(Self& self, Visit visit);
  void ShiftFirsts(std::size_t afterBlock, int by);

  bool sorted_;
  bool multiple_;
  int width_;
  int columnWidth_ = 0;
  std::vector<Block> blocks_;
  int count_ = 0;
  int lastAdded_ = -1;  // where the last sorted add went: only a hint, checked before use
  int anchor_ = -1;
  int caret_ = -1;
};

class HeadlessText : public Headless<TextControl> {
 public:
  explicit HeadlessText(int id, std::string text = "") : Headless(id), text_(std::move(text)) {}
  void SetText(const std::string& text) override { text_ = text; }
  std::string GetText() const override { return text_; }

 private:
  std::string text_;
};

class HeadlessCheckBox : public Headless<CheckBox> {
 public:
  using Headless::Headless;
  bool IsChecked() const override { return checked_; }
  void SetChecked(bool checked) override { checked_ = checked; }

 private:
  bool checked_ = false;
};

class HeadlessButton : public Headless<Button> {
 public:
  using Headless::Headless;
};

class HeadlessMenuItem : public MenuItem {
 public:
  explicit HeadlessMenuItem(int id) : id_(id) {}
  int Id() const override { return id_; }
  bool IsChecked() const override { return checked_; }
  void SetChecked(bool checked) override { checked_ = checked; }

 private:
  int id_;
  bool checked_ = false;
};

class HeadlessTabControl : public Headless<TabControl> {
 public:
  using Headless::Headless;
  int InsertItem(int index, const std::string& text) override;
  int GetItemCount() const override { return static_cast<int>(tabs_.size()); }
  std::string GetItemText(int index) const override;
  int GetCurSel() const override { return selected_; }
  int SetCurSel(int index) override;

 private:
  std::vector<std::string> tabs_;
  int selected_ = -1;
};

}  // namespace varokin::ui::headless
