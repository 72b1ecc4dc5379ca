// Internal to vorn_common: do not include from outside src/.
//
// Millisecond tick counter and the local time of day.
#ifndef VORN_SRC_PLATFORM_CLOCK_H
#define VORN_SRC_PLATFORM_CLOCK_H

#include <cstdint>

namespace vorn::platform {

/// Milliseconds of a monotonic clock, cut to 32 bits (wraps about every 49.7 days).
uint32_t tick_count_ms();

/// Hours (0..23), minutes and seconds of the local time.
struct TimeOfDay {
  int hour;
  int minute;
  int second;
};

/// The current local time of day. Cheap enough to call once per log line.
TimeOfDay local_time_of_day();

}  // namespace vorn::platform

#endif  // VORN_SRC_PLATFORM_CLOCK_H
