#include <limits.h>
#include <pthread.h>
#include <unistd.h>

#include "platform/thread_stack.h"

namespace vorn::platform {
namespace {

struct Task {
  void (*run)(void*);
  void* context;
};

void* run_task(void* task) {
  const Task* t = static_cast<const Task*>(task);
  t->run(t->context);
  return nullptr;
}

size_t page_rounded(size_t bytes) {
  const long page = sysconf(_SC_PAGESIZE);
  const size_t unit = page > 0 ? static_cast<size_t>(page) : 4096;
  const auto least = static_cast<size_t>(PTHREAD_STACK_MIN);
  if (bytes < least) bytes = least;
  if (bytes > static_cast<size_t>(-1) - unit) return 0;
  return (bytes + unit - 1) / unit * unit;
}

}  // namespace

bool run_with_stack(size_t stack_bytes, void (*task)(void*), void* context) {
  const size_t size = page_rounded(stack_bytes);
  if (size == 0) return false;
  pthread_attr_t attributes;
  if (pthread_attr_init(&attributes) != 0) return false;
  Task t{task, context};
  pthread_t thread;
  const bool started =
      pthread_attr_setstacksize(&attributes, size) == 0 && pthread_create(&thread, &attributes, &run_task, &t) == 0;
  pthread_attr_destroy(&attributes);
  if (started) pthread_join(thread, nullptr);
  return started;
}

}  // namespace vorn::platform
