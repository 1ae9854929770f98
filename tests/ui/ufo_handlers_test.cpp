// The units tab: clicks reach the engine by name, and the rows show where the files ended; the
// pack dialog.
#include <filesystem>
#include <string>
#include <vector>

#include "support/main_window_fixture.h"
#include "ui/ufo_pack_dlg.h"

namespace varokin::fixtures {
namespace {

using Ufos = GameWindowTest;

TEST_F(Ufos, TheRowsOfAUfoInBothFoldersShowItEnabledAfterTheRefusedMove) {
  ta.Ufo("Twin", UfoPlace::kEnabled);
  ta.Ufo("Twin", UfoPlace::kKept);
  ta.Ufo("Gone", UfoPlace::kKept);
  ta.Ufo("Old", UfoPlace::kKept, UfoText{"Old units", "for the base game", "OTA"});
  ta.Tc("Ash", "Ashen", "a", "ASH", {});
  Remember("Previous Settings", "TC", "][Ash.tc");
  Start();
  ASSERT_EQ(Rows(Window().ufoList), (Texts{"Gone", "Old", "Twin", "Twin"}));
  prompts.Expect("Error enabling .ufo file\n\nAn extra copy of Twin.ufo was found");
  Click(ui::kIdUfoList, 3);
  EXPECT_EQ(Selected(Window().ufoList), (Texts{"Twin", "Twin"}));
  EXPECT_EQ(Window().ufoPane.GetText(), "Twin:\r\nNo description available");

  std::filesystem::remove(ta.Host("Varokin\\UfoManager\\Gone.ufo"));
  prompts.Expect("Gone.ufo has dissappeared.  It was present when Varokin was started.");
  Click(ui::kIdUfoList, 0);
  EXPECT_TRUE(Window().ufoList.GetSel(0));  // the click's own selection stays

  // Showing the units tab brings the selection in line with a file moved by hand.
  std::filesystem::remove(ta.Host("Twin.ufo"));
  ShowTab(3);
  EXPECT_TRUE(Window().ufoList.IsVisible() && Window().packList.IsVisible());
  EXPECT_TRUE(Selected(Window().ufoList).empty());
  prompts.Expect(
      "This .UFO file (Old.ufo) does not claim to be compatible with your current TC.\n\nDo you "
      "wish to disable it again?  (Recommended)",
      Answer::kYes, Buttons::kYesNo);
  Click(ui::kIdUfoList, 1);
  EXPECT_TRUE(Selected(Window().ufoList).empty());
  EXPECT_EQ(Window().ufoPane.GetText(), "No Units Currently Selected");
}

TEST_F(Ufos, DeselectingAPackDisablesSharedUfosAndDeselectsTheOtherPack) {
  for (const char* name : {"A", "B", "C"}) ta.Ufo(name, UfoPlace::kEnabled);
  ta.Ufo("~hidden", UfoPlace::kEnabled);
  ta.Pack("One.pac", "One", "", {"A", "B"});
  ta.Pack("Two.pac", "Two", "both##kinds", {"b", "C"});
  Start();
  ASSERT_EQ(Selected(Window().packList), (Texts{"One", "Two"}));

  ClickRow(ui::kIdPackList, "One");
  EXPECT_TRUE(ta.Exists("Varokin\\UfoManager\\B.ufo"));
  EXPECT_TRUE(ta.Exists("~hidden.ufo"));
  EXPECT_EQ(Selected(Window().ufoList), Texts{"C"});
  EXPECT_TRUE(Selected(Window().packList).empty());

  ClickRow(ui::kIdPackList, "Two");
  EXPECT_EQ(Selected(Window().ufoList), (Texts{"B", "C"}));
  EXPECT_EQ(Selected(Window().packList), Texts{"Two"});
  EXPECT_EQ(Window().ufoPane.GetText(), "Two: \r\nboth\r\nkinds\r\n\r\n  -- Two.pac");

  // Without its journal a pack moves nothing, and its row shows the files as they stay.
  std::filesystem::create_directory(ta.Host("Varokin\\Journal.txt"));
  prompts.Expect("Unable to write Varokin\\Journal.txt: nothing was changed.");
  ClickRow(ui::kIdPackList, "Two");
  EXPECT_EQ(Selected(Window().packList), Texts{"Two"});
  EXPECT_TRUE(ta.Exists("C.ufo"));
}

using ui::CUfoPackDlg;
using ui::headless::HeadlessDialog;

void Type(ui::ModalDialog& dialog, HeadlessDialog& controls, int id, const std::string& text) {
  controls.Text(id)->SetText(text);
  dialog.OnChange(id);
}

// "Make a UFO Pack": what the dialog offers, the pack it saves, and the pack listed at the next
// start.
TEST_F(Ufos, PackDialogWritesTheChosenEnabledUfosAndTheNextStartListsThePack) {
  ta.Ufo("Tanks", UfoPlace::kEnabled);
  ta.Ufo("Bombers", UfoPlace::kEnabled);
  ta.Ufo("Subs", UfoPlace::kKept);
  const FileInventory before = ta.Inventory();
  Start();
  // Cancelled, even after a refused name, the dialog writes nothing.
  prompts.Expect(
      "The file name \"..\\Evil.pac\" cannot be used: a UFO pack is a file of its own in "
      "Varokin\\UfoManager, without folders or drive letters");
  dialogs.user = [&](ui::ModalDialog& dialog, HeadlessDialog& controls) {
    Type(dialog, controls, CUfoPackDlg::kIdFileName, "..\\Evil.pac");
    dialog.OnCommand(ui::kIdOk);
    EXPECT_FALSE(dialog.Ended());
    dialog.OnCommand(ui::kIdCancelDialog);
    EXPECT_EQ(dialog.Result(), ui::kIdCancelDialog);
  };
  EXPECT_TRUE(Dlg().OnCommand(ui::kIdMenuMakeUfoPack));
  EXPECT_EQ(ta.Inventory(), before);

  prompts.Expect("The UFO pack Air Power will be available next time you start Varokin");
  dialogs.user = [&](ui::ModalDialog& dialog, HeadlessDialog& controls) {
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
    ASSERT_TRUE(included->Click(1));  // Tanks left out
    dialog.OnSelchange(CUfoPackDlg::kIdIncludedUfos);
    dialog.OnCommand(ui::kIdOk);
    EXPECT_TRUE(dialog.Ended());
  };
  EXPECT_TRUE(Dlg().OnCommand(ui::kIdMenuMakeUfoPack));
  ASSERT_EQ(dialogs.Ran().size(), 2u);
  EXPECT_EQ(dialogs.Ran()[1].templateId, 139);
  EXPECT_EQ(ta.Read("Varokin\\UfoManager\\Air Power.pac"),
            "Air Power\r\nBombers only.####No tanks.\r\nBombers\r\n");
  EXPECT_EQ(Window().packList.GetCount(), 0);  // packs are read at start-up only

  Restart();
  EXPECT_EQ(Rows(Window().packList), Texts{"Air Power"});
  Click(ui::kIdPackList, 0);  // deselected: only its one UFO is disabled
  EXPECT_TRUE(ta.Exists("Varokin\\UfoManager\\Bombers.ufo"));
  EXPECT_TRUE(ta.Exists("Tanks.ufo"));
}

}  // namespace
}  // namespace varokin::fixtures
