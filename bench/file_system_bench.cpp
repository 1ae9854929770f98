// Case-insensitive lookups and renames in a folder of 10,000 files, each against the bare system
// calls a case-sensitive program would make for the same answers. The ratios are printed at the
// end; the file layer aims to stay within 3 times the bare calls.
#include <benchmark/benchmark.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace {

using varokin::platform::FileSystem;

constexpr int kFiles = 10'000;

std::string Numbered(const char* stem, int i) {
  char name[32];
  std::snprintf(name, sizeof name, "%s_%05d.ufo", stem, i);
  return name;
}

// What the program asks for is rarely in the case the disk holds.
std::string OtherCase(std::string name) {
  for (char& c : name) {
    if (c >= 'a' && c <= 'z') {
      c = static_cast<char>(c - 'a' + 'A');
    } else if (c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c - 'A' + 'a');
    }
  }
  return name;
}

struct Workload {
  std::unique_ptr<FileSystem> fs = varokin::platform::CreateHostFileSystem();
  // Lookups: every other one names a file that is there.
  std::vector<std::string> asked;
  std::vector<std::string> bareAsked;
  // Renames: each file to a fresh name and back.
  std::vector<std::string> stored, storedOtherCase, moved, movedOtherCase;
};

Workload* workload = nullptr;

void ExistsThroughFileSystem(benchmark::State& state) {
  int found = 0;
  for (auto _ : state) {
    for (const std::string& name : workload->asked) found += workload->fs->Exists(name);
  }
  if (found != static_cast<int>(state.iterations()) * kFiles / 2) {
    state.SkipWithError("wrong number of files found");
  }
  state.SetItemsProcessed(state.iterations() * kFiles);
}

void ExistsBareStat(benchmark::State& state) {
  int found = 0;
  for (auto _ : state) {
    for (const std::string& name : workload->bareAsked) {
      struct stat status;
      found += stat(name.c_str(), &status) == 0;
    }
  }
  if (found != static_cast<int>(state.iterations()) * kFiles / 2) {
    state.SkipWithError("wrong number of files found");
  }
  state.SetItemsProcessed(state.iterations() * kFiles);
}

void RenameThroughFileSystem(benchmark::State& state) {
  FileSystem& fs = *workload->fs;
  for (auto _ : state) {
    for (int i = 0; i < kFiles; ++i) {
      if (!fs.Rename(workload->storedOtherCase[i], workload->moved[i])) {
        state.SkipWithError("rename failed");
        return;
      }
    }
    for (int i = 0; i < kFiles; ++i) {
      if (!fs.Rename(workload->movedOtherCase[i], workload->stored[i])) {
        state.SkipWithError("rename back failed");
        return;
      }
    }
  }
  state.SetItemsProcessed(state.iterations() * kFiles * 2);
}

void RenameBare(benchmark::State& state) {
  for (auto _ : state) {
    for (int i = 0; i < kFiles; ++i) {
      if (std::rename(workload->stored[i].c_str(), workload->moved[i].c_str()) != 0) {
        state.SkipWithError("rename failed");
        return;
      }
    }
    for (int i = 0; i < kFiles; ++i) {
      if (std::rename(workload->moved[i].c_str(), workload->stored[i].c_str()) != 0) {
        state.SkipWithError("rename back failed");
        return;
      }
    }
  }
  state.SetItemsProcessed(state.iterations() * kFiles * 2);
}

BENCHMARK(ExistsThroughFileSystem)->Unit(benchmark::kMillisecond);
BENCHMARK(ExistsBareStat)->Unit(benchmark::kMillisecond);
BENCHMARK(RenameThroughFileSystem)->Unit(benchmark::kMillisecond);
BENCHMARK(RenameBare)->Unit(benchmark::kMillisecond);

// Keeps the time of every run so that each pair can be compared at the end.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& reports) override {
    for (const Run& run : reports) {
      if (!run.error_occurred) times_[run.benchmark_name()] = run.GetAdjustedRealTime();
    }
    ConsoleReporter::ReportRuns(reports);
  }
  void PrintRatio(const std::string& ours, const std::string& bare) const {
    auto a = times_.find(ours);
    auto b = times_.find(bare);
    if (a == times_.end() || b == times_.end() || b->second <= 0) return;
    std::printf("%s / %s = %.2f\n", ours.c_str(), bare.c_str(), a->second / b->second);
  }

 private:
  std::map<std::string, double> times_;
};

void Fill(Workload& work) {
  for (int i = 0; i < kFiles; ++i) {
    const std::string name = Numbered("Unit", i);
    std::ofstream(name) << "ufo";
    work.stored.push_back(name);
    work.storedOtherCase.push_back(OtherCase(name));
    work.moved.push_back(Numbered("Moved", i));
    work.movedOtherCase.push_back(OtherCase(work.moved.back()));
    const std::string asked = i % 2 == 0 ? name : Numbered("Gone", i);
    work.bareAsked.push_back(asked);
    work.asked.push_back(OtherCase(asked));
  }
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

  char folderTemplate[] = "/tmp/varokin-bench-XXXXXX";
  const char* folder = mkdtemp(folderTemplate);
  if (folder == nullptr || chdir(folder) != 0) return 1;
  Workload work;
  workload = &work;
  Fill(work);

  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatio("ExistsThroughFileSystem", "ExistsBareStat");
  reporter.PrintRatio("RenameThroughFileSystem", "RenameBare");

  if (chdir("/") == 0) std::filesystem::remove_all(folder);
  benchmark::Shutdown();
  return 0;
}
