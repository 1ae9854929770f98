// "Make a UFO Pack": what the dialog offers, the pack it saves, and the pack listed at the next
// start.
#include "ui/ufo_pack_dlg.h"

#include <string>
#include <vector>

#include "support/main_window_fixture.h"

namespace varokin::fixtures {
namespace {

using ui::CUfoPackDlg;
using ui::headless::HeadlessDialog;

void Type(ui::ModalDialog& dialog, HeadlessDialog& controls, int id, const std::string& text) {
  controls.Text(id)->SetText(text);
  dialog.OnChange(id);
}

using UfoPackDlg = GameWindowTest;

TEST_F(UfoPackDlg, WritesTheChosenEnabledUfosAndTheNextStartListsThePack) {
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
