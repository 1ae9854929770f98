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

void ConsoleIo::WriteText(const std::string& text) {
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    if (text[i] == '\n') {
      WriteLine(line);
      line.clear();
    } else {
      line += text[i];
    }
  }
  if (!line.empty()) WriteLine(line);
}

}  // namespace varokin::ui::console
