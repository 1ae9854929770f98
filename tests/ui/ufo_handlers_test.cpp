// Enabling and disabling UFOs and packs from the units tab: files on disk, selections, questions.
#include <string>
#include <vector>

#include "support/main_window_fixture.h"

namespace varokin::fixtures {
namespace {

using Texts = std::vector<std::string>;

std::string Question(const std::string& ufo) {
  return "This .UFO file (" + ufo +
         ".ufo) does not claim to be compatible with your current TC.\n\nDo you wish to disable "
         "it again?  (Recommended)";
}

class Ufos : public MainWindowTest {
 protected:
  void SetUp() override { ta.Game(); }
  // A Total Conversion active from an earlier run, so that "@OTA" UFOs are not compatible.
  void ActiveTc() {
    ta.Tc("Ash", "Ashen", "a", "ASH", {});
    Remember("Previous Settings", "TC", "][Ash.tc");
  }
  void ClickUfo(const std::string& name) { Click(ui::kIdUfoList, RowOf(Window().ufoList, name)); }
  void ClickPack(const std::string& title) {
    Click(ui::kIdPackList, RowOf(Window().packList, title));
  }
};

TEST_F(Ufos, AUfoInBothFoldersEndsSelectedAfterTheRefusedMoveAndAVanishedOneIsReported) {
  ta.Ufo("Twin", UfoPlace::kEnabled);
  ta.Ufo("Twin", UfoPlace::kKept);
  ta.Ufo("Gone", UfoPlace::kKept);
  Start();
  ASSERT_EQ(Rows(Window().ufoList), (Texts{"Gone", "Twin", "Twin"}));
  const FileInventory before = ta.Inventory();

  prompts.Expect("Error enabling .ufo file\n\nAn extra copy of Twin.ufo was found");
  Click(ui::kIdUfoList, 1);
  EXPECT_EQ(ta.Inventory(), before);
  EXPECT_EQ(Selected(Window().ufoList), (Texts{"Twin", "Twin"}));
  EXPECT_EQ(Window().ufoPane.GetText(), "Twin:\r\nNo description available");

  std::filesystem::remove(ta.Host("Varokin\\UfoManager\\Gone.ufo"));
  prompts.Expect("Gone.ufo has dissappeared.  It was present when Varokin was started.");
  ClickUfo("Gone");
  EXPECT_TRUE(Window().ufoList.GetSel(0));  // the click's own selection stays
}

TEST_F(Ufos, TagLinesAskTheQuestionAndTheDescriptionStopsAtTwoThousandCharacters) {
  ActiveTc();
  std::string longText;
  for (int line = 1; line <= 30; ++line) {
    longText += std::string(98, 'a' + line % 26) + std::to_string(line % 10) + "#\r\n";
  }
  ta.Ufo("Old", UfoPlace::kKept, UfoText{"Old units", "for the base game", "OTA"});
  ta.Ufo("Any", UfoPlace::kKept);
  ta.Text("Varokin\\UfoManager\\Any.txt", longText);
  Start();

  prompts.Expect(Question("Old"), Answer::kYes, Buttons::kYesNo);
  ClickUfo("Old");
  EXPECT_TRUE(ta.Exists("Varokin\\UfoManager\\Old.ufo"));
  EXPECT_TRUE(Selected(Window().ufoList).empty());
  EXPECT_EQ(Window().ufoPane.GetText(), "No Units Currently Selected");

  prompts.Expect(Question("Old"), Answer::kNo, Buttons::kYesNo);
  ClickUfo("Old");
  EXPECT_TRUE(ta.Exists("Old.ufo"));
  EXPECT_EQ(Window().ufoPane.GetText(), "Old:\r\nOld units\r\nfor the base game");

  // Lines of 100 characters: the twentieth brings the text past 2,000, and reading stops there.
  ClickUfo("Any");
  EXPECT_TRUE(ta.Exists("Any.ufo"));
  const std::string pane = Window().ufoPane.GetText();
  EXPECT_EQ(pane.size(), std::string("Any:\r\n").size() + 20 * 100 + 19 * 2);
  EXPECT_EQ(pane.substr(pane.size() - 2), "0#");

  // Disabling asks nothing, and a UFO without "@" line is welcome under any TC.
  ClickUfo("Old");
  EXPECT_TRUE(ta.Exists("Varokin\\UfoManager\\Old.ufo"));
  EXPECT_EQ(Selected(Window().ufoList), Texts{"Any"});
}

TEST_F(Ufos, APackWithARefusedUfoEndsDeselectedWithTheOthersEnabled) {
  ActiveTc();
  ta.Ufo("Free", UfoPlace::kKept);
  ta.Ufo("Picky", UfoPlace::kKept, UfoText{"Picky", "only the base game", "OTA CC"});
  ta.Pack("Mixed.pac", "Mixed pack", "two##kinds", {"Free", "Picky"});
  Start();

  prompts.Expect(Question("Picky"), Answer::kYes, Buttons::kYesNo);
  ClickPack("Mixed pack");
  EXPECT_TRUE(ta.Exists("Free.ufo"));
  EXPECT_TRUE(ta.Exists("Varokin\\UfoManager\\Picky.ufo"));
  EXPECT_EQ(Selected(Window().ufoList), Texts{"Free"});
  EXPECT_TRUE(Selected(Window().packList).empty());
  EXPECT_EQ(Window().ufoPane.GetText(), "Mixed pack: \r\ntwo\r\nkinds\r\n\r\n  -- Mixed.pac");
}

TEST_F(Ufos, DeselectingAPackDisablesSharedUfosAndDeselectsTheOtherPack) {
  for (const char* name : {"A", "B", "C"}) ta.Ufo(name, UfoPlace::kEnabled);
  ta.Ufo("~hidden", UfoPlace::kEnabled);
  ta.Pack("One.pac", "One", "", {"A", "B"});
  ta.Pack("Two.pac", "Two", "", {"b", "C"});
  Start();
  ASSERT_EQ(Selected(Window().packList), (Texts{"One", "Two"}));

  ClickPack("One");
  EXPECT_TRUE(ta.Exists("Varokin\\UfoManager\\A.ufo"));
  EXPECT_TRUE(ta.Exists("Varokin\\UfoManager\\B.ufo"));
  EXPECT_TRUE(ta.Exists("C.ufo"));
  EXPECT_TRUE(ta.Exists("~hidden.ufo"));
  EXPECT_EQ(Selected(Window().ufoList), Texts{"C"});
  EXPECT_TRUE(Selected(Window().packList).empty());

  ClickPack("Two");
  EXPECT_EQ(Selected(Window().ufoList), (Texts{"B", "C"}));
  EXPECT_EQ(Selected(Window().packList), Texts{"Two"});
}

}  // namespace
}  // namespace varokin::fixtures
