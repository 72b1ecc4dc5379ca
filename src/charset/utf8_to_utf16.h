// Internal to vorn_common: do not include from outside src/.
//
// UTF-8 into UTF-16 without opening a converter, with exactly the results of ICU's
// UTF-8 converter: each maximal ill-formed part of the input (a byte that cannot
// start a sequence, or a started sequence cut short by a byte that cannot continue
// it or by the end of the input) becomes one U+FFFD; a NUL inside a counted source
// is a character like any other. The count is that of the whole text; the first
// `capacity` units are written and a terminator follows when there is room.
#ifndef VORN_SRC_CHARSET_UTF8_TO_UTF16_H
#define VORN_SRC_CHARSET_UTF8_TO_UTF16_H

#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vorn::detail {

/// Widens the `n` bytes at `s`, each below 0x80, to UTF-16 units of the same values.
inline void widen_ascii_bytes(const unsigned char* s, size_t n, unsigned short* out) {
  size_t k = 0;
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  for (; k + 16 <= n; k += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + k));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + k), _mm_unpacklo_epi8(v, zero));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + k + 8), _mm_unpackhi_epi8(v, zero));
  }
#endif
  for (; k < n; ++k) out[k] = s[k];
}

/// True for the converter names that the fast path serves ("UTF8", "UTF-8" in any case).
bool names_utf8(const char* converter);

/// AnyToUnicode for UTF-8 once dest and capacity are checked: the converter path's
/// results for every source, length (-1: up to the terminator) and capacity.
int utf8_to_utf16(unsigned short* dest, uint32_t capacity, const char* src, int32_t length);

/// AnyToUnicode through an opened ICU converter, whatever the name: the path the fast
/// one must agree with.
int any_to_utf16_by_converter(const char* converter, unsigned short* dest, uint32_t capacity, const char* src,
                              int32_t length);

}  // namespace vorn::detail

#endif  // VORN_SRC_CHARSET_UTF8_TO_UTF16_H
