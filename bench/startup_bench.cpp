// The two waits a player notices: the main window coming up over a well-stocked TA folder, and a
// switch into and out of a large Total Conversion. Each iteration also does the bare system calls
// a program needs at the least for the same result, on the same files, so that the counter
// "x_bare" is the ratio of the two in this very run. The aim is to stay within 3 times the bare
// work.
//
// Typing into the Units tab's filter over those 5,000 UFOs must take less than a frame (16 ms)
// per letter, the rows to show counted as a window would draw them.
//
// Then start-up beside files that once made it slow, each against the same folder without them:
// a 10 MB settings file (and one just under the 1 MB a settings file may have), and a pack of
// 1,000,000 members beside 10,000 UFOs. The aim is to stay within 3 times the start-up without
// them; the closing lines give the ratios.
#include <benchmark/benchmark.h>
#include <dirent.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/context.h"
#include "engine/game_files.h"
#include "engine/mod_state.h"
#include "engine/relocation.h"
#include "engine/startup_state.h"
#include "engine/tc_switching.h"
#include "engine_parts.h"
#include "platform/file_system.h"
#include "settings/settings_store.h"
#include "support/scripted_prompts.h"
#include "ui/headless/main_window_set.h"
#include "ui/switcher_dlg.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using varokin::engine::StartupState;
using varokin::settings::SettingsStore;

constexpr int kModsPerKind = 170;
constexpr int kUfosPerPlace = 2'500;
constexpr int kTcPairs = 2'000;
constexpr const char* kBigTc = "][Big.tc";

constexpr int kPackUfos = 10'000;
constexpr int kPackMembers = 1'000'000;

struct Folders {
  fs::path root;
  fs::path plainTa;  // kPackUfos UFOs...
  fs::path packTa;   // ...and the same beside one pack of kPackMembers members
  std::map<std::string, double> startUpSeconds;  // benchmark -> mean start-up
  fs::path startTa;                              // the TA folder the window starts over
  fs::path switchTa;                             // the TA folder of the large Total Conversion
  fs::path startIni;                             // remembers nothing
  fs::path switchIni;                            // the switch writes the TC it made current
  std::map<std::string, double> ratios;          // benchmark -> last x_bare, for the closing lines
};

Folders* folders = nullptr;

void WriteLines(const fs::path& path, const std::vector<std::string>& lines) {
  std::ofstream file(path, std::ios::binary);
  for (const std::string& line : lines) file << line << "\r\n";
}

void WriteSparse(const fs::path& path, std::uintmax_t size) {
  std::ofstream(path, std::ios::binary).close();
  fs::resize_file(path, size);
}

// The game's archives at their own sizes, so that start-up has nothing to warn about.
void LayDownGame(const fs::path& ta) {
  fs::create_directories(ta / "Varokin" / "UfoManager");
  fs::create_directories(ta / "Varokin" / "Snapshots");
  WriteSparse(ta / "totala.exe", varokin::engine::kTotalaExeSize);
  WriteSparse(ta / "totala1.hpi", varokin::engine::kTotala1HpiSize);
  WriteSparse(ta / "rev31.ufo", varokin::engine::kRev31UfoSize);
}

void LayDownCatalogue(const fs::path& ta) {
  LayDownGame(ta);
  const fs::path store = ta / "Varokin";
  for (int n = 0; n < kModsPerKind; ++n) {
    const std::string id = std::to_string(n);
    WriteLines(store / ("][Tc" + id + ".tc"), {"Conversion " + id, "A whole new war##part " + id,
                                               "tc" + id, "tc" + id + ".dat tc" + id + ".hpi"});
    WriteLines(store / ("tc" + id + ".dat"), {"archive"});
    WriteLines(store / ("}{Mut" + id + ".vkn"),
               {"Mutator " + id, "Tweaks units##set " + id, "mut" + id, "0"});
    WriteLines(store / ("}{Mut" + id + ".ccx"), {"payload"});
    WriteLines(store / ("^^Ai" + id + ".ai"),
               {"Opponent " + id, "Plays hard##style " + id, "ai" + id, "ai" + id});
    WriteLines(store / ("^^Ai" + id + "(1)"), {"profile"});
  }
  for (int n = 0; n < kUfosPerPlace; ++n) {
    const std::string id = std::to_string(n);
    WriteLines(ta / ("Unit" + id + ".ufo"), {"ufo"});
    WriteLines(store / "UfoManager" / ("Kept" + id + ".ufo"), {"ufo"});
  }
}

void LayDownBigTc(const fs::path& ta) {
  LayDownGame(ta);
  std::vector<std::string> lines{"Big Conversion", "Replaces a lot", "big"};
  for (int k = 0; k < kTcPairs; ++k) {
    const std::string id = std::to_string(k);
    lines.push_back("p" + id + " q" + id);
    WriteLines(ta / "Varokin" / ("p" + id), {"payload " + id});
  }
  WriteLines(ta / "Varokin" / kBigTc, lines);
}

// Half the UFOs switched on, half kept in the UFO manager's folder; the pack names every one of
// them among members that name no UFO here.
void LayDownUfos(const fs::path& ta, bool withPack) {
  LayDownGame(ta);
  for (int n = 0; n < kPackUfos; ++n) {
    const fs::path folder = n % 2 == 0 ? ta : ta / "Varokin" / "UfoManager";
    WriteLines(folder / ("u" + std::to_string(n) + ".ufo"), {"ufo"});
  }
  if (!withPack) return;
  std::ofstream pack(ta / "Varokin" / "UfoManager" / "Everything.pac", std::ios::binary);
  pack << "Everything\r\nEvery unit there ever was\r\n";
  for (int n = 0; n < kPackMembers; ++n) pack << 'u' << n << "\r\n";
}

// The entries a player's settings file holds, then comment lines up to `size` bytes.
void WriteSettings(const fs::path& path, std::size_t size) {
  std::string text =
      "[Varokin]\r\nFirst Use=0\r\nUse TAHook=0\r\n[Previous Settings]\r\nTC=none\r\n"
      "SelectedTab=1\r\n[Warnings]\r\nCustom EXE=1\r\n";
  const std::string comment = "; kept for later" + std::string(46, '.') + "\r\n";
  while (text.size() + comment.size() <= size) text += comment;
  std::ofstream(path, std::ios::binary) << text;
}

// The time of one run of work, in seconds.
double Timed(const std::function<void()>& work) {
  const Clock::time_point start = Clock::now();
  work();
  return std::chrono::duration<double>(Clock::now() - start).count();
}

void Report(benchmark::State& state, const char* name, double programSeconds, double bareSeconds) {
  using benchmark::Counter;
  state.counters["bare_ms"] = Counter(bareSeconds * 1e3, Counter::kAvgIterations);
  const double ratio = bareSeconds > 0 ? programSeconds / bareSeconds : 0;
  state.counters["x_bare"] = ratio;
  folders->ratios[name] = ratio;
}

// A message would wait for a player; here it means the set-up is wrong.
void ExpectNoMessage(varokin::fixtures::ScriptedPrompts& prompts, bool& shown) {
  prompts.onUnexpected = [&shown](const std::string&) { shown = true; };
}

// Everything a start of the program creates before the window shows, over headless controls.
struct Start : EngineParts {
  explicit Start(const fs::path& ini) : EngineParts(ini.string()) {
    startup.warnModifiedFiles = true;
    startup.warnCustomExe = true;
  }
};

// One start of the program up to its shown window; `seconds` is what it took.
struct ShownWindow {
  explicit ShownWindow(const fs::path& ini) {
    seconds = Timed([&] {
      start = std::make_unique<Start>(ini);
      ExpectNoMessage(start->prompts, shown);
      window = std::make_unique<varokin::ui::headless::HeadlessMainWindow>();
      dlg = std::make_unique<varokin::ui::CSwitcherDlg>(start->ctx, window->Controls());
      dlg->OnInitDialog();
      dlg->OnShowWindow(true);
    });
  }
  bool Quiet() const { return !shown && start->prompts.Messages().empty(); }

  bool shown = false;
  std::unique_ptr<Start> start;
  std::unique_ptr<varokin::ui::headless::HeadlessMainWindow> window;
  std::unique_ptr<varokin::ui::CSwitcherDlg> dlg;
  double seconds = 0;
};

// What start-up cannot do without: list the three folders and read each configuration file's
// first line (its title).
int BareListing() {
  int titles = 0;
  for (const char* folder : {"Varokin", ".", "Varokin/UfoManager"}) {
    DIR* dir = opendir(folder);
    if (dir == nullptr) return -1;
    const bool configs = std::string(folder) == "Varokin";
    while (const dirent* entry = readdir(dir)) {
      const std::string name = entry->d_name;
      if (!configs || name.size() < 4) continue;
      const bool config = (name.rfind("][", 0) == 0 && name.ends_with(".tc")) ||
                          (name.rfind("}{", 0) == 0 && name.ends_with(".vkn")) ||
                          (name.rfind("^^", 0) == 0 && name.ends_with(".ai"));
      if (!config) continue;
      FILE* file = std::fopen(("Varokin/" + name).c_str(), "rb");
      if (file == nullptr) continue;
      char line[64];
      titles += std::fgets(line, sizeof line, file) != nullptr;
      std::fclose(file);
    }
    closedir(dir);
  }
  return titles;
}

void StartUpToShownWindow(benchmark::State& state) {
  if (chdir(folders->startTa.c_str()) != 0) {
    state.SkipWithError("cannot enter the TA folder");
    return;
  }
  double program = 0;
  double bare = 0;
  for (auto _ : state) {
    int titles = 0;
    bare += Timed([&] { titles = BareListing(); });
    if (titles != 3 * kModsPerKind) {
      state.SkipWithError("the bare listing missed configuration files");
      return;
    }
    const ShownWindow shown(folders->startIni);
    const auto& window = shown.window;
    state.SetIterationTime(shown.seconds);
    program += shown.seconds;
    if (!shown.Quiet()) {
      state.SkipWithError("start-up showed a message");
      return;
    }
    if (window->tcList.GetCount() != kModsPerKind + 1 ||
        window->mutatorList.GetCount() != kModsPerKind ||
        window->aiList.GetCount() != kModsPerKind + 1 ||
        window->ufoList.GetCount() != 2 * kUfosPerPlace ||
        window->ufoList.GetSelCount() != kUfosPerPlace) {
      state.SkipWithError("the window does not list every file");
      return;
    }
  }
  Report(state, "StartUpToShownWindow", program, bare);
}

// The same files as the switch moves, each renamed in and out again.
bool BareRenames() {
  for (int k = 0; k < kTcPairs; ++k) {
    const std::string id = std::to_string(k);
    if (std::rename(("Varokin/p" + id).c_str(), ("q" + id).c_str()) != 0) return false;
  }
  for (int k = 0; k < kTcPairs; ++k) {
    const std::string id = std::to_string(k);
    if (std::rename(("q" + id).c_str(), ("Varokin/p" + id).c_str()) != 0) return false;
  }
  return true;
}

void SwitchTcInAndOut(benchmark::State& state) {
  if (chdir(folders->switchTa.c_str()) != 0) {
    state.SkipWithError("cannot enter the TA folder");
    return;
  }
  Start running(folders->switchIni);
  bool shown = false;
  ExpectNoMessage(running.prompts, shown);
  varokin::engine::TcSwitching tcs(running.ctx);
  const int bigTc = running.state.modNamePool.Add(kBigTc);

  double program = 0;
  double bare = 0;
  for (auto _ : state) {
    bool bareDone = false;
    bare += Timed([&] { bareDone = BareRenames(); });
    if (!bareDone) {
      state.SkipWithError("a bare rename failed");
      return;
    }
    bool in = false;
    bool out = false;
    std::optional<std::string> title;
    const double seconds = Timed([&] {
      running.state.currentTc = bigTc;
      in = tcs.LoadTc();
      title = tcs.Shown().title;
      out = tcs.UnloadTc();
    });
    state.SetIterationTime(seconds);
    program += seconds;
    if (!in || !out || shown || !running.prompts.Messages().empty()) {
      state.SkipWithError("the switch failed or showed a message");
      return;
    }
    if (title != "Big Conversion" || !fs::exists("Varokin/p1999") || fs::exists("q0")) {
      state.SkipWithError("the switch left the files out of place");
      return;
    }
  }
  Report(state, "SwitchTcInAndOut", program, bare);
}

// Start-up alone over a TA folder and a settings file, to be set against another set-up's.
void TimeStartUp(benchmark::State& state, const char* name, const fs::path& ta, const fs::path& ini,
                 int ufos) {
  if (chdir(ta.c_str()) != 0) {
    state.SkipWithError("cannot enter the TA folder");
    return;
  }
  double program = 0;
  for (auto _ : state) {
    const ShownWindow shown(ini);
    const auto& window = shown.window;
    state.SetIterationTime(shown.seconds);
    program += shown.seconds;
    if (!shown.Quiet()) {
      state.SkipWithError("start-up showed a message");
      return;
    }
    if (window->ufoList.GetCount() != ufos) {
      state.SkipWithError("the window does not list every UFO");
      return;
    }
  }
  if (state.iterations() > 0) folders->startUpSeconds[name] = program / state.iterations();
}

void StartUpWithSmallIni(benchmark::State& state) {
  TimeStartUp(state, "StartUpWithSmallIni", folders->startTa, folders->startIni, 2 * kUfosPerPlace);
}

void StartUpWith1MbIni(benchmark::State& state) {
  const fs::path ini = folders->root / "1MB.INI";
  if (!fs::exists(ini)) WriteSettings(ini, varokin::settings::SettingsStore::kMaxBytes);
  TimeStartUp(state, "StartUpWith1MbIni", folders->startTa, ini, 2 * kUfosPerPlace);
}

void StartUpWith10MbIni(benchmark::State& state) {
  const fs::path ini = folders->root / "10MB.INI";
  if (!fs::exists(ini)) WriteSettings(ini, 10 * 1024 * 1024);
  TimeStartUp(state, "StartUpWith10MbIni", folders->startTa, ini, 2 * kUfosPerPlace);
}

// The pack folders are laid down only when a pack benchmark runs: a million lines take a while.
void StartUpWithoutPack(benchmark::State& state) {
  if (!fs::exists(folders->plainTa)) LayDownUfos(folders->plainTa, false);
  TimeStartUp(state, "StartUpWithoutPack", folders->plainTa, folders->startIni, kPackUfos);
}

void StartUpWithMillionMemberPack(benchmark::State& state) {
  if (!fs::exists(folders->packTa)) LayDownUfos(folders->packTa, true);
  TimeStartUp(state, "StartUpWithMillionMemberPack", folders->packTa, folders->startIni, kPackUfos);
}

// The rows a list shows under its filter, each looked at as a window drawing it would.
int ShownRows(const varokin::ui::headless::HeadlessListBox& list) {
  int shown = 0;
  for (int row = 0; row < list.GetCount(); ++row) shown += list.IsShown(row) ? 1 : 0;
  return shown;
}

void TypeIntoUnitsFilter(benchmark::State& state) {
  if (chdir(folders->startTa.c_str()) != 0) {
    state.SkipWithError("cannot enter the TA folder");
    return;
  }
  const ShownWindow shown(folders->startIni);
  auto& window = *shown.window;
  window.tabs.SetCurSel(3);
  shown.dlg->OnSelchange(varokin::ui::kIdTabs);
  const std::string word = "Kept12";
  std::size_t typed = 0;
  int rows = 0;
  for (auto _ : state) {
    typed = typed % word.size() + 1;
    const double seconds = Timed([&] {
      window.filter.SetText(word.substr(0, typed));
      shown.dlg->OnChange(varokin::ui::kIdFilter);
      rows = ShownRows(window.ufoList) + ShownRows(window.packList);
    });
    state.SetIterationTime(seconds);
  }
  // "Kept12", "Kept120" to "Kept129", "Kept1200" to "Kept1299".
  if (typed == word.size() && rows != 111) state.SkipWithError("the filter shows the wrong rows");
}

BENCHMARK(StartUpToShownWindow)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(TypeIntoUnitsFilter)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(SwitchTcInAndOut)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(StartUpWithSmallIni)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(StartUpWith1MbIni)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(StartUpWith10MbIni)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(StartUpWithoutPack)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(StartUpWithMillionMemberPack)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

  char rootTemplate[] = "/tmp/varokin-startup-XXXXXX";
  const char* root = mkdtemp(rootTemplate);
  if (root == nullptr) return 1;
  Folders made;
  made.root = root;
  made.startTa = made.root / "start";
  made.switchTa = made.root / "switch";
  made.startIni = made.root / "Varokin.INI";
  made.switchIni = made.root / "Switch.INI";
  made.plainTa = made.root / "plain";
  made.packTa = made.root / "pack";
  folders = &made;
  LayDownCatalogue(made.startTa);
  LayDownBigTc(made.switchTa);
  WriteLines(made.startIni, {"[Varokin]", "First Use=0"});
  WriteLines(made.switchIni, {"[Varokin]", "First Use=0"});

  benchmark::RunSpecifiedBenchmarks();
  for (const auto& [name, ratio] : made.ratios) {
    std::printf("%s: %.2f times the bare work\n", name.c_str(), ratio);
  }
  const std::pair<const char*, const char*> against[] = {
      {"StartUpWith1MbIni", "StartUpWithSmallIni"},
      {"StartUpWith10MbIni", "StartUpWithSmallIni"},
      {"StartUpWithMillionMemberPack", "StartUpWithoutPack"}};
  for (const auto& [with, without] : against) {
    const auto a = made.startUpSeconds.find(with);
    const auto b = made.startUpSeconds.find(without);
    if (a == made.startUpSeconds.end() || b == made.startUpSeconds.end()) continue;
    std::printf("%s: %.2f times %s\n", with, a->second / b->second, without);
  }

  if (chdir("/") == 0) fs::remove_all(made.root);
  benchmark::Shutdown();
  return 0;
}
