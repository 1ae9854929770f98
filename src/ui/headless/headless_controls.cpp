#include "ui/headless/headless_controls.h"

#include <algorithm>
#include <cctype>

namespace varokin::ui::headless {

namespace {

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

// The order of a sorted list box: letters compare without regard to case, everything else by
// its character code.
bool LessIgnoringCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(Lower(x)) < static_cast<unsigned char>(Lower(y));
  });
}

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char x, char y) { return Lower(x) == Lower(y); });
}

// Keeps a remembered row pointing at the same row after one was inserted or deleted at index.
int ShiftedForInsert(int row, int index) { return row >= index ? row + 1 : row; }
int ShiftedForDelete(int row, int index) {
  if (row == index) return -1;
  return row > index ? row - 1 : row;
}

}  // namespace

HeadlessListBox::HeadlessListBox(int id, bool sorted, bool multipleSelection, int widthPixels)
    : Headless(id), sorted_(sorted), multiple_(multipleSelection), width_(widthPixels) {}

int HeadlessListBox::AddString(const std::string& text) {
  if (!sorted_) return InsertString(-1, text);
  // After every row that is not greater, so equal texts keep the order they were added in.
  auto at = std::upper_bound(
      rows_.begin(), rows_.end(), text,
      [](const std::string& t, const Row& row) { return LessIgnoringCase(t, row.text); });
  return InsertString(static_cast<int>(at - rows_.begin()), text);
}

int HeadlessListBox::InsertString(int index, const std::string& text) {
  if (index == -1) index = GetCount();
  if (index < 0 || index > GetCount()) return kError;
  rows_.insert(rows_.begin() + index, Row{text});
  anchor_ = ShiftedForInsert(anchor_, index);
  // As in the system list box, the first row of an empty list takes the focus.
  caret_ = GetCount() == 1 ? 0 : ShiftedForInsert(caret_, index);
  return index;
}

int HeadlessListBox::DeleteString(int index) {
  if (!Valid(index)) return kError;
  rows_.erase(rows_.begin() + index);
  anchor_ = ShiftedForDelete(anchor_, index);
  caret_ = ShiftedForDelete(caret_, index);
  return GetCount();
}

void HeadlessListBox::ResetContent() {
  rows_.clear();
  anchor_ = -1;
  caret_ = -1;
}

std::string HeadlessListBox::GetText(int index) const {
  return Valid(index) ? rows_[index].text : std::string();
}

bool HeadlessListBox::SetItemData(int index, std::intptr_t data) {
  if (!Valid(index)) return false;
  rows_[index].data = data;
  return true;
}

std::intptr_t HeadlessListBox::GetItemData(int index) const {
  return Valid(index) ? rows_[index].data : kError;
}

int HeadlessListBox::GetCurSel() const {
  if (multiple_) return caret_;
  auto selected = std::find_if(rows_.begin(), rows_.end(), [](const Row& r) { return r.selected; });
  return selected == rows_.end() ? kError : static_cast<int>(selected - rows_.begin());
}

int HeadlessListBox::SetCurSel(int index) {
  if (multiple_) return kError;
  for (Row& row : rows_) row.selected = false;
  if (!Valid(index)) return kError;
  rows_[index].selected = true;
  caret_ = index;
  return index;
}

bool HeadlessListBox::GetSel(int index) const { return Valid(index) && rows_[index].selected; }

int HeadlessListBox::SetSel(int index, bool select) {
  if (!multiple_) return kError;
  if (index == -1) {
    for (Row& row : rows_) row.selected = select;
  } else if (Valid(index)) {
    rows_[index].selected = select;
  } else {
    return kError;
  }
  // The system list box moves its anchor (and, for one row, its focus) to what it selects.
  if (select) {
    anchor_ = index;
    if (index != -1) caret_ = index;
  }
  return 0;
}

int HeadlessListBox::GetSelCount() const {
  if (!multiple_) return kError;
  return static_cast<int>(
      std::count_if(rows_.begin(), rows_.end(), [](const Row& r) { return r.selected; }));
}

void HeadlessListBox::SetAnchorIndex(int index) {
  if (index == -1 || Valid(index)) anchor_ = index;
}

int HeadlessListBox::FindStringExact(int start, const std::string& text) const {
  const int count = GetCount();
  if (!Valid(start)) start = -1;
  for (int step = 1; step <= count; ++step) {
    const int row = (start + step) % count;
    if (EqualIgnoringCase(rows_[row].text, text)) return row;
  }
  return kError;
}

bool HeadlessListBox::Click(int index) {
  if (!Valid(index)) return false;
  if (multiple_) {
    rows_[index].selected = !rows_[index].selected;
  } else {
    SetCurSel(index);
  }
  anchor_ = index;
  caret_ = index;
  return true;
}

int HeadlessTabControl::InsertItem(int index, const std::string& text) {
  if (index < 0) return -1;
  index = std::min(index, GetItemCount());
  tabs_.insert(tabs_.begin() + index, text);
  if (selected_ >= index) ++selected_;
  return index;
}

std::string HeadlessTabControl::GetItemText(int index) const {
  return index >= 0 && index < GetItemCount() ? tabs_[index] : std::string();
}

int HeadlessTabControl::SetCurSel(int index) {
  if (index < 0 || index >= GetItemCount()) return -1;
  const int previous = selected_;
  selected_ = index;
  return previous;
}

}  // namespace varokin::ui::headless
