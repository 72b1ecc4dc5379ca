// TStringA: the storage model, construction, assignment, editing, comparison and
// hashing of the exported 8-bit string.
#include "vorn/strings.h"

#include "strings/string_core_impl.h"

const char TStringA::FBufferTemp[4] = {0, 0, 0, 0};

namespace {
using Unit = char;
}  // namespace

#define VORN_STRING_CLASS TStringA
#include "strings/string_core_members.inc"
#undef VORN_STRING_CLASS

TStringA& TStringA::operator+=(const char& c) {
  const char text[2] = {c, 0};
  return *this += text;
}

TStringA TStringA::operator+(const TStringA& other) const { return *this + other.GetBuffer(); }
