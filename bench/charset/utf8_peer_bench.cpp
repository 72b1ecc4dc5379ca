// UTF-8 into UTF-16 (StrUtf8ToUnicode, to the terminator, into a buffer large enough)
// against the same conversion through an ICU converter opened and closed on every call,
// which is how the library converted before, and against ICU's dedicated function
// u_strFromUTF8WithSub. On valid input the benchmark-only vectorised transcoder is a
// further peer when it is present beside the project. Texts of 16 B, 1 KB and 1 MB,
// ASCII mixed with Chinese, and pure ASCII. TWideString::FromUTF8 is measured against
// the same steps done with the converter path (a fresh buffer of 2L + 4 units, the
// conversion, the terminator).

// First: it fixes ICU's UTF-16 unit type for every ICU header after it.
#include "charset/icu_convert_impl.h"
// clang-format off
#include <unicode/ustring.h>
// clang-format on

#include <cstdio>
#include <string>
#include <vector>

#include "charset/utf8_to_utf16.h"
#include "paired.h"
#include "vorn/charset.h"
#include "vorn/strings.h"

#if VORN_HAVE_VECTOR_TRANSCODER
#include "simdutf.h"
#endif

namespace {

std::string text_of(size_t bytes, const std::string& piece) {
  std::string s;
  while (s.size() < bytes) s += piece;
  size_t cut = bytes;
  while ((static_cast<unsigned char>(s[cut]) & 0xC0) == 0x80) --cut;
  s.resize(cut);
  return s;
}

void compare(const char* kind, const std::string& s) {
  std::vector<unsigned short> dest(s.size() + 1);
  const auto capacity = static_cast<uint32_t>(dest.size());
  const char* src = s.c_str();
  char label[64];
  std::snprintf(label, sizeof label, "%s %zu B vs open per call", kind, s.size());
  vorn_bench::run_paired(label, vorn_bench::batch_of([&] { return StrUtf8ToUnicode(dest.data(), capacity, src, -1); }),
                         vorn_bench::batch_of([&] {
                           return vorn::detail::any_to_utf16_by_converter("UTF8", dest.data(), capacity, src, -1);
                         }));
  std::snprintf(label, sizeof label, "%s %zu B vs WithSub", kind, s.size());
  vorn_bench::run_paired(label, vorn_bench::batch_of([&] { return StrUtf8ToUnicode(dest.data(), capacity, src, -1); }),
                         vorn_bench::batch_of([&] {
                           UErrorCode status = U_ZERO_ERROR;
                           int32_t n = 0;
                           u_strFromUTF8WithSub(dest.data(), static_cast<int32_t>(capacity), &n, src, -1, 0xFFFD,
                                                nullptr, &status);
                           return n;
                         }));
  std::snprintf(label, sizeof label, "%s %zu B FromUTF8 member", kind, s.size());
  vorn_bench::run_paired(label, vorn_bench::batch_of([&] {
                           TWideString w;
                           w.FromUTF8(src);
                           return w.GetCapacity();
                         }),
                         vorn_bench::batch_of([&] {
                           TWideString w;
                           const auto wide_capacity = static_cast<uint32_t>(2 * s.size() + 4);
                           w.SetCapacity(wide_capacity);
                           const int n = vorn::detail::any_to_utf16_by_converter(
                               "UTF8", w.GetBufferVar(), wide_capacity, src, static_cast<int32_t>(s.size()));
                           w.GetBufferVar()[n >= 1 ? n : 0] = 0;
                           return w.GetCapacity();
                         }));
#if VORN_HAVE_VECTOR_TRANSCODER
  std::snprintf(label, sizeof label, "%s %zu B vs vector", kind, s.size());
  vorn_bench::run_paired(label, vorn_bench::batch_of([&] { return StrUtf8ToUnicode(dest.data(), capacity, src, -1); }),
                         vorn_bench::batch_of([&] {
                           return simdutf::convert_utf8_to_utf16le(src, std::char_traits<char>::length(src),
                                                                   reinterpret_cast<char16_t*>(dest.data()));
                         }));
#endif
}

}  // namespace

int main() {
  const std::string mixed = "Update 2026: \xE4\xB8\xAD\xE6\x96\x87\xE6\xB5\x8B\xE8\xAF\x95 text, ";
  const std::string ascii = "Update 2026: plain text, ";
  for (size_t n : {size_t{16}, size_t{1024}, size_t{1024 * 1024}}) {
    compare("mixed", text_of(n, mixed));
    compare("ascii", text_of(n, ascii));
  }
}
