// "Make a UFO Pack": the pack file it writes, the names it refuses, and the pack listed at the
// next start.
#include "ui/ufo_pack_dlg.h"

#include <string>
#include <vector>

#include "support/main_window_fixture.h"

namespace varokin::fixtures {
namespace {

using Texts = std::vector<std::string>;
using ui::CUfoPackDlg;
using ui::headless::HeadlessDialog;

class UfoPackDlg : public MainWindowTest {
 protected:
  void SetUp() override {
    ta.Game();
    ta.Ufo("Tanks", UfoPlace::kEnabled);
    ta.Ufo("Bombers", UfoPlace::kEnabled);
    ta.Ufo("Subs", UfoPlace::kKept);
  }
  // Runs the dialog from the menu with `user` acting in it.
  void MakePack(ui::headless::HeadlessDialogRunner::User user) {
    dialogs.user = std::move(user);
    EXPECT_TRUE(Dlg().OnCommand(ui::kIdMenuMakeUfoPack));
  }
  static void Type(ui::ModalDialog& dialog, HeadlessDialog& controls, int id,
                   const std::string& text) {
    controls.Text(id)->SetText(text);
    dialog.OnChange(id);
  }
};

TEST_F(UfoPackDlg, WritesTheChosenEnabledUfosAndTheNextStartListsThePack) {
  Start();
  prompts.Expect("The UFO pack Air Power will be available next time you start Varokin");
  MakePack([&](ui::ModalDialog& dialog, HeadlessDialog& controls) {
    EXPECT_EQ(controls.Title(), "Make a UFO Pack");
    EXPECT_EQ(controls.Text(CUfoPackDlg::kIdPackName)->GetText(), "Unamed Pack");
    EXPECT_EQ(controls.Text(CUfoPackDlg::kIdFileName)->GetText(), "Unamed Pack.pac");
    auto* included = controls.List(CUfoPackDlg::kIdIncludedUfos);
    EXPECT_EQ(Rows(*included), (Texts{"Bombers", "Tanks"}));
    EXPECT_EQ(Selected(*included), (Texts{"Bombers", "Tanks"}));
    EXPECT_EQ(included->GetColumnWidth(), included->GetWidthPixels() / 2);

    Type(dialog, controls, CUfoPackDlg::kIdPackName, "Air Power");
    EXPECT_EQ(controls.Text(CUfoPackDlg::kIdFileName)->GetText(), "Air Power.pac");
    Type(dialog, controls, CUfoPackDlg::kIdDescription, "Bombers only.\r\n\r\nNo tanks.");
    // A Linux edit breaks lines with a bare LF; the file must still keep one line for it.
    Type(dialog, controls, CUfoPackDlg::kIdDescription,
         controls.Text(CUfoPackDlg::kIdDescription)->GetText() + "\nEver.");
    ASSERT_TRUE(included->Click(1));  // Tanks left out
    dialog.OnSelchange(CUfoPackDlg::kIdIncludedUfos);
    dialog.OnCommand(ui::kIdOk);
    EXPECT_TRUE(dialog.Ended());
  });
  ASSERT_EQ(dialogs.Ran().size(), 1u);
  EXPECT_EQ(dialogs.Ran()[0].templateId, 139);
  EXPECT_EQ(ta.Read("Varokin\\UfoManager\\Air Power.pac"),
            "Air Power\r\nBombers only.####No tanks.##Ever.\r\nBombers\r\n");
  EXPECT_EQ(Window().packList.GetCount(), 0);  // packs are read at start-up only

  Restart();
  auto& w = Window();
  EXPECT_EQ(Rows(w.packList), Texts{"Air Power"});
  EXPECT_TRUE(Packs().Names(0, "Bombers"));
  EXPECT_FALSE(Packs().Names(0, "Tanks"));
  Click(ui::kIdPackList, 0);
  EXPECT_EQ(w.ufoPane.GetText(),
            "Air Power: \r\nBombers only.\r\n\r\nNo tanks.\r\nEver.\r\n\r\n  -- Air Power.pac");
}

TEST_F(UfoPackDlg, RefusedFileNamesKeepTheDialogOpenAndCancelWritesNothing) {
  const FileInventory before = ta.Inventory();
  Start();
  const Texts refused = {
      "..\\Evil.pac",  "../Evil.pac", "C:Evil.pac", "\\Evil.pac", "/tmp/Evil.pac",
      "Sub\\Evil.pac", "..",          ".",          "",           "Evil.pac:x"};
  for (const std::string& name : refused) {
    prompts.Expect("The file name \"" + name +
                   "\" cannot be used: a UFO pack is a file of its own in Varokin\\UfoManager, "
                   "without folders or drive letters");
  }
  MakePack([&](ui::ModalDialog& dialog, HeadlessDialog& controls) {
    for (const std::string& name : refused) {
      Type(dialog, controls, CUfoPackDlg::kIdFileName, name);
      dialog.OnCommand(ui::kIdOk);
      EXPECT_FALSE(dialog.Ended()) << name;
    }
    Type(dialog, controls, CUfoPackDlg::kIdPackName, "Kept");
    dialog.OnCommand(ui::kIdCancelDialog);
    EXPECT_EQ(dialog.Result(), ui::kIdCancelDialog);
  });
  EXPECT_EQ(ta.Inventory(), before);
}

// Pack files are anyone's to write: whatever they hold, a pack moves only UFOs of the list that
// it names exactly.
TEST_F(UfoPackDlg, AHostilePackFileMovesOnlyTheUfosItNamesExactly) {
  std::string text = std::string(5000, 'P') + "\r\n" + "\x01\xff\x7f##\n";
  text += "..\\Bombers\r\nC:Bombers\r\nVarokin\\UfoManager\\Subs\r\n";
  for (int i = 0; i < 5000; ++i) text += "Nothing\r\n";
  ta.Text("Varokin\\UfoManager\\Hostile.pac", text + "tanks");  // no line end
  Start();
  auto& w = Window();
  EXPECT_EQ(Rows(w.packList), Texts{std::string(63, 'P')});
  Click(ui::kIdPackList, 0);  // deselected: its UFOs are disabled
  EXPECT_TRUE(ta.Exists("Varokin\\UfoManager\\Tanks.ufo"));
  EXPECT_TRUE(ta.Exists("Bombers.ufo"));
  EXPECT_TRUE(ta.Exists("Varokin\\UfoManager\\Subs.ufo"));
}

TEST_F(UfoPackDlg, AnExistingPackIsReplacedOnlyWhenTheUserSaysYes) {
  ta.Pack("Old.pac", "Old", "kept", {"Subs"});
  ta.Folder("Varokin\\UfoManager\\Blocked.pac");
  const std::string oldText = ta.Read("Varokin\\UfoManager\\Old.pac");
  const std::string question =
      "A UFO pack with this name already exists, do you want to overwrite it?";
  Start();
  auto named = [&](const std::string& name) {
    return [=](ui::ModalDialog& dialog, HeadlessDialog& controls) {
      Type(dialog, controls, CUfoPackDlg::kIdPackName, name);
      dialog.OnCommand(ui::kIdOk);
      EXPECT_TRUE(dialog.Ended());
    };
  };
  prompts.Expect(question, Answer::kNo, Buttons::kYesNo);
  MakePack(named("Old"));
  EXPECT_EQ(ta.Read("Varokin\\UfoManager\\Old.pac"), oldText);

  // Names match without regard to case: the pack there is replaced, not joined by a second one.
  prompts.Expect(question, Answer::kYes, Buttons::kYesNo);
  prompts.Expect("The UFO pack old will be available next time you start Varokin");
  MakePack(named("old"));
  EXPECT_EQ(ta.Read("Varokin\\UfoManager\\Old.pac"), "old\r\n\r\nBombers\r\nTanks\r\n");
  EXPECT_EQ(fs->Find("Varokin\\UfoManager\\*"), (Texts{"Blocked.pac", "Old.pac", "Subs.ufo"}));

  prompts.Expect(question, Answer::kYes, Buttons::kYesNo);
  prompts.Expect("The file Varokin\\UfoManager\\Blocked.pac could not be created");
  MakePack(named("Blocked"));
  EXPECT_TRUE(fs->IsFolder("Varokin\\UfoManager\\Blocked.pac"));
}

}  // namespace
}  // namespace varokin::fixtures
