// The TA folders found on this machine: on Linux on fake Wine prefixes and Steam libraries in a
// home of the test's own; on Windows in a Steam installation and a Program Files folder of the
// test's own, named to the program as Steam and Windows name them.
#include "platform/installs.h"

#include <algorithm>
#include <filesystem>
#include <list>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "support/platform/temp_folder.h"
#include "support/scoped_variable.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace varokin::platform::testing {
namespace {

namespace fs = std::filesystem;

#ifndef _WIN32

class Installs : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    home_ = fs::canonical(root_).string();
    variables_.emplace_back("HOME", home_);
    variables_.emplace_back("XDG_DATA_HOME", std::nullopt);
    variables_.emplace_back("WINEPREFIX", home_ + "/.wine");
  }
  std::string Game(const std::string& folder, const std::string& exe = "TotalA.exe") {
    Put(home_ + "/" + folder + "/" + exe, "");
    return home_ + "/" + folder;
  }

  std::string home_;
  std::list<varokin::testing::ScopedVariable> variables_;
};

TEST_F(Installs, PrefixesAndSteamLibrariesAreSearchedAFewLevelsDeepAndEachFolderShownOnce) {
  const std::vector<std::string> expected = {
      Game(".wine/drive_c/Cavedog/TA"),
      Game("Games/Heroic/Prefixes/TA/drive_c/GOG Games/Total Annihilation"),
      Game("Games/total-annihilation/drive_c/Program Files/Cavedog/Total Annihilation",
           "totala.exe"),
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
  EXPECT_EQ(found, expected);
}

#else

// Steam's install path in the current user's registry and the Program Files folder point into the
// test's folder while it runs; both are put back afterwards.
class Installs : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    root = root_.string();
    programFiles_.emplace("ProgramFiles", root + "\\Programs");
    keyExisted_ = registry_->KeyExists(kSteamKey);
    oldSteamPath_ = registry_->GetString(kSteamKey, "SteamPath");
    // Steam writes its path with forward slashes.
    std::string steamPath = root + "\\Steam";
    std::replace(steamPath.begin(), steamPath.end(), '\\', '/');
    ASSERT_TRUE(registry_->CreateKey(kSteamKey));
    ASSERT_TRUE(registry_->SetString(kSteamKey, "SteamPath", steamPath));
  }
  void TearDown() override {
    if (oldSteamPath_) {
      registry_->SetString(kSteamKey, "SteamPath", *oldSteamPath_);
    } else {
      RegDeleteKeyValueA(HKEY_CURRENT_USER, kSteamKey, "SteamPath");
    }
    if (!keyExisted_) registry_->DeleteKey(kSteamKey);
    TempFolderTest::TearDown();
  }
  std::string Game(const std::string& folder) {
    Put(root + "\\" + folder + "\\TotalA.exe", "");
    return root + "\\" + folder;
  }

  static constexpr const char* kSteamKey = "Software\\Valve\\Steam";
  std::string root;

 private:
  std::unique_ptr<Registry> registry_ = CreateHostRegistry();
  bool keyExisted_ = false;
  std::optional<std::string> oldSteamPath_;
  std::optional<varokin::testing::ScopedVariable> programFiles_;
};

TEST_F(Installs, SteamLibrariesAndProgramFilesAreSearchedAndEachFolderShownOnce) {
  const std::vector<std::string> expected = {
      Game("Steam\\steamapps\\common\\Total Annihilation"),
      Game("Library\\steamapps\\common\\TA Commander Pack"),
      Game("Programs\\Cavedog\\Total Annihilation"),
  };
  // Three levels below Program Files is deeper than an installer puts the game.
  Game("Programs\\Games\\Cavedog\\TA");
  // Steam names its own folder among the libraries, as it does, so it is reached twice.
  std::string vdf = "\"libraryfolders\"\n{\n";
  int index = 0;
  for (const std::string& library : {root + "\\Steam", root + "\\Library"}) {
    std::string escaped;
    for (char c : library) escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
    vdf += "\t\"" + std::to_string(index++) + "\"\n\t{\n\t\t\"path\"\t\t\"" + escaped + "\"\n\t}\n";
  }
  Put(root + "\\Steam\\steamapps\\libraryfolders.vdf", vdf + "}\n");

  const std::vector<std::string> found = FindInstalls();
  for (const std::string& folder : expected) {
    EXPECT_EQ(std::count(found.begin(), found.end(), folder), 1) << folder;
  }
  for (const std::string& folder : found) {
    EXPECT_EQ(folder.find(root + "\\Programs\\Games"), std::string::npos) << folder;
  }
}

#endif

}  // namespace
}  // namespace varokin::platform::testing
