#include "ui/headless/headless_controls.h"

#include <algorithm>

namespace varokin::ui::headless {

int HeadlessTabControl::InsertItem(int index, const std::string& text) {
  if (index < 0) return -1;
  index = std::min(index, GetItemCount());
  tabs_.insert(tabs_.begin() + index, text);
  if (selected_ >= index) ++selected_;
  return index;
}

std::string HeadlessTabControl::GetItemText(int index) const {
  return index >= 0 && index < GetItemCount() ? tabs_[static_cast<std::size_t>(index)]
                                              : std::string();
}

int HeadlessTabControl::SetCurSel(int index) {
  if (index < 0 || index >= GetItemCount()) return -1;
  const int previous = selected_;
  selected_ = index;
  return previous;
}

}  // namespace varokin::ui::headless
