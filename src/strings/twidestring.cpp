// TWideString: the UTF-16 twin of TStringA's storage model, plus the members that
// take 7-bit narrow text.
#include "vorn/strings.h"

#include "strings/string_core_impl.h"

const unsigned short TWideString::FBufferTemp[2] = {0, 0};

namespace {
using Unit = unsigned short;

// A narrow text widened into a temporary UTF-16 buffer (null for null).
class WidenedText {
 public:
  explicit WidenedText(const char* text) {
    if (text == nullptr) return;
    const uint32_t n = vorn::detail::widen_ascii(nullptr, text, 0);
    units_ = vorn::detail::allocate_units<Unit>(static_cast<uint64_t>(n) + 1);
    if (units_ != nullptr) vorn::detail::widen_ascii(units_, text, 0);
  }
  ~WidenedText() { delete[] units_; }
  WidenedText(const WidenedText&) = delete;
  WidenedText& operator=(const WidenedText&) = delete;
  const Unit* get() const { return units_; }

 private:
  Unit* units_ = nullptr;
};
}  // namespace

#define VORN_STRING_CLASS TWideString
#include "strings/string_core_members.inc"
#undef VORN_STRING_CLASS

TWideString& TWideString::operator+=(unsigned short c) {
  const Unit text[2] = {c, 0};
  return *this += text;
}

TWideString& TWideString::operator=(const char* text) {
  DeleteBuffer();
  if (text == nullptr) return *this;
  const uint32_t n = vorn::detail::text_length(text);
  if (n != UINT32_MAX && SetCapacity(n + 1)) vorn::detail::widen_ascii(FBuffer, text, 0);
  return *this;
}

TWideString& TWideString::operator+=(const char* text) {
  const WidenedText wide(text);
  return *this += wide.get();
}

TWideString TWideString::operator+(const char* text) const {
  const WidenedText wide(text);
  return *this + wide.get();
}

bool TWideString::operator==(const char* text) const {
  const WidenedText wide(text);
  return *this == wide.get();
}
