// Which of the program's windows are open, seen through lock files in a private folder.
#include "platform/instances.h"

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "temp_folder.h"

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

#ifndef _WIN32
TEST_F(InstancesTest, RefusesALockFolderThatIsNotItsOwnRealFolder) {
  // A symbolic link planted where the folder belongs could aim the lock files anywhere.
  std::filesystem::create_directory(root_ / "elsewhere");
  std::filesystem::create_directory_symlink(root_ / "elsewhere", root_ / kLockSubfolder);
  EXPECT_EQ(registry_->Claim(kTitle), nullptr);
  EXPECT_TRUE(std::filesystem::is_empty(root_ / "elsewhere"));
}
#endif

}  // namespace
}  // namespace varokin::platform::testing
