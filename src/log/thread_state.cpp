// Per-thread log records, reached through one thread-specific data key.
#include <pthread.h>

#include "log/log_state.h"

namespace vorn::detail::log {
namespace {

void release_record(void* record) { delete static_cast<LogThreadState*>(record); }

// Shared by the threads whose own record could not be registered, and used before the key
// exists or after it is gone.
LogThreadState fallback_record{};

// Created during static initialisation, deleted at unload. Storage is zero before the
// constructor runs, so `ready` is false for any earlier caller.
struct ThreadKey {
  pthread_key_t key;
  bool ready;

  ThreadKey() { ready = pthread_key_create(&key, &release_record) == 0; }

  ~ThreadKey() {
    if (!ready) return;
    ready = false;
    // Key destructors do not run for the thread that unloads us; release its record here.
    release_record(pthread_getspecific(key));
    pthread_setspecific(key, nullptr);
    pthread_key_delete(key);
  }
};
ThreadKey thread_key;

}  // namespace

LogThreadState& thread_state() {
  if (!thread_key.ready) return fallback_record;
  if (void* record = pthread_getspecific(thread_key.key)) return *static_cast<LogThreadState*>(record);
  auto* record = new LogThreadState{};  // out of memory throws to the caller
  if (pthread_setspecific(thread_key.key, record) != 0) {
    delete record;
    pthread_setspecific(thread_key.key, nullptr);
    return fallback_record;
  }
  return *record;
}

}  // namespace vorn::detail::log
