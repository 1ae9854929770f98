#include <cstddef>

#include "engine/context.h"

namespace varokin::engine {

void PackMembership::Resize(int rows, int columns) {
  rows_ = rows > 0 ? rows : 0;
  columns_ = columns > 0 ? columns : 0;
  cells_.assign(static_cast<std::size_t>(rows_) * static_cast<std::size_t>(columns_), 0);
}

// Rows and columns come from list positions, which may be -1 (no row); those are never members.
bool PackMembership::Get(int row, int column) const {
  if (row < 0 || row >= rows_ || column < 0 || column >= columns_) return false;
  return cells_[static_cast<std::size_t>(row) * columns_ + column] != 0;
}

void PackMembership::Set(int row, int column) {
  if (row < 0 || row >= rows_ || column < 0 || column >= columns_) return;
  cells_[static_cast<std::size_t>(row) * columns_ + column] = 1;
}

}  // namespace varokin::engine
