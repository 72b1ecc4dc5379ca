// Internal to vorn_common: do not include from outside src/.
//
// The output side of the formatting engine: SprintfAccumulator, a zero-terminated text
// that starts in a fixed buffer of the driver and grows on the heap, and the appends
// that feed it. How the narrow and wide accumulators grow (twice the run or exactly
// the run; capacities in units or bytes for the grow function) comes from UnitTraits.
// Every heap block comes from new[] of the unit type, so the strings' delete[]
// releases the driver's result; running out of memory throws std::bad_alloc.
#ifndef VORN_SRC_FORMAT_SPRINTF_OUTPUT_H
#define VORN_SRC_FORMAT_SPRINTF_OUTPUT_H

#include <cstdint>
#include <cstring>
#include <limits>

#include "cstr/unit_traits.h"

namespace vorn::detail::format {

inline constexpr int32_t kSprintfBaseSize = 350;  // driver's base buffer, in units
inline constexpr int32_t kSprintfShrinkSlack = 10;

/// The growing, zero-terminated output text of one formatting call.
template <class Unit>
struct SprintfAccumulator {
  /// (old block or null, old capacity, new capacity) -> new block or null. The narrow
  /// engine passes capacities in characters, the wide one in bytes.
  using GrowFn = Unit* (*)(Unit* old_block, int32_t old_capacity, int32_t new_capacity);

  Unit* base;        // the driver's initial buffer
  Unit* text;        // the buffer that holds the text now
  int32_t length;    // units stored
  int32_t total;     // units offered, dropped ones included
  int32_t capacity;  // units in `text`, terminator included
  GrowFn grow;       // null: truncate instead of growing
};

/// Releases a block on every way out of a scope, std::bad_alloc included.
template <class Unit, void (*Release)(Unit*)>
class SprintfScopedBlock {
 public:
  explicit SprintfScopedBlock(Unit* block) : block_(block) {}
  SprintfScopedBlock(const SprintfScopedBlock&) = delete;
  SprintfScopedBlock& operator=(const SprintfScopedBlock&) = delete;
  ~SprintfScopedBlock() { Release(block_); }
  Unit* get() const { return block_; }

 private:
  Unit* block_;
};

template <class Unit>
void SprintfReleaseArray(Unit* block) {
  delete[] block;
}

/// Allocates `new_capacity` (scaled) units, copies min(old, new) from `old_block` and
/// releases it; null (old block untouched) for a capacity that is not positive. Out
/// of memory throws std::bad_alloc with the old block untouched.
template <class Unit>
Unit* SprintfGrowT(Unit* old_block, int32_t old_capacity, int32_t new_capacity) {
  constexpr int64_t scale = UnitTraits<Unit>::kFormatSizeScale;
  if (new_capacity <= 0) return nullptr;
  Unit* block = new Unit[static_cast<size_t>(new_capacity / scale)];
  if (old_block != nullptr) {
    const int32_t keep = old_capacity < new_capacity ? old_capacity : new_capacity;
    if (keep > 0) std::memcpy(block, old_block, static_cast<size_t>(keep / scale) * sizeof(Unit));
    delete[] old_block;
  }
  return block;
}

/// Makes room for `n` more units; false (nothing changed) when growing fails.
template <class Unit>
bool SprintfMakeRoom(SprintfAccumulator<Unit>& acc, int32_t n) {
  constexpr int64_t scale = UnitTraits<Unit>::kFormatSizeScale;
  const int64_t wanted = int64_t{acc.length} + UnitTraits<Unit>::kFormatGrowthFactor * n + 1;
  if (wanted * scale > std::numeric_limits<int32_t>::max()) return false;
  const auto new_size = static_cast<int32_t>(wanted * scale);
  Unit* block;
  if (acc.text == acc.base) {
    block = acc.grow(nullptr, 0, new_size);
    if (block != nullptr) std::memcpy(block, acc.base, static_cast<size_t>(acc.length) * sizeof(Unit));
  } else {
    block = acc.grow(acc.text, static_cast<int32_t>(acc.capacity * scale), new_size);
  }
  if (block == nullptr) return false;
  acc.text = block;
  acc.capacity = static_cast<int32_t>(wanted);
  return true;
}

/// Appends a run of `n` units (SprintfAppend): grows, or truncates without a grow
/// function; a run that cannot be stored is dropped but still counted in `total`.
template <class Unit>
inline void SprintfAppendT(SprintfAccumulator<Unit>& acc, const Unit* run, int32_t n) {
  if (n < 0) n = 0;
  acc.total = static_cast<int32_t>(static_cast<uint32_t>(acc.total) + static_cast<uint32_t>(n));
  if (int64_t{acc.length} + n + 1 > acc.capacity) {
    if (acc.grow != nullptr) {
      if (!SprintfMakeRoom(acc, n)) n = 0;
    } else {
      n = acc.capacity - acc.length - 1;
      if (n < 0) return;  // not even room for the terminator
    }
  }
  if (n > 0) {
    std::memcpy(acc.text + acc.length, run, static_cast<size_t>(n) * sizeof(Unit));
    acc.length += n;
  }
  acc.text[acc.length] = 0;
}

/// Copies 1 to 2 words' worth of bytes as two words that may overlap.
template <class Word>
inline void SprintfCopyWords(unsigned char* out, const unsigned char* in, size_t bytes) {
  Word head;
  Word tail;
  std::memcpy(&head, in, sizeof(Word));
  std::memcpy(&tail, in + bytes - sizeof(Word), sizeof(Word));
  std::memcpy(out, &head, sizeof(Word));
  std::memcpy(out + bytes - sizeof(Word), &tail, sizeof(Word));
}

/// memcpy of `n` units; runs of up to 16 bytes, the usual converted number, are
/// copied inline as two overlapping words instead of through a call.
template <class Unit>
inline void SprintfCopyUnits(Unit* to, const Unit* from, size_t n) {
  const size_t bytes = n * sizeof(Unit);
  auto* out = reinterpret_cast<unsigned char*>(to);
  const auto* in = reinterpret_cast<const unsigned char*>(from);
  if (bytes > 16) {
    std::memcpy(out, in, bytes);
  } else if (bytes >= 8) {
    SprintfCopyWords<uint64_t>(out, in, bytes);
  } else if (bytes >= 4) {
    SprintfCopyWords<uint32_t>(out, in, bytes);
  } else {
    for (size_t i = 0; i < bytes; ++i) out[i] = in[i];
  }
}

/// Copies `size` - 1 units of a text and stores the terminator after them. The units
/// are read as they were written (the terminator on its own), so a short text is not
/// read back across the stores that wrote it, which the processor would not forward.
template <class Unit>
inline void SprintfCopyText(Unit* to, const Unit* from, size_t size) {
  SprintfCopyUnits(to, from, size - 1);
  to[size - 1] = 0;
}

/// The same effect as SprintfAppendT, with the common case of a run that fits inline.
template <class Unit>
inline void SprintfAppendFast(SprintfAccumulator<Unit>& acc, const Unit* run, int32_t n) {
  if (acc.length + int64_t{n} + 1 <= acc.capacity) {
    acc.total = static_cast<int32_t>(static_cast<uint32_t>(acc.total) + static_cast<uint32_t>(n));
    if (n > 0) SprintfCopyUnits(acc.text + acc.length, run, static_cast<size_t>(n));
    acc.length += n;
    acc.text[acc.length] = 0;
    return;
  }
  SprintfAppendT(acc, run, n);
}

/// Room for `n` units written in place behind the text, when the buffer has it now:
/// the caller writes at most `n` units there and then calls SprintfCommit.
template <class Unit>
inline Unit* SprintfReserveInPlace(SprintfAccumulator<Unit>& acc, int64_t n) {
  return int64_t{acc.length} + n <= acc.capacity ? acc.text + acc.length : nullptr;
}

/// Takes `n` units written in place behind the text into it.
template <class Unit>
inline void SprintfCommit(SprintfAccumulator<Unit>& acc, int32_t n) {
  acc.length += n;
  acc.total = static_cast<int32_t>(static_cast<uint32_t>(acc.total) + static_cast<uint32_t>(n));
  acc.text[acc.length] = 0;
}

/// The accumulator's heap block, released on every way out of the driver unless taken.
template <class Unit>
class SprintfGrownBlock {
 public:
  explicit SprintfGrownBlock(SprintfAccumulator<Unit>& acc) : acc_(acc) {}
  SprintfGrownBlock(const SprintfGrownBlock&) = delete;
  SprintfGrownBlock& operator=(const SprintfGrownBlock&) = delete;
  ~SprintfGrownBlock() {
    if (acc_.text != acc_.base) delete[] acc_.text;
  }
  Unit* Take() {
    Unit* const block = acc_.text;
    acc_.text = acc_.base;
    return block;
  }

 private:
  SprintfAccumulator<Unit>& acc_;
};

}  // namespace vorn::detail::format

#endif  // VORN_SRC_FORMAT_SPRINTF_OUTPUT_H
