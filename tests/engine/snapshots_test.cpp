#include "engine/snapshots.h"

#include <filesystem>
#include <string>
#include <vector>

#include "support/engine/switching_fixture.h"

namespace varokin::engine {
namespace {

using fixtures::UfoPlace;
using Names = std::vector<std::string>;
const std::string kNotFully = "The snapshot was not fully restored";

TEST(SnapshotFormat, SectionsAreReadWhereTheOneBeforeEndedAndLinesAsTheReaderCutsThem) {
  const Snapshot taken{"][Ash.tc", {"}{Slow.vkn", "}{Fast.vkn"}, "^^Brain.ai", {"On.ufo"}};
  EXPECT_EQ(ParseSnapshot(SnapshotText(taken)), taken);
  EXPECT_EQ(ParseSnapshot(SnapshotText({"", {}, "", {"a.ufo"}})).ufos, Names{"a.ufo"});
  // Names are trimmed; the Mutators end at a line without "}", where the AI line is looked for.
  EXPECT_EQ(ParseSnapshot("TC: none \nMUTATORS:\n}{a.vkn\nx\nAI:^^b.ai\nUFOs:\na.ufo\n"),
            (Snapshot{"none", {"}{a.vkn"}, "", {}}));
  // A TC line that names nothing ends the reading; so does an empty line among the UFOs.
  EXPECT_EQ(ParseSnapshot("TC: \r\nUFOs:\r\na.ufo\r\n"), Snapshot{});
  EXPECT_EQ(ParseSnapshot("UFOs:\r\na.ufo\r\n\r\nb.ufo\r\n").ufos, Names{"a.ufo"});
}

class SnapshotFiles : public engine_tests::EngineTest {
 protected:
  void SetUp() override { ta.Game(); }
  std::string PathOf(const std::string& name) {
    return (ta.Root() / "Varokin" / "Snapshots" / name).string();
  }
  // Restores a snapshot of these contents with nothing active, switching no TC, AI or Mutator.
  void Restore(const std::string& contents) {
    snapshots.Restore(ParseSnapshot(contents), {.show = [this] { ++shown; }});
  }
  Snapshots snapshots{ctx};
  int shown = 0;
};

TEST_F(SnapshotFiles, TheTakenFileNamesWhatIsActiveAndFailedWritesOrReadsAreReported) {
  state.currentTc = state.modNamePool.Add("][Ash.tc");
  state.mutatorSlots[3] = state.modNamePool.Add("}{Fast.vkn");
  state.mutatorSlots[1] = state.modNamePool.Add("}{Slow.vkn");
  ta.Ufo("On", UfoPlace::kEnabled);
  ta.Ufo("Off", UfoPlace::kKept);
  prompts.ExpectFileDialog(PathOf("mine.tas"));
  snapshots.Take();
  EXPECT_EQ(ta.Read("Varokin\\Snapshots\\mine.tas"),
            "TC:][Ash.tc\r\nMUTATORS:\r\n}{Slow.vkn\r\n}{Fast.vkn\r\nAI:none\r\nUFOs:\r\n"
            "On.ufo\r\n");
  ASSERT_EQ(prompts.FileDialogs().size(), 1u);
  EXPECT_EQ(prompts.FileDialogs()[0].title, "Save Snapshot As...");
  EXPECT_EQ(prompts.FileDialogs()[0].defaultExt, "tas");
  EXPECT_EQ(prompts.FileDialogs()[0].initialDir, fs.HostPath("Varokin\\Snapshots"));

  const std::string nowhere = (ta.Root() / "nowhere" / "mine.tas").string();
  prompts.ExpectFileDialog(nowhere);
  ExpectMessage("Unable to write the snapshot file " + nowhere);
  snapshots.Take();
  EXPECT_FALSE(std::filesystem::exists(ta.Root() / "nowhere"));
  EXPECT_EQ(prompts.Messages().back().icon, Icon::kExclamation);
  prompts.ExpectFileDialog(std::nullopt);  // cancelled: nothing at all happens
  snapshots.Take();
  // A file that cannot be read is reported, and the start-up request is used once.
  startup.snapshotRequested = true;
  startup.snapshotPath = "/nonexistent/x.tas";
  ExpectMessage("Unable to read the snapshot file /nonexistent/x.tas");
  EXPECT_FALSE(snapshots.Open());
  EXPECT_FALSE(startup.snapshotRequested);
  // From the menu: a folder opens as no file.
  prompts.ExpectFileDialog(PathOf(""));
  ExpectMessage("Unable to read the snapshot file " + PathOf(""));
  EXPECT_FALSE(snapshots.Open());
  EXPECT_EQ(prompts.FileDialogs().back().title, "Select Snapshot to Restore");
#ifndef _WIN32
  // A snapshot folder that is a link out of the TA folder is not where the dialog starts (Wine
  // cannot make links).
  const std::filesystem::path folder = ta.Root() / "Varokin" / "Snapshots";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directory_symlink(ta.Root().parent_path(), folder);
  prompts.ExpectFileDialog(std::nullopt);
  snapshots.Take();
  EXPECT_EQ(prompts.FileDialogs().back().initialDir, "");
#endif
}

TEST_F(SnapshotFiles, UfoLinesWithFolderPartsAreRefusedAndTheRestIsRestored) {
  ta.Text("Varokin\\escape.ufo", "x");
  ta.Text("Varokin\\UfoManager\\Sub\\inner.ufo", "x");
  ta.Folder("Sub");
  ta.Text("Varokin\\UfoManager\\notes.txt", "x");
  ta.Ufo("Good", UfoPlace::kKept);
  ta.Ufo("On", UfoPlace::kEnabled);
  for (const char* line :
       {"..\\escape.ufo", "Sub\\inner.ufo", "/abs.ufo", "C:drive.ufo", "notes.txt"}) {
    prompts.Expect("Error Enabling UFO\nThe snapshot names \"" + std::string(line) +
                   "\", which is not a .ufo file of your TA directory; nothing was moved for it");
  }
  prompts.Expect("Error Enabling UFO\nUnable to find the file Varokin\\UfoManager\\U0.ufo");
  ExpectMessage(kNotFully);
  Restore(
      "UFOs:\r\n..\\escape.ufo\r\nSub\\inner.ufo\r\n/abs.ufo\r\nC:drive.ufo\r\nnotes.txt\r\n"
      "U0.ufo\r\nGood.ufo\r\n");
  EXPECT_EQ(shown, 1);
  EXPECT_TRUE(ta.Exists("Good.ufo") && !ta.Exists("On.ufo"));  // every UFO is disabled first
  EXPECT_EQ(fs.Find("Sub\\*"), Names{});
  EXPECT_TRUE(ta.Exists("Varokin\\escape.ufo") && ta.Exists("Varokin\\UfoManager\\notes.txt"));
  EXPECT_TRUE(ta.Exists("Varokin\\UfoManager\\Sub\\inner.ufo"));
}

TEST_F(SnapshotFiles, AUfoThatCannotBeDisabledOrAnActiveTcAbortsTheRestore) {
  ta.Ufo("Dup", UfoPlace::kEnabled);
  ta.Ufo("Dup", UfoPlace::kKept);
  ta.Ufo("Other", UfoPlace::kEnabled);
  ExpectMessage("Error Disabling UFO\nAn extra copy of Varokin\\UfoManager\\Dup.ufo was found");
  ExpectMessage("Unable to disable current settings, restoration aborted");
  ExpectMessage(kNotFully);
  Restore("UFOs:\r\nOther.ufo\r\n");
  EXPECT_TRUE(ta.Exists("Varokin\\UfoManager\\Other.ufo"));
  EXPECT_EQ(shown, 1);  // the UFOs that did move are shown as they now lie

  // Nothing else stopped the disabling: the abort alone is no incomplete restore.
  std::filesystem::remove(ta.Host("Varokin\\UfoManager\\Dup.ufo"));
  state.currentTc = state.modNamePool.Add("][Ash.tc");
  ExpectMessage("Unable to disable current settings, restoration aborted");
  Restore("UFOs:\r\nOther.ufo\r\n");
  EXPECT_FALSE(ta.Exists("Other.ufo"));
}

}  // namespace
}  // namespace varokin::engine
