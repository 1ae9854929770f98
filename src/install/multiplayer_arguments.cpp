#include "install/multiplayer_arguments.h"

#include <algorithm>
#include <cstdio>

namespace varokin::install {

std::string NormaliseAddress(const std::string& text) {
  int parts[4] = {0, 0, 0, 0};
  // sscanf stops at the first part that does not match and leaves the rest untouched.
  std::sscanf(text.c_str(), "%d.%d.%d.%d", &parts[0], &parts[1], &parts[2], &parts[3]);
  std::string address;
  for (int i = 0; i < 4; ++i) {
    if (i > 0) address += '.';
    address += std::to_string(parts[i] & 255);
  }
  return address;
}

std::string CleanGameName(const std::string& text) {
  std::string name = text.substr(0, 16);
  std::replace_if(
      name.begin(), name.end(), [](char c) { return c == ' ' || c == '\t'; }, '_');
  return name;
}

std::string HostArguments(const std::string& gameName) {
  return std::string(" -N1:0.0.0.0 -H ").append(gameName);
}

std::string JoinArguments(const std::string& address) {
  return std::string(" -N1:").append(address);
}

}  // namespace varokin::install
