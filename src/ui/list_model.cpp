#include "ui/list_model.h"

#include <algorithm>

#include "platform/text.h"

namespace varokin::ui {

namespace {

bool LessIgnoringCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(platform::LowerAscii(x)) <
           static_cast<unsigned char>(platform::LowerAscii(y));
  });
}

// Keeps a remembered row pointing at the same row after one was inserted at index.
int ShiftedForInsert(int row, int index) { return row >= index ? row + 1 : row; }

}  // namespace

ListModel::ListModel(bool sorted, bool multipleSelection, Order less)
    : sorted_(sorted), multiple_(multipleSelection), less_(less ? less : LessIgnoringCase) {}

std::size_t ListModel::BlockOf(int index) const {
  auto after = std::upper_bound(blocks_.begin(), blocks_.end(), index,
                                [](int i, const Block& block) { return i < block.first; });
  return static_cast<std::size_t>(after - blocks_.begin()) - 1;
}

ListModel::Row& ListModel::At(int index) {
  Block& block = blocks_[BlockOf(index)];
  return block.rows[static_cast<std::size_t>(index - block.first)];
}

const ListModel::Row& ListModel::At(int index) const {
  const Block& block = blocks_[BlockOf(index)];
  return block.rows[static_cast<std::size_t>(index - block.first)];
}

template <class Self, class Visit>
bool ListModel::AnyRow(Self& self, Visit visit) {
  int index = 0;
  for (auto& block : self.blocks_) {
    for (auto& row : block.rows) {
      if (visit(row, index++)) return true;
    }
  }
  return false;
}

void ListModel::ShiftFirstsOnInsert(std::size_t afterBlock) {
  for (std::size_t b = afterBlock + 1; b < blocks_.size(); ++b) ++blocks_[b].first;
}

int ListModel::AddString(const std::string& text) {
  if (!sorted_) return InsertString(-1, text);
  // After every row that is not greater, so equal texts keep the order they were added in.
  // Lists are mostly filled from sorted listings: the row after the last one added is tried
  // first, and the binary search runs only when the text does not belong there.
  auto fits = [this, &text](int index) {
    return (index == 0 || !less_(text, At(index - 1).text)) &&
           (index == count_ || less_(text, At(index).text));
  };
  if (lastAdded_ >= 0 && lastAdded_ < count_ && fits(lastAdded_ + 1)) {
    return lastAdded_ = InsertString(lastAdded_ + 1, text);
  }
  // The probes are those of a binary search over the whole list, row by row. The last probes
  // close in on one block: look a block up only when leaving it.
  std::size_t b = 0;
  auto rowAt = [this, &b](int index) -> const Row& {
    if (index < blocks_[b].first ||
        index >= blocks_[b].first + static_cast<int>(blocks_[b].rows.size())) {
      b = BlockOf(index);
    }
    return blocks_[b].rows[static_cast<std::size_t>(index - blocks_[b].first)];
  };
  int first = 0;
  for (int length = count_; length > 0;) {
    const int half = length / 2;
    if (less_(text, rowAt(first + half).text)) {
      length = half;
    } else {
      first += half + 1;
      length -= half + 1;
    }
  }
  return lastAdded_ = InsertString(first, text);
}

int ListModel::InsertString(int index, const std::string& text) {
  constexpr std::size_t kBlockRows = 64;
  if (index == -1) index = GetCount();
  if (index < 0 || index > GetCount()) return kError;
  if (blocks_.empty()) blocks_.emplace_back();
  const std::size_t b = index == count_ ? blocks_.size() - 1 : BlockOf(index);
  std::vector<Row>& rows = blocks_[b].rows;
  rows.insert(rows.begin() + (index - blocks_[b].first), Row{text});
  ++count_;
  ShiftFirstsOnInsert(b);
  if (rows.size() > kBlockRows) {
    const auto half = rows.begin() + static_cast<std::ptrdiff_t>(kBlockRows / 2);
    Block tail{
        blocks_[b].first + static_cast<int>(kBlockRows / 2),
        std::vector<Row>(std::make_move_iterator(half), std::make_move_iterator(rows.end()))};
    rows.erase(half, rows.end());
    blocks_.insert(blocks_.begin() + static_cast<std::ptrdiff_t>(b) + 1, std::move(tail));
  }
  anchor_ = ShiftedForInsert(anchor_, index);
  // As in the system list box, the first row of an empty list takes the focus.
  caret_ = GetCount() == 1 ? 0 : ShiftedForInsert(caret_, index);
  return index;
}

std::string ListModel::GetText(int index) const {
  return Valid(index) ? At(index).text : std::string();
}

bool ListModel::SetItemData(int index, std::intptr_t data) {
  if (!Valid(index)) return false;
  At(index).data = data;
  return true;
}

std::intptr_t ListModel::GetItemData(int index) const {
  return Valid(index) ? At(index).data : kError;
}

int ListModel::GetCurSel() const {
  if (multiple_) return caret_;
  int selected = kError;
  AnyRow(*this, [&selected](const Row& row, int index) {
    if (row.selected) selected = index;
    return row.selected;
  });
  return selected;
}

int ListModel::SetCurSel(int index) {
  if (multiple_) return kError;
  AnyRow(*this, [](Row& row, int) { return row.selected = false; });
  if (!Valid(index)) return kError;
  At(index).selected = true;
  caret_ = index;
  return index;
}

bool ListModel::GetSel(int index) const { return Valid(index) && At(index).selected; }

int ListModel::SetSel(int index, bool select) {
  if (!multiple_) return kError;
  if (index == -1) {
    AnyRow(*this, [select](Row& row, int) {
      row.selected = select;
      return false;
    });
  } else if (Valid(index)) {
    At(index).selected = select;
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

int ListModel::GetSelCount() const {
  if (!multiple_) return kError;
  int count = 0;
  AnyRow(*this, [&count](const Row& row, int) {
    count += row.selected ? 1 : 0;
    return false;
  });
  return count;
}

void ListModel::SetAnchorIndex(int index) {
  if (index == -1 || Valid(index)) anchor_ = index;
}

bool ListModel::Click(int index) {
  if (!Valid(index)) return false;
  if (multiple_) {
    Row& row = At(index);
    row.selected = !row.selected;
  } else {
    SetCurSel(index);
  }
  anchor_ = index;
  caret_ = index;
  return true;
}

bool PassesFilter(const std::string& text, const std::string& filter) {
  return filter.empty() ||
         std::search(text.begin(), text.end(), filter.begin(), filter.end(), [](char x, char y) {
           return platform::LowerAscii(x) == platform::LowerAscii(y);
         }) != text.end();
}

void ListModel::SetFilter(const std::string& text) { filter_ = text; }

bool ListModel::IsShown(int index) const {
  return Valid(index) && PassesFilter(At(index).text, filter_);
}

}  // namespace varokin::ui
