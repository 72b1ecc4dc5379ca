#include <windows.h>

#include "platform/thread_stack.h"

namespace vorn::platform {
namespace {

struct Task {
  void (*run)(void*);
  void* context;
};

DWORD WINAPI run_task(void* task) {
  const Task* t = static_cast<const Task*>(task);
  t->run(t->context);
  return 0;
}

}  // namespace

bool run_with_stack(size_t stack_bytes, void (*task)(void*), void* context) {
  Task t{task, context};
  // The size reserves the stack, as a thread's stack is reserved up front on Windows.
  HANDLE thread = CreateThread(nullptr, stack_bytes, &run_task, &t, STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
  if (thread == nullptr) return false;
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
  return true;
}

}  // namespace vorn::platform
