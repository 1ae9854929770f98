#include <gtest/gtest.h>

#include "engine/context.h"

namespace varokin::engine {
namespace {

TEST(PackMembership, CellsStartEmptyAndRowsOutsideTheTableAreNeverMembers) {
  PackMembership packs;
  packs.Resize(3, 4);
  EXPECT_EQ(packs.Rows(), 3);
  EXPECT_EQ(packs.Columns(), 4);
  packs.Set(2, 3);
  packs.Set(0, 1);
  packs.Set(-1, 0);
  packs.Set(3, 0);
  packs.Set(0, 4);
  for (int row = -1; row <= 3; ++row) {
    for (int column = -1; column <= 4; ++column) {
      const bool member = (row == 2 && column == 3) || (row == 0 && column == 1);
      EXPECT_EQ(packs.Get(row, column), member) << row << "," << column;
    }
  }
  // A new scan starts from an empty table.
  packs.Resize(4, 3);
  EXPECT_FALSE(packs.Get(0, 1));
  packs.Resize(-2, 5);
  EXPECT_EQ(packs.Rows(), 0);
  EXPECT_FALSE(packs.Get(0, 0));
}

}  // namespace
}  // namespace varokin::engine
