// The command line, as a desktop, a file manager or a game lobby starts the program: the
// arguments (separated by NUL bytes in the input) joined into one text and read by start-up up to
// the main window: a parameter file, a snapshot, "-host", "-join:a.b.c.d". The first byte
// chooses: bit 0 the working directory (0: the TA folder; 1: its Varokin\Snapshots, as a file
// manager opening a snapshot starts it), bit 1 whether another main window is open, bit 2
// whether another instance is hosting, bit 3 whether this is the first use, bits 4-7 the answers.
// Start-up only reads the TA folder; the settings file is the only file it writes.
#include "app/command_line.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/switcher_app.h"
#include "harness/main_window.h"
#include "harness/ta_layout.h"
#include "ui/window_titles.h"

namespace {

using namespace varokin;

class Instances : public platform::InstanceRegistry {
 public:
  explicit Instances(unsigned char control) : control_(control) {}
  bool WindowExists(const std::string& title) override {
    if (title == ui::kMainWindowTitle) return control_ & 2;
    return title == ui::kHostingWindowTitle && (control_ & 4);
  }
  std::unique_ptr<platform::WindowClaim> Claim(const std::string& title, std::string*) override {
    if (WindowExists(title)) return nullptr;
    return std::make_unique<platform::WindowClaim>();
  }

 private:
  unsigned char control_;
};

class Steps : public app::StartupSteps {
 public:
  bool CheckInstallation() override { return true; }
  void RegisterWithIcq() override {}
  void RunMainWindow() override { reached = true; }
  bool reached = false;
};

// "a.b.c.d", each an optional "-" and decimal digits.
bool FourNumbers(const std::string& address) {
  int numbers = 0;
  std::size_t at = 0;
  while (at <= address.size()) {
    if (at < address.size() && address[at] == '-') ++at;
    const std::size_t digits = at;
    while (at < address.size() && address[at] >= '0' && address[at] <= '9') ++at;
    if (at == digits) return false;
    ++numbers;
    if (at == address.size()) break;
    if (address[at] != '.') return false;
    ++at;
  }
  return numbers == 4;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static fuzz::Sandbox sandbox([](fuzz::Sandbox& ta) {
    fuzz::LayTaFolder(ta);
    ta.Text("lobby.txt", "-join:192.168.1.20\r\nsecond line\r\n");
  });
  if (size == 0) return 0;
  const unsigned char control = data[0];
  std::vector<std::string> arguments(1);
  for (std::size_t i = 1; i < size; ++i) {
    if (data[i] == 0) {
      arguments.emplace_back();
    } else {
      arguments.back() += static_cast<char>(data[i]);
    }
  }
  std::vector<const char*> argv;
  for (const std::string& argument : arguments) argv.push_back(argument.c_str());

  sandbox.Begin({}, (control & 8) ? "" : "[Varokin]\r\nFirst Use=0\r\n");
  {
    fuzz::FuzzPrompts prompts(control >> 4);
    fuzz::MainWindow window(prompts, sandbox.SettingsPath());
    if ((control & 1) && !window.fs->SetCurrentDir("Varokin\\Snapshots"))
      fuzz::Fail("no Snapshots");
    Instances instances(control);
    Steps steps;
    std::string baseGameTag = " OTA ";
    app::CSwitcherApp app(*window.fs, prompts, window.settings, window.startup, baseGameTag,
                          instances, steps);
    app.InitInstance(app::CommandText(static_cast<int>(argv.size()), argv.data()));
    const engine::StartupState& startup = window.startup;
    if (startup.hostRequested + startup.joinRequested + startup.snapshotRequested > 1) {
      fuzz::Fail("more than one request");
    }
    if (startup.joinRequested && !FourNumbers(startup.joinAddress)) {
      fuzz::Fail("join address \"" + startup.joinAddress + "\"");
    }
    if (startup.snapshotRequested && !app::EndsWithTas(startup.snapshotPath)) {
      fuzz::Fail("snapshot \"" + startup.snapshotPath + "\"");
    }
    if ((startup.hostRequested || startup.joinRequested || startup.snapshotRequested) &&
        !steps.reached) {
      fuzz::Fail("a request without the main window");
    }
  }
  sandbox.End(fuzz::Allowed::kNothing);
  return 0;
}
