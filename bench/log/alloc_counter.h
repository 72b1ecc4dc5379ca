// Counts heap allocations (operator new and malloc) made by the calling program, so that a
// benchmark can report allocations per operation.
#ifndef VORN_BENCH_LOG_ALLOC_COUNTER_H
#define VORN_BENCH_LOG_ALLOC_COUNTER_H

#include <atomic>
#include <cstdint>

namespace vorn_bench {
uint64_t allocation_count();
}  // namespace vorn_bench

#endif  // VORN_BENCH_LOG_ALLOC_COUNTER_H
