// TStringA: the storage model, construction, assignment, editing, comparison and
// hashing of the exported 8-bit string. Each member hands its work to the templates
// it shares with TWideString.
#include "strings/string_core_impl.h"
#include "vorn/strings.h"

const char TStringA::FBufferTemp[4] = {0, 0, 0, 0};

namespace {
using Rep = vorn::detail::StringRep<char>;
}  // namespace

TStringA::TStringA() : FBuffer(nullptr), FCapacity(0) {}
TStringA::TStringA(const char* text) : FBuffer(nullptr), FCapacity(0) { Rep(FBuffer, FCapacity).take_copy(text); }
TStringA::TStringA(const char* text, uint32_t count) : FBuffer(nullptr), FCapacity(0) {
  Rep(FBuffer, FCapacity).take_counted(text, count);
}
TStringA::TStringA(const TStringA& other) : FBuffer(nullptr), FCapacity(0) {
  Rep(FBuffer, FCapacity).take_copy(other.FBuffer);
}
TStringA::TStringA(uint32_t capacity, capacitytag) : FBuffer(nullptr), FCapacity(0) { SetCapacity(capacity); }
TStringA::~TStringA() { Rep(FBuffer, FCapacity).release(); }

TStringA& TStringA::operator=(const TStringA& other) { return SetText(other.GetBuffer(), 0); }
TStringA& TStringA::operator=(const char* text) { return SetText(text, 0); }
TStringA& TStringA::SetText(const char* text, uint32_t count) {
  Rep(FBuffer, FCapacity).set_text(text, count);
  return *this;
}
void TStringA::Assign(const TStringA& source, bool reallocate) {
  if (&source != this) Rep(FBuffer, FCapacity).assign(source.FBuffer, reallocate);
}

TStringA& TStringA::Append(const TStringA& other) { return Insert(other.GetBuffer(), -1, 0); }
TStringA& TStringA::Append(const char* text, uint32_t count) { return Insert(text, -1, count); }
TStringA& TStringA::AppendChar(char c) {
  Rep(FBuffer, FCapacity).append_unit(c);
  return *this;
}
TStringA& TStringA::Insert(const char* text, int32_t position, uint32_t count) {
  Rep(FBuffer, FCapacity).insert(text, position, count);
  return *this;
}
TStringA& TStringA::Insert(char c, int32_t position) {
  const char text[2] = {c, 0};
  return Insert(text, position, 1);
}
TStringA& TStringA::Insert(const TStringA& other, int32_t position) { return Insert(other.GetBuffer(), position, 0); }
TStringA& TStringA::remove(uint32_t position, uint32_t count) {
  Rep(FBuffer, FCapacity).remove(position, count);
  return *this;
}
TStringA& TStringA::deleteSubStr(uint32_t position, uint32_t count) { return remove(position, count); }
TStringA& TStringA::operator+=(const TStringA& other) { return *this += other.GetBuffer(); }
TStringA& TStringA::operator+=(const char* text) {
  Rep(FBuffer, FCapacity).append_exact(text);
  return *this;
}
TStringA TStringA::operator+(const char* text) const { return vorn::detail::concatenated(*this, text); }

bool TStringA::SetCapacity(uint32_t n) { return Rep(FBuffer, FCapacity).set_capacity(n); }
bool TStringA::ReSetCapacity(uint32_t n) { return Rep(FBuffer, FCapacity).reset_capacity(n); }
void TStringA::Clear() { Rep(FBuffer, FCapacity).clear(); }
void TStringA::ZeroString() { Rep(FBuffer, FCapacity).zero(); }
void TStringA::DeleteBuffer() { Rep(FBuffer, FCapacity).release(); }

uint32_t TStringA::Length() const { return vorn::detail::buffer_length<char>(FBuffer, FCapacity); }
uint32_t TStringA::Length(const char* text) { return vorn::detail::text_length(text); }
TStringA* TStringA::Dup() const { return new (std::nothrow) TStringA(*this); }
char* TStringA::Dup(const char* text) { return vorn::detail::malloc_dup(text); }

bool TStringA::operator==(const char* text) const { return vorn::detail::equal_texts<char>(FBuffer, text); }
bool TStringA::operator==(const TStringA& other) const {
  return vorn::detail::equal_texts<char>(FBuffer, other.FBuffer);
}
bool TStringA::operator<(const TStringA& other) const {
  return vorn::detail::order_buffers<char>(FBuffer, other.FBuffer) < 0;
}
bool TStringA::operator<=(const TStringA& other) const {
  return vorn::detail::order_buffers<char>(FBuffer, other.FBuffer) <= 0;
}
bool TStringA::operator>(const TStringA& other) const {
  return vorn::detail::order_buffers<char>(FBuffer, other.FBuffer) > 0;
}
bool TStringA::operator>=(const TStringA& other) const {
  return vorn::detail::order_buffers<char>(FBuffer, other.FBuffer) >= 0;
}
uint32_t TStringA::hashValue() const { return vorn::detail::hash_units(FBuffer, Length()); }

TStringA& TStringA::operator+=(const char& c) {
  const char text[2] = {c, 0};
  return *this += text;
}

TStringA TStringA::operator+(const TStringA& other) const { return *this + other.GetBuffer(); }
