#include "platform/processes.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>
#include <tuple>

#include "support/scoped_variable.h"
#include "support/ta_folder.h"

#ifndef _WIN32
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/posix/wine.h"
#endif

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

class HostProcesses : public ::testing::Test {
 protected:
  fixtures::TaFolder ta;
  const std::string folder = ta.Root().string();
  const std::unique_ptr<platform::Processes> processes = platform::CreateHostProcesses();
};

TEST_F(HostProcesses, TheProgramGetsItsArgumentTextAndWorkingFolderOrIsAFailedStart) {
  ta.Folder("game");
  const std::string game = ta.Host("game").string();
  const std::string arguments = " waited.txt -N1:0.0.0.0 -H  Big Game";
  EXPECT_EQ(processes->RunAndWait(Helper(), arguments, game), 4);
  std::vector<std::string> lines = Written(ta.Host("game/waited.txt"), "Game");
  ASSERT_FALSE(lines.empty());
  EXPECT_TRUE(fs::equivalent(lines.front(), game));
  std::vector<std::string> expected = {"-N1:0.0.0.0", "-H", "Big", "Game"};
#ifdef _WIN32
  // There the helper also writes the command line it was given, which must be ours unchanged.
  expected.insert(expected.begin(), "\"" + Helper() + "\"" + arguments);
#endif
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 1, lines.end()), expected);

  const std::string missing = (ta.Root() / "missing").string();
  EXPECT_EQ(processes->Start(missing, " -N", folder), platform::StartResult::kFailed);
  EXPECT_EQ(processes->Start(missing + ".exe", " -N", folder), platform::StartResult::kFailed);
  EXPECT_EQ(processes->RunAndWait(missing, "", folder), std::nullopt);
  EXPECT_EQ(processes->RunAndWait(Helper(), "", (ta.Root() / "no folder").string()), std::nullopt);
#ifdef _WIN32
  EXPECT_EQ(processes->RunCommandLine("exit 3", folder), 3);
#endif
}

#ifndef _WIN32
std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

// Starts the helper under another command line, and given one, in a Wine prefix of its own. It
// writes to the file its second word names, then lingers until stopped.
pid_t Linger(std::vector<std::string> words, const std::string& winePrefix = "") {
  fs::remove(words[1]);
  std::vector<std::string> settings;
  if (!winePrefix.empty()) settings.push_back("WINEPREFIX=" + winePrefix);
  for (char** entry = environ; *entry != nullptr; ++entry) settings.emplace_back(*entry);
  pid_t pid = 0;
  EXPECT_EQ(posix_spawn(&pid, ECHO_ARGS, nullptr, nullptr, Pointers(words).data(),
                        Pointers(settings).data()),
            0);
  Written(words[1], "--linger");
  return pid;
}

void Stop(pid_t pid) {
  if (pid <= 0) return;
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
}
#endif

// Another run of the program must see the tool the first one started, by its file alone.
TEST_F(HostProcesses, ARunningProgramIsFoundWhoeverStartedIt) {
  // A copy of its own, so that no other test's helper counts.
  const fs::path copy = ta.Root() / ("lingerer" + fs::path(Helper()).extension().string());
  fs::copy_file(Helper(), copy);
  const auto second = platform::CreateHostProcesses();
  EXPECT_FALSE(second->IsRunning(copy.string()));
  ASSERT_EQ(processes->Start(copy.string(), " lingered.txt --linger", folder),
            platform::StartResult::kStarted);
  const std::vector<std::string> lines = Written(ta.Host("lingered.txt"), "--linger");
  ASSERT_EQ(lines.back(), "--linger");
  EXPECT_TRUE(fs::equivalent(lines.front(), folder));
  EXPECT_TRUE(second->IsRunning(copy.string()));
  EXPECT_FALSE(second->IsRunning((ta.Root() / "other.exe").string()));
  for (int i = 0; i < 200 && second->IsRunning(copy.string()); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  EXPECT_FALSE(second->IsRunning(copy.string()));

#ifndef _WIN32
  // Wine shows a Windows program by its Windows path, and while it starts as "wine" and the path
  // it was given; here the helper lingers under those command lines.
  const fs::path hook = ta.Root() / ("Hook" + std::to_string(getpid()) + ".exe");
  const std::vector<std::vector<std::string>> commandLines = {
      {"C:\\Games\\TA\\" + hook.filename().string(), (ta.Root() / "w.txt").string(), "--linger"},
      {"/usr/bin/wine", hook.string(), "--linger"},
  };
  for (const std::vector<std::string>& words : commandLines) {
    const pid_t pid = Linger(words);
    EXPECT_TRUE(second->IsRunning(hook.string())) << words[0];
    Stop(pid);
    EXPECT_FALSE(second->IsRunning(hook.string())) << words[0];
  }
#endif
}

#ifndef _WIN32
using Search = platform::posix::WineSearch;

// The game under Wine shows itself by its Windows path; its drive letter leads, through the
// process's own Wine prefix, to the TA folder or elsewhere.
TEST_F(HostProcesses, AWindowsProgramRunsFromTheTaFolderWhereItsWinePrefixPutsIt) {
  const fs::path taFolder = ta.Root() / "drive" / "Games" / "TA";
  fs::create_directories(taFolder);
  fs::create_directories(ta.Root() / "drive" / "Other");
  ta.Folder("prefix/dosdevices");
  ta.Folder("elsewhere/dosdevices");
  fs::create_directory_symlink(ta.Root() / "drive", ta.Root() / "prefix" / "dosdevices" / "c:");
  fs::create_directory_symlink(ta.Root() / "drive" / "Other",
                               ta.Root() / "elsewhere" / "dosdevices" / "c:");
  for (const auto& [program, prefix, found] :
       {std::tuple{"C:\\Games\\TA\\TotalA.exe", "prefix", true},
        {"c:\\games\\ta\\totala.exe", "prefix", true},
        {"C:\\Other\\TotalA.exe", "prefix", false},
        {"C:\\Games\\TA\\TotalA.exe", "elsewhere", false}}) {
    const pid_t pid = Linger({program, (ta.Root() / "written.txt").string(), "--linger"},
                             (ta.Root() / prefix).string());
    EXPECT_EQ(processes->RunsFromFolder(taFolder.string()), found) << program << " in " << prefix;
    Stop(pid);
  }
}

// A file that runs as a program, writing a line to log: by default its name and arguments.
fs::path Script(const fs::path& path, const fs::path& log, const std::string& line = "$0 $*") {
  fs::create_directories(path.parent_path());
  std::ofstream(path) << "#!/bin/sh\nprintf '%s\\n' \"" << line << "\" >> '" << log.string()
                      << "'\n";
  fs::permissions(path, fs::perms::owner_all);
  return path;
}

TEST_F(HostProcesses, WindowsProgramsGoToTheFirstWineFoundAndOnlyWhenThere) {
  const fs::path root = ta.Root();
  const fs::path log = root / "wine.log";
  const std::string variable = Script(root / "own" / "wine-devel", log).string();
  const std::string onlyWine64 = Script(root / "a" / "wine64", log).parent_path().string();
  const std::string wine = Script(root / "b" / "wine", log).string();
  Script(root / "b" / "wine64", log);
  const std::string fallback = Script(root / "lib" / "wine64", log).string();
  const std::string notExecutable = (root / "c").string();
  ta.Text("c/wine", "#!/bin/sh\n");
  const std::string path = notExecutable + ":" + onlyWine64 + ":" + (root / "b").string();
  const std::pair<Search, std::string> cases[] = {
      {{variable, path, {fallback}}, variable},
      {{(root / "none").string(), path, {fallback}}, wine},  // a WINE that is not there
      {{"wine-devel", (root / "own").string(), {}}, variable},
      {{std::nullopt, path, {fallback}}, wine},  // "wine" before an earlier "wine64"
      {{std::nullopt, onlyWine64, {fallback}}, onlyWine64 + "/wine64"},
      {{std::nullopt, notExecutable, {(root / "none").string(), fallback}}, fallback},
      {{std::nullopt, "", {}}, ""},
  };
  for (const auto& [search, found] : cases) {
    EXPECT_EQ(platform::posix::FindWine(search), found)
        << search.variable.value_or("(no WINE)") << " " << search.path;
  }

  const auto withWine = platform::posix::CreateProcesses([&] { return Search{wine, "", {}}; });
  EXPECT_EQ(withWine->Start("totala.exe", " -N", folder), platform::StartResult::kFailed);
  ta.Text("totala.exe", "MZ");
  EXPECT_EQ(withWine->Start("totala.exe", " -N", folder), platform::StartResult::kStarted);
  const std::string started = wine + " totala.exe -N";
  EXPECT_EQ(Written(log, started), std::vector<std::string>{started});

  const auto withoutWine = platform::posix::CreateProcesses([] { return Search{}; });
  EXPECT_EQ(withoutWine->Start("totala.exe", " -N", folder), platform::StartResult::kNoWine);
  EXPECT_EQ(withoutWine->RunCommandLine("exit 3", folder), std::nullopt);
}

TEST_F(HostProcesses, ATaFolderInAPrefixOrASteamLibraryStartsItsProgramsThere) {
  const fs::path root = fs::canonical(ta.Root());
  const fs::path log = root / "started.log";
  // A fake wine and steam that write down the prefix they were given too; Steam gets none of ours.
  const varokin::testing::ScopedVariable noPrefix("WINEPREFIX", std::nullopt);
  const std::string wine = Script(root / "bin" / "wine", log, "[$WINEPREFIX] $0 $*").string();
  const std::string steam = Script(root / "bin" / "steam", log, "[$WINEPREFIX] $0 $*").string();
  const auto inPrefixes = platform::posix::CreateProcesses([&] {
    return Search{wine, (root / "bin").string(), {}};
  });
  std::vector<std::string> expected;
  const auto expectStarted = [&](const std::string& line) {
    expected.push_back(line);
    EXPECT_EQ(Written(log, line), expected);
  };

  // A prefix: every Windows program, and the archive tools' command line, run in it.
  const fs::path prefix = root / "Games" / "ta";
  ta.Text("Games/ta/system.reg", "");
  const std::string inPrefix = (prefix / "drive_c" / "Cavedog" / "TA").string();
  ta.Text("Games/ta/drive_c/Cavedog/TA/totala.exe", "MZ");
  ta.Text("Games/ta/drive_c/Cavedog/TA/Tahook.exe", "MZ");
  EXPECT_EQ(inPrefixes->Start("totala.exe", " -N", inPrefix), platform::StartResult::kStarted);
  expectStarted("[" + prefix.string() + "] " + wine + " totala.exe -N");
  EXPECT_EQ(inPrefixes->RunAndWait("Tahook.exe", "", inPrefix), 0);
  expectStarted("[" + prefix.string() + "] " + wine + " Tahook.exe");
  EXPECT_EQ(inPrefixes->RunCommandLine("hpidump x", inPrefix), 0);
  expectStarted("[" + prefix.string() + "] " + wine + " cmd /c hpidump x");

  // A Steam install: the game through Steam by the manifest's id; other programs in Steam's
  // prefix for the game.
  const fs::path library = root / "library" / "steamapps";
  const std::string installed = (library / "common" / "Total Annihilation").string();
  ta.Text("library/steamapps/common/Total Annihilation/TotalA.exe", "MZ");
  ta.Text("library/steamapps/common/Total Annihilation/Tahook.exe", "MZ");
  ta.Text("library/steamapps/appmanifest_1.acf",
          "\"AppState\"\n{\n\t\"appid\"\t\t\"1\"\n\t\"installdir\"\t\t\"Other\"\n}\n");
  ta.Text("library/steamapps/appmanifest_298030.acf",
          "\"AppState\"\n{\n\t\"appid\"\t\t\"298030\"\n\t\"installdir\"\t\t\"Total "
          "Annihilation\"\n}\n");
  ta.Folder("library/steamapps/compatdata/298030/pfx");
  EXPECT_EQ(inPrefixes->Start("TotalA.exe", " -N -H", installed), platform::StartResult::kStarted);
  expectStarted("[] " + steam + " -applaunch 298030 -N -H");
  EXPECT_EQ(inPrefixes->RunAndWait("Tahook.exe", "", installed), 0);
  expectStarted("[" + (library / "compatdata" / "298030" / "pfx").string() + "] " + wine +
                " Tahook.exe");

  const auto withoutSteam = platform::posix::CreateProcesses([&] { return Search{wine, "", {}}; });
  EXPECT_EQ(withoutSteam->Start("TotalA.exe", " -N", installed), platform::StartResult::kNoSteam);
}
#endif

}  // namespace
}  // namespace varokin::install_tests
