// The search for installed games in a large home folder: a Wine prefix and thirty game prefixes
// with full drive_c trees, and three Steam libraries of 300 games each. The whole search should
// take well under a second; the figure printed is the mean of the runs.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/installs.h"

namespace {

namespace fs = std::filesystem;

fs::path* home = nullptr;

// A drive_c as players' prefixes hold them: vendors, their products and the products' folders.
void DriveTree(const fs::path& drive, int vendors, int products, int folders) {
  for (int v = 0; v < vendors; ++v) {
    for (int p = 0; p < products; ++p) {
      const fs::path product = drive / "Program Files" / ("Vendor " + std::to_string(v)) /
                               ("Product " + std::to_string(p));
      for (int f = 0; f < folders; ++f)
        fs::create_directories(product / ("data" + std::to_string(f)));
      std::ofstream(product / "program.exe") << "MZ";
    }
  }
  fs::create_directories(drive / "windows" / "system32");
}

void LayDown() {
  DriveTree(*home / ".wine" / "drive_c", 60, 15, 8);
  fs::create_directories(*home / ".wine" / "drive_c" / "Cavedog" / "TA");
  std::ofstream(*home / ".wine" / "drive_c" / "Cavedog" / "TA" / "TotalA.exe") << "MZ";
  for (int g = 0; g < 30; ++g) {
    const fs::path prefix = *home / "Games" / ("game-" + std::to_string(g));
    DriveTree(prefix / "drive_c", 10, 10, 5);
    std::ofstream(prefix / "system.reg") << "WINE REGISTRY Version 2\n";
  }
  std::string vdf = "\"libraryfolders\"\n{\n";
  for (int l = 0; l < 3; ++l) {
    const fs::path library = *home / ("library" + std::to_string(l));
    for (int game = 0; game < 300; ++game) {
      const fs::path folder = library / "steamapps" / "common" / ("Game " + std::to_string(game));
      for (int f = 0; f < 10; ++f) fs::create_directories(folder / ("data" + std::to_string(f)));
    }
    vdf +=
        "\t\"" + std::to_string(l) + "\"\n\t{\n\t\t\"path\"\t\t\"" + library.string() + "\"\n\t}\n";
  }
  const fs::path ta = *home / "library1" / "steamapps" / "common" / "Total Annihilation";
  fs::create_directories(ta);
  std::ofstream(ta / "TotalA.exe") << "MZ";
  fs::create_directories(*home / ".local" / "share" / "Steam" / "steamapps");
  std::ofstream(*home / ".local" / "share" / "Steam" / "steamapps" / "libraryfolders.vdf")
      << vdf << "}\n";
}

void BM_FindInstalls(benchmark::State& state) {
  std::size_t found = 0;
  for (auto _ : state) {
    found = varokin::platform::FindInstalls().size();
    benchmark::DoNotOptimize(found);
  }
  // The search that misses the games is no faster search.
  if (found != 2) state.SkipWithError("the two installs were not both found");
}
BENCHMARK(BM_FindInstalls)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
  char pattern[] = "/tmp/varokin-installs-bench-XXXXXX";
  if (mkdtemp(pattern) == nullptr) return 1;
  fs::path folder = fs::canonical(pattern);
  home = &folder;
  LayDown();
  setenv("HOME", folder.c_str(), 1);
  unsetenv("XDG_DATA_HOME");
  unsetenv("WINEPREFIX");
  std::size_t folders = 0;
  for (auto it = fs::recursive_directory_iterator(folder); it != fs::recursive_directory_iterator();
       ++it) {
    folders += it->is_directory() ? 1 : 0;
  }
  std::printf("a home of %zu folders\n", folders);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  fs::remove_all(folder);
  return 0;
}
