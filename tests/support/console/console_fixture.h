#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "settings/settings_store.h"
#include "support/console/child_process.h"
#include "support/ta_folder.h"

namespace varokin::testing {

#ifdef _WIN32
inline const char* const kConfigVariable = "APPDATA";
inline constexpr char kConfigFolder[] = "Varokin";
#else
inline const char* const kConfigVariable = "XDG_CONFIG_HOME";
inline constexpr char kConfigFolder[] = "varokin";
#endif

inline std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  // Standard output of a Windows program ends its lines with CR LF.
  std::string plain;
  for (char c : text) {
    if (c != '\r') plain += c;
  }
  return plain;
}

// A fresh folder, removed with everything in it at the end.
struct TestHome {
  ~TestHome() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  std::filesystem::path path = fixtures::FreshFolder();
};

// varokin-console run as a child process in a TA folder. The folder lies in a home of the test's
// own beside the per-user settings of older versions, which the folder takes over at its first
// start: the first use has been confirmed, and neither ICQ nor the compilation of a monolithic
// archive is offered.
class ConsoleFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(home / kConfigFolder);
    variables.push_back(std::make_unique<ScopedVariable>(kConfigVariable, home.string()));
    std::ofstream(home / kConfigFolder / "Varokin.INI", std::ios::binary)
        << "[Varokin]\r\nFirst Use=0\r\nConfigure ICQ=0\r\nCompile Monolithic=0\r\n";
  }

  // Runs the console to the end of script; its output is kept in `output`.
  int Run(const std::string& script, const std::vector<std::string>& arguments = {}) {
    ChildProcess console(VAROKIN_CONSOLE, arguments, home / "output.txt");
    EXPECT_TRUE(console.Started());
    console.Write(script);
    const int status = console.Wait();
    output = ReadAll(home / "output.txt");
    return status;
  }
  std::string Setting(const std::string& section, const std::string& entry) {
    settings::SettingsStore settings(*files, (ta.Root() / "Varokin.INI").string());
    return settings.GetProfileString(section, entry, "(missing)");
  }
  bool Contains(const std::string& text) { return output.find(text) != std::string::npos; }

  TestHome testHome;  // removed last, after the TA folder has stopped being the working folder
  const std::filesystem::path home = testHome.path;
  fixtures::TaFolder ta{home};
  std::vector<std::unique_ptr<ScopedVariable>> variables;
  std::string output;
  std::unique_ptr<platform::FileSystem> files = platform::CreateHostFileSystem();
};

}  // namespace varokin::testing
