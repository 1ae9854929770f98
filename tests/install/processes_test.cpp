#include "platform/processes.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "support/ta_folder.h"

namespace varokin::install_tests {
namespace {

namespace fs = std::filesystem;

std::string Helper() {
  std::string path = ECHO_ARGS;
#ifdef _WIN32
  // Wine maps the root of the Linux file system to drive Z:.
  if (!path.empty() && path[0] == '/') path = "Z:" + path;
  for (char& c : path) c = c == '/' ? '\\' : c;
#endif
  return path;
}

// What the helper wrote: its working folder, on Windows its command line, then its arguments.
// Waits for the last line to be there, as a started helper runs on its own.
std::vector<std::string> Written(const fs::path& file, const std::string& last) {
  std::vector<std::string> lines;
  for (int i = 0; i < 200 && (lines.empty() || lines.back() != last); ++i) {
    if (i > 0) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    lines.clear();
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
  }
  return lines;
}

// On Windows the helper also writes the command line it was given, which must be ours unchanged.
#ifdef _WIN32
std::vector<std::string> CommandLineAsGiven(const std::string& arguments) {
  return {"\"" + Helper() + "\"" + arguments};
}
#else
std::vector<std::string> CommandLineAsGiven(const std::string&) { return {}; }
#endif

TEST(HostProcesses, TheProgramGetsItsArgumentTextAndWorkingFolder) {
  fixtures::TaFolder ta;
  ta.Folder("game");
  const std::string folder = ta.Host("game").string();
  const auto processes = platform::CreateHostProcesses();
  const std::string arguments = " waited.txt -N1:0.0.0.0 -H  Big Game";
  EXPECT_EQ(processes->RunAndWait(Helper(), arguments, folder), 4);
  std::vector<std::string> lines = Written(ta.Host("game/waited.txt"), "Game");
  ASSERT_FALSE(lines.empty());
  EXPECT_TRUE(fs::equivalent(lines.front(), folder));
  std::vector<std::string> expected = CommandLineAsGiven(arguments);
  expected.insert(expected.end(), {"-N1:0.0.0.0", "-H", "Big", "Game"});
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 1, lines.end()), expected);

  ASSERT_TRUE(processes->Start(Helper(), " started.txt -N", folder));
  lines = Written(ta.Host("game/started.txt"), "-N");
  ASSERT_FALSE(lines.empty());
  EXPECT_TRUE(fs::equivalent(lines.front(), folder));
  bool running = true;
  for (int i = 0; i < 200 && running; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(i == 0 ? 0 : 50));
    running = processes->IsRunning(Helper());
  }
  EXPECT_FALSE(running);
}

TEST(HostProcesses, AProgramThatCannotStartIsAFailedStart) {
  fixtures::TaFolder ta;
  const std::string folder = ta.Root().string();
  const std::string missing = (ta.Root() / "missing").string();
  const auto processes = platform::CreateHostProcesses();
  EXPECT_FALSE(processes->Start(missing, " -N", folder));
  EXPECT_EQ(processes->RunAndWait(missing, "", folder), std::nullopt);
  EXPECT_EQ(processes->RunAndWait(Helper(), "", (ta.Root() / "no folder").string()), std::nullopt);
#ifdef _WIN32
  EXPECT_EQ(processes->RunCommandLine("exit 3", folder), 3);
#else
  // Windows programs need Wine from the PATH.
  const std::string path = std::getenv("PATH");
  setenv("PATH", folder.c_str(), 1);
  EXPECT_FALSE(processes->Start("totala.exe", " -N", folder));
  EXPECT_EQ(processes->RunCommandLine("exit 3", folder), std::nullopt);
  setenv("PATH", path.c_str(), 1);
#endif
}

}  // namespace
}  // namespace varokin::install_tests
