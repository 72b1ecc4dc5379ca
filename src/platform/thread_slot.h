// Internal to vorn_common: do not include from outside src/.
//
// One pointer per thread, released by a given function when its thread ends.
#ifndef VORN_SRC_PLATFORM_THREAD_SLOT_H
#define VORN_SRC_PLATFORM_THREAD_SLOT_H

#include <cstdint>

namespace vorn::platform {

/// The system's handle of a slot.
using ThreadSlot = uintptr_t;

/// Creates a slot whose non-null values `release` receives as their threads end.
/// False when the system has no slot left.
bool create_thread_slot(ThreadSlot* slot, void (*release)(void*));

/// The calling thread's value; null until it sets one.
void* thread_slot_value(ThreadSlot slot);

/// Sets the calling thread's value; false when the system cannot store it.
bool set_thread_slot_value(ThreadSlot slot, void* value);

/// Deletes the slot. Whether the values other threads still hold are released then
/// depends on the system; the caller releases its own thread's value first.
void delete_thread_slot(ThreadSlot slot);

}  // namespace vorn::platform

#endif  // VORN_SRC_PLATFORM_THREAD_SLOT_H
