// Snapshots from the menu and the command line: what the lists show after a restore.
#include <string>
#include <vector>

#include "support/main_window_fixture.h"

namespace varokin::fixtures {
namespace {

class Snapshots : public GameWindowTest {
 protected:
  std::string SnapshotPath(const std::string& name = "mine.tas") {
    return (ta.Root() / "Varokin" / "Snapshots" / name).string();
  }
};

TEST_F(Snapshots, ASnapshotRestoresEveryFileWhereItWasAndReportsNamesNotListed) {
  ta.Tc("Ash", "Ashen", "a", "ASH", {{"AshData.hpi", "ashdata.hpi"}});
  ta.Mutator("Fast", "Fast units", "f", "*", 1);
  ta.Mutator("Slow", "Slow units", "s", "*", 0);
  ta.Ai("Brain", "Big Brain", "b", "*", {{"brain.dat"}});
  ta.Ufo("On", UfoPlace::kEnabled);
  ta.Ufo("Off", UfoPlace::kKept);
  Start();
  ClickRow(ui::kIdTcList, "Ashen");
  ClickRow(ui::kIdMutatorList, "Slow units");
  ClickRow(ui::kIdMutatorList, "Fast units");
  ClickRow(ui::kIdAiList, "Big Brain");

  prompts.ExpectFileDialog(SnapshotPath());
  EXPECT_TRUE(Dlg().OnCommand(ui::kIdMenuTakeSnapshot));
  EXPECT_TRUE(ta.Exists("Varokin\\Snapshots\\mine.tas"));

  const FileInventory before = ta.Inventory();
  prompts.ExpectFileDialog(SnapshotPath());
  Dlg().OnRestoreSnapshot();
  EXPECT_EQ(ta.Inventory(), before);
  EXPECT_EQ(Selected(Window().tcList), Texts{"Ashen"});
  EXPECT_EQ(Selected(Window().mutatorList), (Texts{"Fast units", "Slow units"}));
  EXPECT_EQ(Selected(Window().aiList), Texts{"Big Brain"});
  EXPECT_EQ(Selected(Window().ufoList), Texts{"On"});
  EXPECT_EQ(Setting("Active Mutators", "Mutator 0"), "}{Slow.vkn");
  EXPECT_EQ(Setting("Previous Settings", "AI"), "^^Brain.ai");

  // Names not in the lists are each reported; a Mutator named twice is loaded once, in one slot.
  prompts.Expect("Unable to find the TC named ][Lost.tc");
  prompts.Expect("Unable to find the Mutator named }{Lost.vkn");
  prompts.Expect("Unable to find the AI named ^^Lost.ai");
  prompts.Expect("The snapshot was not fully restored");
  ta.Text(
      "Varokin\\Snapshots\\given.tas",
      "TC: ][Lost.tc \r\nMUTATORS:\r\n}{Slow.vkn\r\n}{Lost.vkn\r\n}{SLOW.vkn\r\nAI:^^Lost.ai\r\n"
      "UFOs:\r\nOff.ufo\r\n");
  prompts.ExpectFileDialog(SnapshotPath("given.tas"));
  EXPECT_TRUE(Dlg().OnCommand(ui::kIdMenuRestoreSnapshot));
  EXPECT_TRUE(ta.Exists("}{Slow.ccx"));
  EXPECT_EQ(State().GetMutatorName(0), "}{Slow.vkn");
  EXPECT_EQ(State().mutatorSlots[1], -1);
  EXPECT_EQ(Selected(Window().mutatorList), Texts{"Slow units"});
  EXPECT_EQ(Selected(Window().ufoList), Texts{"Off"});
  for (const auto& shown : prompts.Messages()) EXPECT_EQ(shown.icon, Icon::kExclamation);
}

TEST_F(Snapshots, ASnapshotNamedOnTheCommandLineIsRestoredByTheDeferredRequest) {
  ta.Ufo("Cmd", UfoPlace::kKept);
  ta.Ai("Brain", "Big Brain", "b", "*", {{"brain.dat"}});
  ta.Text("Varokin\\Snapshots\\start.tas",
          "TC:none\r\nMUTATORS:\r\nAI:^^Brain.ai\r\nUFOs:\r\nCmd.ufo\r\n");
  startup.snapshotRequested = true;
  startup.snapshotPath = SnapshotPath("start.tas");
  Start();
  EXPECT_FALSE(ta.Exists("Cmd.ufo"));  // nothing moves before the window is shown
  Dlg().OnShowWindow(true);
  Dlg().OnTimer();
  EXPECT_TRUE(ta.Exists("Cmd.ufo"));
  EXPECT_TRUE(ta.Exists("brain.dat"));
  EXPECT_EQ(Selected(Window().aiList), Texts{"Big Brain"});
  EXPECT_TRUE(prompts.FileDialogs().empty());
}

}  // namespace
}  // namespace varokin::fixtures
