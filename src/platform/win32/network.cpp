#include "platform/network.h"

#include <winsock2.h>

namespace varokin::platform {

namespace {

// The socket library stays initialised for the rest of the process, as the game's lookups
// need nothing else from it.
bool StartSockets() {
  static const bool started = [] {
    WSADATA data;
    return WSAStartup(MAKEWORD(1, 1), &data) == 0;
  }();
  return started;
}

}  // namespace

std::optional<std::string> LocalHostName() {
  StartSockets();
  char name[129] = {};
  if (gethostname(name, sizeof name - 1) != 0) return std::nullopt;
  return std::string(name);
}

std::optional<std::string> LocalIpv4Address() {
  const std::optional<std::string> name = LocalHostName();
  if (!name) return std::nullopt;
  const hostent* host = gethostbyname(name->c_str());
  if (host == nullptr || host->h_addr_list == nullptr || host->h_addr_list[0] == nullptr) {
    return std::nullopt;
  }
  const auto* bytes = reinterpret_cast<const unsigned char*>(host->h_addr_list[0]);
  return std::to_string(bytes[0]) + "." + std::to_string(bytes[1]) + "." +
         std::to_string(bytes[2]) + "." + std::to_string(bytes[3]);
}

}  // namespace varokin::platform
