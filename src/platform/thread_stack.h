// Internal to vorn_common: do not include from outside src/.
//
// Running a task on a thread of its own with a stack of a chosen size, for work that
// recurses deeper than the calling thread's stack allows.
#ifndef VORN_SRC_PLATFORM_THREAD_STACK_H
#define VORN_SRC_PLATFORM_THREAD_STACK_H

#include <cstddef>

namespace vorn::platform {

/// Runs `task(context)` on a new thread with at least `stack_bytes` of stack and waits
/// until it has finished. False, with the task not run, when no such thread can be had
/// (the memory for its stack included). The task must not let an exception escape.
bool run_with_stack(size_t stack_bytes, void (*task)(void*), void* context);

}  // namespace vorn::platform

#endif  // VORN_SRC_PLATFORM_THREAD_STACK_H
