// TWideString: the text operations of TStringA in 16-bit units, plus the number
// writers that fill caller buffers.
#include "strings/hex_text_impl.h"
#include "strings/string_text_impl.h"
#include "vorn/strings.h"

namespace {
using Unit = unsigned short;
using Position = uint32_t;
using CharArg = unsigned short;
}  // namespace

#define VORN_STRING_CLASS TWideString
#include "strings/string_text_members.inc"
#undef VORN_STRING_CLASS

// A string without buffer, on either side, is the empty text; the empty text is found
// at 0 in every string.
int32_t TWideString::PosSubStr(const TWideString& text) const {
  return vorn::detail::offset_or_minus_one(GetBuffer(), vorn::detail::find_text(GetBuffer(), text.GetBuffer()));
}

void TWideString::IntToStr(unsigned short* out, long long value, uint32_t width) {
  if (out != nullptr) vorn::detail::write_decimal(out, value, width);
}

void TWideString::IntToStrA(char* out, long long value, uint32_t width) {
  if (out != nullptr) vorn::detail::write_decimal(out, value, width);
}
