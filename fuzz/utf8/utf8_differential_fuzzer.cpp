// Differential target: AnyToUnicode decodes UTF-8 without a converter object, and must
// give exactly what an opened ICU converter gives. Both run on the same bytes with the
// same capacity (often too small), length (-1, the whole input, a cut, or an invalid
// one) and converter name; the counts and every unit of the destinations, including
// those past the text, must agree.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "charset/utf8_to_utf16.h"
#include "vorn/charset.h"

namespace {

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

const char* const kNames[] = {"UTF8", "utf8", "UTF-8", "Utf-8"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  const uint32_t capacity = data[0] | ((data[1] & 0x0Fu) << 8);  // 0..4095
  const unsigned mode = data[1] >> 4;
  const unsigned which = data[2];
  data += 3;
  size -= 3;

  std::vector<char> text(data, data + size);
  text.push_back(0);
  int32_t length = static_cast<int32_t>(size);
  switch (mode & 3) {
    case 0:
      length = -1;
      break;
    case 1:
      length = static_cast<int32_t>(which % (size + 1));
      break;
    case 2:
      length = (mode & 4) ? -2 : static_cast<int32_t>(size);
      break;
    default:
      break;
  }
  const char* src = (mode & 8) && (which & 1) ? nullptr : text.data();
  const char* name = kNames[which % std::size(kNames)];

  // One spare unit each side of the capacity catches a write outside it.
  std::vector<unsigned short> fast(capacity + 2, 0xA5A5);
  std::vector<unsigned short> slow(capacity + 2, 0xA5A5);
  unsigned short* fast_dest = capacity ? fast.data() + 1 : nullptr;
  unsigned short* slow_dest = capacity ? slow.data() + 1 : nullptr;
  const int a = AnyToUnicode(name, fast_dest, capacity, src, length);
  const int b = vorn::detail::any_to_utf16_by_converter(name, slow_dest, capacity, src, length);
  Check(a == b);
  Check(fast == slow);
  return 0;
}
