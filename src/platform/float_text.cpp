// Significant-digit number text through the C library's %g conversion.
#include "platform/float_text.h"

#include <climits>
#include <cstdio>

namespace vorn::platform {

size_t format_significant(double value, uint32_t digits, char* out, size_t size) {
  if (out == nullptr || size == 0) return 0;
  // More digits than the buffer can hold would only be cut off again.
  const size_t wanted = digits < size ? digits : size;
  const int precision = wanted > INT_MAX ? INT_MAX : static_cast<int>(wanted);
  const int written = std::snprintf(out, size, "%.*g", precision, value);
  if (written < 0) {
    out[0] = 0;
    return 0;
  }
  const auto n = static_cast<size_t>(written);
  return n < size ? n : size - 1;
}

}  // namespace vorn::platform
