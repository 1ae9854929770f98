#pragma once

#include <string>
#include <vector>

#include "ui/console/console_io.h"
#include "ui/console/console_window.h"

namespace varokin::ui::console {

// Reads commands, one per line, and acts on a window as its user would, until the window has
// closed. At the end of input the window is closed as with Escape.
class CommandLoop {
 public:
  explicit CommandLoop(ConsoleIo& io) : io_(io) {}

  void Run(ConsoleWindow& window);
  // Carries out one command line; false with the reason when it could not be done.
  bool Execute(ConsoleWindow& window, const std::string& line, std::string& reason);

 private:
  void ShowControl(ConsoleWindow& window, Control& control);
  void ShowMenu(MenuItem& item);
  void ShowWindow(ConsoleWindow& window);
  bool Show(ConsoleWindow& window, const std::vector<std::string>& words, std::string& reason);
  // The control of that id that a user's mouse could reach, or nullptr with the reason.
  Control* Reachable(ConsoleWindow& window, const std::string& idText, std::string& reason);

  ConsoleIo& io_;
};

}  // namespace varokin::ui::console
