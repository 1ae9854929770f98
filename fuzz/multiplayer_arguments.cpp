// The two texts of the multiplayer window that reach the game's command line: the server address
// and the game name, typed by the player or read back from the settings file. Whatever they
// hold, the address must come out as four numbers of 0 to 255 and the name as one word of at
// most 16 characters, both unchanged by a second cleaning.
#include "install/multiplayer_arguments.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "harness/sandbox.h"

namespace {

using namespace varokin::install;

[[noreturn]] void Fail(const std::string& what, const std::string& input,
                       const std::string& output) {
  varokin::fuzz::Fail(what + ": \"" + input + "\" -> \"" + output + "\"");
}

// "a.b.c.d", each 0 to 255 in decimal without leading zeros.
bool CanonicalAddress(const std::string& address) {
  int numbers = 0;
  std::size_t at = 0;
  for (;;) {
    const std::size_t digits = at;
    int value = 0;
    while (at < address.size() && address[at] >= '0' && address[at] <= '9' && at - digits < 3) {
      value = value * 10 + (address[at++] - '0');
    }
    if (at == digits || value > 255 || (address[digits] == '0' && at - digits > 1)) return false;
    ++numbers;
    if (at == address.size()) return numbers == 4;
    if (address[at] != '.' || numbers == 4) return false;
    ++at;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);

  const std::string address = NormaliseAddress(text);
  if (!CanonicalAddress(address)) Fail("address", text, address);
  if (NormaliseAddress(address) != address) Fail("address cleaned twice", text, address);
  if (JoinArguments(address) != " -N1:" + address) Fail("join arguments", text, address);

  const std::string name = CleanGameName(text);
  if (name.size() > 16 || name.size() != std::min<std::size_t>(text.size(), 16)) {
    Fail("game name length", text, name);
  }
  for (std::size_t i = 0; i < name.size(); ++i) {
    const bool blank = text[i] == ' ' || text[i] == '\t';
    if (name[i] != (blank ? '_' : text[i])) Fail("game name", text, name);
  }
  if (CleanGameName(name) != name) Fail("game name cleaned twice", text, name);
  if (HostArguments(name) != " -N1:0.0.0.0 -H " + name) Fail("host arguments", text, name);
  return 0;
}
