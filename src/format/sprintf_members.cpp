// TStringA::Sprintf and TWideString::Sprintf: format with the library's engine and
// take the result block as the string's buffer.
//
// The text is formatted before the old buffer is released, so an argument that points
// into the string's own text still reads valid memory. The driver's blocks come from
// new[] of the unit type, which is what both classes release with delete[]. When
// formatting runs out of memory the string is left empty, as if released first, and
// std::bad_alloc goes on to the caller.
#include <cstdarg>

#include "cstr/cstr_impl.h"
#include "format/sprintf.h"
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

/// Ends a started argument list on every way out, exceptions included.
struct EndArgs {
  va_list& args;
  ~EndArgs() { va_end(args); }
};

/// Formats with `format_block` and takes the result; out of memory empties the string.
template <class Unit, class Format>
void FormatInto(Unit*& buffer, uint32_t& capacity, Format format_block) {
  Unit* block = nullptr;
  try {
    block = format_block();
  } catch (...) {
    TakeFormatted<Unit>(buffer, capacity, nullptr);
    throw;
  }
  TakeFormatted(buffer, capacity, block);
}

}  // namespace
}  // namespace vorn::detail

TStringA& TStringA::Sprintf(const char* format, ...) {
  va_list args;
  va_start(args, format);
  const vorn::detail::EndArgs end{args};
  vorn::detail::FormatInto(FBuffer, FCapacity, [&] { return vorn::detail::format::SprintfBufferA(format, &args); });
  return *this;
}

TWideString& TWideString::Sprintf(const unsigned short* format, ...) {
  va_list args;
  va_start(args, format);
  const vorn::detail::EndArgs end{args};
  vorn::detail::FormatInto(FBuffer, FCapacity, [&] { return vorn::detail::format::SprintfBufferW(format, &args); });
  return *this;
}
