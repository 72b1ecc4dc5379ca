// QuickSort_Create64 against the vectorised quicksort of the vector library's sort
// (one sorter kept for the whole run), on random signed 64-bit values. The copy of
// the input into the work buffer is outside every figure.
#include <hwy/contrib/sort/vqsort.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <vector>

#include "paired.h"
#include "vorn/cstr.h"

namespace {

std::vector<int64_t> random_values(size_t n) {
  std::mt19937_64 rng(20261206);
  std::vector<int64_t> v(n);
  for (auto& x : v) x = static_cast<int64_t>(rng());
  return v;
}

// Seconds for `calls` sorts of fresh copies of `input`.
template <class Sort>
double sort_copies(const std::vector<int64_t>& input, std::vector<int64_t>& buf, size_t calls, Sort sort) {
  double total = 0;
  for (size_t c = 0; c < calls; ++c) {
    std::memcpy(buf.data(), input.data(), input.size() * sizeof(int64_t));
    const double start = vorn_bench::thread_seconds();
    sort(buf.data(), buf.size());
    vorn_bench::keep(buf[0]);
    total += vorn_bench::seconds_since(start);
  }
  if (!std::is_sorted(buf.begin(), buf.end())) std::printf("result not sorted\n");
  return total;
}

}  // namespace

int main() {
  const hwy::Sorter sorter;
  for (size_t n : {size_t{1000000}, size_t{10000000}}) {
    const std::vector<int64_t> input = random_values(n);
    std::vector<int64_t> buf(n);
    char label[64];
    std::snprintf(label, sizeof label, "sort int64 random %zu", n);
    vorn_bench::run_paired(
        label, [&](size_t calls) { return sort_copies(input, buf, calls, QuickSort_Create64); },
        [&](size_t calls) {
          return sort_copies(input, buf, calls, [&](int64_t* d, size_t m) { sorter(d, m, hwy::SortAscending()); });
        },
        vorn_bench::rounds_or(11), 0.2);
  }
}
