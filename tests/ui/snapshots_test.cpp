// Taking and restoring snapshots: the file written, the files moved, and what the user is told.
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/main_window_fixture.h"

namespace varokin::fixtures {
namespace {

using Texts = std::vector<std::string>;
const std::string kNotFully = "The snapshot was not fully restored";

class Snapshots : public MainWindowTest {
 protected:
  void SetUp() override { ta.Game(); }
  std::string SnapshotPath(const std::string& name = "mine.tas") {
    return (ta.Root() / "Varokin" / "Snapshots" / name).string();
  }
  // Restores a snapshot file with these contents, chosen in the open dialog.
  void Restore(const std::string& contents) {
    std::ofstream(SnapshotPath("given.tas"), std::ios::binary) << contents;
    prompts.ExpectFileDialog(SnapshotPath("given.tas"));
    EXPECT_TRUE(Dlg().OnCommand(ui::kIdMenuRestoreSnapshot));
  }
};

TEST_F(Snapshots, ASnapshotOfTheCurrentStateRestoresEveryFileWhereItWas) {
  ta.Tc("Ash", "Ashen", "a", "ASH", {{"AshData.hpi", "ashdata.hpi"}});
  ta.Mutator("Fast", "Fast units", "f", "*", 1);
  ta.Mutator("Slow", "Slow units", "s", "*", 0);
  ta.Ai("Brain", "Big Brain", "b", "*", {{"brain.dat"}});
  ta.Ufo("On", UfoPlace::kEnabled);
  ta.Ufo("Off", UfoPlace::kKept);
#ifndef _WIN32
  // Written as it is, this name would be two lines, and the second would enable "Off".
  ta.Ufo("On\nOff", UfoPlace::kEnabled);
#endif
  Start();
  Click(ui::kIdTcList, RowOf(Window().tcList, "Ashen"));
  Click(ui::kIdMutatorList, RowOf(Window().mutatorList, "Slow units"));
  Click(ui::kIdMutatorList, RowOf(Window().mutatorList, "Fast units"));
  Click(ui::kIdAiList, RowOf(Window().aiList, "Big Brain"));

  prompts.ExpectFileDialog(SnapshotPath());
  EXPECT_TRUE(Dlg().OnCommand(ui::kIdMenuTakeSnapshot));
  ASSERT_EQ(prompts.FileDialogs().size(), 1u);
  EXPECT_EQ(prompts.FileDialogs()[0].title, "Save Snapshot As...");
  EXPECT_EQ(prompts.FileDialogs()[0].defaultExt, "tas");
  EXPECT_EQ(prompts.FileDialogs()[0].initialDir, fs->HostPath("Varokin\\Snapshots"));
  EXPECT_EQ(ta.Read("Varokin\\Snapshots\\mine.tas"),
            "TC:][Ash.tc\r\nMUTATORS:\r\n}{Slow.vkn\r\n}{Fast.vkn\r\nAI:^^Brain.ai\r\nUFOs:\r\n"
            "On.ufo\r\n");

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
  EXPECT_EQ(prompts.FileDialogs().back().title, "Select Snapshot to Restore");
}

TEST_F(Snapshots, ASnapshotThatCannotBeWrittenIsReportedAndLeavesNoFile) {
  Start();
  const std::string path = (ta.Root() / "nowhere" / "mine.tas").string();
  prompts.ExpectFileDialog(path);
  prompts.Expect("Unable to write the snapshot file " + path);
  Dlg().OnTakeSnapshot();
  EXPECT_FALSE(std::filesystem::exists(ta.Root() / "nowhere"));
  prompts.ExpectFileDialog(std::nullopt);  // cancelled: nothing at all happens
  Dlg().OnTakeSnapshot();
#ifndef _WIN32
  // A snapshot folder that is a link out of the TA folder is not where the dialog starts (Wine
  // cannot make links).
  const std::filesystem::path snapshots = ta.Root() / "Varokin" / "Snapshots";
  std::filesystem::remove_all(snapshots);
  std::filesystem::create_directory_symlink(ta.Root().parent_path(), snapshots);
  prompts.ExpectFileDialog(std::nullopt);
  Dlg().OnTakeSnapshot();
  ASSERT_EQ(prompts.FileDialogs().size(), 3u);
  EXPECT_EQ(prompts.FileDialogs()[1].initialDir, fs->HostPath("Varokin\\Snapshots"));
  EXPECT_EQ(prompts.FileDialogs()[2].initialDir, "");
#endif
}

TEST_F(Snapshots, NamesNotInTheListsAreEachReported) {
  ta.Ufo("Kept", UfoPlace::kKept);
  ta.Mutator("Real", "Real one", "r", "*", 0);
  Start();
  prompts.Expect("Unable to find the TC named ][Lost.tc");
  prompts.Expect("Unable to find the Mutator named }{Lost.vkn");
  prompts.Expect("Unable to find the AI named ^^Lost.ai");
  prompts.Expect(kNotFully);
  // A Mutator named twice is loaded once and keeps its one slot.
  Restore(
      "TC: ][Lost.tc \r\nMUTATORS:\r\n}{Real.vkn\r\n}{Lost.vkn\r\n}{REAL.vkn\r\nAI:^^Lost.ai\r\n"
      "UFOs:\r\nKept.ufo\r\n");
  EXPECT_TRUE(ta.Exists("}{Real.ccx"));
  EXPECT_EQ(State().GetMutatorName(0), "}{Real.vkn");
  EXPECT_EQ(State().mutatorSlots[1], -1);
  EXPECT_TRUE(ta.Exists("Kept.ufo"));
  EXPECT_EQ(Selected(Window().ufoList), Texts{"Kept"});
  for (const auto& shown : prompts.Messages()) EXPECT_EQ(shown.icon, Icon::kExclamation);
}

TEST_F(Snapshots, AUfoThatCannotBeDisabledAbortsBeforeTheFileIsRead) {
  ta.Tc("Ash", "Ashen", "a", "ASH", {});
  ta.Ufo("Dup", UfoPlace::kEnabled);
  ta.Ufo("Dup", UfoPlace::kKept);
  ta.Ufo("Other", UfoPlace::kEnabled);
  Start();
  prompts.Expect("Error Disabling UFO\nAn extra copy of Varokin\\UfoManager\\Dup.ufo was found");
  prompts.Expect("Unable to disable current settings, restoration aborted");
  prompts.Expect(kNotFully);
  Restore("TC:][Ash.tc\r\nUFOs:\r\nOther.ufo\r\n");
  EXPECT_EQ(Selected(Window().tcList), Texts{"*Original TA*"});
  EXPECT_TRUE(ta.Exists("Varokin\\UfoManager\\Other.ufo"));
  EXPECT_EQ(Selected(Window().ufoList), (Texts{"Dup", "Dup"}));
}

TEST_F(Snapshots, UfoLinesWithFolderPartsAreRefusedAndTheRestIsRestored) {
  ta.Text("Varokin\\escape.ufo", "x");
  ta.Text("Varokin\\UfoManager\\Sub\\inner.ufo", "x");
  ta.Folder("Sub");
  ta.Text("Varokin\\UfoManager\\notes.txt", "x");
  ta.Ufo("Good", UfoPlace::kKept);
  Start();
  const FileInventory before = ta.Inventory();
  for (const char* line :
       {"..\\escape.ufo", "Sub\\inner.ufo", "/abs.ufo", "C:drive.ufo", "notes.txt"}) {
    prompts.Expect("Error Enabling UFO\nThe snapshot names \"" + std::string(line) +
                   "\", which is not a .ufo file of your TA directory; nothing was moved for it");
  }
  prompts.Expect(kNotFully);
  Restore(
      "UFOs:\r\n..\\escape.ufo\r\nSub\\inner.ufo\r\n/abs.ufo\r\nC:drive.ufo\r\nnotes.txt\r\n"
      "Good.ufo\r\n");
  FileInventory after = ta.Inventory();
  EXPECT_TRUE(ta.Exists("Good.ufo"));
  after.erase("Good.ufo");
  after.erase("Varokin\\Snapshots\\given.tas");
  FileInventory expected = before;
  expected.erase("Varokin\\UfoManager\\Good.ufo");
  EXPECT_EQ(after, expected);
  EXPECT_FALSE(std::filesystem::exists(ta.Root().parent_path() / "escape.ufo"));
}

TEST_F(Snapshots, HostileFilesGetMessagesNeverACrash) {
  Start();
  prompts.onUnexpected = [](const std::string&) {};
  const FileInventory before = ta.Inventory();
  std::string binary;
  for (int i = 0; i < 65536; ++i) binary += static_cast<char>(i % 251 + 1);
  Restore(binary);
  EXPECT_TRUE(prompts.Messages().empty());

  Restore("TC:" + std::string(200000, 'x'));
  ASSERT_EQ(prompts.Messages().size(), 1u);
  EXPECT_EQ(prompts.Messages()[0].text, "Unable to find the TC named " + std::string(1019, 'x'));

  // One line of 300,000 characters without a line end, read in pieces of 1,022.
  Restore("UFOs:\r\n" + std::string(300000, 'y'));
  EXPECT_EQ(prompts.Messages().size(), 1u + 294 + 1);

  std::string many = "UFOs:\n";
  for (int n = 0; n < 3000; ++n) many += "U" + std::to_string(n) + ".ufo\n";
  Restore(many);
  EXPECT_EQ(prompts.Messages().size(), 296u + 3000 + 1);
  EXPECT_EQ(prompts.Messages()[296].text,
            "Error Enabling UFO\nUnable to find the file Varokin\\UfoManager\\U0.ufo");
  FileInventory after = ta.Inventory();
  after.erase("Varokin\\Snapshots\\given.tas");
  EXPECT_EQ(after, before);
}

TEST_F(Snapshots, ASnapshotThatCannotBeReadChangesNothing) {
  ta.Tc("Ash", "Ashen", "a", "ASH", {{"AshData.hpi", "ashdata.hpi"}});
  ta.Ufo("On", UfoPlace::kEnabled);
  startup.snapshotRequested = true;
  startup.snapshotPath = "/nonexistent/x.tas";
  Start();
  Click(ui::kIdTcList, RowOf(Window().tcList, "Ashen"));
  const FileInventory before = ta.Inventory();
  prompts.Expect("Unable to read the snapshot file /nonexistent/x.tas");
  Dlg().OnShowWindow(true);
  Dlg().OnTimer();
  // From the menu: a folder opens as no file.
  const std::string folder = (ta.Root() / "Varokin" / "Snapshots").string();
  prompts.ExpectFileDialog(folder);
  prompts.Expect("Unable to read the snapshot file " + folder);
  Dlg().OnRestoreSnapshot();
  EXPECT_EQ(ta.Inventory(), before);
  EXPECT_EQ(Selected(Window().tcList), Texts{"Ashen"});
  EXPECT_EQ(Selected(Window().ufoList), Texts{"On"});
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
  EXPECT_FALSE(startup.snapshotRequested);
}

}  // namespace
}  // namespace varokin::fixtures
