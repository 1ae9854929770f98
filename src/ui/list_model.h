#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace varokin::ui {

// Whether a row of this text passes a list's filter: it contains the filter's text without
// regard to case. Every row passes the empty filter.
bool PassesFilter(const std::string& text, const std::string& filter);
// Whether a row's name, textPixels wide, is cut where shownPixels of its row are on view; the list
// leaves a few pixels beside the text of a row.
inline bool NameIsCut(int textPixels, int shownPixels) { return textPixels + 4 > shownPixels; }

// The rows of a list box as the system's list box keeps them: sorted insert without regard to
// case, single or multiple selection with an anchor row, item data, exact-text search. The
// in-memory list box and the Qt one both keep their rows here, so that both behave alike.
// Answers and kError as ListBox promises them.
class ListModel {
 public:
  static constexpr int kError = -1;
  // The order of a sorted list: whether a comes before b.
  using Order = bool (*)(const std::string& a, const std::string& b);

  // Sorted by less when given; by default ASCII letters compare without regard to case and
  // everything else by its character code.
  ListModel(bool sorted, bool multipleSelection, Order less = nullptr);

  bool IsSorted() const { return sorted_; }
  bool IsMultipleSelection() const { return multiple_; }
  int AddString(const std::string& text);
  int InsertString(int index, const std::string& text);
  int GetCount() const { return count_; }
  std::string GetText(int index) const;
  bool SetItemData(int index, std::intptr_t data);
  std::intptr_t GetItemData(int index) const;
  int GetCurSel() const;
  int SetCurSel(int index);
  bool GetSel(int index) const;
  int SetSel(int index, bool select);
  int GetSelCount() const;
  int GetAnchorIndex() const { return anchor_; }
  void SetAnchorIndex(int index);

  // A user's click on a row: selects it in a single-selection list; toggles it and makes it the
  // anchor (and focus) row in a multiple-selection list. False for a row that does not exist.
  bool Click(int index);

  // Shows only the rows whose text contains text, without regard to case; an empty text shows
  // every row. Hiding is all a filter does: rows keep their numbers, selection and anchor.
  void SetFilter(const std::string& text);
  const std::string& GetFilter() const { return filter_; }
  bool IsShown(int index) const;

 private:
  struct Row {
    std::string text;
    std::intptr_t data = 0;
    bool selected = false;
  };
  // Rows live in short blocks so that an insert moves only the rows of one block: lists
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
  void ShiftFirstsOnInsert(std::size_t afterBlock);

  bool sorted_;
  bool multiple_;
  Order less_;
  std::vector<Block> blocks_;
  int count_ = 0;
  int lastAdded_ = -1;  // where the last sorted add went: only a hint, checked before use
  int anchor_ = -1;
  int caret_ = -1;
  std::string filter_;
};

}  // namespace varokin::ui
