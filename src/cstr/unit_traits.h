// Internal to vorn_common: do not include from outside src/.
//
// Everything that differs between 8-bit and UTF-16 text, in one place. The shared
// templates of every subsystem (strings, lists, formatting, files) are written over
// the unit type and ask UnitTraits<Unit> wherever the two kinds of text part ways;
// nothing else in the library branches on the unit's size.
#ifndef VORN_SRC_CSTR_UNIT_TRAITS_H
#define VORN_SRC_CSTR_UNIT_TRAITS_H

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "charset/utf8_text.h"
#include "cstr/ascii.h"
#include "platform/file_system.h"
#include "vorn/files.h"
#include "vorn/strings.h"

namespace vorn::detail {

// ---- the two unit types ---------------------------------------------------------

template <class Unit>
struct UnitTraits;

template <>
struct UnitTraits<char> {
  using String = TStringA;

  /// A literal's character as a unit.
  static constexpr char widen(char c) { return c; }

  static uint32_t length(const char* text) { return static_cast<uint32_t>(std::strlen(text)); }
  static size_t length_within(const char* text, size_t limit) { return strnlen(text, limit); }
  /// The length of a string's own text (`capacity` defined units at `buffer`).
  static uint32_t buffer_length(const char* buffer, uint32_t /*capacity*/) { return length(buffer); }
  /// The first `c` (the terminator itself when `c` is 0); null when absent.
  static const char* find(const char* text, char c) { return std::strchr(text, c); }
  /// The first occurrence of `needle`; the empty needle is found at `text`.
  static const char* find(const char* text, const char* needle) { return std::strstr(text, needle); }
  /// The first `c` among `n` units (n > 0), null when absent.
  static const char* find_within(const char* text, char c, size_t n) {
    return static_cast<const char*>(std::memchr(text, c, n));
  }
  /// strcmp as -1/0/1, bytes read unsigned.
  static int compare(const char* a, const char* b) {
    const int r = std::strcmp(a, b);
    return (r > 0) - (r < 0);
  }
  /// A string without buffer sorts before every string that has one, even one
  /// holding the empty text.
  static constexpr bool kMissingBufferSortsFirst = true;
  /// Fresh blocks are left as new[] gives them.
  static char* new_block(size_t count) { return new (std::nothrow) char[count]; }

  // The hash reads bytes as signed values and pairs them.
  static uint32_t hash_value(const char* p) {
    return static_cast<uint32_t>(static_cast<int32_t>(static_cast<signed char>(*p)));
  }
  static uint32_t hash_first(const char* group) { return hash_pair(group); }
  static uint32_t hash_second(const char* group) { return hash_pair(group + 2); }

  // Paths.
  static FILE* open_file(const char* path, const char* mode) { return platform::open_file(path, mode); }
  /// The path as 8-bit text for log lines ("" for null).
  class PathText {
   public:
    explicit PathText(const char* path) : text_(path != nullptr ? path : "") {}
    const char* c_str() const { return text_; }

   private:
    const char* text_;
  };
  static int32_t read_file(const char* path, char** out) { return Vorn_ReadFileA(path, out); }
  static int32_t write_file(const char* path, const void* data, uint32_t size) {
    return Vorn_WriteFileA(path, data, size);
  }

  // Formatting: the accumulator grows by twice the incoming run and its grow function
  // counts characters; a %z text comes from new[].
  static constexpr int64_t kFormatGrowthFactor = 2;
  static constexpr int64_t kFormatSizeScale = 1;
  static void release_owned(char* text) { delete[] text; }
  /// Stores the eight ASCII bytes of `bytes` (lowest first) as eight units.
  static void store_ascii_word(char* at, uint64_t bytes) { std::memcpy(at, &bytes, sizeof bytes); }
  /// The first `c` (not 0), or the terminator when there is none. Two searches of
  /// the C library outrun one strcspn, which compares against a set.
  static const char* find_or_end(const char* text, char c) {
    const char* hit = std::strchr(text, c);
    return hit != nullptr ? hit : text + std::strlen(text);
  }

  // Lists: a file's bytes are the units themselves; CR and LF end lines.
  static constexpr bool kLineSeparator = false;
  static std::vector<char> units_from_file_bytes(const char* bytes, size_t size) {
    return std::vector<char>(bytes, bytes + size);
  }
  static std::vector<char> file_bytes_from_units(const char* text, size_t length) {
    return std::vector<char>(text, text + length);
  }

 private:
  static uint32_t hash_pair(const char* p) { return hash_value(p) + (hash_value(p + 1) << 8); }
};

template <>
struct UnitTraits<unsigned short> {
  using Unit = unsigned short;
  using String = TWideString;

  static constexpr Unit widen(char c) { return static_cast<Unit>(static_cast<unsigned char>(c)); }

  static uint32_t length(const Unit* text) { return static_cast<uint32_t>(length_within(text, SIZE_MAX)); }
  static size_t length_within(const Unit* text, size_t limit) {
    size_t n = 0;
    while (n < limit && text[n] != 0) ++n;
    return n;
  }
  /// The buffer holds at least `capacity` defined units (blocks are zero-filled), so
  /// the scan reads blocks of units inside that bound; a text that fills its
  /// capacity without a terminator is counted on unit by unit.
  static uint32_t buffer_length(const Unit* buffer, uint32_t capacity) {
    uint32_t i = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const auto zero_lanes = [&zero](const Unit* p) {
      return _mm_cmpeq_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), zero);
    };
    // 32 units a step while no terminator shows, then 8 at a time to place it.
    for (; capacity - i >= 32; i += 32) {
      const __m128i any = _mm_or_si128(_mm_or_si128(zero_lanes(buffer + i), zero_lanes(buffer + i + 8)),
                                       _mm_or_si128(zero_lanes(buffer + i + 16), zero_lanes(buffer + i + 24)));
      if (_mm_movemask_epi8(any) != 0) break;
    }
    for (; capacity - i >= 8; i += 8) {
      const auto mask = static_cast<unsigned>(_mm_movemask_epi8(zero_lanes(buffer + i)));
      if (mask != 0) return i + static_cast<uint32_t>(__builtin_ctz(mask) / 2);
    }
#else
    (void)capacity;
#endif
    while (buffer[i] != 0) ++i;
    return i;
  }
  static const Unit* find(const Unit* text, Unit c) {
    for (;; ++text) {
      if (*text == c) return text;
      if (*text == 0) return nullptr;
    }
  }
  static const Unit* find(const Unit* text, const Unit* needle) {
    const Unit first = needle[0];
    if (first == 0) return text;
    for (;; ++text) {
      while (*text != first) {
        if (*text == 0) return nullptr;
        ++text;
      }
      uint32_t i = 1;
      while (needle[i] != 0 && text[i] == needle[i]) ++i;
      if (needle[i] == 0) return text;
      // The text ended inside a partial match: no later start can match either.
      if (text[i] == 0) return nullptr;
    }
  }
  static const Unit* find_within(const Unit* text, Unit c, size_t n) {
    for (const Unit* end = text + n; text != end; ++text) {
      if (*text == c) return text;
    }
    return nullptr;
  }
  static int compare(const Unit* a, const Unit* b) {
    while (*a != 0 && *a == *b) {
      ++a;
      ++b;
    }
    return (*a > *b) - (*a < *b);
  }
  /// A missing buffer reads as the empty text.
  static constexpr bool kMissingBufferSortsFirst = false;
  /// Fresh blocks are zero-filled, so every unit of a buffer holds a defined value
  /// (buffer_length reads whole blocks of it).
  static Unit* new_block(size_t count) { return new (std::nothrow) Unit[count](); }

  // The hash reads units unsigned and uses only the first two of each group of four.
  static uint32_t hash_value(const Unit* p) { return *p; }
  static uint32_t hash_first(const Unit* group) { return group[0]; }
  static uint32_t hash_second(const Unit* group) { return group[1]; }

  // Paths.
  // The name goes through UTF-8 on every system; only an unpaired surrogate, which no
  // valid name holds, is lost.
  static FILE* open_file(const Unit* path, const char* mode) {
    return path != nullptr ? platform::open_file_utf8(charset::utf16_to_utf8(path).c_str(), mode) : nullptr;
  }
  /// The path as UTF-8 text for log lines ("" for null).
  class PathText {
   public:
    explicit PathText(const Unit* path) : text_(charset::utf16_to_utf8(path)) {}
    const char* c_str() const { return text_.c_str(); }

   private:
    std::string text_;
  };
  static int32_t read_file(const Unit* path, char** out) { return Vorn_ReadFileW(path, out); }
  static int32_t write_file(const Unit* path, const void* data, uint32_t size) {
    return Vorn_WriteFileW(path, data, size);
  }

  // Formatting: the accumulator grows by exactly the run and its grow function counts
  // bytes; a %z text comes from the single-object ::operator new.
  static constexpr int64_t kFormatGrowthFactor = 1;
  static constexpr int64_t kFormatSizeScale = 2;
  static void release_owned(Unit* text) { ::operator delete(text); }
  static void store_ascii_word(Unit* at, uint64_t bytes) {
    // Each byte widened to a unit, four units to a word.
    const auto widen4 = [](uint64_t b) {
      return (b & 0xFF) | (b >> 8 & 0xFF) << 16 | (b >> 16 & 0xFF) << 32 | (b >> 24 & 0xFF) << 48;
    };
    const uint64_t low = widen4(bytes);
    const uint64_t high = widen4(bytes >> 32);
    std::memcpy(at, &low, sizeof low);
    std::memcpy(at + 4, &high, sizeof high);
  }
  static const Unit* find_or_end(const Unit* text, Unit c) {
    while (*text != 0 && *text != c) ++text;
    return text;
  }

  // Lists: a file holds little-endian units (an odd last byte is dropped); LINE
  // SEPARATOR ends a line too, after CR and LF.
  static constexpr bool kLineSeparator = true;
  static constexpr Unit kLineSeparatorUnit = 0x2028;
  /// Decoded byte by byte, so the byte buffer is never read through another type.
  static std::vector<Unit> units_from_file_bytes(const char* bytes, size_t size) {
    std::vector<Unit> units(size / 2);
    const auto* b = reinterpret_cast<const unsigned char*>(bytes);
    for (size_t i = 0; i < units.size(); ++i) units[i] = static_cast<Unit>(b[2 * i] | (b[2 * i + 1] << 8));
    return units;
  }
  static std::vector<char> file_bytes_from_units(const Unit* text, size_t length) {
    std::vector<char> bytes(length * 2);
    for (size_t i = 0; i < length; ++i) {
      bytes[2 * i] = static_cast<char>(text[i] & 0xFF);
      bytes[2 * i + 1] = static_cast<char>(text[i] >> 8);
    }
    return bytes;
  }
};

}  // namespace vorn::detail

#endif  // VORN_SRC_CSTR_UNIT_TRAITS_H
