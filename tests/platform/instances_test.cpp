// Which of the program's windows are open, seen through lock files in a private folder.
#include "platform/instances.h"

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "support/platform/temp_folder.h"

namespace varokin::platform::testing {
namespace {

#ifdef _WIN32
const char* const kLockFolderVariables[] = {"TMP", "TEMP"};
constexpr char kLockSubfolder[] = "Varokin";
void SetVariable(const char* name, const char* value) { _putenv_s(name, value ? value : ""); }
#else
const char* const kLockFolderVariables[] = {"XDG_RUNTIME_DIR"};
constexpr char kLockSubfolder[] = "varokin";
void SetVariable(const char* name, const char* value) {
  if (value != nullptr) {
    setenv(name, value, 1);
  } else {
    unsetenv(name);
  }
}
#endif

constexpr char kTitle[] = "Varokin - by Quellan";
constexpr char kOtherTitle[] = "Varokin: Hosting...";
// Hex of the title's bytes: the lock file's name.
constexpr char kTitleLockName[] = "5661726f6b696e202d206279205175656c6c616e.lock";

// Points the registry at a folder of this test's own, so that no instance of the program that
// happens to run on the machine can disturb it.
class InstancesTest : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    for (const char* name : kLockFolderVariables) {
      const char* value = std::getenv(name);
      saved_.push_back(value ? std::optional<std::string>(value) : std::nullopt);
      SetVariable(name, root_.string().c_str());
    }
  }
  void TearDown() override {
    for (std::size_t i = 0; i < saved_.size(); ++i) {
      SetVariable(kLockFolderVariables[i], saved_[i] ? saved_[i]->c_str() : nullptr);
    }
    TempFolderTest::TearDown();
  }

  std::vector<std::optional<std::string>> saved_;
  std::unique_ptr<InstanceRegistry> registry_ = CreateHostInstanceRegistry();
};

TEST_F(InstancesTest, AClaimMarksItsTitleOpenUntilReleased) {
  EXPECT_FALSE(registry_->WindowExists(kTitle));

  auto claim = registry_->Claim(kTitle);
  ASSERT_NE(claim, nullptr);
  EXPECT_TRUE(registry_->WindowExists(kTitle));
  EXPECT_TRUE(CreateHostInstanceRegistry()->WindowExists(kTitle));
  EXPECT_FALSE(registry_->WindowExists(kOtherTitle));
  EXPECT_TRUE(std::filesystem::exists(root_ / kLockSubfolder / kTitleLockName));
  // A second claim on a title already held fails; the holder keeps it.
  EXPECT_EQ(registry_->Claim(kTitle), nullptr);
  EXPECT_TRUE(registry_->WindowExists(kTitle));

  claim.reset();
  // A file left behind, as by a killed instance, counts for nothing.
  Put((root_ / kLockSubfolder / kTitleLockName).string(), "");
  EXPECT_FALSE(registry_->WindowExists(kTitle));
  auto again = registry_->Claim(kTitle);
  EXPECT_NE(again, nullptr);
  EXPECT_TRUE(registry_->WindowExists(kTitle));
}

// A path in one spelling, whatever its last component is.
std::filesystem::path SameEntry(const std::filesystem::path& path) {
  return std::filesystem::canonical(path.parent_path()) / path.filename();
}

// Whatever another user, or a mishap, left where the lock belongs: the claim fails and names it,
// and nothing outside is touched.
TEST_F(InstancesTest, ALockFolderOrFileThatIsNotOursIsNamed) {
  namespace fs = std::filesystem;
  const fs::path folder = root_ / kLockSubfolder;
  const fs::path lock = folder / kTitleLockName;
  fs::create_directory(root_ / "elsewhere");
  struct Hazard {
    const char* what;
    std::function<void()> lay;
    fs::path named;
  };
  std::vector<Hazard> hazards = {
      {"a plain file as the folder", [&] { Put(folder.string(), ""); }, folder},
      {"a folder as the lock file", [&] { fs::create_directories(lock); }, lock},
  };
#ifndef _WIN32
  hazards.push_back({"a link as the folder",
                     [&] { fs::create_directory_symlink(root_ / "elsewhere", folder); }, folder});
  hazards.push_back({"a link as the lock file",
                     [&] {
                       fs::create_directory(folder);
                       fs::create_symlink(root_ / "elsewhere" / "planted", lock);
                     },
                     lock});
  hazards.push_back({"a FIFO as the lock file",
                     [&] {
                       fs::create_directory(folder);
                       ASSERT_EQ(mkfifo(lock.c_str(), 0600), 0);
                     },
                     lock});
  // Only the superuser can give a folder away.
  if (getuid() == 0) {
    hazards.push_back({"a folder of another user",
                       [&] {
                         fs::create_directory(folder);
                         ASSERT_EQ(chown(folder.c_str(), 12345, 12345), 0);
                       },
                       folder});
  }
#endif
  for (const Hazard& hazard : hazards) {
    SCOPED_TRACE(hazard.what);
    hazard.lay();
    std::string unusable;
    EXPECT_EQ(registry_->Claim(kTitle, &unusable), nullptr);
    EXPECT_EQ(SameEntry(unusable), SameEntry(hazard.named));
    EXPECT_TRUE(fs::is_empty(root_ / "elsewhere"));
    fs::remove_all(folder);
  }
}
}  // namespace
}  // namespace varokin::platform::testing
