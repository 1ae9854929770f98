#include <unistd.h>

#include <climits>

#include "platform/file_registry.h"
#include "platform/posix/wine.h"
#include "platform/posix/wine_registry.h"
#include "platform/user_folders.h"

namespace varokin::platform {

namespace {

// The registry of the Wine prefix the TA folder (the working folder) lies in, where the Windows
// programs run from it look; outside any prefix, the file of our own. Decided at each call, as
// start-up may change the working folder after this object is made.
class HostRegistry final : public Registry {
 public:
  HostRegistry()
      : file_(CreateFileRegistry(CreateHostFileSystem(), UserConfigFile("registry.ini"))) {}

  bool KeyExists(const std::string& key) override { return Current().KeyExists(key); }
  std::vector<std::string> SubKeys(const std::string& key) override {
    return Current().SubKeys(key);
  }
  std::optional<std::string> GetString(const std::string& key, const std::string& name) override {
    return Current().GetString(key, name);
  }
  std::optional<std::uint32_t> GetDword(const std::string& key, const std::string& name) override {
    return Current().GetDword(key, name);
  }
  bool CreateKey(const std::string& key) override { return Current().CreateKey(key); }
  bool SetString(const std::string& key, const std::string& name,
                 const std::string& value) override {
    return Current().SetString(key, name, value);
  }
  bool SetDword(const std::string& key, const std::string& name, std::uint32_t value) override {
    return Current().SetDword(key, name, value);
  }
  bool DeleteKey(const std::string& key) override { return Current().DeleteKey(key); }
  std::string ProgramPath(const std::string& hostPath) override {
    return Current().ProgramPath(hostPath);
  }

 private:
  Registry& Current() {
    char folder[PATH_MAX];
    const std::string prefix =
        getcwd(folder, sizeof folder) != nullptr ? posix::WinePrefixOf(folder) : "";
    if (prefix.empty()) return *file_;
    if (!prefixRegistry_ || prefix != prefix_) {
      prefixRegistry_ =
          posix::CreateWinePrefixRegistry(prefix, posix::FindWine(posix::HostWineSearch()));
      prefix_ = prefix;
    }
    return *prefixRegistry_;
  }

  std::unique_ptr<Registry> file_;
  std::string prefix_;
  std::unique_ptr<Registry> prefixRegistry_;
};

}  // namespace

std::unique_ptr<Registry> CreateHostRegistry() { return std::make_unique<HostRegistry>(); }

}  // namespace varokin::platform
