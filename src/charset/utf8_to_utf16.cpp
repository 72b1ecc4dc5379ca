// UTF-8 into UTF-16 on the caller's buffer, without a converter object.
#include "charset/utf8_to_utf16.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "charset/icu_convert_impl.h"
#include "cstr/ascii.h"

namespace vorn::detail {
namespace {

constexpr unsigned short kReplacement = 0xFFFD;

/// The output: units go to the buffer while it has room, and are counted either way.
struct Units {
  unsigned short* out;
  size_t room;
  size_t count = 0;

  void put(unsigned short u) {
    if (count < room) out[count] = u;
    ++count;
  }
  void put_supplementary(uint32_t c) {
    put(static_cast<unsigned short>(0xD7C0 + (c >> 10)));
    put(static_cast<unsigned short>(0xDC00 | (c & 0x3FF)));
  }
};

inline bool in(unsigned b, unsigned lo, unsigned hi) { return b >= lo && b <= hi; }
inline bool trail(unsigned char b) { return (b & 0xC0) == 0x80; }

/// What a lead byte asks of the bytes after it: how many continuation bytes, and the
/// range of the first one (narrower after E0, ED, F0 and F4, which keeps out overlong
/// forms, surrogates and code points above U+10FFFF). No continuation: not a lead.
struct Lead {
  unsigned trails;
  unsigned lo;
  unsigned hi;
};

Lead lead_of(unsigned c) {
  if (in(c, 0xC2, 0xDF)) return {1, 0x80, 0xBF};
  if (in(c, 0xE0, 0xEF)) return {2, c == 0xE0 ? 0xA0u : 0x80u, c == 0xED ? 0x9Fu : 0xBFu};
  if (in(c, 0xF0, 0xF4)) return {3, c == 0xF0 ? 0x90u : 0x80u, c == 0xF4 ? 0x8Fu : 0xBFu};
  return {0, 0, 0};
}

/// Decodes the sequence that starts at s[i] (not ASCII) and returns the index after
/// it: after the whole character, or after the longest start of one that the input
/// allows, which then stands for one U+FFFD.
size_t decode_one(const unsigned char* s, size_t i, size_t n, Units& units) {
  const Lead lead = lead_of(s[i]);
  if (lead.trails == 0 || i + 1 >= n || !in(s[i + 1], lead.lo, lead.hi)) {
    units.put(kReplacement);
    return i + 1;
  }
  uint32_t c = s[i] & (0xFFu >> (lead.trails + 2));
  for (size_t k = 1; k <= lead.trails; ++k) {
    if (k > 1 && (i + k >= n || !trail(s[i + k]))) {
      units.put(kReplacement);
      return i + k;
    }
    c = (c << 6) | (s[i + k] & 0x3Fu);
  }
  if (c < 0x10000) {
    units.put(static_cast<unsigned short>(c));
  } else {
    units.put_supplementary(c);
  }
  return i + lead.trails + 1;
}

/// Length of the ASCII run at the start of s[0, n).
size_t ascii_run(const unsigned char* s, size_t n) {
  size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    uint64_t word;
    std::memcpy(&word, s + i, 8);
    if (word & 0x8080808080808080u) break;
  }
  while (i < n && s[i] < 0x80) ++i;
  return i;
}

/// Widens the ASCII bytes s[0, n) into the room left, counting them all.
void put_ascii(const unsigned char* s, size_t n, Units& units) {
  const size_t fits = units.count < units.room ? units.room - units.count : 0;
  const size_t written = n < fits ? n : fits;
  widen_ascii_bytes(s, written, units.out + units.count);
  units.count += n;
}

/// Decodes a two- or three-byte character at s[i] if it is one (the common non-ASCII
/// case) into *out and returns its length, else 0.
inline size_t decode_short(const unsigned char* s, size_t i, size_t n, unsigned short* out) {
  const unsigned c = s[i];
  if ((c & 0xF0) == 0xE0 && i + 2 < n && trail(s[i + 1]) && trail(s[i + 2])) {
    const unsigned u = ((c & 0x0F) << 12) | ((s[i + 1] & 0x3Fu) << 6) | (s[i + 2] & 0x3Fu);
    // Overlong forms and surrogates take the careful way.
    if (u < 0x800 || (u & 0xF800) == 0xD800) return 0;
    *out = static_cast<unsigned short>(u);
    return 3;
  }
  if ((c & 0xE0) == 0xC0 && c >= 0xC2 && i + 1 < n && trail(s[i + 1])) {
    *out = static_cast<unsigned short>(((c & 0x1F) << 6) | (s[i + 1] & 0x3Fu));
    return 2;
  }
  return 0;
}

/// Every input byte gives at most one unit, so with room for n units no write needs a
/// test: the common case, as callers size their buffers by the source length.
size_t decode_with_room(const unsigned char* s, size_t n, unsigned short* dest) {
  size_t i = 0;
  size_t o = 0;
  while (i < n) {
#if defined(__SSE2__)
    if (n - i >= 16) {
      const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
      const unsigned high = static_cast<unsigned>(_mm_movemask_epi8(v));
      if (high == 0) {
        const __m128i zero = _mm_setzero_si128();
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dest + o), _mm_unpacklo_epi8(v, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dest + o + 8), _mm_unpackhi_epi8(v, zero));
        i += 16;
        o += 16;
        continue;
      }
      // Only the ASCII bytes before the first other one: units past the text's end
      // are left as they were.
      for (const size_t end = i + static_cast<size_t>(__builtin_ctz(high)); i < end;) dest[o++] = s[i++];
    }
#endif
    if (s[i] < 0x80) {
      dest[o++] = s[i++];
      continue;
    }
    const size_t length = decode_short(s, i, n, dest + o);
    if (length != 0) {
      i += length;
      ++o;
      continue;
    }
    Units units{dest, SIZE_MAX, o};
    i = decode_one(s, i, n, units);
    o = units.count;
  }
  return o;
}

size_t decode(const unsigned char* s, size_t n, unsigned short* dest, size_t room) {
  if (room >= n) return decode_with_room(s, n, dest);
  Units units{dest, room};
  size_t i = 0;
  while (i < n) {
    if (s[i] < 0x80) {
      const size_t run = ascii_run(s + i, n - i);
      put_ascii(s + i, run, units);
      i += run;
      continue;
    }
    i = decode_one(s, i, n, units);
  }
  return units.count;
}

}  // namespace

bool names_utf8(const char* converter) {
  const char* const names[] = {"utf8", "utf-8"};
  for (const char* name : names) {
    size_t k = 0;
    while (name[k] != 0 && ascii_lower(converter[k]) == name[k]) ++k;
    if (name[k] == 0 && converter[k] == 0) return true;
  }
  return false;
}

int utf8_to_utf16(unsigned short* dest, uint32_t capacity, const char* src, int32_t length) {
  dest[0] = 0;
  // What ICU rejects as arguments: it converts nothing and answers 0.
  if (length < -1 || (length != 0 && src == nullptr)) return 0;
  const size_t n = length == -1 ? std::strlen(src) : static_cast<size_t>(length);
  const size_t room = static_cast<size_t>(icu_capacity(capacity));
  const size_t count = decode(reinterpret_cast<const unsigned char*>(src), n, dest, room);
  if (count < room) dest[count] = 0;
  return static_cast<int>(count);
}

}  // namespace vorn::detail
