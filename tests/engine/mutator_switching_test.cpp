#include "engine/mutator_switching.h"

#include <gtest/gtest.h>

#include <string>

#include "support/engine/switching_fixture.h"

namespace varokin::engine {
namespace {

const std::string kLoadPrefix = "Loading Mutator:\n\n";

class MutatorSwitchingTest : public engine_tests::Switching {
 protected:
  MutatorSwitching mutators{ctx};

  // The Mutator with count N, put into slot 3 as the list handler would.
  void MakeSpeedy(int count, const std::string& tags = "OTA") {
    state.mutatorSlots[3] = Pool(ta.Mutator("Speedy", "Speedy", "Fast##units", tags, count));
  }
  void ExpectReport(const std::string& fileName, const std::string& problems) {
    Switching::ExpectReport("the mutator", fileName, problems,
                            "probably didn't cause these changes, and would probably mess "
                            "something up by attempting to fix it, it is recommended that you fix "
                            "it manually before attempting to change modes");
  }
  void Install(const std::string& payload) {
    std::filesystem::rename(ta.Host("Varokin\\" + payload), ta.Host(payload));
  }
};

TEST_F(MutatorSwitchingTest, AFailedOrRefusedLoadLeavesEveryFileInPlace) {
  MakeSpeedy(3);
  const fixtures::FileInventory before = ta.Inventory();
  prompts.Expect(
      "This Mutator does not claim to be compatible with your current TC.\n\nDo you wish to "
      "disable it again?  (Strongly recommended)",
      Answer::kYes, Buttons::kYesNo);
  state.tcTags = " GAL ";
  EXPECT_FALSE(mutators.LoadMutator(3));
  EXPECT_EQ(ta.Inventory(), before);

#ifndef _WIN32
  // Beside a case twin a payload could not go back once moved in: refused before the first move.
  state.tcTags = state.baseGameTag;
  ta.Text("Varokin\\}{SPEEDY(2).CCX", "twin");
  const fixtures::FileInventory withTwin = ta.Inventory();
  ExpectMessage(kLoadPrefix +
                "An extra copy of Varokin\\}{Speedy(2).ccx was found\n\nLoad Aborted.");
  EXPECT_FALSE(mutators.LoadMutator(3));
  EXPECT_EQ(ta.Inventory(), withTwin);
#endif

  // A count of billions stops at the first missing payload, without planning billions of moves;
  // the payloads moved before it go back, and the slot is free again.
  state.tcTags = state.baseGameTag;
  state.mutatorSlots[4] = Pool(ta.Mutator("Endless", "Endless", "e", "OTA", 1));
  ta.Text("Varokin\\}{Endless.vkn", "Endless\r\ne\r\nOTA\r\n2147483647\r\n");
  const fixtures::FileInventory endless = ta.Inventory();
  ExpectMessage(kLoadPrefix + "Unable to find the file Varokin\\}{Endless(2).ccx\n\nLoad Aborted.");
  EXPECT_FALSE(mutators.LoadMutator(4));
  EXPECT_EQ(ta.Inventory(), endless);
  EXPECT_EQ(Setting("Active Mutators", "Mutator 4"), "");
}

TEST_F(MutatorSwitchingTest, AnUnreadableCountStopsEverythingAndValidationReportsEachPayloadOnce) {
  MakeSpeedy(1);
  ta.Text("Varokin\\}{Speedy.vkn", "Speedy\r\nFast\r\nOTA\r\nthree extra files\r\n");
  const fixtures::FileInventory before = ta.Inventory();

  ExpectMessage("Error reading mutator file Varokin\\}{Speedy.vkn");
  EXPECT_FALSE(mutators.LoadMutator(3));
  ExpectMessage(
      "Error reading mutator file }{Speedy.vkn\n\nMutator unload aborted to prevent corruption");
  EXPECT_FALSE(mutators.UnloadMutator(3));
  ExpectMessage("Error reading }{Speedy.vkn mutator file while validating");
  mutators.ValidateMutator("}{Speedy.vkn");
  EXPECT_EQ(ta.Inventory(), before);
  EXPECT_EQ(Setting("Active Mutators", "Mutator 3"), "<absent>");

  // A free slot names no file at all, and its slot number is never written.
  ExpectMessage("Error reading mutator file \n\nMutator unload aborted to prevent corruption");
  EXPECT_FALSE(mutators.UnloadMutator(40));

  MakeSpeedy(3);
  ta.Text("Varokin\\}{Speedy.vkn", "Speedy\r\nFast\r\n*\r\n  3 extra files\r\n");
  Install("}{Speedy(1).ccx");
  ta.Text("Varokin\\}{Speedy(1).ccx", "a second copy");
  std::filesystem::remove(ta.Host("Varokin\\}{Speedy(2).ccx"));
  Install("}{Speedy(3).ccx");
  ExpectReport("}{Speedy.vkn",
               "-> Found the file Varokin\\}{Speedy.ccx which should currently be in your "
               "TA folder\n"
               "-> Found the file Varokin\\}{Speedy(1).ccx, which should currently be in "
               "your TA folder\n"
               "-> Unable to locate the file }{Speedy(2).ccx, which should be in your TA folder\n");
  mutators.ValidateMutator("}{Speedy.vkn");
  EXPECT_EQ(mutators.Shown().description, "Speedy: \r\nFast\r\n\r\n  -- }{Speedy.vkn");
  mutators.ValidateMutator("none");

  // A mistyped count lists a bounded run of absent payloads, not two billion of them.
  ta.Mutator("Typo", "Typo", "", "*", 0);
  ta.Text("Varokin\\}{Typo.vkn", "Typo\r\n\r\n*\r\n2000000000\r\n");
  Install("}{Typo.ccx");
  std::string absent;
  for (int k = 1; k <= 32; ++k) {
    absent += "-> Unable to locate the file }{Typo(" + std::to_string(k) +
              ").ccx, which should be in your TA folder\n";
  }
  ExpectReport("}{Typo.vkn", absent);
  mutators.ValidateMutator("}{Typo.vkn");

  // A remembered name that leads out is not even read. Varokin stands in for the TA folder here,
  // so that the name reaches a real file.
  ta.Text("}{Out.vkn", "Outside\r\n\r\n*\r\n0\r\n");
  ASSERT_TRUE(fs.SetCurrentDir(ta.Host("Varokin").string()));
  ExpectReport("..\\..\\}{Out.vkn",
               "-> The name ..\\..\\}{Out.vkn is not valid: a name leads outside your TA "
               "directory\n");
  mutators.ValidateMutator("..\\..\\}{Out.vkn");
}

}  // namespace
}  // namespace varokin::engine
