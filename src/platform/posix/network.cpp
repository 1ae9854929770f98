#include "platform/network.h"

#include <ifaddrs.h>
#include <net/if.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "platform/posix/interface_addresses.h"

namespace varokin::platform {

namespace {

std::string Dotted(const sockaddr* address) {
  const auto* ipv4 = reinterpret_cast<const sockaddr_in*>(address);
  const auto* bytes = reinterpret_cast<const unsigned char*>(&ipv4->sin_addr.s_addr);
  return std::to_string(bytes[0]) + "." + std::to_string(bytes[1]) + "." +
         std::to_string(bytes[2]) + "." + std::to_string(bytes[3]);
}

std::optional<std::string> HostNameIpv4() {
  const std::optional<std::string> name = LocalHostName();
  if (!name) return std::nullopt;
  addrinfo hints{};
  hints.ai_family = AF_INET;
  addrinfo* found = nullptr;
  if (getaddrinfo(name->c_str(), nullptr, &hints, &found) != 0 || found == nullptr) {
    return std::nullopt;
  }
  const std::string text = Dotted(found->ai_addr);
  freeaddrinfo(found);
  return text;
}

}  // namespace

namespace posix {

std::optional<std::string> FirstOutwardIpv4(const ifaddrs* interfaces) {
  for (const ifaddrs* entry = interfaces; entry != nullptr; entry = entry->ifa_next) {
    if (entry->ifa_addr == nullptr || entry->ifa_addr->sa_family != AF_INET) continue;
    if ((entry->ifa_flags & IFF_UP) == 0 || (entry->ifa_flags & IFF_LOOPBACK) != 0) continue;
    return Dotted(entry->ifa_addr);
  }
  return std::nullopt;
}

}  // namespace posix

std::optional<std::string> LocalHostName() {
  char name[129] = {};
  if (gethostname(name, sizeof name - 1) != 0) return std::nullopt;
  return std::string(name);
}

// Debian maps the host name to 127.0.1.1, which no other player can reach; the name is asked
// only when no interface is up but the loopback.
std::optional<std::string> LocalIpv4Address() {
  ifaddrs* interfaces = nullptr;
  if (getifaddrs(&interfaces) == 0) {
    const std::optional<std::string> outward = posix::FirstOutwardIpv4(interfaces);
    freeifaddrs(interfaces);
    if (outward) return outward;
  }
  return HostNameIpv4();
}

}  // namespace varokin::platform
