#include "app/settings_store.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "support/ta_folder.h"

namespace varokin::app {
namespace {

using namespace std::string_literals;

#ifdef _WIN32
const std::string kEol = "\r\n";
#else
const std::string kEol = "\n";
#endif

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

TEST_F(Settings, FindsSectionsAndEntriesIgnoringCaseAndBlanks) {
  WriteRaw(
      "stray=outside any section\n"
      "[Previous Settings]\n"
      "  tc =  ][Foo.tc  \n"
      "TC=second\n"
      "Game Name=\n"
      "a line without an equals sign\n"
      " [ Warnings ] \r\n"
      "Modifed/Missing File=0\r\n"
      "[previous settings]\n"
      "AI=^^Brain.ai\n");
  EXPECT_EQ(store.GetProfileString("previous settings", "TC", "none"), "][Foo.tc");
  EXPECT_EQ(store.GetProfileString("PREVIOUS SETTINGS", "game name", "Unnamed_Game"), "");
  // Only the first section of a name counts.
  EXPECT_EQ(store.GetProfileString("Previous Settings", "AI", "none"), "none");
  EXPECT_EQ(store.GetProfileString("", "stray", "default"), "default");
  EXPECT_EQ(store.GetProfileInt("warnings", "MODIFED/MISSING FILE", 1), 0);
  EXPECT_EQ(store.GetProfileString("Varokin", "TAHook Path"), "");
}

TEST_F(Settings, IntegersComeFromTheLeadingDigits) {
  WriteRaw(
      "[Varokin]\n"
      "First Use=0\n"
      "Configure ICQ=  42\n"
      "Use TAHook=yes\n"
      "SelectedTab=+3rd\n"
      "Negative=-7 \n"
      "Empty=\n"
      "Blanks=   \n");
  const std::pair<std::string, int> cases[] = {
      {"First Use", 0}, {"Configure ICQ", 42}, {"Use TAHook", 0}, {"SelectedTab", 3},
      {"Negative", -7}, {"Empty", 5},          {"Blanks", 5},     {"Compile Monolithic", 5}};
  for (const auto& [entry, value] : cases) {
    EXPECT_EQ(store.GetProfileInt("Varokin", entry, 5), value) << entry;
  }

  EXPECT_TRUE(store.WriteProfileInt("Varokin", "Negative", -12));
  EXPECT_EQ(store.GetProfileString("Varokin", "Negative"), "-12");
}

TEST_F(Settings, AMissingFileReadsAsDefaultsAndStaysMissing) {
  EXPECT_EQ(store.GetProfileInt("Varokin", "First Use", 1), 1);
  EXPECT_EQ(store.GetProfileString("Previous Settings", "TC", "none"), "none");
  EXPECT_FALSE(std::filesystem::exists(file));
}

TEST_F(Settings, TheFirstWriteCreatesTheFolderAndTheFile) {
  std::filesystem::path nested = folder.Root() / "config" / "varokin" / "Varokin.INI";
  SettingsStore fresh(*fs, nested.string());
  EXPECT_TRUE(fresh.WriteProfileInt("Varokin", "First Use", 0));
  EXPECT_TRUE(fresh.WriteProfileString("Previous Settings", "TC", ""));
  EXPECT_TRUE(fresh.WriteProfileString("previous settings", "AI", "^^Brain.ai"));
  file = nested;
  EXPECT_EQ(ReadRaw(), "[Varokin]" + kEol + "First Use=0" + kEol + "[Previous Settings]" + kEol +
                           "TC=" + kEol + "AI=^^Brain.ai" + kEol);
  EXPECT_EQ(fresh.GetProfileString("Previous Settings", "TC", "none"), "");
}

TEST_F(Settings, WritesChangeOnlyTheirOwnLine) {
  const std::string original =
      "\xEF\xBB\xBF; kept by hand\r\n"
      "[Varokin]\r\n"
      "First Use=1\r\n"
      "odd \x01\x02\xff line\r\n"
      "bin\0ary\r\n"
      "\r\n"
      "[Warnings]\r\n"
      "Custom EXE = 1   \r\n"
      "\r\n"
      "[TA Setup]\r\n"
      "CC Installed=0"s;
  ASSERT_EQ(original.back(), '0');
  WriteRaw(original);

  EXPECT_TRUE(store.WriteProfileInt("VAROKIN", "first use", 0));
  EXPECT_TRUE(store.WriteProfileString("Warnings", "Custom EXE", "0"));
  EXPECT_TRUE(store.WriteProfileString("Warnings", "Modifed/Missing File", "1"));
  EXPECT_TRUE(store.WriteProfileString("TA Setup", "Extra", "x"));
  EXPECT_TRUE(store.WriteProfileString("Active Mutators", "Mutator 0", "}{Speedy.vkn"));

  EXPECT_EQ(ReadRaw(),
            "\xEF\xBB\xBF; kept by hand\r\n"
            "[Varokin]\r\n"
            "First Use=0\r\n"
            "odd \x01\x02\xff line\r\n"
            "bin\0ary\r\n"
            "\r\n"
            "[Warnings]\r\n"
            "Custom EXE=0\r\n"
            "Modifed/Missing File=1\r\n"
            "\r\n"
            "[TA Setup]\r\n"
            "CC Installed=0\r\n"
            "Extra=x\r\n"
            "[Active Mutators]\r\n"
            "Mutator 0=}{Speedy.vkn\r\n"s);
}

TEST_F(Settings, AHugeDamagedLineIsKeptAndSkipped) {
  std::string damaged;
  for (int i = 0; damaged.size() < 10 * 1024 * 1024; ++i) {
    char c = static_cast<char>(i % 256);
    if (c != '\n') damaged += c;
  }
  const std::string head = "[Varokin]\nFirst Use=0\n" + damaged + "\n";
  const std::string tail = "[Warnings]\nCustom EXE=0";
  WriteRaw(head + tail);

  EXPECT_EQ(store.GetProfileInt("Varokin", "First Use", 1), 0);
  EXPECT_EQ(store.GetProfileInt("Warnings", "Custom EXE", 1), 0);
  EXPECT_TRUE(store.WriteProfileInt("Varokin", "Use TAHook", 1));
  EXPECT_TRUE(store.WriteProfileString("Previous Settings", "TC", "none"));
  // Compared as a whole without printing: a failure would print megabytes.
  EXPECT_TRUE(ReadRaw() == head + "Use TAHook=1\n" + tail + "\n[Previous Settings]\nTC=none\n");
  EXPECT_EQ(store.GetProfileInt("Varokin", "Use TAHook", 0), 1);
  EXPECT_EQ(store.GetProfileInt("Warnings", "Custom EXE", 1), 0);
}

TEST_F(Settings, EveryCallSeesTheFileAsItIsNow) {
  SettingsStore second(*fs, file.string());
  EXPECT_TRUE(store.WriteProfileString("Previous Settings", "TC", "][Foo.tc"));
  EXPECT_EQ(second.GetProfileString("Previous Settings", "TC", "none"), "][Foo.tc");
  WriteRaw("[Previous Settings]\nTC=][Bar.tc\n");
  EXPECT_EQ(store.GetProfileString("Previous Settings", "TC", "none"), "][Bar.tc");
}

TEST_F(Settings, WritesThatWouldDamageTheFileAreRefused) {
  const std::string original = "[Previous Settings]\nGame Name=Old\n";
  WriteRaw(original);
  EXPECT_FALSE(store.WriteProfileString("Previous Settings", "Game Name", "a\r\n[Varokin]\r\nx=y"));
  EXPECT_FALSE(store.WriteProfileString("Previous Settings", "Game=Name", "x"));
  EXPECT_FALSE(store.WriteProfileString("Previous] Settings", "Game Name", "x"));
  // Blanks around a value would be trimmed away when it is read back.
  for (const char* value : {" padded", "padded\t", "\fGame"}) {
    EXPECT_FALSE(store.WriteProfileString("Previous Settings", "Game Name", value)) << value;
  }
  EXPECT_EQ(ReadRaw(), original);

  // A settings path that is not a readable file is left as it is.
  std::filesystem::path blocked = folder.Root() / "Blocked.INI";
  std::filesystem::create_directory(blocked);
  SettingsStore unreadable(*fs, blocked.string());
  EXPECT_FALSE(unreadable.WriteProfileInt("Varokin", "First Use", 0));
  EXPECT_TRUE(std::filesystem::is_directory(blocked));
  EXPECT_EQ(unreadable.GetProfileInt("Varokin", "First Use", 1), 1);
}

}  // namespace
}  // namespace varokin::app
