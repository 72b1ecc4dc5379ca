// Per-thread log records, reached through one thread slot.

#include "log/log_state.h"
#include "platform/thread_slot.h"

namespace vorn::detail::log {
namespace {

void release_record(void* record) { delete static_cast<LogThreadState*>(record); }

// Shared by the threads whose own record could not be registered, and used before the key
// exists or after it is gone.
LogThreadState fallback_record{};

// Created during static initialisation, deleted at unload. Storage is zero before the
// constructor runs, so `ready` is false for any earlier caller.
struct ThreadKey {
  platform::ThreadSlot key;
  bool ready;

  ThreadKey() { ready = platform::create_thread_slot(&key, &release_record); }

  ~ThreadKey() {
    if (!ready) return;
    ready = false;
    // Slot releases do not run for the thread that unloads us; release its record here.
    release_record(platform::thread_slot_value(key));
    platform::set_thread_slot_value(key, nullptr);
    platform::delete_thread_slot(key);
  }
};
ThreadKey thread_key;

}  // namespace

LogThreadState& thread_state() {
  if (!thread_key.ready) return fallback_record;
  if (void* record = platform::thread_slot_value(thread_key.key)) return *static_cast<LogThreadState*>(record);
  auto* record = new LogThreadState{};  // out of memory throws to the caller
  if (!platform::set_thread_slot_value(thread_key.key, record)) {
    delete record;
    platform::set_thread_slot_value(thread_key.key, nullptr);
    return fallback_record;
  }
  return *record;
}

}  // namespace vorn::detail::log
