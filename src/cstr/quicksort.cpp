// In-place ascending sort of signed 64-bit integers.
#include <cstdint>
#include <utility>

#include "vorn/cstr.h"

namespace {

void order_three(int64_t* d, uint64_t a, uint64_t b) {
  if (d[a] > d[b]) std::swap(d[a], d[b]);
}

// Median-of-three quicksort that leaves ranges of five or fewer for the final
// insertion pass; recursion only into the left part keeps the stack logarithmic
// in the typical case.
void quicksort_range(int64_t* d, uint64_t first, uint64_t last) {
  while (last - first > 4) {
    const uint64_t middle = first + (last - first) / 2;
    order_three(d, first, middle);
    order_three(d, first, last);
    order_three(d, middle, last);
    std::swap(d[middle], d[last - 1]);
    const int64_t pivot = d[last - 1];
    uint64_t i = first;
    uint64_t j = last - 1;
    for (;;) {
      while (d[++i] < pivot) {
      }
      while (d[--j] > pivot) {
      }
      if (j < i) break;
      std::swap(d[i], d[j]);
    }
    std::swap(d[i], d[last - 1]);
    quicksort_range(d, first, j);
    first = i + 1;
  }
}

void insertion_sort(int64_t* d, uint64_t count) {
  for (uint64_t i = 1; i < count; ++i) {
    const int64_t v = d[i];
    uint64_t j = i;
    for (; j > 0 && d[j - 1] > v; --j) d[j] = d[j - 1];
    d[j] = v;
  }
}

}  // namespace

extern "C" int64_t QuickSort_Create64(int64_t* data, uint64_t count) {
  if (count == 0) return -1;
  quicksort_range(data, 0, count - 1);
  insertion_sort(data, count);
  return static_cast<int64_t>(count);
}
