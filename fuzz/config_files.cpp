// The configuration files of Total Conversions, Mutators and AIs, as a player installs them: read
// when the main window lists them and checks the remembered ones, and when a click switches one
// on and off again. The first byte chooses: bits 0-1 the kind (TC, Mutator, AI; 3 is a TC too),
// bit 2 whether the settings remember the file as active, bits 3-7 the answers to questions. The
// rest is the file.
#include <cstddef>
#include <cstdint>
#include <string>

#include "harness/main_window.h"
#include "harness/ta_layout.h"
#include "ui/main_window_controls.h"

namespace {

using namespace varokin;

struct Kind {
  const char* fileName;
  int listId;
  const char* remembered;
};

constexpr Kind kKinds[] = {
    {"][Fuzz.tc", ui::kIdTcList, "[Previous Settings]\r\nTC=][Fuzz.tc\r\n"},
    {"}{Fuzz.vkn", ui::kIdMutatorList, "[Active Mutators]\r\nMutator 3=}{Fuzz.vkn\r\n"},
    {"^^Fuzz.ai", ui::kIdAiList, "[Previous Settings]\r\nAI=^^Fuzz.ai\r\n"},
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static fuzz::Sandbox sandbox(fuzz::LayTaFolder);
  if (size == 0) return 0;
  const unsigned char control = data[0];
  const Kind& kind = kKinds[(control & 3) % 3];
  std::string settings = "[Varokin]\r\nFirst Use=0\r\n";
  if (control & 4) settings += kind.remembered;
  sandbox.Begin({{std::string("Varokin\\") + kind.fileName,
                  std::string(reinterpret_cast<const char*>(data) + 1, size - 1)}},
                settings);
  {
    fuzz::FuzzPrompts prompts(control >> 3);
    fuzz::MainWindow window(prompts, sandbox.SettingsPath());
    window.Start();
    const int row = window.RowOfFile(kind.listId, kind.fileName);
    if (row >= 0) {
      // On, then off again: a Mutator by a second click, a TC or an AI by the first row.
      window.Click(kind.listId, row);
      sandbox.Check(fuzz::Allowed::kRenames);
      window.Click(kind.listId, kind.listId == ui::kIdMutatorList ? row : 0);
    }
  }
  sandbox.End(fuzz::Allowed::kRenames);
  return 0;
}
