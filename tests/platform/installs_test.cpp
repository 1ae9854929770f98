// The TA folders found on this machine, on fake Wine prefixes and Steam libraries in a home of the
// test's own.
#ifndef _WIN32
#include "platform/installs.h"

#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "support/platform/temp_folder.h"

namespace varokin::platform::testing {
namespace {

namespace fs = std::filesystem;

class Installs : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    for (const char* name : {"HOME", "XDG_DATA_HOME", "WINEPREFIX"}) {
      const char* value = getenv(name);
      saved_.emplace_back(name, value ? value : "");
    }
    home_ = fs::canonical(root_).string();
    setenv("HOME", home_.c_str(), 1);
    unsetenv("XDG_DATA_HOME");
    setenv("WINEPREFIX", (home_ + "/.wine").c_str(), 1);
  }
  void TearDown() override {
    for (const auto& [name, value] : saved_) {
      if (value.empty()) {
        unsetenv(name.c_str());
      } else {
        setenv(name.c_str(), value.c_str(), 1);
      }
    }
    TempFolderTest::TearDown();
  }
  std::string Game(const std::string& folder, const std::string& exe = "TotalA.exe") {
    fs::create_directories(home_ + "/" + folder);
    Put(home_ + "/" + folder + "/" + exe, "");
    return home_ + "/" + folder;
  }

  std::string home_;
  std::vector<std::pair<std::string, std::string>> saved_;
};

TEST_F(Installs, PrefixesAndSteamLibrariesAreSearchedAFewLevelsDeepAndEachFolderShownOnce) {
  std::vector<std::string> expected = {
      Game(".wine/drive_c/Cavedog/TA"),
      Game("Games/total-annihilation/drive_c/Program Files/Cavedog/Total Annihilation",
           "totala.exe"),
      Game("Games/Heroic/Prefixes/TA/drive_c/GOG Games/Total Annihilation"),
      Game("library/steamapps/common/Total Annihilation"),
  };
  // Too deep, in Windows' own folder, or without the game: not searched or not shown.
  Game(".wine/drive_c/a/b/c/d/TA");
  Game(".wine/drive_c/windows/TA");
  fs::create_directories(home_ + "/.wine/drive_c/Empty");
  Put(home_ + "/Games/total-annihilation/system.reg", "");
  // Steam's own library, and another named twice, once through a link.
  fs::create_directories(home_ + "/.local/share/Steam/steamapps/common");
  fs::create_directory_symlink(home_ + "/library", home_ + "/link");
  Put(home_ + "/.local/share/Steam/steamapps/libraryfolders.vdf",
      "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"" + home_ +
          "/.local/share/Steam\"\n\t}\n\t\"1\"\n\t{\n\t\t\"path\"\t\t\"" + home_ +
          "/library\"\n\t}\n\t\"2\"\n\t{\n\t\t\"path\"\t\t\"" + home_ + "/link\"\n\t}\n}\n");

  std::vector<std::string> found = FindInstalls();
  std::sort(found.begin(), found.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(found, expected);
}

}  // namespace
}  // namespace varokin::platform::testing
#endif
