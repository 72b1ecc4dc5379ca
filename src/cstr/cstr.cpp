// C string helpers with the library's conventions: null-tolerant comparison,
// ASCII-only case folding, new[] duplicates.
#include "vorn/cstr.h"

#include <cstring>

#include "cstr/cstr_impl.h"

namespace {

inline int32_t signed_byte_difference(char a, char b) {
  return static_cast<int32_t>(static_cast<signed char>(a)) - static_cast<int32_t>(static_cast<signed char>(b));
}

// Both Vorn_stricmp and Vorn_strnicmp: stop at the first string's terminator, at a
// differing folded pair, or after `limit` pairs.
int32_t compare_case_blind(const char* a, const char* b, uint64_t limit) {
  char fa = 0;
  char fb = 0;
  for (uint64_t i = 0; i < limit; ++i) {
    fa = vorn::detail::ascii_lower(a[i]);
    fb = vorn::detail::ascii_lower(b[i]);
    if (a[i] == 0 || fa != fb) break;
  }
  return signed_byte_difference(fa, fb);
}

}  // namespace

extern "C" {

char* Vorn_IToA(int32_t value, char* buffer) {
  char* out = buffer;
  uint32_t magnitude = static_cast<uint32_t>(value);
  if (value < 0) {
    *out++ = '-';
    magnitude = 0u - magnitude;
  }
  char* first_digit = out;
  do {
    *out++ = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  *out = 0;
  for (char* last = out - 1; first_digit < last; ++first_digit, --last) {
    const char t = *first_digit;
    *first_digit = *last;
    *last = t;
  }
  return buffer;
}

int32_t Vorn_stricmp(const char* a, const char* b) { return compare_case_blind(a, b, UINT64_MAX); }

int32_t Vorn_strnicmp(const char* a, const char* b, uint32_t n) { return n == 0 ? 0 : compare_case_blind(a, b, n); }

int32_t Vorn_strncmp(const char* a, const char* b, int32_t n) {
  for (int32_t i = 0; i < n; ++i) {
    if (a[i] != b[i]) return signed_byte_difference(a[i], b[i]);
    if (a[i] == 0) break;
  }
  return 0;
}

int32_t vorn_strcmpnil(const char* a, const char* b) {
  return vorn::detail::compare_nil(reinterpret_cast<const unsigned char*>(a),
                                   reinterpret_cast<const unsigned char*>(b));
}

int32_t vorn_strcmpnilw(const unsigned short* a, const unsigned short* b) { return vorn::detail::compare_nil(a, b); }

uint32_t GetLenANSICopy(char* dest, const char* src) {
  if (dest == nullptr || src == nullptr) return 0;
  const size_t length = std::strlen(src);
  std::memcpy(dest, src, length + 1);
  return static_cast<uint32_t>(length);
}

uint32_t DumpANSIStr(const char* src, char* dest) {
  const uint32_t size = GetANSIStrDumpSize(src);
  if (size > 1) std::memcpy(dest, src, size - 1);
  dest[size - 1] = 0;
  return size;
}

uint32_t GetANSIStrDumpSize(const char* text) {
  return text == nullptr ? 1 : static_cast<uint32_t>(std::strlen(text)) + 1;
}

char* vorn_ansistrduplen_impl(const char* text, uint32_t* length) {
  return vorn::detail::dup_with_length(text, length);
}

unsigned short* vorn_strdup_impl(const unsigned short* text) { return vorn::detail::dup_with_length(text, nullptr); }

unsigned short* vorn_strduplen_impl(const unsigned short* text, uint32_t* length) {
  return vorn::detail::dup_with_length(text, length);
}

char* vorn_strdupa(const char* text) { return vorn::detail::dup_with_length(text, nullptr); }

char* Vorn_Trim(char* text) {
  while (*text == ' ') ++text;
  for (size_t end = std::strlen(text); end > 0 && text[end - 1] == ' '; --end) text[end - 1] = 0;
  return text;
}

}  // extern "C"
