#include "ui/win32/command_text.h"

namespace varokin::ui::win32 {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::string CommandTextOf(const char* commandLine) {
  if (commandLine == nullptr) return std::string();
  const char* p = commandLine;
  if (*p == '"') {
    ++p;
    while (*p != '\0' && *p != '"') ++p;
    if (*p == '"') ++p;
  } else {
    while (*p != '\0' && !IsBlank(*p)) ++p;
  }
  while (IsBlank(*p)) ++p;
  return std::string(p);
}

}  // namespace varokin::ui::win32
