#include "install/icq_registration.h"

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

namespace varokin::install {

namespace {

constexpr const char* kOwners = "Software\\Mirabilis\\ICQ\\Owners";

}  // namespace

void RegisterWithIcq(platform::FileSystem& fs, Prompts& prompts, platform::Registry& registry) {
  const std::vector<std::string> found = fs.Find("Varokin.exe");
  if (found.empty() || !registry.KeyExists(kOwners)) return;
  const std::optional<std::uint32_t> lastOwner = registry.GetDword(kOwners, "LastOwner");
  if (!lastOwner) return;
  const std::string number = std::to_string(static_cast<std::int32_t>(*lastOwner));
  const std::string ownerKey = std::string(kOwners) + "\\" + number;
  if (!registry.KeyExists(ownerKey)) return;
  std::string name = registry.GetString(ownerKey, "Name").value_or("");
  if (name.size() > 255) name.resize(255);
  const std::string externals = ownerKey + "\\Prefs\\Externals";
  const std::string registration = externals + "\\Varokin";
  if (!registry.KeyExists(externals) || registry.KeyExists(registration)) return;

  if (prompts.Message("ICQ was last used by " + name + " (" + number +
                          "), who doesn't have VKN configured as an ICQ launchable "
                          "application.\n\n Should VKN be configured as such for " +
                          name +
                          " now?\n\n    Yes - configure it now.\n     No - That's not me, or "
                          "I'm not running VKN from my TA directory. Let me launch ICQ and ask "
                          "me again next time I launch VKN",
                      Buttons::kYesNo, Icon::kQuestion) != Answer::kYes) {
    return;
  }
  if (!registry.CreateKey(registration)) {
    prompts.Message(
        "An error occurred while configuring ICQ to be able to launch VKN, you'll need to do the "
        "configuration manually (look in the VKN Readme.txt for instrucions)");
    return;
  }

  const std::string path =
      registry.ProgramPath(fs.HostPath(fs.CurrentDir() + "\\" + found.front()));
  const std::array<std::pair<const char*, std::string>, 5> values = {{
      {"Client Command Line", "-join:%i"},
      {"Server Command Line", "-host"},
      {"Type", "ClientServer"},
      {"Server Path", path},
      {"Client Path", path},
  }};
  bool written = true;
  for (const auto& [valueName, text] : values) {
    written = registry.SetString(registration, valueName, text) && written;
  }
  if (!written) {
    prompts.Message(
        "An error occurred while configuring ICQ to be able to launch VKN, you'll need to do the "
        "configuration manually (look in the Readme for directions)");
    registry.DeleteKey(registration);
    return;
  }
  prompts.Message(
      "ICQ has been configured to be able to launch Varokin.  You'll be able to find it under "
      "the Internet Telephony/Games submenu next time you launch ICQ");
}

}  // namespace varokin::install
