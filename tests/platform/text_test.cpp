#include "platform/text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace varokin::platform {
namespace {

// Only ASCII letters fold: the bytes of "É" in UTF-8 and in Latin-1 stay as they are, so a name
// compares alike whatever the locale.
TEST(Text, FoldsTrimsAndSplitsOnlyWhatIsAscii) {
  EXPECT_EQ(LowerCase("Mixed ][Case.TC \xC3\x89\xC9"), "mixed ][case.tc \xC3\x89\xC9");
  EXPECT_TRUE(EqualsIgnoringCase("TotalA1.HPI", "totala1.hpi"));
  EXPECT_FALSE(EqualsIgnoringCase("\xC9", "\xE9"));
  EXPECT_FALSE(EqualsIgnoringCase("rev31.ufo", "rev31.ufo "));
  EXPECT_FALSE(EqualsIgnoringCase("@", "`"));  // either side of the letters

  EXPECT_EQ(Trim(" \t\r\n\v\fGAL  OTA\r\n"), "GAL  OTA");
  EXPECT_EQ(Trim(" \r\n "), "");
  EXPECT_EQ(Trim("\x1A name \x1A\n", " \x1A"), "name \x1A\n");

  EXPECT_EQ(SplitAtBlanks("  tc  ][Galaxy.tc\tnow "),
            (std::vector<std::string>{"tc", "][Galaxy.tc", "now"}));
  EXPECT_TRUE(SplitAtBlanks(" \t ").empty());
  EXPECT_EQ(SplitAtBlanks("a\nb"), std::vector<std::string>{"a\nb"});
}

}  // namespace
}  // namespace varokin::platform
