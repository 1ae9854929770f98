#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "settings/window_placement.h"
#include "support/faulty_file_system.h"
#include "support/ta_folder.h"

namespace varokin::settings {
namespace {

using namespace std::string_literals;

#ifdef _WIN32
const std::string kEol = "\r\n";
#else
const std::string kEol = "\n";
#endif

// A file's text: each line ended with eol.
std::string FileText(const std::vector<std::string>& lines, const std::string& eol = "\r\n") {
  std::string text;
  for (const std::string& line : lines) text += line + eol;
  return text;
}

class Settings : public ::testing::Test {
 protected:
  void WriteRaw(const std::string& bytes) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
  }
  std::string ReadRaw() {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  fixtures::TaFolder folder;
  std::unique_ptr<platform::FileSystem> fs = platform::CreateHostFileSystem();
  std::filesystem::path file = folder.Root() / "Varokin.INI";
  SettingsStore store{*fs, file.string()};
};

// What a file edited by hand reads as. Where Windows' own profile functions read it otherwise, the
// comment says what they give and why ours differs.
TEST_F(Settings, ReadsAFileEditedByHandAsWindowsDoes) {
  // The file, the section and entry looked up, and what they read as ("(default)": missing).
  const std::tuple<std::string, std::string, std::string, std::string> cases[] = {
      // Names in any case and with blanks around; the first entry and section of a name count.
      {"stray=x\n[Previous Settings]\n  tc =  ][Foo.tc  \nTC=2\n", "previous settings", "TC",
       "][Foo.tc"},
      {"stray=x\n[Varokin]\n", "", "stray", "(default)"},
      {"[Previous Settings]\nGame Name=\n", "PREVIOUS SETTINGS", "game name", ""},
      {"[Previous Settings]\n[previous settings]\nAI=^^Brain.ai\n", "Previous Settings", "AI",
       "(default)"},
      {" [ Warnings ] \r\nModifed/Missing File=0\r\n", "warnings", "MODIFED/MISSING FILE", "0"},
      {"[Varokin]\nv = 'x' \n", "Varokin", "v", "x"},
      {"[Varokin]\nv=\"a\"b\"\n", "Varokin", "v", "a\"b"},
      {"[Varokin]\nv=\" padded \"\n", "Varokin", "v", " padded "},
      {"[Varokin]\nv=\"\"\n", "Varokin", "v", ""},
      {"[Varokin]\nv=\"x'\n", "Varokin", "v", "\"x'"},
      {"[Varokin]\nv=\"\n", "Varokin", "v", "\""},
      {"\xEF\xBB\xBF[Varokin]\r\nFirst Use=0\r\n", "Varokin", "First Use", "0"},
      {"[Varokin]\rFirst Use=0\r[Warnings]\rCustom EXE=0", "Warnings", "Custom EXE", "0"},
      {"[Varokin]\n[broken\nFirst Use=0\n", "Varokin", "First Use", "0"},
      {"[Varokin]\n[broken\nFirst Use=0\n", "broken", "First Use", "(default)"},
      // Windows reads this line as an entry named "[x"; no name of ours begins with "[".
      {"[Varokin]\n[x=1\n", "Varokin", "[x", "(default)"},
      {"[Previous Settings]\nTC=][Foo.tc\x1A", "Previous Settings", "TC", "][Foo.tc"},
      {"[Previous Settings]\nTC=][Foo.tc\0junk\n"s, "Previous Settings", "TC", "][Foo.tc"},
      {"[Previous Settings]\nTC=\"a\0b\"\n"s, "Previous Settings", "TC", "\"a"},
      // Windows lets the line without "=" hide the entry below it.
      {"[Varokin]\nFirst Use\nFirst Use=0\n", "Varokin", "First Use", "0"},
  };
  for (const auto& [text, section, entry, reads] : cases) {
    WriteRaw(text);
    EXPECT_EQ(store.GetProfileString(section, entry, "(default)"), reads) << text;
  }

  // Both readers take one pair of quotes from what they read, so a value in quotes gets one more.
  WriteRaw("[Varokin]\rFirst Use=0\r");
  EXPECT_TRUE(store.WriteProfileString("Varokin", "Game Name", "\"Quoted\""));
  EXPECT_EQ(ReadRaw(), "[Varokin]\rFirst Use=0\rGame Name=\"\"Quoted\"\"\r");
  EXPECT_EQ(store.GetProfileString("Varokin", "Game Name"), "\"Quoted\"");

  // Integers: how digits are read is the word scanner's; here when the default is given.
  WriteRaw(FileText({"[Varokin]", "Configure ICQ=  42", "Use TAHook=yes", "Empty="}, "\n"));
  const std::pair<std::string, int> integers[] = {
      {"Configure ICQ", 42}, {"Use TAHook", 0}, {"Empty", 5}, {"Compile Monolithic", 5}};
  for (const auto& [entry, value] : integers) {
    EXPECT_EQ(store.GetProfileInt("Varokin", entry, 5), value) << entry;
  }
}

TEST_F(Settings, AMissingFileReadsAsDefaultsUntilTheFirstWriteCreatesItAndItsFolder) {
  std::filesystem::path nested = folder.Root() / "config" / "varokin" / "Varokin.INI";
  SettingsStore fresh(*fs, nested.string());
  EXPECT_EQ(fresh.GetProfileInt("Varokin", "First Use", 1), 1);
  EXPECT_FALSE(std::filesystem::exists(folder.Root() / "config"));
  EXPECT_TRUE(fresh.WriteProfileInt("Varokin", "First Use", 0));
  EXPECT_TRUE(fresh.WriteProfileString("Previous Settings", "TC", ""));
  EXPECT_TRUE(fresh.WriteProfileString("previous settings", "AI", "^^Brain.ai"));
  file = nested;
  EXPECT_EQ(
      ReadRaw(),
      FileText({"[Varokin]", "First Use=0", "[Previous Settings]", "TC=", "AI=^^Brain.ai"}, kEol));
  EXPECT_EQ(fresh.GetProfileString("Previous Settings", "TC", "none"), "");
}

TEST_F(Settings, WritesChangeOnlyTheirOwnLineAndThoseThatWouldDamageTheFileAreRefused) {
  WriteRaw(
      FileText({"\xEF\xBB\xBF; kept by hand", "[Varokin]", "First Use=1", "odd \x01\x02\xff line",
                "bin\0ary"s, "", "[Warnings]", "Custom EXE = 1   ", "", "[TA Setup]"}) +
      "CC Installed=0");

  EXPECT_TRUE(store.WriteProfileInt("VAROKIN", "first use", 0));
  EXPECT_TRUE(store.WriteProfileString("Warnings", "Custom EXE", "0"));
  EXPECT_TRUE(store.WriteProfileString("Warnings", "Modifed/Missing File", "1"));
  EXPECT_TRUE(store.WriteProfileString("TA Setup", "Extra", "x"));
  EXPECT_TRUE(store.WriteProfileString("Active Mutators", "Mutator 0", "}{Speedy.vkn"));

  EXPECT_EQ(ReadRaw(),
            FileText({"\xEF\xBB\xBF; kept by hand", "[Varokin]", "First Use=0",
                      "odd \x01\x02\xff line", "bin\0ary"s, "", "[Warnings]", "Custom EXE=0",
                      "Modifed/Missing File=1", "", "[TA Setup]", "CC Installed=0", "Extra=x",
                      "[Active Mutators]", "Mutator 0=}{Speedy.vkn"}));

  // A write of what the file holds already leaves it alone, its time too.
  const auto anHourAgo = std::filesystem::last_write_time(file) - std::chrono::hours(1);
  std::filesystem::last_write_time(file, anHourAgo);
  EXPECT_TRUE(store.WriteProfileInt("Varokin", "First Use", 0));
  EXPECT_EQ(std::filesystem::last_write_time(file), anHourAgo);

  const std::string original = "[Previous Settings]\nGame Name=Old\n";
  WriteRaw(original);
  EXPECT_FALSE(store.WriteProfileString("Previous Settings", "Game Name", "a\r\n[Varokin]\r\nx=y"));
  EXPECT_FALSE(store.WriteProfileString("Previous Settings", "Game=Name", "x"));
  EXPECT_FALSE(store.WriteProfileString("Previous] Settings", "Game Name", "x"));
  // Blanks around a value would be trimmed away when it is read back.
  EXPECT_FALSE(store.WriteProfileString("Previous Settings", "Game Name", "padded\t"));
  EXPECT_EQ(ReadRaw(), original);
}

TEST_F(Settings, EveryCallSeesTheFileAsItIsNowAndReadsItOnlyWhenItChangedAndOnceForSeveral) {
  fixtures::FaultyFileSystem counting(platform::CreateHostFileSystem());
  SettingsStore second(counting, file.string());
  EXPECT_TRUE(store.WriteProfileString("Previous Settings", "TC", "][Foo.tc"));
  EXPECT_EQ(second.GetProfileString("Previous Settings", "TC", "none"), "][Foo.tc");

  // A file last changed a while ago is read once, then known by its stamp.
  const auto anHourAgo = std::filesystem::last_write_time(file) - std::chrono::hours(1);
  const auto stampedAnHourAgo = [&](const std::string& text) {
    WriteRaw(text);
    std::filesystem::last_write_time(file, anHourAgo);
  };
  stampedAnHourAgo("[Previous Settings]\nTC=][Bar.tc\n");
  counting.Arm(0);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(second.GetProfileString("Previous Settings", "TC", "none"), "][Bar.tc");
  }
  EXPECT_EQ(counting.Calls(), 1u);

  // Each part of the stamp tells a change on its own: the same size and time in another file...
  const std::filesystem::path other = folder.Root() / "Other.INI";
  std::ofstream(other, std::ios::binary) << "[Previous Settings]\nTC=][Baz.tc\n";
  std::filesystem::last_write_time(other, anHourAgo);
  std::filesystem::rename(other, file);
  EXPECT_EQ(second.GetProfileString("Previous Settings", "TC", "none"), "][Baz.tc");
  // ...another size in the same file at the same time...
  stampedAnHourAgo("[Previous Settings]\nTC=][Long.tc\n");
  EXPECT_EQ(second.GetProfileString("Previous Settings", "TC", "none"), "][Long.tc");
  // ...and another time with the same size.
  WriteRaw("[Previous Settings]\nTC=][Lost.tc\n");
  std::filesystem::last_write_time(file, anHourAgo + std::chrono::seconds(1));
  EXPECT_EQ(second.GetProfileString("Previous Settings", "TC", "none"), "][Lost.tc");

  // Several entries come from one reading, though the file was just written and a Get of each
  // would read it again.
  EXPECT_TRUE(store.WriteProfileString("Previous Settings", "Mutator2", "}{B.vkn"));
  EXPECT_TRUE(store.WriteProfileString("Previous Settings", "Mutator0", "}{A.vkn"));
  counting.Arm(0);
  const std::vector<std::string> values = second.Get(std::vector<TextSetting>{
      {"Previous Settings", "Mutator0", ""},
      {"Previous Settings", "Mutator1", "none"},
      {"previous settings", "MUTATOR2", ""},
  });
  EXPECT_EQ(values, (std::vector<std::string>{"}{A.vkn", "none", "}{B.vkn"}));
  EXPECT_EQ(counting.Calls(), 1u);
}

TEST_F(Settings, AFileTooLargeOrNotAFileReadsAsDefaultsAndIsNeverWritten) {
  const std::string tooLarge =
      "[Varokin]\nFirst Use=0\n" + std::string(SettingsStore::kMaxBytes, '\n');
  WriteRaw(tooLarge);
  EXPECT_TRUE(store.IsDamaged());
  EXPECT_EQ(store.GetProfileInt("Varokin", "First Use", 1), 1);
  EXPECT_FALSE(store.WriteProfileInt("Varokin", "First Use", 0));
  EXPECT_TRUE(ReadRaw() == tooLarge);

  WriteRaw("[Varokin]\nFirst Use=0\n");
  EXPECT_FALSE(store.IsDamaged());
  EXPECT_EQ(store.GetProfileInt("Varokin", "First Use", 1), 0);

  // Something other than a file (a folder, a FIFO, a device) is left as it is.
  std::filesystem::remove(file);
  std::filesystem::create_directory(file);
  EXPECT_EQ(store.GetProfileInt("Varokin", "First Use", 1), 1);
  EXPECT_FALSE(store.WriteProfileInt("Varokin", "First Use", 0));
  EXPECT_TRUE(std::filesystem::is_directory(file));
}

TEST_F(Settings, AWindowPlacementIsReadBackOnlyWhenWholeAndKeptOnTheScreen) {
  const std::string path = (folder.Root() / "config" / "window").string();
  EXPECT_FALSE(ReadWindowPlacement(*fs, path));
  ASSERT_TRUE(WriteWindowPlacement(*fs, path, {{-20, 30, 900, 700}, true}));
  const auto read = ReadWindowPlacement(*fs, path);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->box, (WindowBox{-20, 30, 900, 700}));
  EXPECT_TRUE(read->maximised);
  for (const char* damaged : {"10 20 300\n", "10 20 0 400 0\n", "1 2 3 4 0 junk\n", "x"}) {
    folder.Text("config/window", damaged);
    EXPECT_FALSE(ReadWindowPlacement(*fs, path)) << damaged;
  }

  // A window from a screen given up since, or larger than the screen, comes back onto it whole,
  // its title bar first, never smaller than the window can be.
  const WindowBox screen{0, 0, 1024, 768};
  EXPECT_EQ(KeptOnScreen({100, 50, 600, 400}, screen, 500, 380), (WindowBox{100, 50, 600, 400}));
  EXPECT_EQ(KeptOnScreen({1900, 900, 600, 400}, screen, 500, 380), (WindowBox{424, 368, 600, 400}));
  EXPECT_EQ(KeptOnScreen({-300, -40, 2000, 1000}, screen, 500, 380), (WindowBox{0, 0, 1024, 768}));
  EXPECT_EQ(KeptOnScreen({0, 0, 600, 400}, {0, 0, 400, 300}, 500, 380),
            (WindowBox{0, 0, 500, 380}));
}

}  // namespace
}  // namespace varokin::settings
