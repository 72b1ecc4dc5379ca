// A replacement of the global allocation functions for test programs that check what
// the library does when memory runs out. Link failing_allocator.cpp into the program.
#ifndef VORN_TESTS_FAILING_ALLOCATOR_H
#define VORN_TESTS_FAILING_ALLOCATOR_H

#include <cstddef>
#include <new>

namespace vorn_test {

/// While alive, the calling thread's `nth` allocation from now on (1 = the next one)
/// and every later one fail: operator new throws std::bad_alloc, the nothrow forms
/// give null. Other threads allocate as usual.
class FailingAllocations {
 public:
  explicit FailingAllocations(long nth);
  FailingAllocations(const FailingAllocations&) = delete;
  FailingAllocations& operator=(const FailingAllocations&) = delete;
  ~FailingAllocations();
};

/// Runs `action` with allocation `nth` and later ones failing; true when it threw
/// std::bad_alloc.
template <class Action>
bool OutOfMemoryAt(long nth, Action action) {
  const FailingAllocations fail(nth);
  try {
    action();
  } catch (const std::bad_alloc&) {
    return true;
  }
  return false;
}

/// The block most recently given to the single-object operator delete.
const void* LastSingleObjectRelease();

}  // namespace vorn_test

#endif  // VORN_TESTS_FAILING_ALLOCATOR_H
