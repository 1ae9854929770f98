#include "platform/text.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace varokin::platform {
namespace {

// Only ASCII letters fold: the bytes of "É" in UTF-8 and in Latin-1 stay as they are, so a name
// compares and matches alike whatever the locale.
TEST(Text, FoldsTrimsAndSplitsOnlyWhatIsAscii) {
  EXPECT_EQ(LowerCase("Mixed ][Case.TC \xC3\x89\xC9"), "mixed ][case.tc \xC3\x89\xC9");
  EXPECT_TRUE(EqualsIgnoringCase("TotalA1.HPI", "totala1.hpi"));
  EXPECT_FALSE(EqualsIgnoringCase("\xC9", "\xE9"));
  EXPECT_FALSE(EqualsIgnoringCase("rev31.ufo", "rev31.ufo "));
  EXPECT_FALSE(EqualsIgnoringCase("@", "`"));  // either side of the letters
  EXPECT_FALSE(WildcardMatch("\xc9*", "\xe9t\xe9"));

  EXPECT_EQ(Trim(" \t\r\n\v\fGAL  OTA\r\n"), "GAL  OTA");
  EXPECT_EQ(Trim(" \r\n "), "");
  EXPECT_EQ(Trim("\x1A name \x1A\n", " \x1A"), "name \x1A\n");

  EXPECT_EQ(SplitAtBlanks("  tc  ][Galaxy.tc\tnow "),
            (std::vector<std::string>{"tc", "][Galaxy.tc", "now"}));
  EXPECT_TRUE(SplitAtBlanks(" \t ").empty());
  EXPECT_EQ(SplitAtBlanks("a\nb"), std::vector<std::string>{"a\nb"});
}

// Every pattern against every name, next to a plain matcher that tries every split.
bool Reference(const std::string& p, std::size_t i, const std::string& n, std::size_t j,
               std::vector<std::vector<signed char>>& memo) {
  signed char& known = memo[i][j];
  if (known >= 0) return known;
  bool result;
  if (i == p.size()) {
    result = j == n.size();
  } else if (p[i] == '*') {
    result = Reference(p, i + 1, n, j, memo) || (j < n.size() && Reference(p, i, n, j + 1, memo));
  } else {
    result = j < n.size() && (p[i] == '?' || std::tolower(p[i]) == std::tolower(n[j])) &&
             Reference(p, i + 1, n, j + 1, memo);
  }
  known = result;
  return result;
}

TEST(WildcardMatchTest, AgreesWithAPlainMatcherOnRandomInputAndStaysFastWithManyStars) {
  std::mt19937 random(1234);
  const std::string patternChars = "aAb*?";
  const std::string nameChars = "aAbB";
  for (int round = 0; round < 20'000; ++round) {
    std::string pattern(random() % 9, ' ');
    for (char& c : pattern) c = patternChars[random() % patternChars.size()];
    std::string name(random() % 12, ' ');
    for (char& c : name) c = nameChars[random() % nameChars.size()];
    std::vector<std::vector<signed char>> memo(pattern.size() + 1,
                                               std::vector<signed char>(name.size() + 1, -1));
    ASSERT_EQ(WildcardMatch(pattern, name), Reference(pattern, 0, name, 0, memo))
        << pattern << " against " << name;
  }

  const std::string as(100'000, 'a');
  EXPECT_FALSE(WildcardMatch("*a*a*a*a*a*a*a*a*a*b", as));
  EXPECT_TRUE(WildcardMatch("*a*a*a*a*a*a*a*a*a*b", as + "b"));
  std::string longPiece = "*" + std::string(100, '?') + "b*";
  EXPECT_FALSE(WildcardMatch(longPiece, std::string(5'000, 'a')));
  EXPECT_TRUE(WildcardMatch(longPiece, std::string(5'000, 'a') + "b"));
}

}  // namespace
}  // namespace varokin::platform
