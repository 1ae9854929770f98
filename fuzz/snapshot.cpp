// A snapshot file (.tas), as saved by "Take Snapshot" or handed from one player to another,
// restored from the settings menu: everything active is switched off, then the Total Conversion,
// Mutators, AI and UFOs it names are switched on. The first byte chooses what is active before:
// bit 0 the Total Conversion Galactic Dawn, bit 1 the Mutator Heavy Plating, bit 2 the AI
// Warlord; bits 3-7 the answers to questions. The rest is the file, whose parsed form must also
// read back the same once written.
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/snapshots.h"
#include "harness/main_window.h"
#include "harness/ta_layout.h"
#include "ui/main_window_controls.h"

using namespace varokin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static fuzz::Sandbox sandbox(fuzz::LayTaFolder);
  if (size == 0) return 0;
  const unsigned char control = data[0];
  const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
  const engine::Snapshot parsed = engine::ParseSnapshot(text);
  if (engine::ParseSnapshot(engine::SnapshotText(parsed)) != parsed) {
    fuzz::Fail("the snapshot reads back otherwise once written");
  }
  sandbox.Begin({{"Varokin\\Snapshots\\fuzz.tas", text}}, "[Varokin]\r\nFirst Use=0\r\n");
  {
    fuzz::FuzzPrompts prompts(control >> 3);
    fuzz::MainWindow window(prompts, sandbox.SettingsPath());
    window.Start();
    if (control & 1) window.Click(ui::kIdTcList, window.RowOfFile(ui::kIdTcList, "][Dawn.tc"));
    if (control & 2) {
      window.Click(ui::kIdMutatorList, window.RowOfFile(ui::kIdMutatorList, "}{Plating.vkn"));
    }
    if (control & 4) window.Click(ui::kIdAiList, window.RowOfFile(ui::kIdAiList, "^^Warlord.ai"));
    prompts.fileToOpen = "Varokin\\Snapshots\\fuzz.tas";
    window.Command(ui::kIdMenuRestoreSnapshot);
  }
  sandbox.End(fuzz::Allowed::kRenames);
  return 0;
}
