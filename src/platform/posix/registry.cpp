#include "platform/file_registry.h"
#include "platform/user_folders.h"

namespace varokin::platform {

std::unique_ptr<Registry> CreateHostRegistry() {
  return CreateFileRegistry(CreateHostFileSystem(), UserConfigFolder() + "/registry.ini");
}

}  // namespace varokin::platform
