// Internal to vorn_common: do not include from outside src/.
//
// Ids of the calling thread and of the process.
#ifndef VORN_SRC_PLATFORM_PROCESS_H
#define VORN_SRC_PLATFORM_PROCESS_H

#include <cstdint>

namespace vorn::platform {

/// The kernel's id of the calling thread.
uint32_t current_thread_id();

/// The id of the process.
uint32_t current_process_id();

}  // namespace vorn::platform

#endif  // VORN_SRC_PLATFORM_PROCESS_H
