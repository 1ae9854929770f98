#include "engine/relocation.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "support/engine/rename_blocker.h"
#include "support/engine/switching_fixture.h"

namespace varokin::engine {
namespace {

using engine_tests::RenameBlocker;

const std::string kPrefix = "Loading TC (][Foo.tc):\n\n";
const std::string kSuffix = "\n\nload Aborted.";
const Framing kFraming{kPrefix, kSuffix};

class Relocation : public engine_tests::EngineTest {
 protected:
  void SetUp() override { startup.warnModifiedFiles = true; }
  void ExpectMessage(const std::string& text) {
    EngineTest::ExpectMessage(kPrefix + text + kSuffix);
  }
};

#define SKIP_UNLESS_BLOCKED(blocker) \
  if (!(blocker).Active()) GTEST_SKIP() << "this host cannot make a rename fail"

// The game's five archives, in any case; only the whole bare name is one of them.
TEST(RelocationNames, BaseGameFilesAreWholeBareNamesAndNamesStayInTheFolder) {
  for (const char* name :
       {"TOTALA1.HPI", "ccdata.hpi", "btdata.hpi", "Rev31.Ufo", "revision.gpf"}) {
    EXPECT_TRUE(IsBaseGameFile(name)) << name;
  }
  for (const char* name : {".\\totala1.hpi", "totala1.hpi.bak", "totala1", "totala2.hpi", ""}) {
    EXPECT_FALSE(IsBaseGameFile(name)) << name;
  }

  // Every name the game and its mods use stays in the TA folder.
  for (const char* name :
       {"Varokin\\^^Brain(1)", "AI\\brain.ufo", "..foo", "a..b\\c", "Varokin/}{Speedy.ccx",
        "][Galaxy War.tc", "Varokin\\}{Speedy(2).ccx", "totala1.###", "COM10.hpi", "nullify.ufo",
        "Auxiliary", "[x]{y}^~!#$%&'()+,;=@`-_.hpi"}) {
    EXPECT_TRUE(StaysInTaFolder(name)) << name;
  }
  const std::vector<std::string> refused = {
      // Names that lead out of the folder, or name the folder itself.
      "..", "..\\totala1.hpi", "../totala1.hpi", "Varokin\\..\\..\\x", "a/../../b", "\\x",
      "/etc/passwd", "\\\\server\\share\\x", "C:\\x", "c:x", "Z:/x", "...\\x", ". .\\x", "a\\.. ",
      "", ".", ".\\x", "Varokin\\.", "a\\\\b", "a\\", "a//b",
      // Names Windows cannot hold.
      "x.", "x ", "NUL", "con", "COM1.txt", "nul.hpi", "Lpt9", "aux .ufo", "Sub\\PRN\\x", "x?.hpi",
      "a<b", "a>b", "a\"b", "a|b", "*.ufo", "a:b", "a\nb.ufo", "a\rb", "a\tb", "a\x1f"};
  for (const std::string& name : refused) {
    EXPECT_FALSE(StaysInTaFolder(name)) << name;
  }
}

TEST_F(Relocation, RefusedAndFailedMovesReportOnceAndMoveNothingNorLeaveTheFolder) {
  ta.Text("Varokin\\a.ufo", "payload");
  ta.Text("a.ufo", "someone else's");
  ta.Text("Varokin\\b", "payload b");
  ta.Folder("AI");
  ta.Text("Sub\\totala1.hpi", "a folder's archive");
  ta.Text("Varokin\\sub.hpi", "TC");
  fixtures::FileInventory before = ta.Inventory();

  const std::tuple<bool, std::string, std::string, std::string> cases[] = {
      {false, "Varokin\\missing.ufo", "missing.ufo",
       "Unable to find the file Varokin\\missing.ufo"},
      {false, "Varokin\\a.ufo", "a.ufo", "An extra copy of a.ufo was found"},
      {false, "Varokin\\b", "AI", "An extra copy of AI was found"},
      {false, "Varokin\\b", "NoSuchFolder\\b", "Error moving Varokin\\b to NoSuchFolder\\b"},
      {true, "Varokin\\gone.hpi", "ccdata.hpi", "Unable to find the file Varokin\\gone.hpi"},
      // Only a bare name is one of the game's files.
      {true, "Varokin\\sub.hpi", "Sub\\totala1.hpi", "An extra copy of Sub\\totala1.hpi was found"},
      {true, "Varokin\\b", "NoSuchFolder\\b", "Error moving Varokin\\b to NoSuchFolder\\b"},
  };
  for (const auto& [withBackup, from, to, message] : cases) {
    SCOPED_TRACE(from + " -> " + to);
    ExpectMessage(message);
    EXPECT_FALSE(withBackup ? relocator.MoveWithBackup(from, to, kFraming)
                            : relocator.MoveChecked(from, to, kFraming));
  }
  EXPECT_EQ(ta.Inventory(), before);

  WorkInSubfolder();
  ta.Text("TA\\Varokin\\f.ufo", "payload");
  ta.Text("TA\\totala1.hpi", "game");
  before = ta.Inventory();

  // Which names lead out is StaysInTaFolder's table above; here that every path of both moves
  // asks it, and asks the disk about links.
  std::vector<std::string> names = {"..\\outside.txt", ta.Host("outside.txt").string(),
                                    "Varokin\\."};
#ifndef _WIN32
  // A folder inside that is a link to the folder above (Wine cannot make links).
  std::filesystem::create_directory_symlink(ta.Root(), ta.Host("TA\\Varokin\\Up"));
  names.push_back("Varokin\\up\\outside.txt");
  before = ta.Inventory();
#endif
  for (const std::string& name : names) {
    for (const auto& [from, to, withBackup] : {std::tuple{name, std::string("taken.txt"), false},
                                               {"Varokin\\f.ufo", name, false},
                                               {name, "totala1.hpi", true},
                                               {"totala1.hpi", name, true}}) {
      SCOPED_TRACE(from + " -> " + to);
      ExpectMessage("Refusing to move " + from + " to " + to +
                    ": the name leads outside your TA directory");
      EXPECT_FALSE(withBackup ? relocator.MoveWithBackup(from, to, kFraming)
                              : relocator.MoveChecked(from, to, kFraming));
    }
  }
  EXPECT_EQ(ta.Inventory(), before);
}

TEST_F(Relocation, AFailedLoadOntoAGameFileLeavesEveryFileAsItWasOrNamesWhereItIs) {
#ifndef _WIN32
  // Names that differ only by case are two files here: the twin would hold the name once the
  // game's file had gone to its backup, in either direction.
  ta.Text("ccdata.hpi", "game");
  ta.Text("CCDATA.HPI", "twin");
  ta.Text("Varokin\\tc", "TC");
  fixtures::FileInventory before = ta.Inventory();
  ExpectMessage("An extra copy of ccdata.hpi was found");
  EXPECT_FALSE(relocator.MoveWithBackup("Varokin\\tc", "ccdata.hpi", kFraming));
  EXPECT_EQ(ta.Inventory(), before);
  std::filesystem::remove(ta.Host("ccdata.hpi"));
  std::filesystem::remove(ta.Host("CCDATA.HPI"));
  ta.Text("totala1.hpi", "TC");
  ta.Text("totala1.###", "game");
  ta.Text("TOTALA1.HPI", "a twin that came later");
  std::filesystem::remove(ta.Host("Varokin\\tc"));
  before = ta.Inventory();
  ExpectMessage("An extra copy of totala1.hpi was found");
  EXPECT_FALSE(relocator.MoveWithBackup("totala1.hpi", "Varokin\\tc", kFraming));
  EXPECT_EQ(ta.Inventory(), before);
#endif

  // When the game's file cannot come back from its backup, the player is told where it is.
  fixtures::RefusesRenamesOnto refusing("ccdata.hpi");
  Relocator failing{refusing, prompts, startup};
  ta.Text("ccdata.hpi", "game");
  ta.Text("Varokin\\cc.hpi", "TC");
  ExpectMessage(
      "Error moving Varokin\\cc.hpi to ccdata.hpi\n\nThe game's ccdata.hpi could not be put back: "
      "it is now named ccdata.###");
  EXPECT_FALSE(failing.MoveWithBackup("Varokin\\cc.hpi", "ccdata.hpi", kFraming));
  EXPECT_EQ(ta.Read("ccdata.###"), "game");
  EXPECT_EQ(ta.Read("Varokin\\cc.hpi"), "TC");

  // oldBackup: present before the load; locked: a file the host refuses to rename (when not empty).
  const std::tuple<std::string, std::string, std::string, std::string> cases[] = {
      {"ccdata.hpi", "ccdata.###", "",
       "Unable to renameccdata.hpi to ccdata.### in order to let it be replaced, the backup file "
       "already exists.\n  This is probably a symptom of a serious problem, you should quit VKN "
       "immediately and try to fix it."},
      {"btdata.hpi", "", "btdata.hpi",
       "Unable to renamebtdata.hpi to btdata.### in order to let it be replaced"},
      // The game's file has already gone to its backup when the move fails; it must come back.
      {"rev31.ufo", "", "Varokin\\rev31.ufo", "Error moving Varokin\\rev31.ufo to rev31.ufo"},
  };
  for (const auto& [game, oldBackup, locked, message] : cases) {
    SCOPED_TRACE(game);
    ta.Text(game, "game");
    if (!oldBackup.empty()) ta.Text(oldBackup, "an old backup");
    ta.Text("Varokin\\" + game, "TC");
    fixtures::FileInventory before = ta.Inventory();
    std::unique_ptr<RenameBlocker> blocker;
    if (!locked.empty()) {
      blocker = std::make_unique<RenameBlocker>(ta.Host(locked));
      SKIP_UNLESS_BLOCKED(*blocker);
    }
    ExpectMessage(message);
    EXPECT_FALSE(relocator.MoveWithBackup("Varokin\\" + game, game, kFraming));
    EXPECT_EQ(ta.Inventory(), before);
  }
}

TEST_F(Relocation, UnloadingReportsABackupThatIsMissingWhenItMattersOrCannotBeRenamedBack) {
  const std::tuple<std::string, bool, bool, bool> cases[] = {
      {"totala1.hpi", true, false, true},   {"totala1.hpi", true, true, true},
      {"totala1.hpi", false, false, false}, {"ccdata.hpi", true, true, false},
      {"ccdata.hpi", true, false, true},
  };
  ta.Folder("Varokin");
  int number = 0;
  for (const auto& [name, warn, monolithic, reported] : cases) {
    SCOPED_TRACE(name + (warn ? " warn" : "") + (monolithic ? " monolithic" : ""));
    std::string stored = "Varokin\\case" + std::to_string(++number);
    ta.Text(name, "TC");
    startup.warnModifiedFiles = warn;
    startup.monolithicTotala1 = monolithic;
    if (reported) {
      ExpectMessage("Unable to locate the backup file " + BackupName(name) +
                    " which should be replacing the " + name + " file used by the TC");
    }
    EXPECT_EQ(relocator.MoveWithBackup(name, stored, kFraming), !reported);
    EXPECT_EQ(ta.Read(stored), "TC");
    EXPECT_FALSE(ta.Exists(name));
  }

  ta.Text("totala1.hpi", "TC");
  ta.Text("totala1.###", "game");
  RenameBlocker locked(ta.Host("totala1.###"));
  SKIP_UNLESS_BLOCKED(locked);
  ExpectMessage(
      "An error occurred when trying to rename the backup file totala1.### to totala1.hpi");
  EXPECT_FALSE(relocator.MoveWithBackup("totala1.hpi", "Varokin\\big.hpi", kFraming));
  EXPECT_EQ(ta.Read("Varokin\\big.hpi"), "TC");
  EXPECT_EQ(ta.Read("totala1.###"), "game");
}

}  // namespace
}  // namespace varokin::engine
