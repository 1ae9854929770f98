#include "engine/config_files.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "support/ta_folder.h"

namespace varokin::engine {
namespace {

// How lines are cut and words split is the line reader's; here only what the configuration files
// make of their lines.
class ConfigFiles : public ::testing::Test {
 protected:
  fixtures::TaFolder ta;
  std::unique_ptr<platform::FileSystem> fs = platform::CreateHostFileSystem();

  using Pairs = std::vector<std::pair<std::string, std::string>>;

  Pairs PairsOf(const std::string& fileName) {
    ConfigReader reader(*fs, fileName);
    reader.SkipHeader();
    Pairs pairs;
    RenamePair pair;
    while (reader.NextRenamePair(pair)) pairs.emplace_back(pair.stored, pair.installed);
    return pairs;
  }
};

TEST_F(ConfigFiles, DescriptionsBreakAtEveryDoubleHashAndRenamePairsEndAtTheFirstNonPair) {
  EXPECT_EQ(DecodeDescription("a###b####"), "a\r\n#b\r\n\r\n");
  EXPECT_EQ(DecodeDescription("no breaks"), "no breaks");

  ta.Text("Varokin\\][Foo.tc",
          "Foo\nabout\nFoo\n"
          "foo.hpi totala1.hpi ignored words\n"
          "units\\core units\n"
          "lonely.hpi\n"
          "after.hpi after.hpi\n");
  EXPECT_EQ(PairsOf("][Foo.tc"), (Pairs{{"foo.hpi", "totala1.hpi"}, {"units\\core", "units"}}));

  ta.Text("Varokin\\][Gap.tc", "Gap\nabout\nGap\na.hpi b.hpi\n\nc.hpi d.hpi\n");
  EXPECT_EQ(PairsOf("][Gap.tc"), (Pairs{{"a.hpi", "b.hpi"}}));
}

}  // namespace
}  // namespace varokin::engine
