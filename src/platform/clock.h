#pragma once

#include <cstdint>

namespace varokin::platform {

struct WallTime {
  std::int64_t seconds;  // since 1970
  int milliseconds;      // 0 to 999
};

WallTime Now();

}  // namespace varokin::platform
