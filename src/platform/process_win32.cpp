#include <windows.h>

#include "platform/process.h"

namespace vorn::platform {

uint32_t current_thread_id() { return GetCurrentThreadId(); }

uint32_t current_process_id() { return GetCurrentProcessId(); }

}  // namespace vorn::platform
