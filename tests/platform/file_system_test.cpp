// The file system as the program sees it, on whichever host the tests run.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/user_folders.h"
#include "support/platform/temp_folder.h"
#include "support/scoped_variable.h"

namespace varokin::platform::testing {
namespace {

using Names = std::vector<std::string>;

class FileSystemTest : public TempFolderTest {};

TEST_F(FileSystemTest, FindsNamesInAnyCaseKeepsTheCaseOfNewOnesAndOfTheWorkingDirectory) {
  Put("Varokin/UfoManager/Arm.UFO", "ufo");
  Put("totala1.hpi", "12345");

  EXPECT_TRUE(fs_->Exists("VAROKIN\\ufomanager\\arm.ufo"));
  EXPECT_TRUE(fs_->Exists("varokin/UFOMANAGER/ARM.ufo"));
  EXPECT_FALSE(fs_->IsFolder("TOTALA1.HPI"));
  EXPECT_EQ(fs_->Size("varokin"), std::nullopt);
  EXPECT_EQ(fs_->HostPath("varokin\\ufomanager\\ARM.ufo"),
            (std::filesystem::path("Varokin") / "UfoManager" / "Arm.UFO").string());

  // New names keep the case they are given inside existing folders.
  ASSERT_TRUE(fs_->CreateFolder("VAROKIN\\Snapshots"));
  ASSERT_TRUE(fs_->WriteFileAtomic("varokin\\Varokin.INI", "[x]\n"));
  ASSERT_TRUE(fs_->Rename("varokin\\ufomanager\\ARM.UFO", "VAROKIN\\Arm2.Ufo"));

  EXPECT_EQ(Entries(), Names({"Varokin", "totala1.hpi"}));
  EXPECT_EQ(Entries("Varokin"), Names({"Arm2.Ufo", "Snapshots", "UfoManager", "Varokin.INI"}));
  EXPECT_EQ(fs_->HostPath("varokin\\New.Txt"),
            (std::filesystem::path("Varokin") / "New.Txt").string());

  // The working directory follows the stored case.
  Put("Total Annihilation/totala.exe", "MZ");
  ASSERT_TRUE(fs_->SetCurrentDir("total annihilation"));
  EXPECT_EQ(std::filesystem::path(fs_->CurrentDir()).filename(), "Total Annihilation");
  EXPECT_TRUE(fs_->Exists("TOTALA.EXE"));
  EXPECT_TRUE(fs_->Exists("..\\Total Annihilation\\totala.exe"));
  EXPECT_FALSE(fs_->SetCurrentDir("Nowhere"));
  EXPECT_TRUE(std::filesystem::equivalent(fs_->CurrentDir(), root_ / "Total Annihilation"));
}

TEST_F(FileSystemTest, FindTakesOnlyStarAndQuestionMarkAsWildcards) {
  for (const char* name : {"][Galaxy.tc", "][Zero.TC", "][longername.tcx", "[x].tc", "}{Mut.vkn",
                           "^^Brain.ai", "beta.ufo", "Alpha.ufo", "_x.ufo"}) {
    Put(std::string("Varokin/") + name, "x");
  }
  std::filesystem::create_directory("Varokin/][Folder.tc");

  EXPECT_EQ(fs_->Find("varokin\\][*.tc"), Names({"][Folder.tc", "][Galaxy.tc", "][Zero.TC"}));
  EXPECT_EQ(fs_->Find("VAROKIN/}{*.VKN"), Names({"}{Mut.vkn"}));
  EXPECT_EQ(fs_->Find("Varokin\\[x].tc"), Names({"[x].tc"}));
  EXPECT_EQ(fs_->Find("Varokin\\^^?????.ai"), Names({"^^Brain.ai"}));
  EXPECT_EQ(fs_->Find("Varokin\\^^????.ai"), Names());
  // Byte order, not the order of the alphabet: "A" < "_" < "b".
  EXPECT_EQ(fs_->Find("Varokin\\*.ufo"), Names({"Alpha.ufo", "_x.ufo", "beta.ufo"}));
  EXPECT_EQ(fs_->Find("*"), Names({"Varokin"}));
  EXPECT_EQ(fs_->Find("Nowhere\\*"), Names());
}

TEST_F(FileSystemTest, RenameNeverReplacesAFileOrAFolder) {
  Put("a.txt", "A");
  Put("b.txt", "B");
  Put("DirA/inside.txt", "in A");
  Put("DirB/inside.txt", "in B");

  EXPECT_FALSE(fs_->Rename("a.txt", "b.txt"));
  EXPECT_FALSE(fs_->Rename("A.TXT", "B.TXT"));
  EXPECT_FALSE(fs_->Rename("dira", "DIRB"));
  EXPECT_FALSE(fs_->Rename("a.txt", "dirb"));
  EXPECT_FALSE(fs_->Rename("dirb", "A.txt"));
  EXPECT_FALSE(fs_->Rename("missing.txt", "c.txt"));
  EXPECT_EQ(Entries(), Names({"DirA", "DirB", "a.txt", "b.txt"}));
  EXPECT_EQ(Contents("a.txt"), "A");
  EXPECT_EQ(Contents("b.txt"), "B");
  EXPECT_EQ(Contents("DirA/inside.txt"), "in A");
  EXPECT_EQ(Contents("DirB/inside.txt"), "in B");

  // Whole folders move with what they hold; a name may take another case of itself.
  ASSERT_TRUE(fs_->Rename("dira", "DirB\\Moved"));
  EXPECT_EQ(Contents("DirB/Moved/inside.txt"), "in A");
  ASSERT_TRUE(fs_->Rename("a.txt", "A.TXT"));
#ifndef _WIN32
  // Wine takes a move to another case of the same name as done and leaves the name as it was.
  EXPECT_EQ(Entries(), Names({"A.TXT", "DirB", "b.txt"}));
#endif
  EXPECT_TRUE(fs_->Exists("a.txt"));
  EXPECT_FALSE(fs_->Rename("A.TXT", "A.TXT"));
  EXPECT_EQ(Contents("A.TXT"), "A");
}

TEST_F(FileSystemTest, ReadsSparseArchivesOfTheGamesSizeAtAnyOffset) {
  constexpr std::uint64_t kSize = 32'311'035;
  Put("totala1.hpi", "HAPI");
  std::filesystem::resize_file("totala1.hpi", kSize);
  {
    std::fstream file("totala1.hpi", std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(1'500'000);
    file << "MARK";
    file.seekp(kSize - 3);
    file << "END";
  }

  EXPECT_EQ(fs_->Size("TOTALA1.HPI"), kSize);
  EXPECT_EQ(fs_->ReadAt("totala1.hpi", 0, 4), "HAPI");
  EXPECT_EQ(fs_->ReadAt("totala1.hpi", 1'500'000, 4), "MARK");
  EXPECT_EQ(fs_->ReadAt("totala1.hpi", 1'499'998, 4), std::string("\0\0MA", 4));
  EXPECT_EQ(fs_->ReadAt("totala1.hpi", kSize - 3, 100), "END");
  EXPECT_EQ(fs_->ReadAt("totala1.hpi", kSize, 4), "");
  EXPECT_EQ(fs_->ReadAt("totala1.hpi", kSize + 1000, 4), "");
  EXPECT_EQ(fs_->ReadAt("missing.hpi", 0, 4), std::nullopt);
  std::filesystem::create_directory("Folder");
  EXPECT_EQ(fs_->ReadAt("folder", 0, 4), std::nullopt);

  EXPECT_FALSE(fs_->OpenRead("folder"));
  EXPECT_EQ(Entries(), Names({"Folder", "totala1.hpi"}));
}

TEST_F(FileSystemTest, CreatesRemovesAndWritesFoldersAndFilesLeavingNothingBehind) {
  Put("Keep/file.txt", "x");
  ASSERT_TRUE(fs_->CreateFolder("Empty"));
  EXPECT_FALSE(fs_->CreateFolder("EMPTY"));
  EXPECT_FALSE(fs_->CreateFolder("keep\\file.txt"));
  EXPECT_FALSE(fs_->CreateFolder("Missing\\Below"));
  EXPECT_TRUE(fs_->IsFolder("empty"));

  EXPECT_FALSE(fs_->RemoveFolder("keep"));
  EXPECT_FALSE(fs_->RemoveFile("KEEP"));
  EXPECT_FALSE(fs_->RemoveFolder("keep\\FILE.TXT"));
  EXPECT_TRUE(fs_->RemoveFile("keep\\FILE.TXT"));
  EXPECT_FALSE(fs_->RemoveFile("keep\\file.txt"));
  EXPECT_TRUE(fs_->RemoveFolder("KEEP"));
  EXPECT_TRUE(fs_->RemoveFolder("eMPTY"));
  EXPECT_EQ(Entries(), Names());

  Put("Settings/Varokin.INI", "old contents that are longer than the new ones");
  ASSERT_TRUE(fs_->WriteFileAtomic("SETTINGS\\varokin.ini", "new"));
  EXPECT_EQ(Contents("Settings/Varokin.INI"), "new");
  ASSERT_TRUE(fs_->WriteFileAtomic("Settings\\Fresh.ini", ""));
  EXPECT_EQ(Contents("Settings/Fresh.ini"), "");
  EXPECT_EQ(Entries("Settings"), Names({"Fresh.ini", "Varokin.INI"}));

  // Failures leave what was there and no temporary file.
  std::filesystem::create_directory("Settings/Folder");
  EXPECT_FALSE(fs_->WriteFileAtomic("Settings\\Folder", "x"));
  EXPECT_TRUE(std::filesystem::is_directory("Settings/Folder"));
  EXPECT_FALSE(fs_->WriteFileAtomic("Missing\\Varokin.INI", "x"));
  EXPECT_EQ(Entries(), Names({"Settings"}));
  EXPECT_EQ(Entries("Settings"), Names({"Folder", "Fresh.ini", "Varokin.INI"}));
}

#ifdef _WIN32
TEST(UserConfigFolderTest, IsVarokinInTheRoamingApplicationData) {
  const varokin::testing::ScopedVariable appData("APPDATA", "C:\\Users\\Player\\AppData\\Roaming");
  EXPECT_EQ(UserConfigFolder(), "C:\\Users\\Player\\AppData\\Roaming\\Varokin");
}
#endif

}  // namespace
}  // namespace varokin::platform::testing
