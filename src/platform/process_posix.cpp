#include <pthread.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "platform/process.h"

namespace vorn::platform {
namespace {

// The thread id is asked of the kernel once per thread; a forked child starts over.
thread_local uint32_t cached_thread_id = 0;

void forget_thread_id_in_child() { cached_thread_id = 0; }

struct ForkHook {
  ForkHook() { pthread_atfork(nullptr, nullptr, &forget_thread_id_in_child); }
};
const ForkHook fork_hook;

}  // namespace

uint32_t current_thread_id() {
  if (cached_thread_id == 0) cached_thread_id = static_cast<uint32_t>(syscall(SYS_gettid));
  return cached_thread_id;
}

uint32_t current_process_id() { return static_cast<uint32_t>(getpid()); }

}  // namespace vorn::platform
