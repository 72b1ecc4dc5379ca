// Internal to vorn_common: do not include from outside src/.
//
// Unit-generic primitives on zero-terminated texts, shared by the C helpers and by
// the 8-bit and UTF-16 string classes.
#ifndef VORN_SRC_CSTR_CSTR_IMPL_H
#define VORN_SRC_CSTR_CSTR_IMPL_H

#include <cstdint>
#include <cstring>

#include "cstr/unit_traits.h"

namespace vorn::detail {

/// Units before the terminator; 0 for null.
template <class Unit>
inline uint32_t text_length(const Unit* text) {
  return text != nullptr ? UnitTraits<Unit>::length(text) : 0;
}

/// A new[] copy of `text` with its terminator; `*length` (optional) is 0 first, then the length.
template <class Unit>
Unit* dup_with_length(const Unit* text, uint32_t* length) {
  if (length != nullptr) *length = 0;
  if (text == nullptr) return nullptr;
  const uint32_t n = text_length(text);
  Unit* copy = new Unit[static_cast<size_t>(n) + 1];
  std::memcpy(copy, text, (static_cast<size_t>(n) + 1) * sizeof(Unit));
  if (length != nullptr) *length = n;
  return copy;
}

/// Null equals "", null sorts before any text; otherwise unsigned units, -1/0/1.
template <class Unit>
int32_t compare_nil(const Unit* a, const Unit* b) {
  const bool a_empty = a == nullptr || *a == 0;
  const bool b_empty = b == nullptr || *b == 0;
  if (a_empty && b_empty) return 0;
  if (a == nullptr) return -1;
  if (b == nullptr) return 1;
  while (*a != 0 && *a == *b) {
    ++a;
    ++b;
  }
  if (*a == *b) return 0;
  return *a < *b ? -1 : 1;
}

}  // namespace vorn::detail

#endif  // VORN_SRC_CSTR_CSTR_IMPL_H
