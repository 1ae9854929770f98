// Which TA folder start-up works on, and how "--ta-folder DIR" leaves the command text.
#include "app/ta_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "support/expect_prompts.h"
#include "support/ta_folder.h"

namespace varokin::app {
namespace {

namespace fs = std::filesystem;

const std::string kNotFound =
    "Unable to find TotalA.exe.  Please make sure you have Varokin installed in the same "
    "directory as Total Annihilation\nStart Varokin in the TA folder, or name the folder with "
    "--ta-folder DIR.";

TEST(TaFolderOption, IsTakenOutAndTheRestIsTheCommandText) {
  std::vector<std::string> words = {"-host", "--ta-folder", "/games/my ta", "x.tas"};
  EXPECT_EQ(TakeTaFolderOption(words), "/games/my ta");
  EXPECT_EQ(words, (std::vector<std::string>{"-host", "x.tas"}));
  words = {"--ta-folder"};  // no folder follows: an argument like any other
  EXPECT_EQ(TakeTaFolderOption(words), std::nullopt);
  EXPECT_EQ(words.size(), 1u);

  std::string text = "-host --ta-folder \"C:\\Games\\My TA\" -join:1.2.3.4";
  EXPECT_EQ(TakeTaFolderOption(text), "C:\\Games\\My TA");
  EXPECT_EQ(text, "-host -join:1.2.3.4");
  text = "--ta-folder C:\\TA";
  EXPECT_EQ(TakeTaFolderOption(text), "C:\\TA");
  EXPECT_EQ(text, "");
  text = "x--ta-folder C:\\TA";  // part of another word
  EXPECT_EQ(TakeTaFolderOption(text), std::nullopt);
  EXPECT_EQ(text, "x--ta-folder C:\\TA");
}

// A home of the test's own with two TA folders and a folder without the game; the working
// directory starts in the home, as a program started from a desktop menu does.
class FindingTheFolder : public ::testing::Test {
 protected:
  FindingTheFolder() {
    first.Game();
    second.Game();
    fs::create_directory(home.Root() / "empty");
    fs::current_path(home.Root());
  }
  std::string Here() { return fs::current_path().string(); }
  bool Find(const TaFolderSearch& search) { return FindTaFolder(*files, prompts, known, search); }

  fixtures::TaFolder home;
  fixtures::TaFolder first{home.Root()};
  fixtures::TaFolder second{home.Root()};
  std::unique_ptr<platform::FileSystem> files = platform::CreateHostFileSystem();
  settings::KnownFolders known{*files, (home.Root() / "config" / "folders").string()};
  fixtures::ExpectPrompts prompts;
};

TEST_F(FindingTheFolder, TheOptionTheWorkingDirectoryTheFolderUsedLastOrTheUsersChoice) {
  EXPECT_TRUE(Find({first.Root().string(), "", nullptr}));
  EXPECT_EQ(Here(), first.Root().string());
  EXPECT_TRUE(Find({second.Root().string(), "", nullptr}));
  EXPECT_EQ(known.Read(),
            (std::vector<std::string>{second.Root().string(), first.Root().string()}));

  // The working directory that holds the game wins over the list.
  fs::current_path(first.Root());
  EXPECT_TRUE(Find({}));
  EXPECT_EQ(known.Read().front(), first.Root().string());

  // Started elsewhere: the folder used last.
  fs::current_path(home.Root());
  EXPECT_TRUE(Find({}));
  EXPECT_EQ(Here(), first.Root().string());

  // A snapshot or parameter file named from its own folder is start-up's to handle, as ever.
  fs::current_path(home.Root());
  EXPECT_TRUE(Find({std::nullopt, "empty", nullptr}));
  EXPECT_EQ(Here(), home.Root().string());

  // A folder without the game, named on the command line, ends start-up.
  prompts.Expect(kNotFound);
  EXPECT_FALSE(Find({(home.Root() / "empty").string(), "", nullptr}));

  fs::current_path(home.Root());
  // The folder used last is gone: the console says how to name one.
  ASSERT_TRUE(known.Remember((home.Root() / "gone").string()));
  prompts.Expect(kNotFound);
  EXPECT_FALSE(Find({}));

  // A desktop program asks, until the user gives a folder with the game or gives up.
  std::vector<std::optional<std::string>> answers = {(home.Root() / "empty").string(),
                                                     second.Root().string()};
  std::size_t asked = 0;
  prompts.Expect(kNotFound);
  EXPECT_TRUE(Find({std::nullopt, "", [&] { return answers[asked++]; }}));
  EXPECT_EQ(asked, 2u);
  EXPECT_EQ(Here(), second.Root().string());
  EXPECT_EQ(known.Read().front(), second.Root().string());

  fs::current_path(home.Root());
  ASSERT_TRUE(known.Remember((home.Root() / "gone").string()));
  EXPECT_FALSE(Find({std::nullopt, "", [] { return std::optional<std::string>(); }}));
  EXPECT_EQ(Here(), home.Root().string());
}

}  // namespace
}  // namespace varokin::app
