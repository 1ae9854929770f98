#include "settings/window_placement.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "support/ta_folder.h"

namespace varokin::settings {
namespace {

TEST(WindowPlacement, IsReadBackOnlyWhenWhole) {
  fixtures::TaFolder folder;
  const std::unique_ptr<platform::FileSystem> fs = platform::CreateHostFileSystem();
  const std::string path = (folder.Root() / "config" / "window").string();
  EXPECT_FALSE(ReadWindowPlacement(*fs, path));
  ASSERT_TRUE(WriteWindowPlacement(*fs, path, {{-20, 30, 900, 700}, true}));
  const auto read = ReadWindowPlacement(*fs, path);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->box, (WindowBox{-20, 30, 900, 700}));
  EXPECT_TRUE(read->maximised);
  for (const char* damaged : {"10 20 300\n", "10 20 0 400 0\n", "1 2 3 4 0 junk\n", "x"}) {
    folder.Text("config/window", damaged);
    EXPECT_FALSE(ReadWindowPlacement(*fs, path)) << damaged;
  }
}

// A window from a screen given up since, or larger than the screen, comes back onto it whole,
// its title bar first, never smaller than the window can be.
TEST(WindowPlacement, IsKeptOnTheScreen) {
  const WindowBox screen{0, 0, 1024, 768};
  EXPECT_EQ(KeptOnScreen({100, 50, 600, 400}, screen, 500, 380), (WindowBox{100, 50, 600, 400}));
  EXPECT_EQ(KeptOnScreen({1900, 900, 600, 400}, screen, 500, 380), (WindowBox{424, 368, 600, 400}));
  EXPECT_EQ(KeptOnScreen({-300, -40, 2000, 1000}, screen, 500, 380), (WindowBox{0, 0, 1024, 768}));
  EXPECT_EQ(KeptOnScreen({0, 0, 600, 400}, {0, 0, 400, 300}, 500, 380),
            (WindowBox{0, 0, 500, 380}));
}

}  // namespace
}  // namespace varokin::settings
