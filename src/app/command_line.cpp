#include "app/command_line.h"

#include "platform/line_reader.h"

namespace varokin::app {

namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';

bool IsAbsolute(const std::string& path) {
  if (path.empty()) return false;
  if (path[0] == '\\' || path[0] == '/') return true;
  return path.size() >= 2 && path[1] == ':';
}
#else
constexpr char kSeparator = '/';

bool IsAbsolute(const std::string& path) { return !path.empty() && path[0] == '/'; }
#endif

}  // namespace

bool EndsWithTas(const std::string& text) {
  return text.size() >= 4 && text.compare(text.size() - 4, 4, ".tas") == 0;
}

std::string JoinAddress(const std::string& commandText) {
  const std::string marker = "join:";
  const std::size_t at = commandText.find(marker);
  int numbers[4] = {0, 0, 0, 0};
  if (at != std::string::npos) {
    platform::WordScanner scanner(std::string_view(commandText).substr(at + marker.size()));
    // As formatted input does, reading stops at the first number or dot that is not there.
    for (int i = 0; i < 4; ++i) {
      if (i > 0 && !scanner.Literal('.')) break;
      if (!scanner.NextInt(numbers[i])) break;
    }
  }
  std::string address;
  for (int i = 0; i < 4; ++i) {
    if (i > 0) address += '.';
    address += std::to_string(numbers[i]);
  }
  return address;
}

std::string AbsoluteHostPath(const std::string& currentDir, const std::string& path) {
  if (IsAbsolute(path) || currentDir.empty()) return path;
  std::string joined = currentDir;
  if (joined.back() != kSeparator) joined += kSeparator;
  return joined + path;
}

std::string CommandText(int argc, const char* const* argv) {
  std::string text;
  for (int i = 0; i < argc; ++i) {
    if (i > 0) text += ' ';
    text += argv[i];
  }
  return text;
}

std::string CommandText(const std::vector<std::string>& arguments) {
  std::string text;
  for (const std::string& argument : arguments) {
    if (!text.empty()) text += ' ';
    text += argument;
  }
  return text;
}

}  // namespace varokin::app
