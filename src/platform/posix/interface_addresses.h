#pragma once

#include <ifaddrs.h>

#include <optional>
#include <string>

namespace varokin::platform::posix {

// The first IPv4 address, dotted, of an interface in the list that is up and not the loopback:
// the one the other players can reach. Nothing when there is none.
std::optional<std::string> FirstOutwardIpv4(const ifaddrs* interfaces);

}  // namespace varokin::platform::posix
