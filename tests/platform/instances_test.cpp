// Which of the program's windows are open on a TA folder, seen through the locks of its marker.
#include "platform/instances.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "support/platform/temp_folder.h"

namespace varokin::platform::testing {
namespace {

constexpr char kTitle[] = "Varokin - by Quellan";
constexpr char kOtherTitle[] = "Varokin: Hosting...";

// The working directory is the test's own fresh folder, as the TA folder is for the program.
using InstancesTest = TempFolderTest;

// A path in one spelling, whatever its last component is.
std::filesystem::path SameEntry(const std::filesystem::path& path) {
  return std::filesystem::canonical(path.parent_path()) / path.filename();
}

// Whatever a mishap left where the marker belongs, the claim fails and names it, and nothing
// outside is touched; once the marker can be locked, a claim holds its title until released.
TEST_F(InstancesTest, AMarkerThatCannotBeLockedIsNamedAndAClaimHoldsItsTitleUntilReleased) {
  namespace fs = std::filesystem;
  const std::unique_ptr<InstanceRegistry> registry = CreateHostInstanceRegistry();
  const fs::path marker = root_ / kInstanceMarker;
  fs::create_directory(root_ / "elsewhere");
  std::vector<std::pair<const char*, std::function<void()>>> hazards = {
      {"a folder as the marker", [&] { fs::create_directories(marker); }},
  };
#ifndef _WIN32
  hazards.push_back({"a link as the marker",
                     [&] { fs::create_symlink(root_ / "elsewhere" / "planted", marker); }});
  hazards.push_back({"a FIFO as the marker", [&] { ASSERT_EQ(mkfifo(marker.c_str(), 0600), 0); }});
#endif
  for (const auto& [what, lay] : hazards) {
    SCOPED_TRACE(what);
    lay();
    std::string unusable;
    EXPECT_EQ(registry->Claim(kTitle, &unusable), nullptr);
    EXPECT_EQ(SameEntry(unusable), SameEntry(marker));
    EXPECT_TRUE(fs::is_empty(root_ / "elsewhere"));
    fs::remove_all(marker);
  }

  EXPECT_FALSE(registry->WindowExists(kTitle));

  auto claim = registry->Claim(kTitle);
  ASSERT_NE(claim, nullptr);
  EXPECT_TRUE(registry->WindowExists(kTitle));
  EXPECT_TRUE(CreateHostInstanceRegistry()->WindowExists(kTitle));
  EXPECT_FALSE(registry->WindowExists(kOtherTitle));
  EXPECT_TRUE(fs::exists(marker));
  // A second claim on a title already held fails, also from another registry; the holder keeps it.
  EXPECT_EQ(registry->Claim(kTitle), nullptr);
  EXPECT_EQ(CreateHostInstanceRegistry()->Claim(kTitle), nullptr);
  EXPECT_TRUE(registry->WindowExists(kTitle));

  // Another TA folder is free.
  fs::create_directory(root_ / "other");
  ASSERT_TRUE(fs_->SetCurrentDir("other"));
  EXPECT_FALSE(registry->WindowExists(kTitle));
  EXPECT_NE(CreateHostInstanceRegistry()->Claim(kTitle), nullptr);
  ASSERT_TRUE(fs_->SetCurrentDir(".."));

  claim.reset();
  // The marker stays, as after a killed instance, and counts for nothing.
  EXPECT_TRUE(fs::exists(marker));
  EXPECT_FALSE(registry->WindowExists(kTitle));
  auto again = registry->Claim(kTitle);
  EXPECT_NE(again, nullptr);
  EXPECT_TRUE(registry->WindowExists(kTitle));
}

}  // namespace
}  // namespace varokin::platform::testing
