#include "settings/window_placement.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "platform/user_folders.h"
#include "settings/settings_store.h"

namespace varokin::settings {

std::optional<WindowPlacement> ReadWindowPlacement(platform::FileSystem& fs,
                                                   const std::string& path) {
  std::unique_ptr<platform::InputFile> file = fs.OpenRead(path);
  if (!file) return std::nullopt;
  char buffer[128] = {};
  const std::size_t count = file->Read(buffer, sizeof buffer - 1);
  WindowPlacement placement;
  int maximised = 0;
  char end = 0;
  const int read =
      std::sscanf(std::string(buffer, count).c_str(), "%d %d %d %d %d%c", &placement.box.x,
                  &placement.box.y, &placement.box.width, &placement.box.height, &maximised, &end);
  if (read < 5 || (read == 6 && end != '\n' && end != '\r') || placement.box.width <= 0 ||
      placement.box.height <= 0) {
    return std::nullopt;
  }
  placement.maximised = maximised != 0;
  return placement;
}

bool WriteWindowPlacement(platform::FileSystem& fs, const std::string& path,
                          const WindowPlacement& placement) {
  const WindowBox& box = placement.box;
  const std::string line = std::to_string(box.x) + " " + std::to_string(box.y) + " " +
                           std::to_string(box.width) + " " + std::to_string(box.height) + " " +
                           (placement.maximised ? "1" : "0") + "\n";
  return EnsureFolderOf(fs, path) && fs.WriteFileAtomic(path, line);
}

std::string WindowPlacementPath() { return platform::UserConfigFile("window"); }

WindowBox KeptOnScreen(WindowBox box, const WindowBox& screen, int minWidth, int minHeight) {
  box.width = std::max(std::min(box.width, screen.width), minWidth);
  box.height = std::max(std::min(box.height, screen.height), minHeight);
  // A window larger than the screen keeps its top left corner, and with it the title bar, on it.
  box.x = std::max(std::min(box.x, screen.x + screen.width - box.width), screen.x);
  box.y = std::max(std::min(box.y, screen.y + screen.height - box.height), screen.y);
  return box;
}

}  // namespace varokin::settings
