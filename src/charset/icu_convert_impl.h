// Internal to vorn_common: do not include from outside src/.
//
// The one place that includes ICU's converter header. UChar is made the library's
// UTF-16 unit (unsigned short) so that wide buffers pass to ICU without casts; the
// ICU functions have C linkage, so this changes no symbol.
//
// The two conversion directions differ only in which ICU calls they make; Utf16From
// and Utf16To name those calls so that the code around them is written once.
#ifndef VORN_SRC_CHARSET_ICU_CONVERT_IMPL_H
#define VORN_SRC_CHARSET_ICU_CONVERT_IMPL_H

#define UCHAR_TYPE uint16_t
#include <unicode/ucnv.h>

#include <cstdint>
#include <type_traits>

static_assert(std::is_same_v<UChar, unsigned short>, "an ICU header was included before charset/icu_convert_impl.h");

namespace vorn::detail {

/// One conversion direction: ICU's whole-text call (count without terminator, the
/// full length on overflow) and its streaming call (advances *dest and *src).
template <class SourceUnit, class TargetUnit, auto Whole, auto Stream>
struct IcuDirection {
  using Source = SourceUnit;
  using Target = TargetUnit;

  static int32_t whole(UConverter* cnv, Target* dest, int32_t capacity, const Source* src, int32_t length,
                       UErrorCode* status) {
    return Whole(cnv, dest, capacity, src, length, status);
  }
  /// Converts with flush, as for the last piece of input.
  static void stream(UConverter* cnv, Target** dest, const Target* dest_limit, const Source** src,
                     const Source* src_limit, UErrorCode* status) {
    Stream(cnv, dest, dest_limit, src, src_limit, nullptr, true, status);
  }
};

/// Bytes of a named character set into UTF-16.
using Utf16From = IcuDirection<char, unsigned short, ucnv_toUChars, ucnv_toUnicode>;
/// UTF-16 into bytes of a named character set.
using Utf16To = IcuDirection<unsigned short, char, ucnv_fromUChars, ucnv_fromUnicode>;

/// ICU counts in int32_t: a larger capacity is used as INT32_MAX (the buffer is no smaller).
inline int32_t icu_capacity(uint32_t capacity) {
  return capacity > static_cast<uint32_t>(INT32_MAX) ? INT32_MAX : static_cast<int32_t>(capacity);
}

}  // namespace vorn::detail

#endif  // VORN_SRC_CHARSET_ICU_CONVERT_IMPL_H
