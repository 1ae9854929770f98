#include <gtest/gtest.h>

#include "engine/context.h"

namespace varokin::engine {
namespace {

TEST(PackMembership, OnlyCellsSetInsideTheTableAreMembersAndResizingEmptiesIt) {
  PackMembership packs;
  packs.Resize(3, 4);
  for (auto [row, column] : {std::pair{2, 3}, {0, 1}, {-1, 0}, {3, 0}, {0, 4}}) {
    packs.Set(row, column);
  }
  int members = 0;
  for (int row = -1; row <= 3; ++row) {
    for (int column = -1; column <= 4; ++column) members += packs.Get(row, column);
  }
  EXPECT_EQ(members, 2);
  EXPECT_TRUE(packs.Get(2, 3) && packs.Get(0, 1));
  packs.Resize(4, 3);
  EXPECT_FALSE(packs.Get(0, 1));
}

}  // namespace
}  // namespace varokin::engine
