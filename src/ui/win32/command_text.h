#pragma once

#include <string>

namespace varokin::ui::win32 {

// What follows the program's own name in a command line as the system passes it, quotes kept:
// the name ends at its closing quote when it starts with one, else at the first blank.
std::string CommandTextOf(const char* commandLine);

}  // namespace varokin::ui::win32
