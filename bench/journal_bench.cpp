// What the journal costs a switch: the moves of a 2,000-pair Total Conversion in and out, with the
// journal's plan written, flushed and removed around each half and a line added per rename, and
// the same moves with no journal open. x_without is the ratio of the two.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "engine/config_files.h"
#include "engine/journal.h"
#include "engine/tc_switching.h"
#include "engine_parts.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using varokin::engine::JournalScope;
using varokin::engine::kNoMod;

constexpr int kTcPairs = 2'000;

struct Run : EngineParts {
  Run() : EngineParts((fs::current_path() / "Varokin.INI").string()), tcs(ctx) {
    bigTc = state.modNamePool.Add("][Big.tc");
  }
  varokin::engine::TcSwitching tcs;
  int bigTc = 0;
};

fs::path* folder = nullptr;
double secondsWithout = 0;

void LayDown(const fs::path& ta) {
  fs::create_directories(ta / "Varokin");
  std::ofstream config(ta / "Varokin" / "][Big.tc", std::ios::binary);
  config << "Big Conversion\r\nReplaces a lot\r\nbig\r\n";
  for (int k = 0; k < kTcPairs; ++k) {
    const std::string id = std::to_string(k);
    config << "p" << id << " q" << id << "\r\n";
    std::ofstream(ta / "Varokin" / ("p" + id), std::ios::binary) << "payload " << id;
  }
}

// The pairs of the TC's file moved one way, as a load or an unload moves them.
bool MovePairs(Run& run, bool in) {
  varokin::engine::ConfigReader reader(*run.files, "][Big.tc");
  reader.SkipHeader();
  varokin::engine::RenamePair pair;
  const varokin::engine::Framing framing;
  while (reader.NextRenamePair(pair)) {
    const std::string stored = varokin::engine::ConfigPath(pair.stored);
    const bool moved = in ? run.relocator.MoveWithBackup(stored, pair.installed, framing)
                          : run.relocator.MoveWithBackup(pair.installed, stored, framing);
    if (!moved) return false;
  }
  return true;
}

bool SwitchInAndOut(Run& run, bool journal) {
  varokin::engine::Journal& record = run.relocator.JournalOfMoves();
  {
    std::unique_ptr<JournalScope> scope;
    if (journal) {
      scope = std::make_unique<JournalScope>(record,
                                             [&] { return run.tcs.PlanSwitch(kNoMod, run.bigTc); });
    }
    if (!MovePairs(run, true)) return false;
  }
  std::unique_ptr<JournalScope> scope;
  if (journal) {
    scope = std::make_unique<JournalScope>(record,
                                           [&] { return run.tcs.PlanSwitch(run.bigTc, kNoMod); });
  }
  return MovePairs(run, false);
}

void Time(benchmark::State& state, bool journal) {
  if (chdir(folder->c_str()) != 0) {
    state.SkipWithError("cannot enter the TA folder");
    return;
  }
  Run run;
  double total = 0;
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    const bool done = SwitchInAndOut(run, journal);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    state.SetIterationTime(seconds);
    total += seconds;
    if (!done || !run.prompts.Messages().empty() || !fs::exists("Varokin/p1999") ||
        fs::exists("Varokin/Journal.txt")) {
      state.SkipWithError("the switch failed or left something behind");
      return;
    }
  }
  if (state.iterations() == 0) return;
  const double mean = total / static_cast<double>(state.iterations());
  if (!journal) secondsWithout = mean;
  if (journal && secondsWithout > 0) state.counters["x_without"] = mean / secondsWithout;
}

void SwitchWithoutJournal(benchmark::State& state) { Time(state, false); }
void SwitchWithJournal(benchmark::State& state) { Time(state, true); }

BENCHMARK(SwitchWithoutJournal)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(SwitchWithJournal)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  char pattern[] = "/tmp/varokin-journal-bench-XXXXXX";
  if (mkdtemp(pattern) == nullptr) return 1;
  fs::path root = pattern;
  folder = &root;
  LayDown(root);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  fs::remove_all(root);
  return 0;
}
