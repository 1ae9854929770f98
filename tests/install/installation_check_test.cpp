#include <gtest/gtest.h>

#include "engine/game_files.h"
#include "install/installation.h"
#include "support/install/install_fixture.h"

namespace varokin::install_tests {
namespace {

const std::string kVerdict =
    "The TA file structure is not in a known state, it is recommended that you quit now and see "
    "about reparing any problems reported.\n\n Do you wish to Quit now?";
const std::string kCompileOffer =
    "It is recommended that you compile all your primary TA data files (totala1, ccdata, btdata, "
    "and rev31) into one monolithic totala1.hpi file.\nIt decreases TA's loading time and "
    "prevents a number of problems which can occur because of VKN's file renaming.\n\nWould you "
    "like to compile them into one monolithic totala1.hpi file now? (Strongly Recommended)\nYou "
    "should make sure you have at least 150 megabytes of free space, preferably 200, before "
    "attempting this.\n\n If you do not, and you are sure that TA is working fine then you can "
    "disable this message by checking \"Don't ask to recompile totala1.hpi\" on the options menu";

class InstallCheck : public InstallTest {
 protected:
  InstallCheck() {
    startup.previousTc = "none";
    startup.warnModifiedFiles = true;
    // Offered whenever all is well; the test that wants the offer turns it back on.
    settings.WriteProfileInt("Varokin", "Compile Monolithic", 0);
  }

  bool Check() { return install::CheckInstallation(ctx, processes); }
  void ExpectQuestion(const std::string& text, Answer answer) {
    prompts.Expect(text, answer, Buttons::kYesNo);
  }
  bool ProgramFoldersMade() {
    return ta.Exists("Varokin/UfoManager") && ta.Exists("Varokin/Snapshots");
  }
};

TEST_F(InstallCheck, PatchOnlyInstallationRenamesThePatchAndMakesTheFolders) {
  ta.Game({.ccdataHpi = {}, .btdataHpi = {}, .rev31Ufo = {}, .programFolders = false});
  ta.File("rev31.gp3", engine::kRev31UfoSize);
  ExpectMessage(
      "The file rev31.gp3 has been renamed rev31.ufo in order to make it compatible with VKN.\n "
      "TA behavior will be unchanged.");
  EXPECT_TRUE(Check());
  EXPECT_EQ(ta.SizeOf("rev31.ufo"), static_cast<std::int64_t>(engine::kRev31UfoSize));
  EXPECT_FALSE(ta.Exists("rev31.gp3"));
  EXPECT_TRUE(ProgramFoldersMade());
  EXPECT_FALSE(startup.ccInstalled);
}

TEST_F(InstallCheck, RenamedCcdataOffersTheCompilationWhichFailsWithoutTheTools) {
  ta.Game({.ccdataHpi = {}});
  ta.File("ccdata.ccx", engine::kCcdataHpiSize);
  ta.File("tademo.ufo", 1000);
  settings.WriteProfileInt("Varokin", "Compile Monolithic", 1);
  ExpectMessage(
      "The file ccdata.ccx has been renamed ccdata.hpi in order to make it compatible with VKN\n "
      "TA behavior will be unchanged.");
  prompts.Expect(kCompileOffer, Answer::kYes, Buttons::kYesNo);
  ExpectMessage(
      "Unable to locate HPIDump.exe, both it and HPIPack.exe must be in your Varokin folder in "
      "order to compile a monolithic totala1.hpi file.");
  prompts.Expect(
      "TaDemo.ufo has been renamed to TaDemo.hpi, which should prevent a known problem which, "
      "when using a monolithic Totala1.hpi file, causes TA to crash while loading.\n\nThis fix "
      "also removes the custom Tarnwhistle load screen (as an unavoidable side effect), if you can "
      "still see that then the problem is probably still there as well, and don't be surprised if "
      "TA crashes when it finishes loading the units");
  ExpectQuestion(kVerdict, Answer::kYes);
  EXPECT_FALSE(Check());
  EXPECT_TRUE(startup.ccInstalled);
  EXPECT_TRUE(ta.Exists("ccdata.hpi"));
  EXPECT_TRUE(ta.Exists("tademo.hpi"));
}

TEST_F(InstallCheck, ModifiedExpansionsAreReportedAndNoToTheVerdictGoesOn) {
  // A TC's own archive with the game's beside it: the expansions are checked as without one.
  ta.Game({.totala1Hpi = 30000000, .ccdataHpi = 100, .btdataHpi = {}});
  ta.File("totala1.###", engine::kTotala1HpiSize);
  ta.File("btdata.ccx", 200);
  ExpectMessage(
      "The file ccdata.hpi has been modified.\n\n You might want to replace it with the ccdata.ccx "
      "file from The Core Contingency cd");
  ExpectMessage(
      "The file btdata.ccx has been modified.\n\n You might want to replace it with the version "
      "from the Battle Tactics cd\n\nFor the time being it will be renamed btdata.hpi in order to "
      "make it compatible with VKN\n TA behavior will be unchanged.");
  ExpectQuestion(kVerdict, Answer::kNo);
  EXPECT_TRUE(Check());
  EXPECT_TRUE(ta.Exists("btdata.ccx"));
  EXPECT_FALSE(startup.ccInstalled);
  EXPECT_FALSE(startup.monolithicTotala1);
}

TEST_F(InstallCheck, AMonolithicArchiveIsNotWarnedAboutNorAreTheExpansions) {
  ta.Game({.totala1Hpi = 40000000, .ccdataHpi = 100});
  EXPECT_TRUE(Check());
  EXPECT_TRUE(startup.monolithicTotala1);
}

TEST_F(InstallCheck, WarningsOffOrAnActiveTcSkipTheArchiveChecks) {
  ta.Game({.totala1Hpi = 30000000, .rev31Ufo = {}});
  startup.warnModifiedFiles = false;
  EXPECT_TRUE(Check());

  startup.warnModifiedFiles = true;
  startup.previousTc = "][Foo.tc";
  const std::string modified =
      "The file totala1.hpi has been modified.\n\n You might want to replace it with the version "
      "from the CD (stored within totala3.hpi)\n\nIf you have compiled all your Cavedog TA files "
      "into a single totala1.hpi file then you can disable this warning from the \"Warnings\" "
      "menu.  You'll probably also want to force VKN to believe you have CC installed from the "
      "\"Other Settings\" menu";
  ExpectMessage(modified);
  ExpectQuestion(kVerdict, Answer::kNo);
  EXPECT_TRUE(Check());
}

TEST_F(InstallCheck, AFileInTheWayOfTheProgramFolderIsRenamedToTheFirstFreeNumber) {
  ta.Game({.programFolders = false});
  ta.Text("Varokin", "mine");
  ta.Text("Varokin0", "taken");
  ExpectMessage(
      "A file named Varokin was in your TA directory.  Varokin requires theexistance of a "
      "directory with this name, so the file has been renamed as Varokin1 and a directory will be "
      "created in it's place");
  EXPECT_TRUE(Check());
  EXPECT_EQ(ta.Read("Varokin1"), "mine");
  EXPECT_EQ(ta.Read("Varokin0"), "taken");
  EXPECT_TRUE(ProgramFoldersMade());
}

TEST_F(InstallCheck, TheExecutableIsJudgedBySizeSignatureAndReadability) {
  const std::string wrongVersion =
      "Your TotalA.exe does not appear to be the correct version, please make sure you have TA "
      "v3.1 installed and are not using a hacked .exe\n\nDo you want to close VKN now? It may "
      "still work, but it could also cause TA to not function correctly";
  const std::string unreadable =
      "Unable to read your TotalA.exe file to verify that it is valid, do you wish to assume that "
      "it is?";
  ta.Game({.exeSignature = false, .programFolders = false});
  ExpectQuestion(wrongVersion, Answer::kYes);
  EXPECT_FALSE(Check());
  EXPECT_FALSE(ta.Exists("Varokin"));

  fs.FailPath("totala.exe");
  fs.Arm(0);
  ExpectQuestion(unreadable, Answer::kYes);
  EXPECT_TRUE(Check());
  ExpectQuestion(unreadable, Answer::kNo);
  ExpectQuestion(wrongVersion, Answer::kNo);
  EXPECT_TRUE(Check());

  std::filesystem::remove(ta.Host("totala.exe"));
  ExpectMessage(
      "Unable to find TotalA.exe.  Please make sure you have Varokin installed in the same "
      "directory as Total Annihilation");
  EXPECT_FALSE(Check());
}

}  // namespace
}  // namespace varokin::install_tests
