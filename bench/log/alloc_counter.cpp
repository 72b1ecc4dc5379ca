#include "alloc_counter.h"

#include <cstdlib>
#include <new>

extern "C" void* __libc_malloc(size_t size);  // glibc's own allocator entry

namespace {
std::atomic<uint64_t> allocations{0};
}

namespace vorn_bench {
uint64_t allocation_count() { return allocations.load(std::memory_order_relaxed); }
}  // namespace vorn_bench

// Every malloc of the process, the C library's own included, passes through here.
extern "C" void* malloc(size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  return __libc_malloc(size);
}

void* operator new(size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = __libc_malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void* operator new[](size_t size) { return operator new(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }
void operator delete[](void* p, size_t) noexcept { std::free(p); }
