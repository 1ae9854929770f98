#pragma once

#include <iosfwd>
#include <optional>
#include <string>

namespace varokin::ui::console {

// The console's one input and one output, shared by the command loop and the message boxes so
// that answers and commands come from the same script in order.
class ConsoleIo {
 public:
  ConsoleIo(std::istream& in, std::ostream& out) : in_(in), out_(out) {}

  // The next line without its line end (LF or CR LF); nothing at the end of input.
  std::optional<std::string> ReadLine();
  // Writes a whole line and flushes it, so that a program on the other end sees it at once.
  void WriteLine(const std::string& line);
  // Writes a text of several lines, each "\n" or "\r\n" a line break; an empty last line is left
  // out.
  void WriteText(const std::string& text);

 private:
  std::istream& in_;
  std::ostream& out_;
};

}  // namespace varokin::ui::console
