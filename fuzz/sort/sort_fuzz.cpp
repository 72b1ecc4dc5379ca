// QuickSort_Create64 against std::sort on inputs of assorted shapes, at sizes on both
// sides of the points where the sort changes method. The value just past the sorted
// range must stay where it is.
// Input: records of a shape byte, three size bytes and eight bytes that seed the values
// (numbers high byte first); or, after a first byte 255, the values themselves (eight
// bytes each).
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <vector>

#include "vorn/cstr.h"

namespace {

uint64_t read_be(const uint8_t* p, size_t n) {
  uint64_t v = 0;
  for (size_t i = 0; i < n; ++i) v = v << 8 | p[i];
  return v;
}

std::vector<int64_t> shaped(int shape, size_t n, std::mt19937_64& rng) {
  std::vector<int64_t> v(n);
  const int64_t extremes[] = {INT64_MIN, INT64_MIN + 1, -1, 0, 1, INT64_MAX - 1, INT64_MAX};
  const auto half = static_cast<int64_t>(n / 2);
  for (size_t i = 0; i < n; ++i) {
    const auto r = static_cast<int64_t>(rng());
    const auto k = static_cast<int64_t>(i);
    switch (shape) {
      case 0:
        v[i] = r;
        break;
      case 1:
        v[i] = k;
        break;
      case 2:
        v[i] = -k / 3;
        break;  // descending with equal runs
      case 3:
        v[i] = 42;
        break;
      case 4:
        v[i] = r % 3;
        break;  // -2..2, many duplicates
      case 5:
        v[i] = extremes[rng() % 7];
        break;
      case 6:
        v[i] = 0x0123456789AB0000 + (r & 0xFFFF) * (r < 0 ? -1 : 1);
        break;  // common high bytes
      case 7:
        v[i] = rng() % 10 != 0 ? (r & 0x00FFFFFFFFFFFFFF) | (int64_t{0x42} << 56) : r;
        break;  // one big bucket
      case 8:
        v[i] = k < half ? k : static_cast<int64_t>(n) - k;
        break;  // organ pipe
      default:
        v[i] = k < half ? (k % 2 == 0 ? k + 1 : half + k) : 2 * (k - half + 1);
        break;  // median-of-3 killer
    }
  }
  if (shape == 0 && n > 0) {
    v.front() = INT64_MAX;
    v.back() = INT64_MIN;
  }
  if (shape == 1 && n > 0) v.back() = -1;  // ascending but for the last value
  return v;
}

void check_sort(std::vector<int64_t> v) {
  const size_t n = v.size();
  std::vector<int64_t> expected = v;
  std::sort(expected.begin(), expected.end());
  v.push_back(INT64_MIN);
  if (QuickSort_Create64(v.data(), n) != (n == 0 ? -1 : static_cast<int64_t>(n))) std::abort();
  if (v.back() != INT64_MIN) std::abort();
  v.pop_back();
  if (v != expected) std::abort();
}

constexpr size_t kRecord = 12;
constexpr size_t kMaxCount = 1 << 18;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 0 && data[0] == 255) {
    std::vector<int64_t> v;
    for (size_t at = 1; at + 8 <= size; at += 8) v.push_back(static_cast<int64_t>(read_be(data + at, 8)));
    check_sort(v);
    return 0;
  }
  for (size_t at = 0; at + kRecord <= size; at += kRecord) {
    std::mt19937_64 rng(read_be(data + at + 4, 8));
    check_sort(shaped(data[at] % 10, std::min<size_t>(read_be(data + at + 1, 3), kMaxCount), rng));
  }
  return 0;
}
