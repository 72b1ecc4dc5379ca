#include <pthread.h>

#include "platform/thread_slot.h"

namespace vorn::platform {

bool create_thread_slot(ThreadSlot* slot, void (*release)(void*)) {
  pthread_key_t key;
  if (pthread_key_create(&key, release) != 0) return false;
  *slot = static_cast<ThreadSlot>(key);
  return true;
}

void* thread_slot_value(ThreadSlot slot) { return pthread_getspecific(static_cast<pthread_key_t>(slot)); }

bool set_thread_slot_value(ThreadSlot slot, void* value) {
  return pthread_setspecific(static_cast<pthread_key_t>(slot), value) == 0;
}

void delete_thread_slot(ThreadSlot slot) { pthread_key_delete(static_cast<pthread_key_t>(slot)); }

}  // namespace vorn::platform
