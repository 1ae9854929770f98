#include "platform/network.h"

#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace varokin::platform {

std::optional<std::string> LocalHostName() {
  char name[129] = {};
  if (gethostname(name, sizeof name - 1) != 0) return std::nullopt;
  return std::string(name);
}

std::optional<std::string> LocalIpv4Address() {
  const std::optional<std::string> name = LocalHostName();
  if (!name) return std::nullopt;
  addrinfo hints{};
  hints.ai_family = AF_INET;
  addrinfo* found = nullptr;
  if (getaddrinfo(name->c_str(), nullptr, &hints, &found) != 0 || found == nullptr) {
    return std::nullopt;
  }
  const auto* address = reinterpret_cast<const sockaddr_in*>(found->ai_addr);
  const auto* bytes = reinterpret_cast<const unsigned char*>(&address->sin_addr.s_addr);
  const std::string text = std::to_string(bytes[0]) + "." + std::to_string(bytes[1]) + "." +
                           std::to_string(bytes[2]) + "." + std::to_string(bytes[3]);
  freeaddrinfo(found);
  return text;
}

}  // namespace varokin::platform
