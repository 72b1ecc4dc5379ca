// Internal to vorn_common: do not include from outside src/.
//
// The buffer model shared by TStringA and TWideString, written once over the unit
// type. A string is two fields, a buffer (owned, new[]/delete[], null when there is
// none) and a recorded capacity in units including the terminator; the length is
// never stored. StringRep is a view of those two fields that the exported classes
// construct on the fly, so the classes keep their exported layout.
//
// Allocation sizes are computed in 64 bits and anything beyond 32-bit capacities
// is treated as an allocation failure: the operation leaves the text unchanged.
#ifndef VORN_SRC_STRINGS_STRING_CORE_IMPL_H
#define VORN_SRC_STRINGS_STRING_CORE_IMPL_H

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

#include "cstr/cstr_impl.h"

namespace vorn::detail {

/// new[] that yields null instead of throwing, and refuses sizes that no 32-bit
/// capacity can describe. UTF-16 blocks are zero-filled, so every unit of a UTF-16
/// buffer holds a defined value (buffer_length reads whole blocks of it).
template <class Unit>
Unit* allocate_units(uint64_t count) {
  if (count == 0 || count > UINT32_MAX) return nullptr;
  return UnitTraits<Unit>::new_block(static_cast<size_t>(count));
}

/// The length of a string's own text. The buffer holds at least `capacity` defined
/// units, so the UTF-16 scan reads blocks of units inside that bound; a text
/// that fills its capacity without a terminator is counted on unit by unit.
template <class Unit>
uint32_t buffer_length(const Unit* buffer, uint32_t capacity) {
  return buffer != nullptr ? UnitTraits<Unit>::buffer_length(buffer, capacity) : 0;
}

/// Copies at most `count` units of `src` forward into `dst`, stopping at the source's
/// terminator and zero-filling the rest of the `count` units. Safe when `src` lies
/// later in the same buffer as `dst` (the copy runs from the first unit on).
template <class Unit>
void copy_counted(Unit* dst, const Unit* src, uint32_t count) {
  const size_t n = UnitTraits<Unit>::length_within(src, count);
  // memmove: a source later in the same buffer overlaps the destination.
  std::memmove(dst, src, n * sizeof(Unit));
  std::memset(dst + n, 0, (count - n) * sizeof(Unit));
}

/// Unsigned comparison of two zero-terminated texts, like strcmp.
template <class Unit>
int compare_units(const Unit* a, const Unit* b) {
  return UnitTraits<Unit>::compare(a, b);
}

/// True when both texts are empty (null or starting with the terminator), or when
/// both hold the same units.
template <class Unit>
bool equal_texts(const Unit* a, const Unit* b) {
  const bool a_empty = a == nullptr || *a == 0;
  const bool b_empty = b == nullptr || *b == 0;
  if (a_empty || b_empty) return a_empty == b_empty;
  return compare_units(a, b) == 0;
}

/// Ordering of two string buffers (null when a string has none), -1/0/1. The 8-bit
/// string puts a string without buffer before every string that has one, even one
/// holding the empty text; the UTF-16 string reads a missing buffer as the empty text.
template <class Unit>
int order_buffers(const Unit* a, const Unit* b) {
  if constexpr (UnitTraits<Unit>::kMissingBufferSortsFirst) {
    if (a == nullptr || b == nullptr) return (a != nullptr) - (b != nullptr);
    return compare_units(a, b);
  } else {
    static const Unit empty[1] = {0};
    return compare_units(a != nullptr ? a : empty, b != nullptr ? b : empty);
  }
}

/// Widens the 7-bit prefix of a narrow text: bytes 0-127 become units of the same
/// value; the terminator, `count` bytes (0 = no limit) or the first byte above 127
/// ends the copy. Writes the terminator and returns the units copied. With a null
/// destination it only reports the size needed: `count`, or the text's length.
inline uint32_t widen_ascii(unsigned short* dst, const char* text, uint32_t count) {
  if (dst == nullptr) return count != 0 ? count : text_length(text);
  uint32_t n = 0;
  for (; (count == 0 || n < count) && text[n] != 0; ++n) {
    const auto byte = static_cast<unsigned char>(text[n]);
    if (byte > 127) break;
    dst[n] = byte;
  }
  dst[n] = 0;
  return n;
}

/// The SuperFastHash skeleton over `length` units of `text`; 0 for an empty text.
template <class Unit>
uint32_t hash_units(const Unit* text, uint32_t length) {
  using Feed = UnitTraits<Unit>;
  if (length == 0) return 0;
  uint32_t h = length;
  const Unit* p = text;
  for (uint32_t groups = length / 4; groups > 0; --groups, p += 4) {
    h += Feed::hash_first(p);
    h = h ^ (h << 16) ^ (Feed::hash_second(p) << 11);
    h += h >> 11;
  }
  switch (length % 4) {
    case 3:
      h += Feed::hash_first(p);
      h ^= h << 16;
      h ^= Feed::hash_value(p + 2) << 18;
      h += h >> 11;
      break;
    case 2:
      h += Feed::hash_first(p);
      h ^= h << 11;
      h += h >> 17;
      break;
    case 1:
      h += Feed::hash_value(p);
      h ^= h << 10;
      h += h >> 1;
      break;
    default:
      break;
  }
  h ^= h << 3;
  h += h >> 5;
  h ^= h << 4;
  h += h >> 17;
  h ^= h << 25;
  h += h >> 6;
  return h;
}

/// A malloc'ed duplicate (released with free), null for null.
template <class Unit>
Unit* malloc_dup(const Unit* text) {
  if (text == nullptr) return nullptr;
  const size_t bytes = (static_cast<size_t>(text_length(text)) + 1) * sizeof(Unit);
  auto* copy = static_cast<Unit*>(std::malloc(bytes));
  if (copy != nullptr) std::memcpy(copy, text, bytes);
  return copy;
}

/// The editing operations of the string classes, on a view of their two fields.
template <class Unit>
class StringRep {
 public:
  StringRep(Unit*& buffer, uint32_t& capacity) : buffer_(buffer), capacity_(capacity) {}

  Unit* buffer() const { return buffer_; }
  uint32_t capacity() const { return capacity_; }
  uint32_t length() const { return buffer_length(buffer_, capacity_); }
  bool empty() const { return buffer_ == nullptr || buffer_[0] == 0; }

  void release() {
    delete[] buffer_;
    buffer_ = nullptr;
    capacity_ = 0;
  }

  /// Installs `block` (owned from now on) with the given recorded capacity.
  void adopt(Unit* block, uint32_t capacity) {
    delete[] buffer_;
    buffer_ = block;
    capacity_ = capacity;
  }

  /// Replaces the buffer by a copy of `text`: capacity length + 1, or 0 for the
  /// empty text (whose one-unit buffer is still allocated). Null: no buffer.
  void take_copy(const Unit* text) {
    uint32_t n = 0;
    Unit* copy = dup_with_length(text, &n);
    adopt(copy, copy != nullptr && n != 0 ? n + 1 : 0);
  }

  /// The counted constructor: the first `count` units of `text` (all of it for 0).
  /// A null or empty text leaves the string without buffer.
  void take_counted(const Unit* text, uint32_t count) {
    if (text == nullptr || text[0] == 0) return;
    if (count == 0) count = text_length(text);
    if (count == UINT32_MAX || !set_capacity(count + 1)) return;
    copy_counted(buffer_, text, count);
    buffer_[count] = 0;
  }

  bool set_capacity(uint32_t n) {
    if (n == 0) {
      release();
      return true;
    }
    Unit* block = allocate_units<Unit>(n);
    if (block == nullptr) return false;
    block[0] = 0;
    adopt(block, n);
    return true;
  }

  bool reset_capacity(uint32_t n) {
    if (n == 0) return false;
    Unit* block = allocate_units<Unit>(static_cast<uint64_t>(n) + 2);
    if (block == nullptr) return false;
    block[0] = 0;
    if (buffer_ != nullptr) {
      const uint32_t kept = capacity_ < n ? capacity_ : n;
      std::memcpy(block, buffer_, static_cast<size_t>(kept) * sizeof(Unit));
      // A text that filled its whole capacity (its terminator just outside it)
      // keeps its terminator here too.
      block[kept] = 0;
      block[n] = 0;
    }
    adopt(block, n);
    return true;
  }

  void set_text(const Unit* text, uint32_t count) {
    if (text == nullptr) {
      release();
      return;
    }
    if (count == 0) count = text_length(text);
    if (count < capacity_) {
      copy_counted(buffer_, text, count);
      buffer_[count] = 0;
      return;
    }
    Unit* block = allocate_units<Unit>(static_cast<uint64_t>(count) + 1);
    if (block == nullptr) return;
    copy_counted(block, text, count);
    block[count] = 0;
    adopt(block, count + 1);
  }

  /// Copies `source` (null when the source string has no buffer).
  void assign(const Unit* source, bool reallocate) {
    if (source == buffer_) return;
    if (!reallocate && buffer_ != nullptr) {
      const uint32_t n = text_length(source);
      // The caller promises room; a source that would not fit is copied into a
      // fresh buffer instead of overrunning this one.
      if (n == 0 || n < capacity_) {
        buffer_[0] = 0;
        if (source != nullptr) std::memcpy(buffer_, source, (static_cast<size_t>(n) + 1) * sizeof(Unit));
        return;
      }
    }
    release();
    if (source != nullptr) take_copy(source);
  }

  /// Makes room for `added` more units by the growth rule C + C/2 + 1 + M.
  bool grow_for(uint32_t length, uint32_t added) {
    const uint64_t needed = static_cast<uint64_t>(length) + added + 1;
    if (capacity_ >= needed) return true;
    const uint64_t grown = static_cast<uint64_t>(capacity_) + capacity_ / 2 + 1 + added;
    if (grown > UINT32_MAX - 2) return false;
    return reset_capacity(static_cast<uint32_t>(grown));
  }

  void insert(const Unit* text, int32_t position, uint32_t count) {
    if (text == nullptr || text[0] == 0) return;
    const uint32_t length = this->length();
    if (points_into_text(text, length)) {
      // The text lives in this string's own buffer, which growing would release.
      insert_copy_of_own_text(text, position, count);
      return;
    }
    const uint32_t at =
        (position < 0 || static_cast<uint32_t>(position) > length) ? length : static_cast<uint32_t>(position);
    if (count == 0) count = text_length(text);
    if (!grow_for(length, count)) return;
    std::memmove(buffer_ + at + count, buffer_ + at, (static_cast<size_t>(length - at) + 1) * sizeof(Unit));
    std::memcpy(buffer_ + at, text, static_cast<size_t>(count) * sizeof(Unit));
  }

  /// AppendChar: one unit at the end by the growth rule; the zero unit adds nothing.
  void append_unit(Unit c) {
    if (c == 0) return;
    const uint32_t length = this->length();
    if (!grow_for(length, 1)) return;
    buffer_[length] = c;
    buffer_[length + 1] = 0;
  }

  /// The exact-size append of the += operators: a new buffer on every call.
  void append_exact(const Unit* text) {
    if (text == nullptr || text[0] == 0) return;
    if (buffer_ == nullptr) {
      take_copy(text);
      return;
    }
    const uint32_t length = this->length();
    const uint32_t added = text_length(text);
    const uint64_t capacity = static_cast<uint64_t>(length) + added + 1;
    Unit* block = allocate_units<Unit>(capacity + 1);
    if (block == nullptr) return;
    std::memcpy(block, buffer_, static_cast<size_t>(length) * sizeof(Unit));
    std::memcpy(block + length, text, (static_cast<size_t>(added) + 1) * sizeof(Unit));
    adopt(block, static_cast<uint32_t>(capacity));
  }

  void remove(uint32_t position, uint32_t count) {
    if (count == 0) return;
    const uint32_t length = this->length();
    if (static_cast<uint64_t>(position) + count > length) return;
    std::memmove(buffer_ + position, buffer_ + position + count,
                 (static_cast<size_t>(length - position - count) + 1) * sizeof(Unit));
  }

  void clear() {
    if (buffer_ != nullptr) buffer_[0] = 0;
  }

  void zero() {
    if (buffer_ != nullptr) std::memset(buffer_, 0, static_cast<size_t>(capacity_) * sizeof(Unit));
  }

 private:
  bool points_into_text(const Unit* text, uint32_t length) const {
    if (buffer_ == nullptr) return false;
    const auto address = reinterpret_cast<uintptr_t>(text);
    const auto start = reinterpret_cast<uintptr_t>(buffer_);
    return address >= start && address <= start + static_cast<uintptr_t>(length) * sizeof(Unit);
  }

  void insert_copy_of_own_text(const Unit* text, int32_t position, uint32_t count) {
    if (count == 0) count = text_length(text);
    Unit* copy = allocate_units<Unit>(static_cast<uint64_t>(count) + 1);
    if (copy == nullptr) return;
    std::memcpy(copy, text, static_cast<size_t>(count) * sizeof(Unit));
    copy[count] = 0;
    insert(copy, position, count);
    delete[] copy;
  }

  Unit*& buffer_;
  uint32_t& capacity_;
};

/// A + text: a copy of `string` with `text` appended exactly.
template <class String, class Unit>
String concatenated(const String& string, const Unit* text) {
  String sum(string);
  sum += text;
  return String(sum);
}

}  // namespace vorn::detail

#endif  // VORN_SRC_STRINGS_STRING_CORE_IMPL_H
