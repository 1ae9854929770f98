#include "platform/clock.h"

#include <chrono>

namespace varokin::platform {

WallTime Now() {
  using namespace std::chrono;
  const auto sinceEpoch = duration_cast<milliseconds>(system_clock::now().time_since_epoch());
  const std::int64_t ms = sinceEpoch.count();
  return WallTime{ms / 1000, static_cast<int>(ms % 1000)};
}

}  // namespace varokin::platform
