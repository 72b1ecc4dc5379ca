#include <windows.h>

#include "platform/clock.h"

namespace vorn::platform {

uint32_t tick_count_ms() { return GetTickCount(); }

TimeOfDay local_time_of_day() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return TimeOfDay{now.wHour, now.wMinute, now.wSecond};
}

}  // namespace vorn::platform
