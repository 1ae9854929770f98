// One click on the units tab with a crowded TA folder: 5,000 UFOs and 300 packs of 20. A click on
// a UFO enables it (and, as always after an enable, brings every row of both lists in line with
// the files) and a second click disables it; a click on a pack does the same for its 20 UFOs.
// Each iteration also does the bare existence tests and renames those clicks need, on the same
// files, so that "x_bare" is the ratio of the two in this very run. The aim: within 3 times.
#include <benchmark/benchmark.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "engine/context.h"
#include "engine/game_files.h"
#include "engine/mod_state.h"
#include "engine/relocation.h"
#include "engine/startup_state.h"
#include "engine_parts.h"
#include "platform/file_system.h"
#include "settings/settings_store.h"
#include "support/scripted_prompts.h"
#include "ui/headless/main_window_set.h"
#include "ui/switcher_dlg.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kUfos = 5'000;  // half enabled, half kept in Varokin\UfoManager
constexpr int kPacks = 300;
constexpr int kPackSize = 20;

std::map<std::string, double> ratios;

std::string KeptName(int n) { return "Kept" + std::to_string(n); }

// Pack p names kept UFOs from p * 7 on, so that packs overlap as players' packs do.
int PackMember(int pack, int i) { return (pack * 7 + i) % (kUfos / 2); }

void LayDown(const fs::path& ta) {
  const fs::path kept = ta / "Varokin" / "UfoManager";
  fs::create_directories(kept);
  fs::create_directories(ta / "Varokin" / "Snapshots");
  // The game's own archives, sparse, so that start-up has nothing to report.
  for (const auto& [file, size] : {std::pair{"totala.exe", varokin::engine::kTotalaExeSize},
                                   std::pair{"totala1.hpi", varokin::engine::kTotala1HpiSize},
                                   std::pair{"rev31.ufo", varokin::engine::kRev31UfoSize}}) {
    std::ofstream(ta / file).close();
    fs::resize_file(ta / file, size);
  }
  for (int n = 0; n < kUfos / 2; ++n) {
    std::ofstream(ta / ("Unit" + std::to_string(n) + ".ufo")) << "ufo\r\n";
    std::ofstream(kept / (KeptName(n) + ".ufo")) << "ufo\r\n";
  }
  for (int pack = 0; pack < kPacks; ++pack) {
    std::ofstream file(kept / ("Pack" + std::to_string(pack) + ".pac"), std::ios::binary);
    file << "Pack " << pack << "\r\nTwenty units\r\n";
    for (int i = 0; i < kPackSize; ++i) file << KeptName(PackMember(pack, i)) << "\r\n";
  }
}

double Timed(const std::function<void()>& work) {
  const Clock::time_point start = Clock::now();
  work();
  return std::chrono::duration<double>(Clock::now() - start).count();
}

bool Present(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0;
}

// What enabling and then disabling these kept UFOs needs at the least: each one's two places and
// description file tested, renamed in; every UFO's enabled place tested once for the lists; each
// tested and renamed out again.
bool BareEnableAndDisable(const std::vector<int>& members) {
  for (int n : members) {
    const std::string name = KeptName(n);
    Present("Varokin/UfoManager/" + name + ".txt");
    if (!Present("Varokin/UfoManager/" + name + ".ufo") || Present(name + ".ufo")) return false;
    if (std::rename(("Varokin/UfoManager/" + name + ".ufo").c_str(), (name + ".ufo").c_str()) != 0)
      return false;
  }
  int enabled = 0;
  for (int n = 0; n < kUfos / 2; ++n) {
    enabled += Present("Unit" + std::to_string(n) + ".ufo");
    enabled += Present(KeptName(n) + ".ufo");
  }
  if (enabled != kUfos / 2 + static_cast<int>(members.size())) return false;
  for (int n : members) {
    const std::string name = KeptName(n);
    Present("Varokin/UfoManager/" + name + ".txt");
    if (!Present(name + ".ufo")) return false;
    if (std::rename((name + ".ufo").c_str(), ("Varokin/UfoManager/" + name + ".ufo").c_str()) != 0)
      return false;
  }
  return true;
}

// The main window over headless controls, started on the folder.
struct Window : EngineParts {
  explicit Window(const fs::path& ini) : EngineParts(ini.string()), dlg(ctx, controls.Controls()) {
    prompts.onUnexpected = [this](const std::string&) { messageShown = true; };
    dlg.OnInitDialog();
  }
  int Row(varokin::ui::ListBox& list, const std::string& text) {
    for (int row = 0; row < list.GetCount(); ++row) {
      if (list.GetText(row) == text) return row;
    }
    return varokin::ui::ListBox::kError;
  }
  void Click(varokin::ui::headless::HeadlessListBox& list, int row) {
    list.Click(row);
    dlg.OnSelchange(list.Id());
  }

  varokin::ui::headless::HeadlessMainWindow controls;
  varokin::ui::CSwitcherDlg dlg;
  bool messageShown = false;
};

fs::path taFolder;
fs::path iniFile;

// Clicks the row twice per iteration (enable, disable) and times it against the bare work.
void ClickTwice(benchmark::State& state, bool pack, const char* name) {
  if (chdir(taFolder.c_str()) != 0) {
    state.SkipWithError("cannot enter the TA folder");
    return;
  }
  Window w(iniFile);
  varokin::ui::headless::HeadlessListBox& list = pack ? w.controls.packList : w.controls.ufoList;
  const int row = w.Row(list, pack ? "Pack 150" : KeptName(1234));
  std::vector<int> members;
  for (int i = 0; i < (pack ? kPackSize : 1); ++i)
    members.push_back(pack ? PackMember(150, i) : 1234);
  double program = 0;
  double bare = 0;
  for (auto _ : state) {
    bool bareDone = false;
    bare += Timed([&] { bareDone = BareEnableAndDisable(members); });
    if (!bareDone) {
      state.SkipWithError("the bare work failed");
      return;
    }
    // The bare renames changed both folders behind the program's back, which never happens
    // between a player's clicks; the program reads the two listings again here, outside the
    // timing, once the folders have been left alone for as long as it takes to move the mouse.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    static_cast<void>(w.files->Exists("Varokin\\UfoManager\\" + KeptName(0) + ".ufo"));
    static_cast<void>(w.files->Exists("Unit0.ufo"));
    int selectedBetween = 0;
    const double seconds = Timed([&] {
      w.Click(list, row);
      selectedBetween = w.controls.ufoList.GetSelCount();
      w.Click(list, row);
    });
    state.SetIterationTime(seconds);
    program += seconds;
    if (w.messageShown || selectedBetween != kUfos / 2 + static_cast<int>(members.size()) ||
        w.controls.ufoList.GetSelCount() != kUfos / 2 || Present(KeptName(members[0]) + ".ufo")) {
      state.SkipWithError("the clicks did not enable and disable the UFOs quietly");
      return;
    }
  }
  state.counters["bare_ms"] = benchmark::Counter(bare * 1e3, benchmark::Counter::kAvgIterations);
  state.counters["x_bare"] = bare > 0 ? program / bare : 0;
  ratios[name] = bare > 0 ? program / bare : 0;
}

void ClickUfo(benchmark::State& state) { ClickTwice(state, false, "ClickUfo"); }
void ClickPack(benchmark::State& state) { ClickTwice(state, true, "ClickPack"); }

BENCHMARK(ClickUfo)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(ClickPack)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  char rootTemplate[] = "/tmp/varokin-ufos-XXXXXX";
  const char* root = mkdtemp(rootTemplate);
  if (root == nullptr) return 1;
  taFolder = fs::path(root) / "ta";
  iniFile = fs::path(root) / "Varokin.INI";
  LayDown(taFolder);
  std::ofstream(iniFile) << "[Varokin]\r\nFirst Use=0\r\n";

  benchmark::RunSpecifiedBenchmarks();
  for (const auto& [name, ratio] : ratios) {
    std::printf("%s: %.2f times the bare work\n", name.c_str(), ratio);
  }
  if (chdir("/") == 0) fs::remove_all(root);
  benchmark::Shutdown();
  return 0;
}
