// Thread slots on fiber-local storage, whose callback runs as each thread ends. The
// callback receives only the value, so each value travels in a cell that also names
// its release function.
#include <windows.h>

#include <new>

#include "platform/thread_slot.h"

namespace vorn::platform {
namespace {

struct Slot {
  DWORD index;
  void (*release)(void*);
};

struct Cell {
  void (*release)(void*);
  void* value;
};

void WINAPI release_cell(void* data) {
  auto* cell = static_cast<Cell*>(data);
  if (cell == nullptr) return;
  if (cell->value != nullptr) cell->release(cell->value);
  delete cell;
}

Slot* slot_of(ThreadSlot slot) { return reinterpret_cast<Slot*>(slot); }

}  // namespace

bool create_thread_slot(ThreadSlot* slot, void (*release)(void*)) {
  const DWORD index = FlsAlloc(&release_cell);
  if (index == FLS_OUT_OF_INDEXES) return false;
  auto* entry = new (std::nothrow) Slot{index, release};
  if (entry == nullptr) {
    FlsFree(index);
    return false;
  }
  *slot = reinterpret_cast<ThreadSlot>(entry);
  return true;
}

void* thread_slot_value(ThreadSlot slot) {
  const auto* cell = static_cast<const Cell*>(FlsGetValue(slot_of(slot)->index));
  return cell != nullptr ? cell->value : nullptr;
}

bool set_thread_slot_value(ThreadSlot slot, void* value) {
  Slot* entry = slot_of(slot);
  if (auto* cell = static_cast<Cell*>(FlsGetValue(entry->index))) {
    cell->value = value;
    return true;
  }
  if (value == nullptr) return true;
  auto* cell = new (std::nothrow) Cell{entry->release, value};
  if (cell == nullptr) return false;
  if (FlsSetValue(entry->index, cell) == 0) {
    delete cell;
    return false;
  }
  return true;
}

// The system calls the release for every thread that still holds a value; the slot's
// owner releases its own thread's value before, as on every system.
void delete_thread_slot(ThreadSlot slot) {
  Slot* entry = slot_of(slot);
  FlsFree(entry->index);
  delete entry;
}

}  // namespace vorn::platform
