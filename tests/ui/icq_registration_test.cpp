// The ICQ offer at start-up, on the file-backed registry (and on Windows on the real one).
#include "install/icq_registration.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/file_registry.h"
#include "support/expect_prompts.h"
#include "support/failing_registry.h"
#include "support/ta_folder.h"
#ifndef _WIN32
#include "platform/posix/wine_registry.h"
#include "support/scoped_variable.h"
#endif

namespace varokin::fixtures {
namespace {

constexpr const char* kOwners = "Software\\Mirabilis\\ICQ\\Owners";
constexpr const char* kOwner = "Software\\Mirabilis\\ICQ\\Owners\\12345678";
constexpr const char* kRegistration =
    "Software\\Mirabilis\\ICQ\\Owners\\12345678\\Prefs\\Externals\\Varokin";
constexpr const char* kQuestion =
    "ICQ was last used by Player (12345678), who doesn't have VKN configured as an ICQ "
    "launchable application.\n\n Should VKN be configured as such for Player now?\n\n    Yes - "
    "configure it now.\n     No - That's not me, or I'm not running VKN from my TA directory. "
    "Let me launch ICQ and ask me again next time I launch VKN";
constexpr const char* kConfigured =
    "ICQ has been configured to be able to launch Varokin.  You'll be able to find it under the "
    "Internet Telephony/Games submenu next time you launch ICQ";

class IcqRegistration : public ::testing::Test {
 protected:
  void SetUp() override { ta.Text("Varokin.exe", "MZ"); }

  void AddIcqUser(platform::Registry& r) {
    ASSERT_TRUE(r.CreateKey(std::string(kOwner) + "\\Prefs\\Externals"));
    ASSERT_TRUE(r.SetDword(kOwners, "LastOwner", 12345678));
    ASSERT_TRUE(r.SetString(kOwner, "Name", "Player"));
  }

  // Offers, is accepted, and leaves the registration as ICQ reads it.
  void ExpectRegistered(platform::Registry& r) {
    AddIcqUser(r);
    prompts.Expect(kQuestion, Answer::kYes, Buttons::kYesNo);
    prompts.Expect(kConfigured);
    install::RegisterWithIcq(*fs, prompts, r);
    EXPECT_EQ(r.GetString(kRegistration, "Client Command Line"), "-join:%i");
    EXPECT_EQ(r.GetString(kRegistration, "Server Command Line"), "-host");
    EXPECT_EQ(r.GetString(kRegistration, "Type"), "ClientServer");
    const std::string path = r.GetString(kRegistration, "Server Path").value_or("");
    EXPECT_EQ(std::filesystem::path(path), ta.Root() / "Varokin.exe");
    EXPECT_EQ(r.GetString(kRegistration, "Client Path"), path);
    // Registered: never asked again.
    install::RegisterWithIcq(*fs, prompts, r);
  }

  TaFolder ta;
  std::unique_ptr<platform::FileSystem> fs = platform::CreateHostFileSystem();
  std::string file = (ta.Root() / "registry.ini").string();
  std::unique_ptr<platform::Registry> registry = platform::CreateFileRegistry(*fs, file);
  ExpectPrompts prompts;
};

TEST_F(IcqRegistration, AsksOnlyWithIcqAndOurExecutableAgainAfterNoOrAFailedWrite) {
  install::RegisterWithIcq(*fs, prompts, *registry);
  EXPECT_FALSE(std::filesystem::exists(file));

  AddIcqUser(*registry);
  std::filesystem::remove(ta.Root() / "Varokin.exe");
  install::RegisterWithIcq(*fs, prompts, *registry);
  ta.Text("Varokin.exe", "MZ");
  for (int run = 0; run < 2; ++run) {
    prompts.Expect(kQuestion, Answer::kNo);
    install::RegisterWithIcq(*fs, prompts, *registry);
    EXPECT_FALSE(registry->KeyExists(kRegistration));
  }

  // A failed write takes the partial registration away.
  FailingRegistry failing(*registry, "Type");
  prompts.Expect(kQuestion, Answer::kYes);
  prompts.Expect(
      "An error occurred while configuring ICQ to be able to launch VKN, you'll need to do the "
      "configuration manually (look in the Readme for directions)");
  install::RegisterWithIcq(*fs, prompts, failing);
  EXPECT_FALSE(registry->KeyExists(kRegistration));
  EXPECT_TRUE(registry->KeyExists(std::string(kOwner) + "\\Prefs\\Externals"));

  ExpectRegistered(*registry);
  EXPECT_EQ(registry->SubKeys(kOwners), std::vector<std::string>{"12345678"});
}

#ifndef _WIN32
// A TA folder inside a Wine prefix: ICQ there reads the prefix's registry, so the keys go there
// through Wine's "reg", with the path as the Windows programs see it.
TEST(IcqRegistrationInWine, WritesThroughWineIntoThePrefixOfTheTaFolder) {
  namespace fs = std::filesystem;
  const fs::path prefix = fs::canonical(FreshFolder());
  fs::create_directories(prefix / "drive_c" / "Games");
  std::ofstream(prefix / "system.reg") << "WINE REGISTRY Version 2\n";
  std::ofstream(prefix / "user.reg")
      << "WINE REGISTRY Version 2\n;; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n\n"
         "[Software\\\\Mirabilis\\\\ICQ\\\\Owners] 1700000000\n#time=1da0000\n"
         "\"LastOwner\"=dword:00bc614e\n\n"
         "[Software\\\\Mirabilis\\\\ICQ\\\\Owners\\\\12345678\\\\Prefs\\\\Externals\\\\Other] "
         "1700000000\n\"Type\"=\"Client\"\n\n"
         "[Software\\\\Mirabilis\\\\ICQ\\\\Owners\\\\12345678] 1700000000\n"
         "\"Name\"=\"Player\"\n";
  const fs::path log = prefix / "wine.log";
  const fs::path wine = prefix / "wine";
  std::ofstream(wine) << "#!/bin/sh\nprintf '%s\\n' \"$WINEPREFIX|$*\" >> '" << log.string()
                      << "'\n";
  fs::permissions(wine, fs::perms::owner_all);

  EXPECT_EQ(platform::posix::WinePrefixOf((prefix / "drive_c" / "Games").string()),
            prefix.string());
  EXPECT_EQ(platform::posix::WinePrefixOf(prefix.string()), "");
  fs::remove(prefix / "system.reg");
  EXPECT_EQ(platform::posix::WinePrefixOf((prefix / "drive_c" / "Games").string()), "");
  std::ofstream(prefix / "system.reg") << "WINE REGISTRY Version 2\n";

  {
    testing::ScopedVariable wineProgram("WINE", wine.string());
    TaFolder ta(prefix / "drive_c" / "Games");
    ta.Text("Varokin.exe", "MZ");
    const auto files = platform::CreateHostFileSystem();
    const auto registry = platform::CreateHostRegistry();
    ExpectPrompts prompts;
    prompts.Expect(kQuestion, Answer::kYes);
    prompts.Expect(kConfigured);
    install::RegisterWithIcq(*files, prompts, *registry);

    const std::string key = "HKCU\\" + std::string(kRegistration);
    const std::string path = "C:\\Games\\" + ta.Root().filename().string() + "\\Varokin.exe";
    const std::string set = prefix.string() + "|reg add " + key + " /v ";
    std::vector<std::string> lines;
    std::ifstream in(log);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    EXPECT_EQ(lines, (std::vector<std::string>{
                         prefix.string() + "|reg add " + key + " /f",
                         set + "Client Command Line /t REG_SZ /d -join:%i /f",
                         set + "Server Command Line /t REG_SZ /d -host /f",
                         set + "Type /t REG_SZ /d ClientServer /f",
                         set + "Server Path /t REG_SZ /d " + path + " /f",
                         set + "Client Path /t REG_SZ /d " + path + " /f",
                     }));
  }
  fs::remove_all(prefix);
}
#endif

#ifdef _WIN32
// The same offer on the registry of the Wine prefix the tests run in.
TEST_F(IcqRegistration, RegistersInTheWindowsRegistry) {
  const auto real = platform::CreateHostRegistry();
  real->DeleteKey(kRegistration);
  ExpectRegistered(*real);
  EXPECT_TRUE(real->DeleteKey(kRegistration));
}
#endif

}  // namespace
}  // namespace varokin::fixtures
