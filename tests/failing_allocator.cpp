// Global operator new and delete over malloc and free, with allocations that can be
// made to fail on the calling thread (see failing_allocator.h).
#include "failing_allocator.h"

#include <cstdlib>
#include <new>

namespace {

thread_local long allocations_until_failure = 0;  // 0: never fail
const void* last_single_release = nullptr;

void* Allocate(std::size_t size) {
  if (allocations_until_failure > 0 && --allocations_until_failure == 0) {
    allocations_until_failure = 1;  // every later one fails too
    return nullptr;
  }
  return std::malloc(size == 0 ? 1 : size);
}

void* AllocateOrThrow(std::size_t size) {
  void* block = Allocate(size);
  if (block == nullptr) throw std::bad_alloc();
  return block;
}

}  // namespace

namespace vorn_test {

FailingAllocations::FailingAllocations(long nth) { allocations_until_failure = nth; }
FailingAllocations::~FailingAllocations() { allocations_until_failure = 0; }

const void* LastSingleObjectRelease() { return last_single_release; }

}  // namespace vorn_test

void* operator new(std::size_t size) { return AllocateOrThrow(size); }
void* operator new[](std::size_t size) { return AllocateOrThrow(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }

void operator delete(void* block) noexcept {
  if (block != nullptr) last_single_release = block;
  std::free(block);
}
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { operator delete(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { operator delete(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { std::free(block); }
