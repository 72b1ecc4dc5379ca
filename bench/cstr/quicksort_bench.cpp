// QuickSort_Create64 against std::sort on the same inputs.
//
// Each iteration copies the prepared input into a preallocated buffer and times
// only the sort, with a steady clock around the call (manual time), so the copy
// is outside every figure.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

#include "vorn/cstr.h"

namespace {

enum class Shape { kRandom, kSorted, kReversed, kEqual, kOrganPipe, kMedianOf3Killer };

std::vector<int64_t> make_input(Shape shape, size_t n, uint64_t seed) {
  std::mt19937_64 rng(seed);
  std::vector<int64_t> a(n);
  switch (shape) {
    case Shape::kRandom:
      for (auto& v : a) v = static_cast<int64_t>(rng());
      break;
    case Shape::kSorted:
    case Shape::kReversed:
      // Full-width values, so no shortcut from short keys.
      for (auto& v : a) v = static_cast<int64_t>(rng());
      std::sort(a.begin(), a.end());
      if (shape == Shape::kReversed) std::reverse(a.begin(), a.end());
      break;
    case Shape::kEqual:
      std::fill(a.begin(), a.end(), int64_t{0x123456789ABCDEF});
      break;
    case Shape::kOrganPipe:
      for (size_t i = 0; i < n; ++i) a[i] = static_cast<int64_t>(i < n / 2 ? i : n - 1 - i);
      break;
    case Shape::kMedianOf3Killer:
      // The classic sequence that drives a quicksort taking the median of the
      // first, middle and last values into quadratic time (n = 2k, 1-based:
      // a[i] = i and a[i+1] = k+i for odd i <= k, a[k+i] = 2i).
      for (size_t i = 0; i < n; ++i) {
        const size_t k = n / 2;
        a[i] = static_cast<int64_t>(i < k ? (i % 2 == 0 ? i + 1 : k + i) : 2 * (i - k + 1));
      }
      break;
  }
  return a;
}

// Inputs for one case, kept until the next case asks for another: small sizes
// cycle through many different random inputs so that the branch predictor cannot
// learn one input by heart over thousands of repetitions; the large cases have one
// input (80 MB at ten million).
const std::vector<std::vector<int64_t>>& cached_inputs(Shape shape, size_t n) {
  static Shape cached_shape;
  static size_t cached_n = 0;
  static std::vector<std::vector<int64_t>> cached;
  if (cached_n != n || cached_shape != shape) {
    const size_t copies = shape == Shape::kRandom ? std::max<size_t>(1, (size_t{1} << 20) / n) : 1;
    cached.clear();
    for (size_t c = 0; c < copies; ++c) cached.push_back(make_input(shape, n, 20261205 + c));
    cached_shape = shape;
    cached_n = n;
  }
  return cached;
}

template <class Sort>
void run(benchmark::State& state, Shape shape, Sort sort) {
  const size_t n = static_cast<size_t>(state.range(0));
  const std::vector<std::vector<int64_t>>& inputs = cached_inputs(shape, n);
  std::vector<int64_t> buf(n);
  size_t next = 0;
  for (auto _ : state) {
    std::memcpy(buf.data(), inputs[next].data(), n * sizeof(int64_t));
    next = next + 1 == inputs.size() ? 0 : next + 1;
    benchmark::ClobberMemory();
    const auto start = std::chrono::steady_clock::now();
    sort(buf.data(), n);
    benchmark::ClobberMemory();
    const auto stop = std::chrono::steady_clock::now();
    state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
  }
  if (!std::is_sorted(buf.begin(), buf.end())) state.SkipWithError("result not sorted");
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}

void BM_StdSort(benchmark::State& state, Shape shape) {
  run(state, shape, [](int64_t* d, size_t n) { std::sort(d, d + n); });
}

void BM_QuickSort_Create64(benchmark::State& state, Shape shape) {
  run(state, shape, [](int64_t* d, size_t n) { QuickSort_Create64(d, n); });
}

#define VORN_SORT_PAIR(name, shape, ...)                                                                  \
  BENCHMARK_CAPTURE(BM_StdSort, name, shape)->UseManualTime()->Unit(benchmark::kMicrosecond) __VA_ARGS__; \
  BENCHMARK_CAPTURE(BM_QuickSort_Create64, name, shape)->UseManualTime()->Unit(benchmark::kMicrosecond) __VA_ARGS__

VORN_SORT_PAIR(random, Shape::kRandom, ->Arg(1000)->Arg(1000000)->Arg(10000000));
VORN_SORT_PAIR(sorted, Shape::kSorted, ->Arg(1000000));
VORN_SORT_PAIR(reversed, Shape::kReversed, ->Arg(1000000));
VORN_SORT_PAIR(all_equal, Shape::kEqual, ->Arg(1000000));
VORN_SORT_PAIR(organ_pipe, Shape::kOrganPipe, ->Arg(1000000));
VORN_SORT_PAIR(median_of_3_killer, Shape::kMedianOf3Killer, ->Arg(1000000));

}  // namespace
