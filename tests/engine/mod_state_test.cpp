#include "engine/mod_state.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace varokin::engine {
namespace {

TEST(ModState, ThePoolHoldsAtMost511NamesAndTheSlots32UniqueMutators) {
  ModNamePool pool;
  for (int i = 0; i < 511; ++i) ASSERT_EQ(pool.Add("}{M" + std::to_string(i) + ".vkn"), i);
  EXPECT_EQ(pool.Add("^^Late.ai"), -1);
  EXPECT_EQ(pool.Count(), 511);
  EXPECT_EQ(pool.Get(510), "}{M510.vkn");
  EXPECT_EQ(pool.Get(511), "");

  ModState state;
  EXPECT_EQ(state.AddMutatorSlot(7), 0);
  EXPECT_EQ(state.AddMutatorSlot(7), -1);
  for (int i = 8; i < 8 + 31; ++i) EXPECT_EQ(state.AddMutatorSlot(i), i - 7);
  EXPECT_EQ(state.AddMutatorSlot(100), -2);
  // An index already present is reported as such even when the table is full.
  EXPECT_EQ(state.AddMutatorSlot(8), -1);
}

TEST(ModState, IsCompatibleWhenTheItemListsOneOfTheTcTagsOrTheStar) {
  const std::tuple<std::string, std::string, bool> cases[] = {
      {"OTA", "OTA", true},
      {"OTA", "TACC OTA", true},
      {"OTA", "ota", false},
      {"OTA", "OTAX", false},
      {"OTA", "*", true},
      {"OTA", "", false},
      {"OTA", "* OTAX", false},
      {"MyTC OTA", "OTA", true},
      {"MyTC OTA", "Other MyTC", true},
      {"MyTC  OTA", "OTA", true},
      // A tab in the TC's tags hides the tag after it.
      {"Foo\tBar", "Foo", true},
      {"Foo\tBar", "Bar", false},
      // A tab in the item's tags joins its neighbours into one text that matches neither.
      {"Bar", "Foo\tBar", false},
      {"Bar", "Foo\tBar Bar", true},
  };
  for (const auto& [tcTagLine, itemTagLine, compatible] : cases) {
    ModState state;
    state.SetTcTags(" " + tcTagLine + " ");
    EXPECT_EQ(state.IsCompatible(" " + itemTagLine + " "), compatible)
        << '"' << tcTagLine << "\" against \"" << itemTagLine << '"';
  }
  for (const std::string tags : {"", " ", "  ", "\t"}) {
    ModState state;
    state.SetTcTags(tags);
    EXPECT_TRUE(state.IsCompatible(" * ")) << '"' << tags << '"';
    EXPECT_FALSE(state.IsCompatible("  ")) << '"' << tags << '"';
    EXPECT_FALSE(state.IsCompatible(" OTA ")) << '"' << tags << '"';
  }
}

}  // namespace
}  // namespace varokin::engine
