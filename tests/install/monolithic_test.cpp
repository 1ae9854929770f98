#include <gtest/gtest.h>

#include <filesystem>

#include "engine/game_files.h"
#include "install/installation.h"
#include "support/install/install_fixture.h"

namespace varokin::install_tests {
namespace {

using Names = std::vector<std::string>;

const std::string kPreparing =
    "Preparing to compile monolithic totala1.hpi file, Hit OK and then leave your computer alone "
    "until notified by VKN that the compilation is complete.\n\nThis will take awhile (it took "
    "about 10 minutes on my 300MHz K6-2)";

const std::string kFinished =
    "Finished compiling monolithic totala1.hpi file.\n\n It took 01 hours 02 minutes and 03 "
    "seconds";

std::string Expand(const std::string& archive) {
  return "cmd Varokin\\hpidump.exe " + archive + " -o Varokin\\MonolithicTotala1 *.*";
}
const auto kOriginalSize = static_cast<std::int64_t>(engine::kTotala1HpiSize);
const std::string kPack =
    "wait Varokin\\hpipack.exe| -d Varokin\\MonolithicTotala1 -f totala.hpi auto";

// The game with both tools in place. The fake packer leaves its totala.hpi, and every run leaves
// a file and a folder in the work folder, as the real tools would.
class Compile : public InstallTest {
 protected:
  Compile() {
    ta.Game();
    ta.File("Varokin/HpiDump.exe", 69632);
    ta.File("Varokin/HpiPack.exe", 92160);
    processes.onCall = [this](const std::string& call) {
      if (call.rfind("wait", 0) == 0) ta.File("totala.hpi", 90000000);
      const std::string work = "Varokin/MonolithicTotala1/";
      ta.Folder(work + "units" + std::to_string(processes.calls.size()));
      ta.Text(work + "units" + std::to_string(processes.calls.size()) + "/armcom.fbi", "x");
    };
  }

  bool Run() {
    return install::CompileMonolithic(ctx, processes, [this] { return clock += tick; });
  }

  std::int64_t clock = 1000;
  std::int64_t tick = 3723;
};

TEST_F(Compile, ExpandsPacksAndMovesTheArchivesAside) {
  prompts.Expect(kPreparing);
  prompts.Expect(kFinished);
  prompts.Expect(
      "The original TA files have been moved into the BackupOTAData folder in yout TA directory, "
      "you can delete them to reclaim the 60+ megs of drive space they're using");
  EXPECT_TRUE(Run());
  EXPECT_EQ(processes.calls, (Names{Expand("totala1.hpi"), Expand("ccdata.hpi"),
                                    Expand("btdata.hpi"), Expand("rev31.ufo"), kPack}));
  EXPECT_EQ(processes.workingDirs.front(), fs.CurrentDir());
  EXPECT_TRUE(startup.monolithicTotala1);
  EXPECT_EQ(ta.SizeOf("totala1.hpi"), 90000000);
  EXPECT_EQ(ta.SizeOf("BackupOTAData/totala1.hpi"), kOriginalSize);
  EXPECT_EQ(fs.Find("BackupOTAData\\*"),
            (Names{"btdata.ccx", "ccdata.ccx", "rev31.gp3", "totala1.hpi"}));
  EXPECT_FALSE(ta.Exists("totala.hpi"));
  EXPECT_FALSE(ta.Exists("Varokin/MonolithicTotala1"));
}

TEST_F(Compile, AFailedExpansionSkipsThePackingButStillCleansUp) {
  std::filesystem::remove(ta.Host("btdata.hpi"));
  processes.statuses = {0, 1, std::nullopt};
  prompts.Expect(kPreparing);
  prompts.Expect("An error occurred while attempting to expand ccdata.hpi, compilation canceled");
  prompts.Expect("An error occurred while attempting to expand rev31.ufo, compilation canceled");
  EXPECT_FALSE(Run());
  EXPECT_EQ(processes.calls,
            (Names{Expand("totala1.hpi"), Expand("ccdata.hpi"), Expand("rev31.ufo")}));
  EXPECT_FALSE(startup.monolithicTotala1);
  EXPECT_EQ(ta.SizeOf("totala1.hpi"), kOriginalSize);
  EXPECT_FALSE(ta.Exists("Varokin/MonolithicTotala1"));
}

TEST_F(Compile, FailedMovesAreEachReportedAndTheRestStillTried) {
  ta.File("BackupOTAData/totala1.hpi", 5);
  std::filesystem::remove(ta.Host("btdata.hpi"));
  tick = 25 * 3600;
  prompts.Expect(kPreparing);
  prompts.Expect(
      "Finished compiling monolithic totala1.hpi file.\n\n It took 01 hours 00 minutes and 00 "
      "seconds");
  prompts.Expect(
      "Unable to move totala1.hpi into the BackupOTAData folder, please do this manualy and then "
      "restart VKN");
  prompts.Expect(
      "Unable to rename totala.hpi to totala1.hpi, please do this manualy and then restart VKN");
  EXPECT_FALSE(Run());
  EXPECT_TRUE(startup.monolithicTotala1);
  EXPECT_EQ(fs.Find("BackupOTAData\\*"), (Names{"ccdata.ccx", "rev31.gp3", "totala1.hpi"}));
  EXPECT_TRUE(ta.Exists("totala.hpi"));
}

TEST_F(Compile, ToolsAndALeftoverWorkFolderStopItBeforeAnythingRuns) {
  ta.File("Varokin/HpiDump.exe", 69633);
  prompts.Expect(
      "Wrong version of HPIDump detected in your Varokin folder.  It must be version 1.9.1");
  EXPECT_FALSE(Run());

  ta.File("Varokin/HpiDump.exe", 69632);
  ta.Folder("Varokin/MonolithicTotala1");
  prompts.Expect(
      "A file or folder named MonolithicTotala1 already exists within your Varokin folder, Please "
      "remove or rename it after shutting down VKN");
  EXPECT_FALSE(Run());
  EXPECT_TRUE(processes.calls.empty());
}

// The game reads the archives as it runs: nothing is expanded under it, and nothing moved should
// it have been started while the tools ran.
TEST_F(Compile, ARunningGameStopsItBeforeTheToolsAndBeforeTheMoves) {
  const std::string running =
      "Total Annihilation is running. Close the game before you switch mods.";
  processes.gameRunning = true;
  prompts.Expect(running);
  EXPECT_FALSE(Run());
  EXPECT_TRUE(processes.calls.empty());
  EXPECT_FALSE(ta.Exists("BackupOTAData"));

  processes.gameRunning = false;
  const auto tools = processes.onCall;
  processes.onCall = [&](const std::string& call) {
    tools(call);
    processes.gameRunning = call.rfind("wait", 0) == 0;
  };
  prompts.Expect(kPreparing);
  prompts.Expect(kFinished);
  prompts.Expect(running);
  EXPECT_FALSE(Run());
  EXPECT_FALSE(startup.monolithicTotala1);
  EXPECT_EQ(ta.SizeOf("totala1.hpi"), kOriginalSize);
  EXPECT_TRUE(ta.Exists("ccdata.hpi") && ta.Exists("btdata.hpi") && ta.Exists("rev31.ufo"));
  EXPECT_FALSE(ta.Exists("Varokin/MonolithicTotala1"));
}

}  // namespace
}  // namespace varokin::install_tests
