#include "ui/console/console_io.h"

#include <istream>
#include <ostream>

namespace varokin::ui::console {

std::optional<std::string> ConsoleIo::ReadLine() {
  std::string line;
  if (!std::getline(in_, line)) return std::nullopt;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

void ConsoleIo::WriteLine(const std::string& line) { out_ << line << '\n' << std::flush; }

}  // namespace varokin::ui::console
