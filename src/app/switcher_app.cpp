#include "app/switcher_app.h"

#include <memory>
#include <utility>

#include "app/command_line.h"
#include "engine/journal_repair.h"
#include "platform/line_reader.h"
#include "platform/text.h"
#include "ui/window_titles.h"

namespace varokin::app {

namespace {

constexpr char kParameterFileRefused[] =
    "Varokin can only non .TAS files if they're in your Total Annihilation folder";
constexpr char kSnapshotFolderRefused[] =
    "Varokin can only open .TAS files if they're in your Varokin\\Snapshots folder";
constexpr char kOneInstance[] = "You can only have one instance of Varokin running at a time.";
constexpr char kFirstUseQuestion[] =
    "This appears to be the first time you've used Varokin.\n\nHave you read and follwed all the "
    "instructions in the file VKN Installation.txt?";
constexpr char kFirstUseRefused[] =
    "Please read and follow all the instructions in the file VKN Installation.txt.\n\nOtherwise "
    "your TA folder could end up in a state where VKN can't function";

std::string LockRefused(const std::string& path) {
  return "Varokin cannot make sure it runs only once: it cannot lock " + path +
         ". Remove it, or make the folder writable, and start Varokin again.";
}

std::string SettingsDamaged(const std::string& path) {
  return "The settings file " + path +
         " is larger than 1 MB and looks damaged. Varokin uses its default settings and leaves "
         "the file as it is.";
}

}  // namespace

CSwitcherApp::CSwitcherApp(platform::FileSystem& fs, Prompts& prompts,
                           settings::SettingsStore& settings, engine::StartupState& startup,
                           std::string& baseGameTag, platform::InstanceRegistry& instances,
                           StartupSteps& steps, std::string userSettings)
    : fs_(fs),
      prompts_(prompts),
      settings_(settings),
      startup_(startup),
      baseGameTag_(baseGameTag),
      instances_(instances),
      steps_(steps),
      userSettings_(std::move(userSettings)) {}

bool CSwitcherApp::InitInstance(const std::string& commandText) {
  std::string text = platform::LowerCase(commandText);
  // A snapshot opened from its folder is named relative to that folder; once the working
  // directory has moved two levels up the relative name no longer finds it.
  std::string snapshotFromFolder;

  if (!text.empty() && fs_.Exists(text)) {
    if (!EndsWithTas(text)) {
      if (!fs_.Exists("Varokin")) {
        prompts_.Message(kParameterFileRefused);
        return false;
      }
      platform::LineReader reader(fs_, text);
      text = reader.ReadLine();
    } else {
      snapshotFromFolder = platform::LowerCase(AbsoluteHostPath(fs_.CurrentDir(), text));
      fs_.SetCurrentDir("..\\..");
      if (!fs_.Exists("Varokin")) {
        prompts_.Message(kSnapshotFolderRefused);
        return false;
      }
    }
  }

  // Claimed in the same step as it is checked, and held to the end, so that two starts at once
  // cannot both get past here, nor a second one while the first waits for an answer.
  std::string unusableLock;
  const std::unique_ptr<platform::WindowClaim> claim =
      instances_.Claim(ui::kMainWindowTitle, &unusableLock);
  if (!claim) {
    // Rather than run unguarded beside a lock that another user could hold or remove.
    if (!unusableLock.empty()) {
      prompts_.Message(LockRefused(unusableLock));
      return false;
    }
    const bool joiningAHost =
        text.find("-host") != std::string::npos && instances_.WindowExists(ui::kHostingWindowTitle);
    if (!joiningAHost) prompts_.Message(kOneInstance);
    return false;
  }

  // Only now is the TA folder final, and only the one instance on it may write its settings.
  settings_.TakeOver(userSettings_);
  if (settings_.IsDamaged()) prompts_.Message(SettingsDamaged(settings_.Path()));

  if (settings_.Get(settings::kFirstUse) == 1 &&
      prompts_.Message(kFirstUseQuestion, Buttons::kYesNo) != Answer::kYes) {
    prompts_.Message(kFirstUseRefused);
    return false;
  }
  settings_.Write(settings::kFirstUse, 0);

  // Before the settings are read: finishing or undoing an interrupted switch rewrites them.
  engine::RepairInterrupted(fs_, prompts_, settings_, startup_);

  startup_.previousTc = settings_.Get(settings::kPreviousTc);
  startup_.ccInstalled = settings_.Get(settings::kCcInstalled) != 0;
  startup_.warnModifiedFiles = settings_.Get(settings::kWarnModifiedFiles) != 0;
  startup_.warnCustomExe = settings_.Get(settings::kWarnCustomExe) != 0;

  if (!steps_.CheckInstallation()) return false;
  settings_.Write(settings::kCcInstalled, startup_.ccInstalled ? 1 : 0);
  if (startup_.ccInstalled) baseGameTag_ = " TACC ";

  if (text.find("-host") != std::string::npos) {
    startup_.hostRequested = true;
  } else if (text.find("-join:") != std::string::npos) {
    startup_.joinAddress = JoinAddress(text);
    startup_.joinRequested = true;
  } else if (EndsWithTas(text)) {
    startup_.snapshotRequested = true;
    startup_.snapshotPath = snapshotFromFolder.empty() ? text : snapshotFromFolder;
  }

  if (settings_.Get(settings::kConfigureIcq) != 0) steps_.RegisterWithIcq();
  steps_.RunMainWindow();
  return false;
}

}  // namespace varokin::app
