#include "install/multiplayer_arguments.h"

#include <algorithm>
#include <string_view>

#include "platform/text.h"

namespace varokin::install {

namespace {

// Reads one number as "%d" would (blanks, a sign, then at least one digit) and keeps the lowest
// eight bits of the number as written: the address needs no more, and no run of digits can
// overflow. False, with at unchanged, when no number is there.
bool ReadLowByte(std::string_view text, std::size_t& at, int& lowByte) {
  std::size_t i = at;
  while (i < text.size() && platform::IsSpace(text[i])) ++i;
  const bool negative = i < text.size() && text[i] == '-';
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
  const std::size_t digits = i;
  unsigned value = 0;  // wraps, keeping the low bits exact
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + static_cast<unsigned>(text[i] - '0');
  }
  if (i == digits) return false;
  if (negative) value = 0u - value;
  lowByte = static_cast<int>(value & 255u);
  at = i;
  return true;
}

}  // namespace

// Four numbers separated by dots; reading stops at the first part that does not match, and the
// parts not read are 0. The text ends at a NUL, as the C string it was typed into does.
std::string NormaliseAddress(const std::string& text) {
  const std::string_view typed(text.c_str());
  int parts[4] = {0, 0, 0, 0};
  std::size_t at = 0;
  for (int i = 0; i < 4; ++i) {
    if (i > 0 && (at >= typed.size() || typed[at++] != '.')) break;
    if (!ReadLowByte(typed, at, parts[i])) break;
  }
  std::string address;
  for (int i = 0; i < 4; ++i) {
    if (i > 0) address += '.';
    address += std::to_string(parts[i]);
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
