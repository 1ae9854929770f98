#include "engine/ufo_switching.h"

#include <string>
#include <vector>

#include "engine/pack_file.h"
#include "support/engine/switching_fixture.h"

namespace varokin::engine {
namespace {

using fixtures::UfoPlace;
using fixtures::UfoText;
using Names = std::vector<std::string>;

std::string Question(const std::string& ufo) {
  return "This .UFO file (" + ufo +
         ".ufo) does not claim to be compatible with your current TC.\n\nDo you wish to disable "
         "it again?  (Recommended)";
}

class Ufos : public engine_tests::EngineTest {
 protected:
  void SetUp() override {
    ta.Game();
    state.tcTags = " ASH ";  // a Total Conversion is active: "@OTA" UFOs do not claim it
  }
  UfoSwitching ufos{ctx};
};

TEST_F(Ufos, TagLinesAskTheQuestionAndTheDescriptionStopsAtTwoThousandCharacters) {
  std::string longText;
  for (int line = 1; line <= 30; ++line) {
    longText +=
        std::string(98, static_cast<char>('a' + line % 26)) + std::to_string(line % 10) + "#\r\n";
  }
  ta.Ufo("Old", UfoPlace::kKept, UfoText{"Old units", "for the base game", "OTA"});
  ta.Ufo("Any", UfoPlace::kKept);
  ta.Text("Varokin\\UfoManager\\Any.txt", longText);

  prompts.Expect(Question("Old"), Answer::kNo, Buttons::kYesNo);
  UfoShown shown = *ufos.Switch("Old");
  EXPECT_TRUE(ta.Exists("Old.ufo"));
  EXPECT_TRUE(shown.enabled && shown.enabling);
  EXPECT_EQ(shown.pane, "Old:\r\nOld units\r\nfor the base game");

  // Lines of 100 characters: the twentieth brings the text past 2,000, and reading stops there.
  // A UFO without "@" line is welcome under any TC.
  shown = *ufos.Switch("Any");
  EXPECT_TRUE(ta.Exists("Any.ufo"));
  ASSERT_TRUE(shown.pane);
  EXPECT_EQ(shown.pane->size(), std::string("Any:\r\n").size() + 20 * 100 + 19 * 2);
  EXPECT_EQ(shown.pane->substr(shown.pane->size() - 2), "0#");

  // Disabling asks nothing; unasked, the description is not shown.
  shown = ufos.Disable("Old", false);
  EXPECT_TRUE(ta.Exists("Varokin\\UfoManager\\Old.ufo"));
  EXPECT_FALSE(shown.enabled || shown.enabling);
  EXPECT_FALSE(shown.pane);
}

// Pack files are anyone's to write: whatever they hold, a pack switches only the listed UFOs it
// names exactly, in any case, each once.
TEST_F(Ufos, PacksSwitchTheListedUfosTheyNameAndShowTheirDescription) {
  for (const char* name : {"Tanks", "Bombers", "Xray"}) ta.Ufo(name, UfoPlace::kEnabled);
  ta.Ufo("Free", UfoPlace::kKept);
  ta.Ufo("Picky", UfoPlace::kKept, UfoText{"Picky", "only the base game", "OTA CC"});
  ta.Pack("Mixed.pac", "Mixed pack", "two##kinds", {"Free", "Picky", "FREE"});
  ta.Pack("Armour.pac", "Armour", "", {"tanks", "NotAUfo", "XRAY"});
  std::string hostile = std::string(5000, 'P') + "\r\n" + "\x01\xff\x7f##\n";
  hostile += "..\\Bombers\r\nC:Bombers\r\nVarokin\\UfoManager\\Free\r\n";
  for (int i = 0; i < 5000; ++i) hostile += "Nothing\r\n";
  ta.Text("Varokin\\UfoManager\\Hostile.pac", hostile + "xray");  // no line end
  UfoListing listing = ufos.List();
  listing.enabled.insert(listing.enabled.end(), listing.kept.begin(), listing.kept.end());
  ufos.ReadPacks({"Mixed.pac", "Armour.pac", "Hostile.pac"}, listing.enabled);
  EXPECT_EQ(packs.PacksNaming("XRAY"), (Names{"Armour.pac", "Hostile.pac"}));
  EXPECT_TRUE(packs.PacksNaming("NotAUfo").empty());
  EXPECT_EQ(packs.Members("Armour.pac"), (Names{"Tanks", "Xray"}));

  prompts.Expect(Question("Picky"), Answer::kYes, Buttons::kYesNo);
  PackShown shown = ufos.SwitchPack("Mixed.pac", true);
  EXPECT_TRUE(ta.Exists("Free.ufo"));
  EXPECT_TRUE(ta.Exists("Varokin\\UfoManager\\Picky.ufo"));
  ASSERT_EQ(shown.ufos.size(), 2u);
  EXPECT_TRUE(shown.ufos[0].second.enabled);
  EXPECT_FALSE(shown.ufos[1].second.enabled);
  // Only the packs with every member enabled are whole.
  EXPECT_FALSE(ufos.Selection().Whole("Mixed.pac"));

  shown = ufos.SwitchPack("Hostile.pac", false);
  EXPECT_TRUE(ta.Exists("Varokin\\UfoManager\\Xray.ufo"));
  EXPECT_TRUE(ta.Exists("Bombers.ufo") && ta.Exists("Free.ufo"));
  ASSERT_EQ(shown.ufos.size(), 1u);
  EXPECT_EQ(shown.ufos[0].second.packsLeft, (Names{"Armour.pac", "Hostile.pac"}));
  EXPECT_EQ(shown.pane.substr(0, 1025), std::string(1022, 'P') + ": \r");
  EXPECT_FALSE(ufos.Selection().Whole("Armour.pac"));
}

TEST_F(Ufos, PackFilesAreSavedUnderAPlainNameReplacingOneOnlyOnYesAndReadAsWritten) {
  for (const std::string name :
       {"..\\Evil.pac", "/tmp/Evil.pac", "Sub\\Evil.pac", "", "Evil.pac:x"}) {
    prompts.Expect("The file name \"" + name +
                   "\" cannot be used: a UFO pack is a file of its own in Varokin\\UfoManager, "
                   "without folders or drive letters");
    EXPECT_FALSE(SaveUfoPack(fs, prompts, name, {"Evil", "", {}})) << name;
  }
  ta.Pack("Old.pac", "Old", "kept", {"Subs"});
  ta.Folder("Varokin\\UfoManager\\Blocked.pac");
  const fixtures::FileInventory before = ta.Inventory();
  const std::string question =
      "A UFO pack with this name already exists, do you want to overwrite it?";
  prompts.Expect(question, Answer::kNo, Buttons::kYesNo);
  EXPECT_TRUE(SaveUfoPack(fs, prompts, "Old.pac", {"Old", "", {}}));
  EXPECT_EQ(ta.Inventory(), before);

  // Names match without regard to case: the pack there is replaced, not joined by a second one.
  prompts.Expect(question, Answer::kYes, Buttons::kYesNo);
  prompts.Expect("The UFO pack old will be available next time you start Varokin");
  EXPECT_TRUE(SaveUfoPack(fs, prompts, "old.pac", {"old", "", {"Bombers", "Tanks"}}));
  EXPECT_EQ(ta.Read("Varokin\\UfoManager\\Old.pac"), "old\r\n\r\nBombers\r\nTanks\r\n");
  EXPECT_EQ(fs.Find("Varokin\\UfoManager\\*.pac"), (Names{"Blocked.pac", "Old.pac"}));

  prompts.Expect(question, Answer::kYes, Buttons::kYesNo);
  prompts.Expect("The file Varokin\\UfoManager\\Blocked.pac could not be created");
  EXPECT_TRUE(SaveUfoPack(fs, prompts, "Blocked.pac", {"Blocked", "", {}}));
  EXPECT_TRUE(fs.IsFolder("Varokin\\UfoManager\\Blocked.pac"));

  // A pack's text, and text lines read as the line reader reads them.
  const UfoPack pack{"Air Power", "Bombers only.\r\n\r\nNo tanks.\r\nEver.", {"Bombers", "Subs"}};
  const std::string text = PackFileText(pack);
  EXPECT_EQ(text, "Air Power\r\nBombers only.####No tanks.##Ever.\r\nBombers\r\nSubs\r\n");
  EXPECT_EQ(ParsePackFile(text), pack);
  // A Linux edit breaks lines with a bare LF, some with a bare CR: the file keeps one line.
  EXPECT_EQ(StoredDescription("a\nb\rc\r\n"), "a##b##c##");
  EXPECT_EQ(ParsePackFile(text, false), (UfoPack{pack.name, pack.description, {}}));
  // Members end at the first empty line.
  EXPECT_EQ(ParsePackFile("P\nD\na\n\nb\n").ufos, Names{"a"});

  const std::string full(1022, 'a');
  for (const std::string& text :
       {full.substr(1) + "\rb\r\nc", full + "\rb\n", full + "\r\nc", full + "\nc\r",
        std::string("x\0y\r\n\nz", 7), std::string(3000, 'q') + "\n", std::string()}) {
    ta.Text("lines.txt", text);
    platform::LineReader reader(fs, "lines.txt");
    TextLines lines(text);
    for (int line = 0; line < 6; ++line) EXPECT_EQ(lines.NextLine(), reader.ReadLine()) << line;
  }
}

}  // namespace
}  // namespace varokin::engine
