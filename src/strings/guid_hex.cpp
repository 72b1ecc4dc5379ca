// Byte blocks and GUIDs as hexadecimal text, and hextoint.
#include <cstring>

#include "strings/hex_text_impl.h"
#include "vorn/strings.h"

namespace {

// Gives `out` a fresh buffer of `per_byte` * count + 2 bytes; false (out unchanged)
// when that size has no 32-bit capacity or cannot be allocated.
char* fresh_hex_buffer(TStringA& out, uint32_t count, uint32_t per_byte) {
  const uint64_t capacity = static_cast<uint64_t>(per_byte) * count + 2;
  if (capacity > UINT32_MAX - 2 || !out.SetCapacity(static_cast<uint32_t>(capacity))) return nullptr;
  return out.GetBufferVar();
}

// Four bits of a hex digit, without validation: characters with bit 6 set lose 7
// first, so 'A'-'F' and 'a'-'f' land on 10-15.
unsigned hex_nibble(char c) {
  unsigned code = static_cast<unsigned char>(c);
  if ((code & 64u) != 0) code -= 7;
  return code & 15u;
}

}  // namespace

void BinaryToHexA(const unsigned char* data, uint32_t count, TStringA& out, bool lower_case) {
  char* p = fresh_hex_buffer(out, count, 5);
  if (p == nullptr) return;
  const char* row = vorn::detail::hex_digit_row(lower_case);
  for (uint32_t i = 0; i < count; ++i) {
    if (i != 0) *p++ = ',';
    *p++ = '0';
    *p++ = 'x';
    p = vorn::detail::write_hex_byte(p, data[i], row);
  }
  *p = 0;
}

TStringA& BinaryToHexNoTagA(const unsigned char* data, uint32_t count, TStringA& out, bool lower_case) {
  char* p = fresh_hex_buffer(out, count, 3);
  if (p != nullptr) vorn::detail::write_hex_bytes(p, data, count, lower_case);
  return out;
}

char* GUIDToNewText(const void* guid) {
  char* text = new char[vorn::detail::kGuidDigits + 1];
  vorn::detail::write_hex_bytes(text, static_cast<const unsigned char*>(guid), vorn::detail::kGuidBytes, false);
  return text;
}

const char* GUIDToNewText(const void* guid, TStringA& out) {
  if (out.SetCapacity(vorn::detail::kGuidDigits + 1)) {
    vorn::detail::write_hex_bytes(out.GetBufferVar(), static_cast<const unsigned char*>(guid), vorn::detail::kGuidBytes,
                                  false);
  }
  return out.GetBuffer();
}

int checkGUIDText(const char* text) {
  return text != nullptr && strnlen(text, vorn::detail::kGuidDigits + 1) == vorn::detail::kGuidDigits ? 1 : 0;
}

extern "C" int64_t hextoint(const char* text) {
  if (text == nullptr || text[0] == 0) return 0;
  constexpr unsigned kMaxDigits = 16;
  const char* p = text + std::strlen(text) - 1;
  uint64_t value = hex_nibble(*p);
  for (unsigned used = 1; used < kMaxDigits && p != text; ++used) {
    --p;
    if (*p == 'x' || *p == 'X') break;
    value |= static_cast<uint64_t>(hex_nibble(*p)) << (4 * used);
  }
  return static_cast<int64_t>(value);
}
