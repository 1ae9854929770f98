// The address the multiplayer window shows, from the host's interfaces.
#ifndef _WIN32
#include "platform/network.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <net/if.h>
#include <netinet/in.h>

#include <utility>
#include <vector>

#include "platform/posix/interface_addresses.h"

namespace varokin::install_tests {
namespace {

TEST(LocalAddress, TheFirstIpv4OfAnInterfaceThatIsUpAndNotTheLoopback) {
  // Each an address, or none for an IPv6 one, and flags.
  const std::vector<std::pair<const char*, unsigned>> interfaces = {
      {"127.0.0.1", IFF_UP | IFF_LOOPBACK},
      {"10.0.0.9", 0},  // down
      {nullptr, IFF_UP},
      {"192.168.1.20", IFF_UP},
      {"10.1.1.1", IFF_UP},
  };
  std::vector<sockaddr_in> addresses(interfaces.size());
  sockaddr_in6 ipv6{};
  ipv6.sin6_family = AF_INET6;
  std::vector<ifaddrs> list(interfaces.size());
  for (std::size_t i = 0; i < interfaces.size(); ++i) {
    const auto [address, flags] = interfaces[i];
    addresses[i].sin_family = AF_INET;
    if (address) inet_pton(AF_INET, address, &addresses[i].sin_addr);
    list[i].ifa_addr =
        address ? reinterpret_cast<sockaddr*>(&addresses[i]) : reinterpret_cast<sockaddr*>(&ipv6);
    list[i].ifa_flags = flags;
    list[i].ifa_next = i + 1 < list.size() ? &list[i + 1] : nullptr;
  }
  EXPECT_EQ(platform::posix::FirstOutwardIpv4(list.data()), "192.168.1.20");
  // Only the loopback and a down interface: the host name's lookup is left to answer.
  list[1].ifa_next = nullptr;
  EXPECT_EQ(platform::posix::FirstOutwardIpv4(list.data()), std::nullopt);

  // On this host, whatever its name maps to (often the loopback), the address shown is the
  // outward one when it has one.
  ifaddrs* host = nullptr;
  ASSERT_EQ(getifaddrs(&host), 0);
  const std::optional<std::string> outward = platform::posix::FirstOutwardIpv4(host);
  freeifaddrs(host);
  if (outward) {
    EXPECT_EQ(platform::LocalIpv4Address(), outward);
  }
}

}  // namespace
}  // namespace varokin::install_tests
#endif
