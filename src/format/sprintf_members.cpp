// TStringA::Sprintf and TWideString::Sprintf: format with the library's engine and
// take the result block as the string's buffer.
//
// The text is formatted before the old buffer is released, so an argument that points
// into the string's own text still reads valid memory. The driver's blocks come from
// new[] of the unit type, which is what both classes release with delete[].
#include <cstdarg>

#include "cstr/cstr_impl.h"
#include "format/sprintf_impl.h"
#include "vorn/strings.h"

namespace vorn::detail {
namespace {

/// Releases `buffer` and takes `block` (may be null: no buffer) with capacity length + 1.
template <class Unit>
void TakeFormatted(Unit*& buffer, uint32_t& capacity, Unit* block) {
  delete[] buffer;
  buffer = block;
  capacity = block != nullptr ? text_length(block) + 1 : 0;
}

}  // namespace
}  // namespace vorn::detail

TStringA& TStringA::Sprintf(const char* format, ...) {
  va_list args;
  va_start(args, format);
  char* block = vorn::detail::SprintfBufferA(format, &args);
  va_end(args);
  vorn::detail::TakeFormatted(FBuffer, FCapacity, block);
  return *this;
}

TWideString& TWideString::Sprintf(const unsigned short* format, ...) {
  va_list args;
  va_start(args, format);
  unsigned short* block = vorn::detail::SprintfBufferW(format, &args);
  va_end(args);
  vorn::detail::TakeFormatted(FBuffer, FCapacity, block);
  return *this;
}
