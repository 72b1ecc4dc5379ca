// TStringA: searching, substrings, trimming, replacing, case, numbers, classification
// and GUID text; plus the members only the 8-bit string has (first line, floating
// point text).
#include <cstdlib>
#include <cstring>

#include "platform/float_text.h"
#include "strings/hex_text_impl.h"
#include "strings/string_text_impl.h"
#include "vorn/strings.h"

namespace {
using Unit = char;
using Position = int32_t;
using CharArg = const char&;
}  // namespace

#define VORN_STRING_CLASS TStringA
#include "strings/string_text_members.inc"
#undef VORN_STRING_CLASS

int32_t TStringA::PosSubStr(const char* text) const {
  if (IsEmpty() || text == nullptr) return -1;
  return vorn::detail::offset_or_minus_one(FBuffer, vorn::detail::find_text(FBuffer, text));
}

int32_t TStringA::IntToStrS(char* out, long long value, int32_t width) {
  if (out == nullptr) return 0;
  return static_cast<int32_t>(vorn::detail::write_decimal(out, value, width));
}

const char* TStringA::fromFirstLine(const char* text) {
  if (text == nullptr) {
    Clear();
    return nullptr;
  }
  const char* end = text + std::strcspn(text, "\r\n");
  const char* next = nullptr;
  if (*end != 0) {
    next = end + ((end[0] == '\r' && end[1] == '\n') ? 2 : 1);
    if (*next == 0) next = nullptr;
  }
  if (end == text) {
    Clear();
  } else {
    SetText(text, static_cast<uint32_t>(end - text));
  }
  return next;
}

TStringA& TStringA::fromFloat(double value, uint32_t digits) {
  Clear();
  const uint64_t capacity = static_cast<uint64_t>(digits) + 64;
  if (capacity > UINT32_MAX - 2 || !SetCapacity(static_cast<uint32_t>(capacity))) return *this;
  vorn::platform::format_significant(value, digits, FBuffer, FCapacity);
  return *this;
}

double TStringA::toFloat() const { return FBuffer != nullptr ? std::atof(FBuffer) : 0.0; }
