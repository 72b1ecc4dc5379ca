// TStringA::Sprintf and TWideString::Sprintf: format with the library's engine and
// take the result as the string's buffer.
//
// The text is formatted into an accumulator of the call's own before the string's
// buffer is touched, so an argument that points into the string's own text still reads
// valid memory. The string then holds the text up to its first zero unit with the
// capacity length + 1: in the buffer it has when that is already its capacity, else in
// a block from new[] of the unit type (the one the accumulator grew into when it is
// close enough to that size), which is what both classes release with delete[]. When
// formatting runs out of memory the string is left empty, as if released first, and
// std::bad_alloc goes on to the caller.
#include <cstdarg>
#include <cstring>

#include "cstr/cstr_impl.h"
#include "format/sprintf_engine.h"
#include "vorn/strings.h"

namespace vorn::detail::format {
namespace {

/// The members' accumulator starts in a scratch buffer of this many units, larger than
/// the driver's base buffer: texts up to that size reach the string with no heap block
/// but the final one. Which block the text passes through is not visible in the result.
constexpr int32_t kMemberScratchSize = 2048;

/// Ends a started argument list on every way out, exceptions included.
struct EndArgs {
  va_list& args;
  ~EndArgs() { va_end(args); }
};

/// Formats into a fresh accumulator and makes the text the string's buffer; out of
/// memory empties the string.
template <class Unit>
void FormatInto(Unit*& buffer, uint32_t& capacity, const Unit* format, va_list* args) {
  try {
    Unit base[kMemberScratchSize];
    SprintfAccumulator<Unit> acc{base, base, 0, 0, kMemberScratchSize, &SprintfGrowT<Unit>};
    SprintfGrownBlock<Unit> grown(acc);
    VaListSource<Unit> source(args);
    SprintfEngine<Unit, VaListSource<Unit>> engine(acc, source);
    engine.Run(format);
    // The string holds the text up to its first zero unit.
    const uint32_t size = (engine.MayHoldZeroUnits() ? text_length(acc.text) : static_cast<uint32_t>(acc.length)) + 1;
    if (buffer != nullptr && capacity == size) {
      SprintfCopyText(buffer, acc.text, size);
      return;
    }
    Unit* const block = SprintfResultBlock(acc, grown, size);
    delete[] buffer;
    buffer = block;
    capacity = size;
  } catch (...) {
    delete[] buffer;
    buffer = nullptr;
    capacity = 0;
    throw;
  }
}

}  // namespace
}  // namespace vorn::detail::format

TStringA& TStringA::Sprintf(const char* format, ...) {
  va_list args;
  va_start(args, format);
  const vorn::detail::format::EndArgs end{args};
  vorn::detail::format::FormatInto(FBuffer, FCapacity, format, &args);
  return *this;
}

TWideString& TWideString::Sprintf(const unsigned short* format, ...) {
  va_list args;
  va_start(args, format);
  const vorn::detail::format::EndArgs end{args};
  vorn::detail::format::FormatInto(FBuffer, FCapacity, format, &args);
  return *this;
}
