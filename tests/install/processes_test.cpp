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
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
#endif
  return path;
}

std::vector<std::string> Lines(const fs::path& file) {
  std::vector<std::string> lines;
  std::ifstream in(file);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// What the helper wrote, once it has written its last line.
std::vector<std::string> AwaitLines(const fs::path& file, const std::string& last) {
  for (int i = 0; i < 200; ++i) {
    const std::vector<std::string> lines = Lines(file);
    if (!lines.empty() && lines.back() == last) return lines;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return Lines(file);
}

class HostProcesses : public ::testing::Test {
 protected:
  // The words after the working directory (and, on Windows, the command line).
  static std::vector<std::string> Arguments(std::vector<std::string> lines, std::string* raw) {
    if (lines.empty()) return lines;
    lines.erase(lines.begin());
#ifdef _WIN32
    if (lines.empty()) return lines;
    *raw = lines.front();
    lines.erase(lines.begin());
#else
    (void)raw;
#endif
    return lines;
  }

  fixtures::TaFolder ta;
  std::unique_ptr<platform::Processes> processes = platform::CreateHostProcesses();
};

TEST_F(HostProcesses, TheProgramGetsItsArgumentTextAndWorkingFolder) {
  ta.Folder("game");
  const std::string folder = ta.Host("game").string();
  const std::string arguments = " waited.txt -N1:0.0.0.0 -H  Big Game";
  EXPECT_EQ(processes->RunAndWait(Helper(), arguments, folder), 4);
  std::vector<std::string> lines = Lines(ta.Host("game/waited.txt"));
  ASSERT_FALSE(lines.empty());
  EXPECT_TRUE(fs::equivalent(lines.front(), folder));
  std::string raw;
  EXPECT_EQ(Arguments(lines, &raw), (std::vector<std::string>{"-N1:0.0.0.0", "-H", "Big", "Game"}));
#ifdef _WIN32
  EXPECT_EQ(raw, "\"" + Helper() + "\"" + arguments);
#endif

  ASSERT_TRUE(processes->Start(Helper(), " started.txt -N", folder));
  lines = AwaitLines(ta.Host("game/started.txt"), "-N");
  ASSERT_FALSE(lines.empty());
  EXPECT_TRUE(fs::equivalent(lines.front(), folder));
  EXPECT_EQ(Arguments(lines, &raw), std::vector<std::string>{"-N"});
  bool running = true;
  for (int i = 0; i < 200 && running; ++i) {
    running = processes->IsRunning(Helper());
    if (running) std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  EXPECT_FALSE(running);
}

TEST_F(HostProcesses, AProgramThatCannotStartIsAFailedStart) {
  const std::string folder = ta.Root().string();
  const std::string missing = (ta.Root() / "missing").string();
  EXPECT_FALSE(processes->Start(missing, " -N", folder));
  EXPECT_EQ(processes->RunAndWait(missing, "", folder), std::nullopt);
  EXPECT_EQ(processes->RunAndWait(Helper(), "", (ta.Root() / "no folder").string()), std::nullopt);
  EXPECT_FALSE(processes->IsRunning(missing));
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
