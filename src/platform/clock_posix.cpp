#include <ctime>

#include "platform/clock.h"

namespace vorn::platform {

uint32_t tick_count_ms() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  const uint64_t ms = static_cast<uint64_t>(now.tv_sec) * 1000u + static_cast<uint64_t>(now.tv_nsec) / 1000000u;
  return static_cast<uint32_t>(ms);
}

TimeOfDay local_time_of_day() {
  // Breaking the time down takes the C library's time-zone lock; a thread that logs
  // many lines within one second reuses its last answer.
  thread_local time_t cached_second = static_cast<time_t>(-1);
  thread_local TimeOfDay cached{0, 0, 0};
  const time_t now = time(nullptr);
  if (now != cached_second) {
    tm parts{};
    if (localtime_r(&now, &parts) != nullptr) {
      cached = TimeOfDay{parts.tm_hour, parts.tm_min, parts.tm_sec};
      cached_second = now;
    }
  }
  return cached;
}

}  // namespace vorn::platform
