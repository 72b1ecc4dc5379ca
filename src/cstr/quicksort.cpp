// In-place ascending sort of signed 64-bit integers.
//
// Large ranges go through an in-place most-significant-digit radix sort on the
// bits of the values (one byte per level, values swapped straight into their
// buckets), small ones through insertion sort or a small introsort. No input makes
// it quadratic, nothing is allocated, and the stack stays small: at most eight
// radix levels, each with a frame of a few words (the 4 KB bucket table lives only
// while one range is being distributed), and a comparison sort that recurses only
// into the smaller part with a depth cap.
//
// Where the vectorised sort library is built in and the processor has the vector
// units it needs, large arrays go to its quicksort instead (in place, O(n log n) in
// the worst case). Its sorter allocates a small area when created, so each thread
// creates one on first use and keeps it: no call allocates after that.
#include <cstddef>
#include <cstdint>
#include <utility>

#if VORN_HAVE_VQSORT
#include <hwy/contrib/sort/vqsort.h>
#include <hwy/targets.h>
#endif

#include "vorn/cstr.h"

namespace {

// Ranges up to this size are handled by comparison sorts; larger ones are split by
// the next byte. Around here the bucket table's fixed cost stops paying off.
constexpr size_t kRadixMin = 64;
// Ranges up to this size are finished by insertion sort.
constexpr size_t kInsertionMax = 24;
// After a split whose largest bucket holds at most this many values, one insertion
// pass over the whole range finishes it: no value is more than one small bucket
// away from its place, so the pass costs what one pass per bucket would, without
// walking the buckets.
constexpr size_t kFinishMax = 96;
// Ranges from this size on are permuted by sweeps over all buckets, which keep
// several cache misses in flight; smaller ones follow one cycle at a time, which
// has less fixed cost.
constexpr size_t kInterleaveMin = 1024;

// Flipping the sign bit maps signed order onto unsigned order of the raw bits.
inline uint64_t key_of(int64_t v) { return static_cast<uint64_t>(v) ^ (uint64_t{1} << 63); }

inline unsigned digit_of(int64_t v, unsigned shift) { return static_cast<unsigned>(key_of(v) >> shift) & 0xFFu; }

void insertion_sort(int64_t* d, size_t n) {
  for (size_t i = 1; i < n; ++i) {
    const int64_t v = d[i];
    size_t j = i;
    for (; j > 0 && d[j - 1] > v; --j) d[j] = d[j - 1];
    d[j] = v;
  }
}

void sift_down(int64_t* d, size_t root, size_t n) {
  const int64_t v = d[root];
  for (size_t child = 2 * root + 1; child < n; child = 2 * root + 1) {
    if (child + 1 < n && d[child] < d[child + 1]) ++child;
    if (!(v < d[child])) break;
    d[root] = d[child];
    root = child;
  }
  d[root] = v;
}

void heap_sort(int64_t* d, size_t n) {
  for (size_t i = n / 2; i-- > 0;) sift_down(d, i, n);
  for (size_t end = n; end-- > 1;) {
    std::swap(d[0], d[end]);
    sift_down(d, 0, end);
  }
}

// Quicksort with a median-of-three pivot; gives up on a range to heap sort once
// `depth` splits have been spent on it, so no input makes it quadratic.
void intro_sort(int64_t* d, size_t n, int depth) {
  while (n > kInsertionMax) {
    if (depth-- == 0) {
      heap_sort(d, n);
      return;
    }
    // Order first, middle and last; the outer two then stop both scans.
    int64_t* mid = d + n / 2;
    int64_t* last = d + n - 1;
    if (*mid < *d) std::swap(*mid, *d);
    if (*last < *mid) std::swap(*last, *mid);
    if (*mid < *d) std::swap(*mid, *d);
    const int64_t pivot = *mid;
    size_t i = 0;
    size_t j = n - 1;
    for (;;) {
      while (d[++i] < pivot) {
      }
      while (pivot < d[--j]) {
      }
      if (i >= j) break;
      std::swap(d[i], d[j]);
    }
    // [0, i) <= pivot <= [i, n): recurse into the smaller side, loop on the larger.
    if (i < n - i) {
      intro_sort(d, i, depth);
      d += i;
      n -= i;
    } else {
      intro_sort(d + i, n - i, depth);
      n = i;
    }
  }
  insertion_sort(d, n);
}

void comparison_sort(int64_t* d, size_t n) {
  int depth = 0;
  for (size_t m = n; m > 1; m >>= 1) depth += 2;
  intro_sort(d, n, depth);
}

// Moves [d, d + n) into buckets by the byte at `*shift`. When every value shares
// that byte, the shift is first lowered to the highest byte where values differ.
// Returns the size of the largest bucket, or 0 when all values are equal.
//
// Kept out of line so that its bucket table is on the stack only while it runs,
// not in every frame of the level-by-level recursion.
[[gnu::noinline]] size_t distribute(int64_t* d, size_t n, unsigned* shift) {
  size_t head[256];
  size_t tail[256];
  const uint64_t first = key_of(d[0]);
  uint64_t differ = 0;
  for (size_t b = 0; b < 256; ++b) tail[b] = 0;
  for (size_t i = 0; i < n; ++i) {
    const uint64_t k = key_of(d[i]);
    differ |= k ^ first;
    ++tail[(k >> *shift) & 0xFFu];
  }
  if (differ == 0) return 0;
  if (tail[(first >> *shift) & 0xFFu] == n) {
    // All share this byte: count again at the highest byte that tells values apart.
    unsigned top = 63;
    while ((differ >> top) == 0) --top;
    *shift = top & ~7u;
    for (size_t b = 0; b < 256; ++b) tail[b] = 0;
    for (size_t i = 0; i < n; ++i) ++tail[digit_of(d[i], *shift)];
  }
  const unsigned s = *shift;
  size_t largest = 0;
  size_t sum = 0;
  for (size_t b = 0; b < 256; ++b) {
    if (tail[b] > largest) largest = tail[b];
    head[b] = sum;
    sum += tail[b];
    tail[b] = sum;
  }
  if (n < kInterleaveMin) {
    for (unsigned b = 0; b < 256; ++b) {
      // Follow each cycle from the first unsettled slot of bucket b until a value
      // that belongs to b turns up; every value is written once to its bucket.
      while (head[b] < tail[b]) {
        int64_t v = d[head[b]];
        unsigned t = digit_of(v, s);
        while (t != b) {
          std::swap(v, d[head[t]++]);
          t = digit_of(v, s);
        }
        d[head[b]++] = v;
      }
    }
    return largest;
  }
  // Sweep every unsettled bucket, sending each value it holds to its own bucket;
  // the value swapped back is left for the next sweep. The swaps of one sweep are
  // independent of each other, unlike the steps of one cycle, so their memory
  // accesses overlap. Once one bucket is left open, it holds only its own values.
  unsigned char open[256];
  unsigned open_count = 0;
  for (unsigned b = 0; b < 256; ++b) {
    if (head[b] < tail[b]) open[open_count++] = static_cast<unsigned char>(b);
  }
  while (open_count > 1) {
    unsigned still_open = 0;
    for (unsigned k = 0; k < open_count; ++k) {
      const unsigned b = open[k];
      int64_t* it = d + head[b];
      int64_t* const end = d + tail[b];
      for (; end - it >= 4; it += 4) {
        std::swap(it[0], d[head[digit_of(it[0], s)]++]);
        std::swap(it[1], d[head[digit_of(it[1], s)]++]);
        std::swap(it[2], d[head[digit_of(it[2], s)]++]);
        std::swap(it[3], d[head[digit_of(it[3], s)]++]);
      }
      for (; it < end; ++it) std::swap(*it, d[head[digit_of(*it, s)]++]);
      if (head[b] < tail[b]) open[still_open++] = static_cast<unsigned char>(b);
    }
    open_count = still_open;
  }
  return largest;
}

// End of the bucket that starts at `begin` in a range distributed by the byte at
// `shift`: an exponential probe, then a binary search.
size_t bucket_end(const int64_t* d, size_t begin, size_t n, unsigned shift) {
  const unsigned b = digit_of(d[begin], shift);
  size_t lo = begin + 1;  // first index not yet known to be inside
  size_t step = 1;
  size_t hi = begin + 1;
  while (hi < n && digit_of(d[hi], shift) == b) {
    lo = hi + 1;
    step *= 2;
    hi = begin + step;
  }
  if (hi > n) hi = n;
  while (lo < hi) {
    const size_t m = lo + (hi - lo) / 2;
    if (digit_of(d[m], shift) == b) {
      lo = m + 1;
    } else {
      hi = m;
    }
  }
  return lo;
}

void radix_sort(int64_t* d, size_t n, unsigned shift) {
  const size_t largest = distribute(d, n, &shift);
  if (largest == 0 || shift == 0) return;
  if (largest <= kFinishMax) {
    insertion_sort(d, n);
    return;
  }
  for (size_t begin = 0; begin < n;) {
    const size_t end = bucket_end(d, begin, n, shift);
    const size_t len = end - begin;
    if (len > kRadixMin) {
      radix_sort(d + begin, len, shift - 8);
    } else if (len > kInsertionMax) {
      comparison_sort(d + begin, len);
    } else {
      insertion_sort(d + begin, len);
    }
    begin = end;
  }
}

// Already ascending: nothing to do. Descending: reverse. On other input the scan
// usually stops within the first few values, and never costs more than one pass.
bool sorted_or_reversed(int64_t* d, size_t n) {
  size_t i = 1;
  while (i < n && d[i - 1] <= d[i]) ++i;
  if (i == n) return true;
  if (i > 1) return false;
  while (i < n && d[i - 1] >= d[i]) ++i;
  if (i < n) return false;
  for (size_t a = 0, b = n - 1; a < b; ++a, --b) std::swap(d[a], d[b]);
  return true;
}

#if VORN_HAVE_VQSORT
// From this size on the vector sort beats the radix passes.
constexpr size_t kVectorMin = 2048;

bool vector_sort_runs() {
  static const bool runs = (hwy::SupportedTargets() & (HWY_SSSE3 | HWY_SSE4 | HWY_AVX2 | HWY_AVX3 | HWY_AVX3_DL)) != 0;
  return runs;
}

// True when the vector sort took the array.
bool vector_sort(int64_t* d, size_t n) {
  if (n < kVectorMin || !vector_sort_runs()) return false;
  thread_local const hwy::Sorter sorter;
  sorter(d, n, hwy::SortAscending());
  return true;
}
#else
bool vector_sort(int64_t*, size_t) { return false; }
#endif

}  // namespace

extern "C" int64_t QuickSort_Create64(int64_t* data, uint64_t count) {
  if (count == 0) return -1;
  const size_t n = static_cast<size_t>(count);
  if (n <= kInsertionMax) {
    insertion_sort(data, n);
  } else if (!sorted_or_reversed(data, n) && !vector_sort(data, n)) {
    if (n > kRadixMin) {
      radix_sort(data, n, 56);
    } else {
      comparison_sort(data, n);
    }
  }
  return static_cast<int64_t>(count);
}
