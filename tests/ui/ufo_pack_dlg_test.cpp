// "Make a UFO Pack": what the dialog offers, the pack it saves, and the pack listed at the next
// start.
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
  Click(ui::kIdPackList, 0);  // deselected: only its one UFO is disabled
  EXPECT_TRUE(ta.Exists("Varokin\\UfoManager\\Bombers.ufo"));
  EXPECT_TRUE(ta.Exists("Tanks.ufo"));
  EXPECT_EQ(w.ufoPane.GetText(),
            "Air Power: \r\nBombers only.\r\n\r\nNo tanks.\r\nEver.\r\n\r\n  -- Air Power.pac");
}

TEST_F(UfoPackDlg, ARefusedFileNameKeepsTheDialogOpenAndCancelWritesNothing) {
  const FileInventory before = ta.Inventory();
  Start();
  prompts.Expect(
      "The file name \"..\\Evil.pac\" cannot be used: a UFO pack is a file of its own in "
      "Varokin\\UfoManager, without folders or drive letters");
  MakePack([&](ui::ModalDialog& dialog, HeadlessDialog& controls) {
    Type(dialog, controls, CUfoPackDlg::kIdFileName, "..\\Evil.pac");
    dialog.OnCommand(ui::kIdOk);
    EXPECT_FALSE(dialog.Ended());
    dialog.OnCommand(ui::kIdCancelDialog);
    EXPECT_EQ(dialog.Result(), ui::kIdCancelDialog);
  });
  EXPECT_EQ(ta.Inventory(), before);
}

}  // namespace
}  // namespace varokin::fixtures
