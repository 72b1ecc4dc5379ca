// Internal to vorn_common: do not include from outside src/.
//
// ASCII classification and case folding for any unit type (char, unsigned char,
// UTF-16 units). These are the library's only copies: every case-blind comparison,
// case mapping and digit or blank test goes through them.
#ifndef VORN_SRC_CSTR_ASCII_H
#define VORN_SRC_CSTR_ASCII_H

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace vorn::detail {

template <class C>
constexpr bool is_ascii_digit(C c) {
  return c >= '0' && c <= '9';
}

/// The C locale's white space: the space and tab, line feed, vertical tab, form
/// feed and carriage return.
template <class C>
constexpr bool is_ascii_space(C c) {
  return c == ' ' || (c >= 9 && c <= 13);
}

/// What the string classes trim: the space, and with `all` tab, line feed and
/// carriage return too.
template <class C>
constexpr bool is_trim_blank(C c, bool all) {
  return c == ' ' || (all && (c == '\t' || c == '\n' || c == '\r'));
}

template <class C>
constexpr bool is_ascii_upper(C c) {
  return c >= 'A' && c <= 'Z';
}

template <class C>
constexpr bool is_ascii_lower(C c) {
  return c >= 'a' && c <= 'z';
}

/// ASCII-only case folding: other units, bytes above 127 included, stay as they are.
template <class C>
constexpr C ascii_lower(C c) {
  return is_ascii_upper(c) ? static_cast<C>(c + ('a' - 'A')) : c;
}

template <class C>
constexpr C ascii_upper(C c) {
  return is_ascii_lower(c) ? static_cast<C>(c - ('a' - 'A')) : c;
}

/// The `size` bytes at `text` spell the lower-case ASCII letters `word` in either case.
/// A letter's two cases differ in bit 0x20 alone, and no other byte becomes a lower-case
/// letter when that bit is set, so the bytes are compared a word at a time.
inline bool equals_lower_letters(const char* text, const char* word, size_t size) {
  constexpr uint64_t kCaseBits = 0x2020202020202020ull;
  const auto load = [](const char* p) {
    uint64_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
  };
  size_t i = 0;
  for (; i + 8 <= size; i += 8) {
    if ((load(text + i) | kCaseBits) != load(word + i)) return false;
  }
  for (; i < size; ++i) {
    if ((static_cast<unsigned char>(text[i]) | 0x20u) != static_cast<unsigned char>(word[i])) return false;
  }
  return true;
}

}  // namespace vorn::detail

#endif  // VORN_SRC_CSTR_ASCII_H
