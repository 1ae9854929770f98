// What only a case-sensitive disk can show: names that differ by case alone, renames on file
// systems without the no-replace flag, and changes made by other programs behind the cache.
#ifndef _WIN32

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "platform/posix/dir_cache.h"
#include "platform/posix/no_replace_rename.h"
#include "platform/user_folders.h"
#include "support/platform/temp_folder.h"
#include "support/scoped_variable.h"

namespace varokin::platform::testing {
namespace {

using Names = std::vector<std::string>;

class PosixFileSystemTest : public TempFolderTest {
 protected:
  void TearDown() override {
    posix::noReplaceRename = posix::SystemNoReplaceRename;
    TempFolderTest::TearDown();
  }
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

  // Absolute paths too.
  Put("Game/TotalA.exe", "MZ");
  const std::string absolute = root_.string() + "/GAME/totala.EXE";
  EXPECT_TRUE(fs_->Exists(absolute));
  EXPECT_EQ(fs_->HostPath(absolute), root_.string() + "/Game/TotalA.exe");
  EXPECT_EQ(fs_->Find(root_.string() + "/game/*.exe"), Names({"TotalA.exe"}));
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
  // Long enough for the folder's times to move past the tick of the last change.
  void Settle() {
    if (GetParam()) std::this_thread::sleep_for(std::chrono::milliseconds(60));
  }
};

TEST_P(BehindTheCacheTest, ChangesByOtherProgramsAreSeen) {
  Put("Sub/Keep.txt", "keep");
  Settle();
  EXPECT_FALSE(fs_->Exists("sub\\new.txt"));
  EXPECT_TRUE(fs_->Exists("sub\\keep.txt"));

  Put("Sub/NEW.TXT", "");
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

TEST_F(PosixFileSystemTest, WriteFileAtomicKeepsTheFilesPermissionsAndFailsPastTheSizeLimit) {
  Put("Private.ini", "old");
  ASSERT_EQ(chmod("Private.ini", 0600), 0);
  ASSERT_TRUE(fs_->WriteFileAtomic("private.INI", "new"));
  struct stat status;
  ASSERT_EQ(stat("Private.ini", &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0600u);
  EXPECT_EQ(Contents("Private.ini"), "new");

  rlimit saved;
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  rlimit limited = saved;
  limited.rlim_cur = 4096;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
  const bool written = fs_->WriteFileAtomic("Private.ini", std::string(10000, 'x'));
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &saved), 0);
  EXPECT_FALSE(written);
  EXPECT_EQ(Entries(), Names({"Private.ini"}));
  EXPECT_EQ(Contents("Private.ini"), "new");
}

// The TA folder is a subfolder of the test's folder here, so that links can lead to a real
// folder beside it, which must come out of every call untouched.
class LinkBoundaryTest : public PosixFileSystemTest {
 protected:
  void SetUp() override {
    PosixFileSystemTest::SetUp();
    Put("Outside/secret.txt", "secret");
    Put("TA/Varokin/Sub/a.txt", "inside");
    ASSERT_TRUE(fs_->SetCurrentDir(root_.string() + "/TA"));
    ASSERT_EQ(symlink((root_ / "Outside").c_str(), "Varokin/Lnk"), 0);
    ASSERT_EQ(symlink("Lnk", "Varokin/Hop"), 0);
    ASSERT_EQ(symlink("Sub", "Varokin/Inner"), 0);
    ASSERT_EQ(symlink("../Nowhere", "Varokin/Dangling"), 0);
  }
  std::vector<std::string> Outside() { return Entries((root_ / "Outside").string()); }
};

TEST_F(LinkBoundaryTest, FoldersThatLeadOutAreRefusedAndLinksAsNamesAreMovedUnfollowed) {
  EXPECT_TRUE(fs_->LeadsOutside("varokin\\LNK\\secret.txt"));
  EXPECT_TRUE(fs_->LeadsOutside("Varokin\\Hop\\secret.txt"));
  EXPECT_TRUE(fs_->LeadsOutside("Varokin\\Lnk\\..\\x"));
  EXPECT_FALSE(fs_->LeadsOutside("Varokin\\Inner\\a.txt"));
  EXPECT_FALSE(fs_->LeadsOutside("Varokin\\Lnk"));
  EXPECT_FALSE(fs_->LeadsOutside((root_ / "TA/Varokin/Lnk/secret.txt").string()));

  for (const std::string name : {"Varokin\\Lnk\\secret.txt", "VAROKIN\\hop\\SECRET.TXT"}) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(fs_->Exists(name));
    EXPECT_EQ(fs_->Size(name), std::nullopt);
    EXPECT_EQ(fs_->ReadAt(name, 0, 10), std::nullopt);
    EXPECT_EQ(fs_->OpenRead(name), nullptr);
    EXPECT_FALSE(fs_->Rename(name, "stolen.txt"));
    EXPECT_FALSE(fs_->RemoveFile(name));
  }
  EXPECT_EQ(fs_->Find("Varokin\\Lnk\\*"), Names());
  EXPECT_FALSE(fs_->Rename("Varokin\\Sub\\a.txt", "Varokin\\Lnk\\planted.txt"));
  EXPECT_FALSE(fs_->WriteFileAtomic("Varokin\\Lnk\\planted.txt", "x"));
  EXPECT_FALSE(fs_->CreateFolder("Varokin\\Lnk\\made"));
  EXPECT_EQ(Outside(), Names({"secret.txt"}));
  EXPECT_EQ(Contents("../Outside/secret.txt"), "secret");

  // A link that stays inside is an ordinary folder on the way.
  EXPECT_EQ(fs_->ReadAt("varokin\\inner\\A.TXT", 0, 10), "inside");
  ASSERT_TRUE(fs_->Rename("Varokin\\Inner\\a.txt", "Varokin\\Inner\\b.txt"));
  EXPECT_EQ(Contents("Varokin/Sub/b.txt"), "inside");

  // A link as the name itself exists and moves as a link, even pointing nowhere or outside.
  EXPECT_TRUE(fs_->Exists("Varokin\\dangling"));
  ASSERT_TRUE(fs_->Rename("Varokin\\Dangling", "Dangling"));
  ASSERT_TRUE(fs_->Rename("Varokin\\Lnk", "Lnk"));
  char target[64] = {};
  ASSERT_GT(readlink("Dangling", target, sizeof target - 1), 0);
  EXPECT_STREQ(target, "../Nowhere");
  EXPECT_EQ(Entries(), Names({"Dangling", "Lnk", "Varokin"}));
  EXPECT_EQ(Outside(), Names({"secret.txt"}));
}

TEST_F(PosixFileSystemTest, OnlyRegularFilesAreReadAndNothingWaits) {
  Put("Varokin/][Real.tc", "pairs");
  ASSERT_EQ(mkfifo("Varokin/][Fifo.tc", 0644), 0);
  ASSERT_EQ(symlink("/dev/zero", "Varokin.INI"), 0);
  for (const std::string& name : Names{"Varokin\\][Fifo.tc", "varokin\\][FIFO.TC", "Varokin.INI",
                                       root_.string() + "/Varokin/][Fifo.tc", "/dev/zero"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(fs_->OpenRead(name), nullptr);
    EXPECT_EQ(fs_->ReadAt(name, 0, 10), std::nullopt);
  }
  EXPECT_EQ(fs_->ReadAt("VAROKIN\\][real.TC", 0, 10), "pairs");
  EXPECT_TRUE(fs_->Exists("Varokin\\][Fifo.tc"));
}

// A settings file linked in from elsewhere stays linked; a link to something that cannot take the
// write (a device, nothing at all) fails as an unwritable file and stays as it was.
TEST_F(LinkBoundaryTest, WritingThroughALinkKeepsTheLinkOrFails) {
  Put("../Dotfiles/Varokin.INI", "[old]");
  const std::string settings = (root_ / "Config/Varokin.INI").string();
  std::filesystem::create_directory(root_ / "Config");
  ASSERT_EQ(symlink((root_ / "Dotfiles/Varokin.INI").c_str(), settings.c_str()), 0);
  ASSERT_TRUE(fs_->WriteFileAtomic(settings, "[new]"));
  EXPECT_EQ(Contents("../Dotfiles/Varokin.INI"), "[new]");
  EXPECT_EQ(Entries("../Dotfiles"), Names({"Varokin.INI"}));
  struct stat status;
  ASSERT_EQ(lstat(settings.c_str(), &status), 0);
  EXPECT_TRUE(S_ISLNK(status.st_mode));

  ASSERT_EQ(symlink("/dev/null", "Device.ini"), 0);
  ASSERT_EQ(symlink("Nowhere.ini", "Dangling.ini"), 0);
  ASSERT_EQ(symlink("../Outside/secret.txt", "Secret.ini"), 0);
  for (const std::string name : {"Device.ini", "Dangling.ini", "Secret.ini"}) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(fs_->WriteFileAtomic(name, "[new]"));
    ASSERT_EQ(lstat(name.c_str(), &status), 0);
    EXPECT_TRUE(S_ISLNK(status.st_mode));
  }
  EXPECT_EQ(Contents("../Outside/secret.txt"), "secret");
  EXPECT_EQ(Entries(), Names({"Dangling.ini", "Device.ini", "Secret.ini", "Varokin"}));
}

TEST(UserConfigFolderTest, FollowsTheBaseDirectoryRules) {
  const varokin::testing::ScopedVariable home("HOME", "/home/player");
  const varokin::testing::ScopedVariable config("XDG_CONFIG_HOME", "/somewhere/config");
  EXPECT_EQ(UserConfigFolder(), "/somewhere/config/varokin");
  setenv("XDG_CONFIG_HOME", "relative", 1);
  EXPECT_EQ(UserConfigFolder(), "/home/player/.config/varokin");
  unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(UserConfigFolder(), "/home/player/.config/varokin");
}

}  // namespace
}  // namespace varokin::platform::testing

#endif
