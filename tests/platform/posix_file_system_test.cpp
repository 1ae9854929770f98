// What only a case-sensitive disk can show: names that differ by case alone, renames on file
// systems without the no-replace flag, and changes made by other programs behind the cache.
#ifndef _WIN32

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "platform/posix/dir_cache.h"
#include "platform/posix/no_replace_rename.h"
#include "platform/user_folders.h"
#include "temp_folder.h"

namespace varokin::platform::testing {
namespace {

using Names = std::vector<std::string>;

class PosixFileSystemTest : public TempFolderTest {
 protected:
  void TearDown() override {
    posix::noReplaceRename = posix::SystemNoReplaceRename;
    TempFolderTest::TearDown();
  }

  // Long enough for the folder's times to move past the tick of the last change.
  static void LetTheClockTick() { std::this_thread::sleep_for(std::chrono::milliseconds(60)); }
};

TEST_F(PosixFileSystemTest, NamesThatDifferOnlyByCaseResolveTheSameWayEveryTime) {
  Put("data.txt", "lower");
  Put("Data.txt", "capital");
  Put("DATA.txt", "upper");

  EXPECT_EQ(fs_->ReadAt("data.txt", 0, 10), "lower");
  EXPECT_EQ(fs_->ReadAt("Data.txt", 0, 10), "capital");
  // No exact match: the smallest name in byte order.
  EXPECT_EQ(fs_->ReadAt("dAtA.TXT", 0, 10), "upper");
  EXPECT_EQ(fs_->HostPath("dAtA.TXT"), "DATA.txt");
  EXPECT_EQ(fs_->Find("*.TXT"), Names({"DATA.txt", "Data.txt", "data.txt"}));

  ASSERT_TRUE(fs_->RemoveFile("DATA.TXT"));
  EXPECT_EQ(Entries(), Names({"Data.txt", "data.txt"}));
  EXPECT_EQ(fs_->HostPath("dAtA.TXT"), "Data.txt");
  // Taken by a twin, so not free for a rename either.
  Put("other.txt", "other");
  EXPECT_FALSE(fs_->Rename("other.txt", "DATA.TXT"));
  EXPECT_EQ(Entries(), Names({"Data.txt", "data.txt", "other.txt"}));
}

template <int kError>
int FailsWith(const char*, const char*) {
  errno = kError;
  return -1;
}

TEST_F(PosixFileSystemTest, WithoutTheNoReplaceFlagRenamesStillNeverReplace) {
  Put("a.txt", "A");
  Put("b.txt", "B");
  ASSERT_EQ(symlink("nowhere", "link"), 0);

  for (auto call : {FailsWith<EINVAL>, FailsWith<ENOSYS>}) {
    posix::noReplaceRename = call;
    EXPECT_EQ(posix::RenameWithoutReplacing("a.txt", "b.txt"), EEXIST);
    EXPECT_EQ(posix::RenameWithoutReplacing("a.txt", "link"), EEXIST);
    EXPECT_EQ(Contents("a.txt"), "A");
    EXPECT_EQ(Contents("b.txt"), "B");
    ASSERT_EQ(posix::RenameWithoutReplacing("a.txt", "c.txt"), 0);
    ASSERT_EQ(posix::RenameWithoutReplacing("c.txt", "a.txt"), 0);
  }
  posix::noReplaceRename = FailsWith<EINVAL>;
  ASSERT_TRUE(fs_->Rename("A.TXT", "Folder.txt"));
  EXPECT_FALSE(fs_->Rename("folder.TXT", "b.txt"));
  EXPECT_EQ(Entries(), Names({"Folder.txt", "b.txt", "link"}));

  // Any other refusal is final: nothing moves.
  posix::noReplaceRename = FailsWith<EPERM>;
  EXPECT_EQ(posix::RenameWithoutReplacing("b.txt", "c.txt"), EPERM);
  EXPECT_FALSE(fs_->Rename("b.txt", "c.txt"));
  EXPECT_EQ(Entries(), Names({"Folder.txt", "b.txt", "link"}));
}

// Runs the same checks once right after the folder was filled, when its times cannot yet tell a
// later change apart, and once after a pause, when they can.
class BehindTheCacheTest : public PosixFileSystemTest, public ::testing::WithParamInterface<bool> {
 protected:
  void Settle() {
    if (GetParam()) LetTheClockTick();
  }
};

TEST_P(BehindTheCacheTest, ChangesByOtherProgramsAreSeen) {
  Put("Sub/Keep.txt", "keep");
  Settle();
  EXPECT_FALSE(fs_->Exists("sub\\new.txt"));
  EXPECT_TRUE(fs_->Exists("sub\\keep.txt"));

  const int fd = open("Sub/NEW.TXT", O_WRONLY | O_CREAT | O_EXCL, 0644);
  ASSERT_GE(fd, 0);
  close(fd);
  EXPECT_TRUE(fs_->Exists("sub\\new.txt"));
  EXPECT_EQ(fs_->Find("SUB\\*"), Names({"Keep.txt", "NEW.TXT"}));

  Settle();
  ASSERT_EQ(std::rename("Sub/NEW.TXT", "Sub/Renamed.txt"), 0);
  EXPECT_FALSE(fs_->Exists("sub\\new.txt"));
  EXPECT_EQ(fs_->HostPath("sub\\RENAMED.TXT"), "Sub/Renamed.txt");

  Settle();
  ASSERT_EQ(unlink("Sub/Keep.txt"), 0);
  EXPECT_FALSE(fs_->Exists("sub\\keep.txt"));
  // A rename onto a name that appeared behind the cache is refused.
  Put("Sub/Taken.txt", "taken");
  EXPECT_FALSE(fs_->Rename("sub\\renamed.txt", "SUB\\TAKEN.TXT"));
  EXPECT_EQ(Contents("Sub/Taken.txt"), "taken");

  // A folder replaced by another of the same name in other case.
  Settle();
  ASSERT_EQ(std::rename("Sub", "Old"), 0);
  Put("SUB/Keep.txt", "new keep");
  EXPECT_EQ(fs_->ReadAt("sub\\keep.txt", 0, 20), "new keep");
  EXPECT_FALSE(fs_->Exists("sub\\renamed.txt"));
}

TEST_P(BehindTheCacheTest, OurOwnChangesAreSeenAtOnce) {
  for (int i = 0; i < 50; ++i) Put("Many/File" + std::to_string(i) + ".dat", "x");
  Settle();
  for (int i = 0; i < 50; ++i) {
    const std::string name = "many\\file" + std::to_string(i) + ".DAT";
    ASSERT_TRUE(fs_->Rename(name, "many\\MOVED" + std::to_string(i) + ".dat"));
    EXPECT_FALSE(fs_->Exists(name));
    EXPECT_TRUE(fs_->Exists("Many\\moved" + std::to_string(i) + ".DAT"));
  }
  EXPECT_EQ(fs_->Find("many\\file*"), Names());
  EXPECT_EQ(fs_->Find("many\\moved*").size(), 50u);
  ASSERT_TRUE(fs_->RemoveFile("many\\moved7.dat"));
  ASSERT_TRUE(fs_->CreateFolder("many\\Made"));
  ASSERT_TRUE(fs_->WriteFileAtomic("many\\made\\Written.txt", "w"));
  EXPECT_FALSE(fs_->Exists("Many\\MOVED7.dat"));
  EXPECT_TRUE(fs_->Exists("many\\MADE\\written.TXT"));
  EXPECT_EQ(Entries("Many").size(), 50u);
}

INSTANTIATE_TEST_SUITE_P(RightAwayAndAfterAPause, BehindTheCacheTest, ::testing::Bool());

// Kernels that stamp folders with the coarse clock can change a folder twice within one tick, and
// the second change then leaves its status as it was. This kernel may not, so the rule is checked
// on its own: a listing read too close to the folder's last change is not trusted.
TEST(RacyListingTest, ListingsReadCloseToAChangeAreNotTrusted) {
  const timespec readStart{1'000'000, 500'000'000};
  struct stat folder {};
  folder.st_ctim = {999'000, 1};
  folder.st_mtim = {1'000'000, 490'000'000};
  EXPECT_TRUE(posix::IsRacyListing(folder, readStart));
  folder.st_mtim = {1'000'000, 100'000'000};
  EXPECT_FALSE(posix::IsRacyListing(folder, readStart));
  folder.st_ctim = {1'000'000, 495'000'000};
  EXPECT_TRUE(posix::IsRacyListing(folder, readStart));
  // Whole-second times, as FAT disks give, need a wider margin.
  folder.st_mtim = {999'999, 0};
  folder.st_ctim = {999'999, 0};
  EXPECT_TRUE(posix::IsRacyListing(folder, readStart));
  folder.st_mtim = {999'997, 0};
  folder.st_ctim = {999'997, 0};
  EXPECT_FALSE(posix::IsRacyListing(folder, readStart));
}

TEST_F(PosixFileSystemTest, WriteFileAtomicKeepsTheFilesPermissions) {
  Put("Private.ini", "old");
  ASSERT_EQ(chmod("Private.ini", 0600), 0);
  ASSERT_TRUE(fs_->WriteFileAtomic("private.INI", "new"));
  struct stat status;
  ASSERT_EQ(stat("Private.ini", &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0600u);
  EXPECT_EQ(Contents("Private.ini"), "new");
}

TEST_F(PosixFileSystemTest, AbsolutePathsAreMatchedWithoutRegardToCaseToo) {
  Put("Game/TotalA.exe", "MZ");
  const std::string absolute = root_.string() + "/GAME/totala.EXE";
  EXPECT_TRUE(fs_->Exists(absolute));
  EXPECT_EQ(fs_->HostPath(absolute), root_.string() + "/Game/TotalA.exe");
  EXPECT_EQ(fs_->Find(root_.string() + "/game/*.exe"), Names({"TotalA.exe"}));
}

TEST(UserConfigFolderTest, FollowsTheBaseDirectoryRules) {
  const char* home = std::getenv("HOME");
  const std::string savedHome = home ? home : "";
  const char* config = std::getenv("XDG_CONFIG_HOME");
  const std::string savedConfig = config ? config : "";

  setenv("HOME", "/home/player", 1);
  setenv("XDG_CONFIG_HOME", "/somewhere/config", 1);
  EXPECT_EQ(UserConfigFolder(), "/somewhere/config/varokin");
  setenv("XDG_CONFIG_HOME", "relative", 1);
  EXPECT_EQ(UserConfigFolder(), "/home/player/.config/varokin");
  unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(UserConfigFolder(), "/home/player/.config/varokin");

  if (home) setenv("HOME", savedHome.c_str(), 1);
  if (config) setenv("XDG_CONFIG_HOME", savedConfig.c_str(), 1);
}

}  // namespace
}  // namespace varokin::platform::testing

#endif
