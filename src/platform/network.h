#pragma once

#include <optional>
#include <string>

namespace varokin::platform {

// The local host's name and its first IPv4 address in dotted form, as a game host announces it.
std::optional<std::string> LocalHostName();
std::optional<std::string> LocalIpv4Address();

}  // namespace varokin::platform
