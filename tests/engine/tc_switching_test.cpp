#include "engine/tc_switching.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "engine/ai_switching.h"
#include "engine/config_files.h"
#include "engine/game_files.h"
#include "engine/mutator_switching.h"
#include "support/engine/switching_fixture.h"

namespace varokin::engine {
namespace {

const std::string kNotCavedog =
    "There is no TC enabled, yet totala1.hpi does not appear to be the Cavedog version.  It may be "
    "corrupted, or it could be the result of uninstalling a TC without first disabling it";
const std::string kAdvice =
    "didn't cause these changes, it would probably mess something up by attempting to fix it, "
    "it is recommended that you fix it manually before attempting to change TCs";

class TcSwitchingTest : public engine_tests::Switching {
 protected:
  TcSwitching tc{ctx};

  // Three pairs: the game's archive replaced, a plain file and a folder.
  void MakeGalaxy() {
    state.currentTc = Pool(ta.Tc("Galaxy", "Galaxy TC", "Stars##and more", "GAL  OTA",
                                 {{"gal.hpi", "totala1.hpi"}, {"gal.ufo", "galaxy.ufo"}}));
    ta.Text("Varokin\\galmaps\\map.ota", "map");
    ta.Text("Varokin\\][Galaxy.tc", ta.Read("Varokin\\][Galaxy.tc") + "galmaps maps\\galaxy\r\n");
    ta.Folder("maps");
  }
};

TEST_F(TcSwitchingTest, LoadMovesPairsInBackingUpTheArchiveAndUnloadRestoresEverything) {
  MakeGalaxy();
  const fixtures::FileInventory before = ta.Inventory();

  ASSERT_TRUE(tc.LoadTc());
  EXPECT_EQ(ta.Read("totala1.hpi"), "TC Galaxy: gal.hpi");
  EXPECT_EQ(ta.SizeOf("totala1.###"), static_cast<std::int64_t>(kTotala1HpiSize));
  EXPECT_EQ(state.tcTags, " GAL  OTA ");

  ASSERT_TRUE(tc.UnloadTc());
  EXPECT_EQ(ta.Inventory(), before);
  // Loading remembers the TC, unloading alone does not forget it.
  EXPECT_EQ(Setting("Previous Settings", "TC"), "][Galaxy.tc");
}

TEST_F(TcSwitchingTest, ValidationReportsWhatIsOutOfPlaceOrLeadsOutAndStopsAtItsBound) {
  MakeGalaxy();
  ta.Text("Varokin\\][Galaxy.tc",
          "Galaxy TC\r\nStars\r\n \tGAL OTA \r\ngal.hpi totala1.hpi\r\n"
          "gal.ufo galaxy.ufo\r\nlost.ufo lost.ufo\r\n");
  fixtures::FileInventory before = ta.Inventory();
  ExpectReport("the TC", "][Galaxy.tc",
               "-> Found the file/directory Varokin\\gal.hpi which should currently be named "
               "totala1.hpi and be in your TA directory\n"
               "-> Found the file/directory Varokin\\gal.ufo which should currently be named "
               "galaxy.ufo and be in your TA directory\n"
               "-> Unable to locate the file/directory lost.ufo which should be in your TA "
               "directory\n",
               kAdvice);
  EXPECT_FALSE(tc.ValidateTc("][Galaxy.tc"));
  EXPECT_EQ(tc.Shown().title, "Galaxy TC");
  EXPECT_EQ(tc.Shown().description, "Galaxy TC: \r\nStars\r\n\r\n  --][Galaxy.tc");
  EXPECT_EQ(state.tcTags, " GAL OTA ");
  EXPECT_EQ(ta.Inventory(), before);

  EXPECT_TRUE(tc.ValidateTc("][Gone.tc"));
  EXPECT_EQ(tc.Shown().title, "");
  EXPECT_EQ(tc.Shown().description, ": \r\n\r\n\r\n  --][Gone.tc");
  EXPECT_EQ(state.tcTags, "  ");

  WorkInSubfolder();
  ta.Text("][Out.tc", "Outside\r\n\r\n*\r\n");
  ta.Text("TA\\stolen.hpi", "");
  ta.Text("TA\\Moved", "");
  ta.Text("TA\\Varokin\\][Evil.tc",
          "Evil\r\n\r\n*\r\n..\\..\\outside.txt stolen.hpi\r\n. Moved\r\nx NUL\r\nx com1.hpi\r\n");
  before = ta.Inventory();
  ExpectReport("the TC", "][Evil.tc",
               "-> The pair ..\\..\\outside.txt stolen.hpi is not valid: a name leads outside your "
               "TA directory\n"
               "-> The pair . Moved is not valid: a name leads outside your TA directory\n"
               "-> The pair x NUL is not valid: a name leads outside your TA directory\n"
               "-> The pair x com1.hpi is not valid: a name leads outside your TA directory\n",
               kAdvice);
  EXPECT_FALSE(tc.ValidateTc("][Evil.tc"));
  // A remembered name that leads out is not even read.
  ExpectReport("the TC", "..\\..\\][Out.tc",
               "-> The name ..\\..\\][Out.tc is not valid: a name leads outside your TA "
               "directory\n",
               kAdvice);
  EXPECT_FALSE(tc.ValidateTc("..\\..\\][Out.tc"));
  EXPECT_EQ(tc.Shown().title, "");
  EXPECT_EQ(ta.Inventory(), before);

  // Pairs beyond any real TC's count are not read: a file of millions would take minutes.
  std::string huge = "Huge\r\n\r\n*\r\n";
  for (int pair = 0; pair <= kValidatedPairLimit; ++pair) huge += "a stolen.hpi\r\n";
  ta.Text("TA\\Varokin\\][Huge.tc", huge);
  ExpectReport("the TC", "][Huge.tc",
               "-> The file holds more than 10000 pairs; the rest were not checked\n", kAdvice);
  EXPECT_FALSE(tc.ValidateTc("][Huge.tc"));
}

TEST_F(TcSwitchingTest, PairsThatCouldNotComeBackAreRefusedBeforeAnyMove) {
  ta.Tc("Other", "Other", "", "OTA", {});
  ta.Text("Varokin\\first.ufo", "first");
  const std::string kPrefix = "Loading TC (][Self.tc):\n\n";
  const std::string kSuffix = "\n\nload Aborted.";
  // Varokin's own files: moved away, the TC could not be read to be unloaded, nor the catalogue
  // find them.
  for (const char* stored :
       {"][Self.tc", "][OTHER.TC", "}{Some.vkn", "^^Some.ai", "UfoManager", "ufomanager\\p.pac",
        ".\\Snapshots", "Snapshots\\s.TAS", "][Self.tc.", "JOURNAL.txt"}) {
    SCOPED_TRACE(stored);
    state.currentTc =
        Pool(ta.Tc("Self", "Self", "", "OTA", {{"first.ufo", "first.ufo"}, {stored, "moved"}}));
    const fixtures::FileInventory before = ta.Inventory();
    ExpectMessage(kPrefix + "Refusing to move Varokin\\" + stored + ": Varokin needs it in place" +
                  kSuffix);
    EXPECT_FALSE(tc.LoadTc());
    EXPECT_EQ(ta.Inventory(), before);
  }
#ifndef _WIN32
  // A payload beside its case twin: once moved in, it could never take its stored name back.
  ta.Text("Varokin\\second.ufo", "second");
  ta.Text("Varokin\\SECOND.UFO", "twin");
  state.currentTc = Pool(
      ta.Tc("Self", "Self", "", "OTA", {{"first.ufo", "first.ufo"}, {"second.ufo", "second.ufo"}}));
  const fixtures::FileInventory before = ta.Inventory();
  ExpectMessage(kPrefix + "An extra copy of Varokin\\second.ufo was found" + kSuffix);
  EXPECT_FALSE(tc.LoadTc());
  EXPECT_EQ(ta.Inventory(), before);
#endif
  EXPECT_EQ(Setting("Previous Settings", "TC"), "<absent>");
}

TEST_F(TcSwitchingTest, UnwritableSettingsStopEverySwitchBeforeItsFirstMove) {
  AiSwitching ai{ctx};
  MutatorSwitching mutators{ctx};
  MakeGalaxy();
  state.currentAi = Pool(ta.Ai("Brain", "Brain", "", "*", {{"brain.ufo", false}}));
  state.mutatorSlots[3] = Pool(ta.Mutator("Speedy", "Speedy", "", "*", 1));
  auto unwritable = [&](bool on) {
    // A folder where the file should be: no write can replace it, whoever runs the test.
    std::filesystem::remove(settingsPath);
    if (on) std::filesystem::create_directory(settingsPath);
  };
  const std::string kUnsaved =
      "Unable to save the settings file " + settingsPath.string() + ": nothing was changed.";

  unwritable(true);
  // A write that starts no move stays silent.
  const int galaxy = state.currentTc;
  state.currentTc = kNoMod;
  EXPECT_TRUE(tc.LoadTc());
  state.currentTc = galaxy;
  const fixtures::FileInventory inactive = ta.Inventory();
  for (int i = 0; i < 3; ++i) ExpectMessage(kUnsaved);
  EXPECT_FALSE(tc.LoadTc());
  EXPECT_FALSE(ai.LoadAi());
  EXPECT_FALSE(mutators.LoadMutator(3));
  EXPECT_EQ(ta.Inventory(), inactive);

  // Unloaded unknown to the settings, each would still be remembered as active.
  unwritable(false);
  ASSERT_TRUE(tc.LoadTc() && ai.LoadAi() && mutators.LoadMutator(3));
  unwritable(true);
  const fixtures::FileInventory active = ta.Inventory();
  for (int i = 0; i < 3; ++i) ExpectMessage(kUnsaved);
  EXPECT_FALSE(tc.UnloadTc());
  EXPECT_FALSE(ai.UnloadAi());
  EXPECT_FALSE(mutators.UnloadMutator(3));
  EXPECT_EQ(ta.Inventory(), active);
}

TEST_F(TcSwitchingTest, TheOriginalGameWarnsAboutItsArchiveOnlyWhenItMatters) {
  const std::string kMissing = "The file totala1.hpi is missing";
  state.baseGameTag = " TACC ";  // the original game takes the base game's tags
  const std::tuple<bool, bool, bool, std::uint64_t, std::string, std::string> cases[] = {
      {true, true, false, kTotala1HpiSize, "", ""},
      {true, true, false, kTotala1HpiSize + 1, kNotCavedog, kNotCavedog},
      {true, false, false, 1000, "", ""},
      {true, true, true, 40000000, "", ""},
      {false, true, false, 0, kMissing, kMissing},
      {false, false, false, 0, "", kMissing},
  };
  for (const auto& [present, warn, monolithic, size, onLoad, onValidate] : cases) {
    SCOPED_TRACE(::testing::Message()
                 << "size " << size << (warn ? " warn" : "") << (monolithic ? " monolithic" : ""));
    std::filesystem::remove(ta.Host("totala1.hpi"));
    if (present) ta.File("totala1.hpi", size);
    startup.warnModifiedFiles = warn;
    startup.monolithicTotala1 = monolithic;
    for (bool load : {true, false}) {
      const std::string& expected = load ? onLoad : onValidate;
      if (!expected.empty()) ExpectMessage(expected);
      state.tcTags = "stale";
      EXPECT_TRUE(load ? tc.LoadTc() : tc.ValidateTc("none"));
      EXPECT_EQ(state.tcTags, " TACC ");
      EXPECT_EQ(tc.Shown().title, "*Original TA*");
      EXPECT_EQ(tc.Shown().description,
                "Original TA.  Be sure you're in this mode before uninstalling any TCs");
    }
  }
}

}  // namespace
}  // namespace varokin::engine
