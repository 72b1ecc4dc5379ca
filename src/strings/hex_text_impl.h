// Internal to vorn_common: do not include from outside src/.
//
// Hexadecimal digits of byte blocks and GUIDs, written once over the unit type. A
// GUID is 16 raw bytes written as 32 digits in memory order, high nibble first.
#ifndef VORN_SRC_STRINGS_HEX_TEXT_IMPL_H
#define VORN_SRC_STRINGS_HEX_TEXT_IMPL_H

#include <cstddef>
#include <cstdint>

#include "strings/string_core_impl.h"

namespace vorn::detail {

constexpr uint32_t kGuidBytes = 16;
constexpr uint32_t kGuidDigits = 2 * kGuidBytes;

inline const char* hex_digit_row(bool lower_case) { return lower_case ? "0123456789abcdef" : "0123456789ABCDEF"; }

/// Writes the two digits of `byte` at `out` and returns the position after them.
template <class Unit>
Unit* write_hex_byte(Unit* out, unsigned char byte, const char* row) {
  out[0] = static_cast<Unit>(static_cast<unsigned char>(row[byte >> 4]));
  out[1] = static_cast<Unit>(static_cast<unsigned char>(row[byte & 15]));
  return out + 2;
}

/// Writes two digits per byte with nothing between and a terminator.
template <class Unit>
void write_hex_bytes(Unit* out, const unsigned char* data, uint32_t count, bool lower_case) {
  const char* row = hex_digit_row(lower_case);
  for (uint32_t i = 0; i < count; ++i) out = write_hex_byte(out, data[i], row);
  *out = 0;
}

/// FromGUID: the 32 digits of a GUID in a buffer of 50 units.
template <class Unit>
void set_guid_text(StringRep<Unit> rep, const void* guid, bool lower_case) {
  constexpr uint32_t kGuidCapacity = 50;
  if (rep.set_capacity(kGuidCapacity)) {
    write_hex_bytes(rep.buffer(), static_cast<const unsigned char*>(guid), kGuidBytes, lower_case);
  }
}

/// 0-9 for '0'-'9', 10-15 for 'A'-'F' and 'a'-'f', 0 for every other unit.
template <class Unit>
unsigned char hex_value(Unit c) {
  if (is_ascii_digit(c)) return static_cast<unsigned char>(c - '0');
  if (c >= 'A' && c <= 'F') return static_cast<unsigned char>(c - 'A' + 10);
  if (c >= 'a' && c <= 'f') return static_cast<unsigned char>(c - 'a' + 10);
  return 0;
}

/// Reads 32 digits into 16 bytes; false, with nothing written, unless `text` holds
/// exactly 32 units.
template <class Unit>
bool read_guid_digits(const Unit* text, void* guid) {
  if (text == nullptr) return false;
  uint32_t n = 0;
  while (n <= kGuidDigits && text[n] != 0) ++n;
  if (n != kGuidDigits) return false;
  auto* out = static_cast<unsigned char*>(guid);
  for (size_t i = 0; i < kGuidBytes; ++i) {
    out[i] = static_cast<unsigned char>(hex_value(text[2 * i]) * 16 + hex_value(text[2 * i + 1]));
  }
  return true;
}

}  // namespace vorn::detail

#endif  // VORN_SRC_STRINGS_HEX_TEXT_IMPL_H
