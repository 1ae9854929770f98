#pragma once

#include <optional>
#include <string>

#include "platform/file_system.h"

namespace varokin::settings {

// A window's place on the desktop, in pixels.
struct WindowBox {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool operator==(const WindowBox&) const = default;
};

// Where the main window last was, kept per user (one line "x y width height maximised" in the
// per-user configuration folder), not per TA folder: the same player's screen serves them all.
struct WindowPlacement {
  WindowBox box;  // the window's size and place when not maximised
  bool maximised = false;
};

std::optional<WindowPlacement> ReadWindowPlacement(platform::FileSystem& fs,
                                                   const std::string& path);
bool WriteWindowPlacement(platform::FileSystem& fs, const std::string& path,
                          const WindowPlacement& placement);

// "window" in the per-user configuration folder.
std::string WindowPlacementPath();

// The box moved and shrunk as little as it takes to lie inside screen, and no smaller than the
// smallest size: a screen given up since, or a smaller one, must not leave the window out of
// reach.
WindowBox KeptOnScreen(WindowBox box, const WindowBox& screen, int minWidth, int minHeight);

}  // namespace varokin::settings
