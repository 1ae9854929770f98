#pragma once

#include <string>
#include <vector>

namespace varokin::app {

// True when the last four characters are exactly ".tas" (case-sensitive).
bool EndsWithTas(const std::string& text);

// The four numbers that follow the first "join:" as the game expects them, each rewritten in
// decimal and joined by "."; a number that cannot be read is 0.
std::string JoinAddress(const std::string& commandText);

// path as an absolute host path: unchanged when it is absolute already, else currentDir joined
// with it.
std::string AbsoluteHostPath(const std::string& currentDir, const std::string& path);

// The command text of an argument vector (without the program's own name): the arguments joined
// with single blanks.
std::string CommandText(int argc, const char* const* argv);
std::string CommandText(const std::vector<std::string>& arguments);

}  // namespace varokin::app
