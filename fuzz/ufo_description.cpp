// A UFO's description file, read when a click on the units tab enables or disables the UFO: its
// "@" tag line decides whether the player is asked about compatibility, the rest is shown. The
// first byte chooses: bit 0 the UFO described (0: Fuzzy, kept in Varokin\UfoManager; 1: Fuzzed,
// enabled), bit 1 whether the settings remember the Total Conversion Ashen Frontier as active
// (tags "ASHEN"), bits 2-7 the answers to questions. The rest is the file.
#include <cstddef>
#include <cstdint>
#include <string>

#include "harness/main_window.h"
#include "harness/ta_layout.h"
#include "ui/main_window_controls.h"

using namespace varokin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static fuzz::Sandbox sandbox(fuzz::LayTaFolder);
  if (size == 0) return 0;
  const unsigned char control = data[0];
  const std::string ufo = (control & 1) ? "Fuzzed" : "Fuzzy";
  std::string settings = "[Varokin]\r\nFirst Use=0\r\n";
  if (control & 2) settings += "[Previous Settings]\r\nTC=][Ashen.tc\r\n";
  sandbox.Begin({{"Varokin\\UfoManager\\" + ufo + ".txt",
                  std::string(reinterpret_cast<const char*>(data) + 1, size - 1)}},
                settings);
  {
    fuzz::FuzzPrompts prompts(control >> 2);
    fuzz::MainWindow window(prompts, sandbox.SettingsPath());
    window.Start();
    const int row = window.RowOfText(ui::kIdUfoList, ufo);
    if (row < 0) fuzz::Fail("no row for " + ufo);
    // Enabled or disabled, and back.
    window.Click(ui::kIdUfoList, row);
    sandbox.Check(fuzz::Allowed::kRenames);
    window.Click(ui::kIdUfoList, row);
  }
  sandbox.End(fuzz::Allowed::kRenames);
  return 0;
}
