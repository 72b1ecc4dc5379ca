// Internal to vorn_common: do not include from outside src/.
//
// Floating-point number text with a given number of significant digits.
#ifndef VORN_SRC_PLATFORM_FLOAT_TEXT_H
#define VORN_SRC_PLATFORM_FLOAT_TEXT_H

#include <cstddef>
#include <cstdint>

namespace vorn::platform {

/// Writes `value` with `digits` significant digits (0 counts as 1) into `out`, in
/// fixed notation or, when the value does not fit that many digits, in exponent
/// notation. Never writes more than `size` bytes and always terminates the text
/// when `size` is not 0. Returns the number of bytes written before the terminator.
size_t format_significant(double value, uint32_t digits, char* out, size_t size);

}  // namespace vorn::platform

#endif  // VORN_SRC_PLATFORM_FLOAT_TEXT_H
