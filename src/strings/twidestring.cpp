// TWideString: the UTF-16 twin of TStringA's storage model, plus the members that
// take 7-bit narrow text. Each shared member hands its work to the templates it
// shares with TStringA.
#include "strings/string_core_impl.h"
#include "vorn/strings.h"

const unsigned short TWideString::FBufferTemp[2] = {0, 0};

namespace {
using Unit = unsigned short;
using Rep = vorn::detail::StringRep<Unit>;

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

TWideString::TWideString() : FBuffer(nullptr), FCapacity(0) {}
TWideString::TWideString(const unsigned short* text) : FBuffer(nullptr), FCapacity(0) {
  Rep(FBuffer, FCapacity).take_copy(text);
}
TWideString::TWideString(const unsigned short* text, uint32_t count) : FBuffer(nullptr), FCapacity(0) {
  Rep(FBuffer, FCapacity).take_counted(text, count);
}
TWideString::TWideString(const TWideString& other) : FBuffer(nullptr), FCapacity(0) {
  Rep(FBuffer, FCapacity).take_copy(other.FBuffer);
}
TWideString::TWideString(uint32_t capacity, capacitytag) : FBuffer(nullptr), FCapacity(0) { SetCapacity(capacity); }
TWideString::~TWideString() { Rep(FBuffer, FCapacity).release(); }

TWideString& TWideString::operator=(const TWideString& other) { return SetText(other.GetBuffer(), 0); }
TWideString& TWideString::operator=(const unsigned short* text) { return SetText(text, 0); }
TWideString& TWideString::SetText(const unsigned short* text, uint32_t count) {
  Rep(FBuffer, FCapacity).set_text(text, count);
  return *this;
}
void TWideString::Assign(const TWideString& source, bool reallocate) {
  if (&source != this) Rep(FBuffer, FCapacity).assign(source.FBuffer, reallocate);
}

TWideString& TWideString::Append(const TWideString& other) { return Insert(other.GetBuffer(), -1, 0); }
TWideString& TWideString::Append(const unsigned short* text, uint32_t count) { return Insert(text, -1, count); }
TWideString& TWideString::AppendChar(unsigned short c) {
  Rep(FBuffer, FCapacity).append_unit(c);
  return *this;
}
TWideString& TWideString::Insert(const unsigned short* text, int32_t position, uint32_t count) {
  Rep(FBuffer, FCapacity).insert(text, position, count);
  return *this;
}
TWideString& TWideString::Insert(unsigned short c, int32_t position) {
  const unsigned short text[2] = {c, 0};
  return Insert(text, position, 1);
}
TWideString& TWideString::Insert(const TWideString& other, int32_t position) {
  return Insert(other.GetBuffer(), position, 0);
}
TWideString& TWideString::remove(uint32_t position, uint32_t count) {
  Rep(FBuffer, FCapacity).remove(position, count);
  return *this;
}
TWideString& TWideString::deleteSubStr(uint32_t position, uint32_t count) { return remove(position, count); }
TWideString& TWideString::operator+=(const TWideString& other) { return *this += other.GetBuffer(); }
TWideString& TWideString::operator+=(const unsigned short* text) {
  Rep(FBuffer, FCapacity).append_exact(text);
  return *this;
}
TWideString TWideString::operator+(const unsigned short* text) const { return vorn::detail::concatenated(*this, text); }

bool TWideString::SetCapacity(uint32_t n) { return Rep(FBuffer, FCapacity).set_capacity(n); }
bool TWideString::ReSetCapacity(uint32_t n) { return Rep(FBuffer, FCapacity).reset_capacity(n); }
void TWideString::Clear() { Rep(FBuffer, FCapacity).clear(); }
void TWideString::ZeroString() { Rep(FBuffer, FCapacity).zero(); }
void TWideString::DeleteBuffer() { Rep(FBuffer, FCapacity).release(); }

uint32_t TWideString::Length() const { return vorn::detail::buffer_length<unsigned short>(FBuffer, FCapacity); }
uint32_t TWideString::Length(const unsigned short* text) { return vorn::detail::text_length(text); }
TWideString* TWideString::Dup() const { return new (std::nothrow) TWideString(*this); }
unsigned short* TWideString::Dup(const unsigned short* text) { return vorn::detail::malloc_dup(text); }

bool TWideString::operator==(const unsigned short* text) const {
  return vorn::detail::equal_texts<unsigned short>(FBuffer, text);
}
bool TWideString::operator==(const TWideString& other) const {
  return vorn::detail::equal_texts<unsigned short>(FBuffer, other.FBuffer);
}
bool TWideString::operator<(const TWideString& other) const {
  return vorn::detail::order_buffers<unsigned short>(FBuffer, other.FBuffer) < 0;
}
bool TWideString::operator<=(const TWideString& other) const {
  return vorn::detail::order_buffers<unsigned short>(FBuffer, other.FBuffer) <= 0;
}
bool TWideString::operator>(const TWideString& other) const {
  return vorn::detail::order_buffers<unsigned short>(FBuffer, other.FBuffer) > 0;
}
bool TWideString::operator>=(const TWideString& other) const {
  return vorn::detail::order_buffers<unsigned short>(FBuffer, other.FBuffer) >= 0;
}
uint32_t TWideString::hashValue() const { return vorn::detail::hash_units(FBuffer, Length()); }

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
