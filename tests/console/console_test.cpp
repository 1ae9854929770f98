// varokin-console end to end: the real program, started as a child process in a TA folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <utility>
#include <vector>

#include "support/console/console_fixture.h"
#include "support/ta_folder.h"
#include "varokin_version.h"

namespace varokin::testing {
namespace {

namespace fs = std::filesystem;

// Lines of the console's input or output, each ended with a line break.
std::string Lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

class Console : public ConsoleFixture {
 protected:
  void SetUp() override {
    ConsoleFixture::SetUp();
    ta.Game();
    ta.Tc("Ashen", "Ashen Frontier", "Burnt##lands", "ASH",
          {{"AshenData.hpi", "ashdata.hpi"}, {"AshenMaps.hpi", "ashmaps.hpi"}});
    ta.Ai("Brain", "Big Brain", "Thinks", "XYZ", {{"brain.ufo", false}});
  }
};

// Each kind of command reaches its control, in the main window and in a dialog; boxes and dialogs
// are written as text; only the Close button saves the window's state, and nothing is read once the
// window has closed.
TEST_F(Console, CommandsReachTheirControlsAndBoxesAndDialogsAreText) {
  ta.Ufo("Tanks", fixtures::UfoPlace::kEnabled);
  // The Yes/No box the AI click opens has no Escape answer: the escape after it is read past.
  ASSERT_EQ(Run(Lines({"tab 0",        "click 1008 1",
                       "show 1039",    "tab 2",
                       "click 1003 1", "escape",
                       "close",        "perhaps",
                       "NO",           "show 1003",
                       "check 1038",   "menu 32797",
                       "show",         "set 1071 Air Power",
                       "show 1073",    "press 1",
                       "ok",           "show 1039",
                       "press 1043",   "set 1052 LAN Party",
                       "leave 1052",   "show 1052",
                       "escape",       "press 1",
                       "show"})),
            0);
  EXPECT_TRUE(Contains(Lines(
      {"<<< Yes/No", "This AI (^^Brain.ai) does not claim to be compatible with your current TC.",
       "", "Do you wish to disable it again?  (Strongly recommended)", ">>>", "list 1003",
       "0\t0\t9999\t*Default AI*", "1\t1\t1\tBig Brain", "."})))
      << output;
  EXPECT_TRUE(Contains(
      Lines({"title Make a UFO Pack", ".", "edit 1071", "Unamed Pack", ".", "edit 1073",
             "Unamed Pack.pac", ".", "edit 1072", ".", "list 1013", "0\t1\t0\tTanks", "."})))
      << output;
  EXPECT_TRUE(
      Contains("edit 1073\nAir Power.pac\n.\n<<< OK\nThe UFO pack Air Power will be available "
               "next time you start Varokin\n>>>\nlabel 1039\nAshen Frontier\n.\n"))
      << output;
  EXPECT_TRUE(Contains("edit 1052\nLAN_Party\n.\n")) << output;
  EXPECT_FALSE(Contains("title Varokin")) << output;  // nothing is read once the window closed
  EXPECT_TRUE(ta.Exists("brain.ufo"));                // "NO" answered the question
  EXPECT_EQ(ta.Read("Varokin\\UfoManager\\Air Power.pac"), "Air Power\r\n\r\nTanks\r\n");

  // Escape, the close box and the end of input leave the window without saving: the next start
  // shows the tab and the check box that Close saved. The filter leaves out the rows it hides;
  // those shown keep the numbers click takes.
  ASSERT_EQ(Run("tab 0\nclose\n"), 0);
  ASSERT_EQ(Run("tab 3\nescape\n"), 0);
  ASSERT_EQ(Run("tab 1\n"), 0);
  ASSERT_EQ(Run("filter bRAIN\nshow\n"), 0);
  EXPECT_TRUE(Contains(
      "title Varokin - by Quellan\n.\ntab 2\n.\nlabel 1061\nFilter:\n.\nedit 1060\nbRAIN\n.\n"
      "list 1003\n1\t1\t1\tBig Brain\n.\n"))
      << output;
  EXPECT_TRUE(Contains("check 1038 0\n.\n")) << output;
  EXPECT_FALSE(Contains("list 1008")) << output;
}

TEST_F(Console, ACommandTheUserCouldNotGiveChangesNothing) {
  const fixtures::FileInventory before = ta.Inventory();
  ASSERT_EQ(Run(Lines({"frobnicate",
                       "click 1008 1",  // the Mutators tab is showing
                       "tab 0", "click 1008 7", "click 1006 0", "press 4242", "press 1008",
                       "show 1 2", "tab 9"})),
            0);
  EXPECT_EQ(output, Lines({"error: unknown command frobnicate", "error: 1008 is hidden",
                           "error: no row 7 in list 1008", "error: 1006 is not a list",
                           "error: unknown id 4242", "error: 1008 is not a button",
                           "error: usage: show [<id>]", "error: no tab 9"}));
  EXPECT_EQ(ta.Inventory(), before);
  EXPECT_EQ(Setting("Previous Settings", "TC"), "(missing)");
}

// Two TA folders, each with its own active TC: each start sees its own folder's switch and never
// reports the other's.
TEST_F(Console, TwoTaFoldersEachKeepTheirOwnActiveTc) {
  fixtures::TaFolder other{home};
  other.Game();
  other.Tc("Tide", "Iron Tide", "Waves", "TID", {{"TideData.hpi", "tidedata.hpi"}});
  for (const fixtures::TaFolder* folder : {&ta, &other}) {
    std::filesystem::current_path(folder->Root());
    EXPECT_EQ(Run("tab 0\nclick 1008 1\npress 1\n"), 0);
    EXPECT_EQ(output, "");
  }
  for (const auto& [folder, title] : {std::pair{&ta, "Ashen Frontier"}, {&other, "Iron Tide"}}) {
    std::filesystem::current_path(folder->Root());
    EXPECT_EQ(Run("show 1039\npress 1\n"), 0);
    EXPECT_EQ(output, std::string("label 1039\n") + title + "\n.\n");
  }
  std::filesystem::current_path(ta.Root());
}

// The file dialogs as the common dialogs behave: the save dialog adds the extension and asks
// before replacing a file, the open dialog finds a file named without its extension.
TEST_F(Console, FileDialogsAddTheExtensionAndTheSaveDialogAsksBeforeReplacing) {
  // A dot in a folder's name is no extension of the file.
  const fs::path folder = ta.Host("Varokin\\Snapshots\\v1.2");
  fs::create_directories(folder);
  const std::string typed = (folder / "story").string();
  const std::string dialog = "<<< save Save Snapshot As...\n>>>\n";
  const std::string question = "<<< Yes/No exclamation\n" + typed +
                               ".tas already exists.\nDo you want to replace it?\n>>>\n";
  ASSERT_EQ(Run("menu 32792\n" + typed + "\ntab 0\nclick 1008 1\nmenu 32792\n" + typed + "\nno\n" +
                typed + "\nyes\nclick 1008 0\nmenu 32793\n" + typed + "\n"),
            0);
  // Declining asks for another name; the answer Yes replaces the file.
  EXPECT_TRUE(Contains(question + dialog + question + "<<< open Select Snapshot to Restore\n>>>\n"))
      << output;
  EXPECT_EQ(ReadAll(folder / "story.tas").substr(0, 14), "TC:][Ashen.tc\n");
  EXPECT_FALSE(fs::exists(folder / "story"));
  EXPECT_TRUE(ta.Exists("ashdata.hpi"));  // restored from story.tas
}

// --version and --help answer and end before start-up: nothing in the TA folder or the settings
// is read or written, and no window is shown.
TEST_F(Console, VersionAndHelpAnswerWithoutStartingAndATaFolderIsNamedOnce) {
  const auto before = ta.Inventory();
  const std::string settingsBefore = ReadAll(home / kConfigFolder / "Varokin.INI");

  EXPECT_EQ(Run("show\n", {"--version"}), 0);
  EXPECT_EQ(output, std::string("Varokin ") + VAROKIN_VERSION + "\n");

  EXPECT_EQ(Run("show\n", {"--help"}), 0);
  EXPECT_EQ(output.rfind("Usage: varokin-console [--ta-folder DIR]", 0), 0u) << output;
  EXPECT_TRUE(Contains("  --ta-folder DIR  the TA folder to use\n"));
  EXPECT_TRUE(Contains("The settings live in Varokin.INI in the TA folder.\n"));
  EXPECT_TRUE(Contains("commands are read from standard input"));

  EXPECT_EQ(ta.Inventory(), before);
  EXPECT_EQ(ReadAll(home / kConfigFolder / "Varokin.INI"), settingsBefore);

  // Started outside any TA folder, as from a desktop menu, it ends with status 1 (the message is
  // start-up's); named once, the folder is found again at the next start.
  std::filesystem::current_path(home);
  EXPECT_EQ(Run(""), 1);
  EXPECT_EQ(Run("", {"--ta-folder", ta.Root().string()}), 0);
  EXPECT_EQ(output, "");
  EXPECT_EQ(Run(""), 0);
  EXPECT_EQ(output, "");
  EXPECT_EQ(Setting("Varokin", "First Use"), "0");
  std::filesystem::current_path(ta.Root());
}

}  // namespace
}  // namespace varokin::testing
