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

#include <cstdint>

namespace vorn::detail {

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
