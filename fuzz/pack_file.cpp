// A UFO pack file in Varokin\UfoManager, as players pass them around: its name is listed and its
// UFO lines tie it to the units it holds when the main window starts; a click on the pack enables
// or disables every UFO it names, a second click does the opposite. The first byte chooses:
// bit 0 whether the kept UFO Planes is enabled first, bits 1-7 the answers to questions. The rest
// is the file, whose name and UFO lines must also read back the same once written.
#include "engine/pack_file.h"

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
  const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
  const engine::UfoPack parsed = engine::ParsePackFile(text);
  const engine::UfoPack written = engine::ParsePackFile(engine::PackFileText(parsed));
  // A description that grew past a line's length when stored spills into the UFO lines.
  const bool oneLine =
      engine::StoredDescription(parsed.description).size() < platform::LineReader::kDefaultBuffer;
  if (written.name != parsed.name || (oneLine && written.ufos != parsed.ufos)) {
    fuzz::Fail("the pack reads back otherwise once written");
  }
  sandbox.Begin({{"Varokin\\UfoManager\\Fuzz.pac", text}}, "[Varokin]\r\nFirst Use=0\r\n");
  {
    fuzz::FuzzPrompts prompts(control >> 1);
    fuzz::MainWindow window(prompts, sandbox.SettingsPath());
    window.Start();
    if (control & 1) window.Click(ui::kIdUfoList, window.RowOfText(ui::kIdUfoList, "Planes"));
    const int row = window.RowOfFile(ui::kIdPackList, "Fuzz.pac");
    if (row >= 0) {
      window.Click(ui::kIdPackList, row);
      sandbox.Check(fuzz::Allowed::kRenames);
      window.Click(ui::kIdPackList, row);
    }
  }
  sandbox.End(fuzz::Allowed::kRenames);
  return 0;
}
