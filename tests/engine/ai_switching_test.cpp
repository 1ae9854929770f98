#include "engine/ai_switching.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/config_files.h"
#include "support/engine/switching_fixture.h"

namespace varokin::engine {
namespace {

const std::string kDefaultDescription =
    "Using the default AI for the current TC.  Be sure you're in this mode before uninstalling "
    "any AIs";
const std::string kAdvice =
    "probably didn't cause these changes, and would probably mess something up by attempting to "
    "fix it, it is recommended that you fix it manually before attempting to change AIs";

class AiSwitchingTest : public engine_tests::Switching {
 protected:
  AiSwitching ai{ctx};

  void MakeBrain(const std::string& tags) {
    state.currentAi = Pool(
        ta.Ai("Brain", "Big Brain", "Thinks##hard", tags, {{"AI", true}, {"brain.ufo", false}}));
  }
};

TEST_F(AiSwitchingTest, LoadMovesNumberedPayloadsInAndUnloadMovesThemBack) {
  MakeBrain("GAL OTA");
  const fixtures::FileInventory before = ta.Inventory();

  ASSERT_TRUE(ai.LoadAi());
  EXPECT_EQ(ta.Read("brain.ufo"), "AI Varokin\\^^Brain(2)");
  EXPECT_EQ(ai.Shown().description, "Big Brain: \r\nThinks\r\nhard\r\n\r\n  -- ^^Brain.ai");
  ASSERT_TRUE(ai.UnloadAi());
  EXPECT_EQ(ta.Inventory(), before);
  state.currentAi = kNoMod;
  EXPECT_TRUE(ai.LoadAi());
  EXPECT_EQ(ai.Shown().description, kDefaultDescription);
}

TEST_F(AiSwitchingTest, AFailedOrRefusedLoadLeavesEveryFileInPlace) {
  MakeBrain("*");
  ta.Text("brain.ufo", "another AI's archive");
  const fixtures::FileInventory before = ta.Inventory();
  ExpectMessage(
      "Loading Ai (^^Brain.ai):\n\nAn extra copy of brain.ufo was found\n\nLoad Aborted.");
  EXPECT_FALSE(ai.LoadAi());
  EXPECT_EQ(ta.Inventory(), before);
  EXPECT_EQ(Setting("Previous Settings", "AI"), "none");  // as it was: no AI

#ifndef _WIN32
  // Beside a case twin a payload could not go back once moved in: refused before the first move.
  std::filesystem::remove(ta.Host("brain.ufo"));
  ta.Text("Varokin\\^^BRAIN(2)", "twin");
  const fixtures::FileInventory withTwin = ta.Inventory();
  ExpectMessage(
      "Loading Ai (^^Brain.ai):\n\nAn extra copy of Varokin\\^^Brain(2) was found\n\nLoad "
      "Aborted.");
  EXPECT_FALSE(ai.LoadAi());
  EXPECT_EQ(ta.Inventory(), withTwin);
#endif
}

TEST_F(AiSwitchingTest, ValidationReportsWhatIsOutOfPlaceOrLeadsOutAndStopsAtItsBound) {
  ta.Folder("Ai");
  ExpectMessage(
      "The last time Varokin was used it was using the \"Original TA\" AI; however the directory "
      "AI, which is not used in original TA mode, is in your TA directory.  This is probably the "
      "result of using some other TA modification program. Please rename it before using Varokin "
      "in order to avoid problems");
  EXPECT_FALSE(ai.ValidateAi("none"));
  EXPECT_FALSE(ai.Shown().description);
  std::filesystem::remove(ta.Host("Ai"));
  EXPECT_TRUE(ai.ValidateAi("none"));
  EXPECT_EQ(ai.Shown().description, kDefaultDescription);

  MakeBrain("OTA");
  ta.Text("Varokin\\^^Brain.ai", ta.Read("Varokin\\^^Brain.ai") + "gone.ufo\r\n");
  ExpectReport("the AI", "^^Brain.ai",
               "-> Found the file/directory Varokin\\^^Brain(1) which should currently be named "
               "AI and be in your TA directory\n"
               "-> Found the file/directory Varokin\\^^Brain(2) which should currently be named "
               "brain.ufo and be in your TA directory\n"
               "-> Unable to locate the file/directory gone.ufo which should be in yout TA "
               "directory\n",
               kAdvice);
  EXPECT_FALSE(ai.ValidateAi("^^Brain.ai"));
  EXPECT_EQ(ai.Shown().description, "Big Brain: \r\nThinks\r\nhard\r\n\r\n  -- ^^Brain.ai");

  WorkInSubfolder();
  ta.Text("^^Out.ai", "Outside\r\n\r\n*\r\n");
  ta.Text("TA\\Varokin\\^^Evil.ai", "Evil\r\n\r\n*\r\n..\\outside.txt\r\nnul.hpi\r\nAi\r\n");
  ta.Folder("TA\\Ai");
  const fixtures::FileInventory before = ta.Inventory();
  ExpectReport("the AI", "^^Evil.ai",
               "-> The payload ..\\outside.txt is not valid: a name leads outside your TA "
               "directory\n"
               "-> The payload nul.hpi is not valid: a name leads outside your TA directory\n",
               kAdvice);
  EXPECT_FALSE(ai.ValidateAi("^^Evil.ai"));
  ExpectReport("the AI", "..\\..\\^^Out.ai",
               "-> The name ..\\..\\^^Out.ai is not valid: a name leads outside your TA "
               "directory\n",
               kAdvice);
  EXPECT_FALSE(ai.ValidateAi("..\\..\\^^Out.ai"));
  EXPECT_EQ(ai.Shown().description, ": \r\n\r\n\r\n  -- ..\\..\\^^Out.ai");
  EXPECT_EQ(ta.Inventory(), before);

  std::string huge = "Huge\r\n\r\n*\r\n";
  for (int payload = 0; payload <= kValidatedPairLimit; ++payload) huge += "Ai\r\n";
  ta.Text("TA\\Varokin\\^^Huge.ai", huge);
  ExpectReport("the AI", "^^Huge.ai",
               "-> The file holds more than 10000 payloads; the rest were not checked\n", kAdvice);
  EXPECT_FALSE(ai.ValidateAi("^^Huge.ai"));
}

}  // namespace
}  // namespace varokin::engine
