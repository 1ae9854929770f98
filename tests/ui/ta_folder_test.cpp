// The fixtures other suites rely on: if these are wrong, every installation test lies.
#include "support/ta_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace varokin::fixtures {
namespace {

namespace fs = std::filesystem;

TEST(TaFolder, GameFilesHaveTheirExactSizesAndTheExecutableItsSignature) {
  TaFolder ta;
  ta.Game();
  EXPECT_EQ(ta.SizeOf("totala.exe"), 1178624);
  EXPECT_EQ(ta.SizeOf("totala1.hpi"), 32311035);
  EXPECT_EQ(ta.SizeOf("ccdata.hpi"), 25871597);
  EXPECT_EQ(ta.SizeOf("btdata.hpi"), 23248392);
  EXPECT_EQ(ta.SizeOf("rev31.ufo"), 5481280);
  EXPECT_TRUE(fs::is_directory(ta.Host("Varokin\\UfoManager")));
  EXPECT_TRUE(fs::is_directory(ta.Host("Varokin/Snapshots")));

  const std::string exe = ta.Read("totala.exe");
  ASSERT_EQ(exe.size(), 1178624u);
  EXPECT_EQ(exe.substr(1052364, 16), std::string("rev%s.GP3\0\0\0"
                                                 "31\0\0",
                                                 16));
  EXPECT_EQ(exe.substr(1054644, 8), std::string("v3.1\0\0\0\0", 8));
  EXPECT_EQ(exe.find_first_not_of('\0'), 1052364u);
  EXPECT_EQ(exe.find_last_not_of('\0'), 1054647u);
}

TEST(TaFolder, GameFilesCanBeLeftOutOrResized) {
  TaFolder ta;
  ta.Game({.totalaExe = 5000, .ccdataHpi = std::nullopt, .programFolders = false});
  EXPECT_EQ(ta.SizeOf("totala.exe"), 5000);
  EXPECT_EQ(ta.Read("totala.exe").find_first_not_of('\0'), std::string::npos);
  EXPECT_FALSE(ta.Exists("ccdata.hpi"));
  EXPECT_TRUE(ta.Exists("btdata.hpi"));
  EXPECT_FALSE(ta.Exists("Varokin"));
}

TEST(TaFolder, IsAFreshWorkingDirectoryRemovedAfterwards) {
  const fs::path before = fs::current_path();
  fs::path root;
  {
    TaFolder ta;
    TaFolder other;
    root = ta.Root();
    EXPECT_NE(root, other.Root());
    EXPECT_TRUE(fs::is_empty(root));
    ta.Text("Varokin\\sub/deep\\a.txt", "x");
    EXPECT_TRUE(fs::exists(root / "Varokin" / "sub" / "deep" / "a.txt"));
    EXPECT_EQ(fs::current_path(), other.Root());
  }
  EXPECT_EQ(fs::current_path(), before);
  EXPECT_FALSE(fs::exists(root));
}

TEST(TaFolder, BuildersWriteTheFormatsAndPayloads) {
  TaFolder ta;
  ta.Folder("Varokin\\Dawn\\units");
  EXPECT_EQ(ta.Tc("Dawn", "Dawn TC", "Line one##Line two", "DAWN OTA",
                  {{"Dawn\\units", "units"}, {"dawn.hpi", "totala1.hpi"}}),
            "][Dawn.tc");
  EXPECT_EQ(ta.Read("Varokin\\][Dawn.tc"),
            "Dawn TC\r\nLine one##Line two\r\nDAWN OTA\r\nDawn\\units units\r\n"
            "dawn.hpi totala1.hpi\r\n");
  EXPECT_TRUE(fs::is_directory(ta.Host("Varokin\\Dawn\\units")));
  EXPECT_TRUE(ta.Exists("Varokin\\dawn.hpi"));

  EXPECT_EQ(ta.Mutator("Speedy", "Speedy", "Fast", "*", 2), "}{Speedy.vkn");
  EXPECT_EQ(ta.Read("Varokin\\}{Speedy.vkn"), "Speedy\r\nFast\r\n*\r\n2\r\n");
  for (const char* p : {"}{Speedy.ccx", "}{Speedy(1).ccx", "}{Speedy(2).ccx"}) {
    EXPECT_TRUE(ta.Exists(std::string("Varokin\\") + p)) << p;
  }
  EXPECT_FALSE(ta.Exists("Varokin\\}{Speedy(3).ccx"));
  ta.Mutator("Solo", "Solo", "", "*", 0);
  EXPECT_TRUE(ta.Exists("Varokin\\}{Solo.ccx"));
  EXPECT_FALSE(ta.Exists("Varokin\\}{Solo(1).ccx"));

  EXPECT_EQ(ta.Ai("Brain", "Brain", "Thinks", "OTA", {{"AI", true}, {"^brain.ufo"}}), "^^Brain.ai");
  EXPECT_EQ(ta.Read("Varokin\\^^Brain.ai"), "Brain\r\nThinks\r\nOTA\r\nAI\r\n^brain.ufo\r\n");
  EXPECT_TRUE(fs::is_directory(ta.Host("Varokin\\^^Brain(1)")));
  EXPECT_TRUE(fs::is_regular_file(ta.Host("Varokin\\^^Brain(2)")));

  ta.Ufo("Tank", UfoPlace::kKept, UfoText{"Tank", "Rolls", "OTA TACC"});
  ta.Ufo("Zeus", UfoPlace::kEnabled);
  EXPECT_TRUE(ta.Exists("Varokin\\UfoManager\\Tank.ufo"));
  EXPECT_EQ(ta.Read("Varokin\\UfoManager\\Tank.txt"), "@OTA TACC\r\nTank\r\nRolls\r\n");
  EXPECT_TRUE(ta.Exists("Zeus.ufo"));
  EXPECT_FALSE(ta.Exists("Varokin\\UfoManager\\Zeus.txt"));

  ta.Pack("Heavy.pac", "Heavy", "Big##Slow", {"Tank", "Zeus"});
  EXPECT_EQ(ta.Read("Varokin\\UfoManager\\Heavy.pac"), "Heavy\r\nBig##Slow\r\nTank\r\nZeus\r\n");
}

TEST(TaFolder, InventoryTellsARenameFromACopyOrAChange) {
  TaFolder ta;
  ta.Game();
  ta.Text("Varokin\\a.txt", "alpha");
  ta.Text("Varokin\\b.txt", "beta!");
  const FileInventory before = ta.Inventory();
  EXPECT_EQ(before.at("totala1.hpi").size, 32311035u);
  EXPECT_TRUE(before.at("Varokin\\UfoManager").folder);
  EXPECT_NE(before.at("Varokin\\a.txt"), before.at("Varokin\\b.txt"));
  EXPECT_EQ(ta.Inventory(), before);

  fs::rename(ta.Host("Varokin\\a.txt"), ta.Host("a.txt"));
  const FileInventory renamed = ta.Inventory();
  EXPECT_NE(renamed, before);
  EXPECT_EQ(FileContents(renamed), FileContents(before));

  ta.Text("Varokin\\a.txt", "alpha");
  EXPECT_NE(FileContents(ta.Inventory()), FileContents(before));
  ta.Text("Varokin\\a.txt", "alphA");
  ta.File("totala1.hpi", 32311036);
  const FileInventory changed = ta.Inventory();
  EXPECT_NE(changed.at("totala1.hpi"), before.at("totala1.hpi"));
  EXPECT_NE(changed.at("Varokin\\a.txt"), renamed.at("a.txt"));
}

}  // namespace
}  // namespace varokin::fixtures
