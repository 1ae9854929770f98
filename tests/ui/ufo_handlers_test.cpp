// The units tab: clicks reach the engine by name, and the rows show where the files ended.
#include <filesystem>
#include <string>
#include <vector>

#include "support/main_window_fixture.h"

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

  std::filesystem::remove(ta.Host("Twin.ufo"));
  Dlg().SyncUfoSelection();
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

}  // namespace
}  // namespace varokin::fixtures
