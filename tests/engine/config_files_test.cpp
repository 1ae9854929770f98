#include "engine/config_files.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "support/ta_folder.h"

namespace varokin::engine {
namespace {

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
  std::optional<int> CountOf(const std::string& line4) {
    ta.Text("Varokin\\}{Count.vkn", "Count\nabout\n*\n" + line4 + "\n5\n");
    ConfigReader reader(*fs, "}{Count.vkn");
    reader.SkipHeader();
    return reader.ReadMutatorCount();
  }
};

TEST_F(ConfigFiles, HeaderLinesAndDescriptionPane) {
  ta.Text("Varokin\\][Foo.tc", "Foo Wars\nThe story##goes on##\nFoo OTA\n");
  ConfigReader reader(*fs, "][Foo.tc");
  ASSERT_TRUE(reader.IsOpen());
  std::string title = reader.ReadLine();
  std::string description = reader.ReadLine();
  EXPECT_EQ(title, "Foo Wars");
  EXPECT_EQ(reader.ReadLine(), "Foo OTA");
  EXPECT_EQ(DescriptionPane(title, description, "][Foo.tc"),
            "Foo Wars: \r\nThe story\r\ngoes on\r\n\r\n\r\n  -- ][Foo.tc");
  EXPECT_EQ(reader.ReadLine(), "");
  EXPECT_EQ(DecodeDescription("a###b####"), "a\r\n#b\r\n\r\n");
  EXPECT_EQ(DecodeDescription("no breaks"), "no breaks");
}

TEST_F(ConfigFiles, RenamePairsEndAtTheFirstLineThatIsNotAPair) {
  const std::string longWord(70, 'w');
  ta.Text("Varokin\\][Foo.tc",
          "Foo\nabout\nFoo\n"
          "foo.hpi totala1.hpi ignored words\n"
          "units\\core\tunits\n" +
              longWord + " ignored\n" +
              "lonely.hpi\n"
              "after.hpi after.hpi\n");
  EXPECT_EQ(PairsOf("][Foo.tc"), (Pairs{
                                     {"foo.hpi", "totala1.hpi"},
                                     {"units\\core", "units"},
                                     {std::string(63, 'w'), std::string(7, 'w')},
                                 }));

  ta.Text("Varokin\\][Gap.tc", "Gap\nabout\nGap\na.hpi b.hpi\n\nc.hpi d.hpi\n");
  EXPECT_EQ(PairsOf("][Gap.tc"), (Pairs{{"a.hpi", "b.hpi"}}));

  ta.Text("Varokin\\][Bare.tc", "Bare\nabout\nBare\n");
  EXPECT_TRUE(PairsOf("][Bare.tc").empty());
}

TEST_F(ConfigFiles, LinesLongerThanTheBufferContinueOnTheNextRead) {
  // A 1030-character description is read as two lines, so the tag line becomes the first pair.
  ta.Folder("Varokin");
  std::ofstream(ta.Host("Varokin\\][Long.tc"), std::ios::binary)
      << "Long\n"
      << std::string(1030, 'd') << "\nLong OTA\na.hpi b.hpi\n";
  ConfigReader reader(*fs, "][Long.tc");
  EXPECT_EQ(reader.ReadLine(), "Long");
  EXPECT_EQ(reader.ReadLine(), std::string(1022, 'd'));
  EXPECT_EQ(reader.ReadLine(), std::string(8, 'd'));
  RenamePair pair;
  ASSERT_TRUE(reader.NextRenamePair(pair));
  EXPECT_EQ(pair.stored, "Long");
  EXPECT_EQ(pair.installed, "OTA");
}

TEST_F(ConfigFiles, AiPayloadsAreNumberedFromLineFour) {
  ta.Text("Varokin\\^^Brain.ai", "Brain\nabout\nOTA\nAI extra\nbrain.ufo\n\nnever.ufo\n");
  ConfigReader reader(*fs, "^^Brain.ai");
  reader.SkipHeader();
  std::string stem = AiStem("^^Brain.ai");
  std::vector<std::pair<std::string, std::string>> moves;
  std::string word;
  for (int k = 1; reader.NextAiPayload(word); ++k)
    moves.emplace_back(AiStoredPayload(stem, k), word);
  EXPECT_EQ(moves, (std::vector<std::pair<std::string, std::string>>{
                       {"Varokin\\^^Brain(1)", "AI"}, {"Varokin\\^^Brain(2)", "brain.ufo"}}));
}

TEST_F(ConfigFiles, MutatorCountReadsLikeADecimalNumber) {
  const std::pair<std::string, std::optional<int>> cases[] = {
      {"3", 3},    {"   +2", 2},          {"\t-4", -4},          {"12 files", 12},
      {"7abc", 7}, {"abc", std::nullopt}, {"- 5", std::nullopt}, {"", std::nullopt}};
  for (const auto& [line, count] : cases) EXPECT_EQ(CountOf(line), count) << line;

  ta.Text("Varokin\\}{Short.vkn", "Short\nabout\n*\n");
  ConfigReader reader(*fs, "}{Short.vkn");
  reader.SkipHeader();
  EXPECT_EQ(reader.ReadMutatorCount(), std::nullopt);
}

TEST_F(ConfigFiles, AMissingFileReadsAsEmptyLines) {
  ConfigReader reader(*fs, "][Gone.tc");
  EXPECT_FALSE(reader.IsOpen());
  EXPECT_EQ(reader.ReadLine(), "");
  RenamePair pair;
  EXPECT_FALSE(reader.NextRenamePair(pair));
  std::string word;
  EXPECT_FALSE(reader.NextAiPayload(word));
  EXPECT_EQ(reader.ReadMutatorCount(), std::nullopt);
}

TEST_F(ConfigFiles, PatternsFindEachKindInTheVarokinFolder) {
  for (const char* name : {"][Foo.tc", "][Bar.TC", "}{Speedy.vkn", "^^Brain.ai", "][Foo.txt",
                           "Foo.tc", "^^Brain.ai.bak"}) {
    ta.Text(std::string("Varokin\\") + name, "x\n");
  }
  ta.Text("][Root.tc", "x\n");
  EXPECT_EQ(fs->Find(ConfigPattern(ModKind::kTotalConversion)),
            (std::vector<std::string>{"][Bar.TC", "][Foo.tc"}));
  EXPECT_EQ(fs->Find(ConfigPattern(ModKind::kMutator)), (std::vector<std::string>{"}{Speedy.vkn"}));
  EXPECT_EQ(fs->Find(ConfigPattern(ModKind::kAi)), (std::vector<std::string>{"^^Brain.ai"}));
}

}  // namespace
}  // namespace varokin::engine
