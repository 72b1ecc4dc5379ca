// Character-set conversion functions: thin, stateless wrappers around ICU's converters.
//
// Each call opens the converters it needs and closes them before it returns; nothing
// is cached, so the functions share no state between threads. UTF-8 into UTF-16 is the
// exception: it is decoded directly (utf8_to_utf16.h), with the converter's results. The counts are ICU's
// own: without the terminator, and the whole length needed when the destination is
// too small (the destination then holds a truncated, possibly unterminated text).
#include "vorn/charset.h"

#include "charset/ansi_codepage.h"
#include "charset/icu_convert_impl.h"
#include "charset/utf8_text.h"
#include "charset/utf8_to_utf16.h"
#include "cstr/cstr_impl.h"

namespace vorn::detail {
namespace {

constexpr const char kUtf8[] = "UTF8";
constexpr const char kAscii[] = "us-ascii";
constexpr const char kGb2312[] = "gb2312";
constexpr const char kGb18030[] = "gb18030";
constexpr const char kLatin9[] = "Latin-9";
constexpr const char kBig5[] = "BIG5";

/// Opens `name` and converts the whole source with ICU's whole-text call. The caller
/// has checked dest and capacity. Returns -1 when ICU cannot open the converter, which
/// then leaves the destination holding the empty text.
template <class Dir>
int convert_opened(const char* name, typename Dir::Target* dest, uint32_t capacity, const typename Dir::Source* src,
                   int32_t length) {
  dest[0] = 0;
  UErrorCode status = U_ZERO_ERROR;
  UConverter* cnv = ucnv_open(name, &status);
  if (cnv == nullptr) return -1;
  // The status is deliberately not examined: ICU's count is the answer in every case.
  const int32_t count = Dir::whole(cnv, dest, icu_capacity(capacity), src, length, &status);
  ucnv_close(cnv);
  return count;
}

/// Byte set to byte set through ucnv_convert, which opens and closes its own converters.
int convert_bytes(const char* to, const char* from, char* dest, uint32_t capacity, const char* src, int32_t length) {
  if (dest == nullptr || capacity == 0 || src == nullptr || to == nullptr || from == nullptr) return 0;
  dest[0] = 0;
  UErrorCode status = U_ZERO_ERROR;
  return ucnv_convert(to, from, dest, icu_capacity(capacity), src, length, &status);
}

}  // namespace

int any_to_utf16_by_converter(const char* converter, unsigned short* dest, uint32_t capacity, const char* src,
                              int32_t length) {
  // The source is not tested: ICU converts nothing from a null source and answers 0.
  if (dest == nullptr || capacity == 0 || converter == nullptr || converter[0] == 0) return 0;
  return convert_opened<Utf16From>(converter, dest, capacity, src, length);
}

}  // namespace vorn::detail

namespace vorn::charset {

std::string utf16_to_utf8(const unsigned short* text) {
  std::string out;
  if (text == nullptr) return out;
  // A unit never takes more than three bytes: a pair of surrogates takes four for two.
  const uint32_t length = detail::text_length(text);
  out.resize(static_cast<size_t>(length) * 3 + 1);
  const int count = detail::convert_opened<detail::Utf16To>(
      detail::kUtf8, out.data(), static_cast<uint32_t>(out.size()), text, static_cast<int32_t>(length));
  out.resize(count > 0 ? static_cast<size_t>(count) : 0);
  return out;
}

}  // namespace vorn::charset

using namespace vorn::detail;  // NOLINT(google-build-using-namespace): this file's own helpers

extern "C" {

int Vorn_SetAnsiCodePage(const char* icu_name) { return vorn::charset::set_ansi_code_page(icu_name) ? 1 : 0; }

int StrUnicodeToAny(const char* converter, char* dest, uint32_t capacity, const unsigned short* src) {
  // A null converter name is passed on: ICU then opens its default converter.
  if (dest == nullptr || capacity == 0 || src == nullptr) return 0;
  return convert_opened<Utf16To>(converter, dest, capacity, src, -1);
}

int AnyToUnicode(const char* converter, unsigned short* dest, uint32_t capacity, const char* src, int32_t length) {
  // UTF-8, the common case, needs no converter object: opening one costs more than
  // converting a short text.
  if (dest != nullptr && capacity != 0 && converter != nullptr && names_utf8(converter)) {
    return utf8_to_utf16(dest, capacity, src, length);
  }
  return any_to_utf16_by_converter(converter, dest, capacity, src, length);
}

int AnyToAny(const char* to_converter, const char* from_converter, char* dest, uint32_t capacity, const char* src,
             int32_t length) {
  return convert_bytes(to_converter, from_converter, dest, capacity, src, length);
}

int StrUTF8ToAny(const char* to_converter, char* dest, uint32_t capacity, const char* src, int32_t length) {
  return convert_bytes(to_converter, kUtf8, dest, capacity, src, length);
}
int StrUTF8ToASCII(char* dest, uint32_t capacity, const char* src, int32_t length) {
  return convert_bytes(kAscii, kUtf8, dest, capacity, src, length);
}
int StrUTF8ToGB2312(char* dest, uint32_t capacity, const char* src, int32_t length) {
  return convert_bytes(kGb2312, kUtf8, dest, capacity, src, length);
}
int StrUTF8ToLatin9(char* dest, uint32_t capacity, const char* src, int32_t length) {
  return convert_bytes(kLatin9, kUtf8, dest, capacity, src, length);
}
int StrGB2312ToUTF8(char* dest, uint32_t capacity, const char* src) {
  return convert_bytes(kUtf8, kGb2312, dest, capacity, src, -1);
}
int StrGB18030ToUTF8(char* dest, uint32_t capacity, const char* src) {
  return convert_bytes(kUtf8, kGb18030, dest, capacity, src, -1);
}
int StrLatin9ToUTF8(char* dest, uint32_t capacity, const char* src) {
  return convert_bytes(kUtf8, kLatin9, dest, capacity, src, -1);
}

int StrUnicodeToASCII(char* dest, uint32_t capacity, const unsigned short* src) {
  return StrUnicodeToAny(kAscii, dest, capacity, src);
}
int StrUnicodeToGB2312(char* dest, uint32_t capacity, const unsigned short* src) {
  return StrUnicodeToAny(kGb2312, dest, capacity, src);
}
int StrUnicodeToUtf8(char* dest, uint32_t capacity, const unsigned short* src) {
  return StrUnicodeToAny(kUtf8, dest, capacity, src);
}
int StrUnicodeToLatin9(char* dest, uint32_t capacity, const unsigned short* src) {
  return StrUnicodeToAny(kLatin9, dest, capacity, src);
}
int StrUnicodeToANSI(char* dest, uint32_t capacity, const unsigned short* src) {
  return vorn::charset::utf16_to_ansi(src, -1, dest, icu_capacity(capacity));
}

int StrGB2312ToUnicode(unsigned short* dest, uint32_t capacity, const char* src, int32_t length) {
  return AnyToUnicode(kGb2312, dest, capacity, src, length);
}
int StrLatin9ToUnicode(unsigned short* dest, uint32_t capacity, const char* src, int32_t length) {
  return AnyToUnicode(kLatin9, dest, capacity, src, length);
}
int Big5CodeToUnicode(unsigned short* dest, uint32_t capacity, const char* src, int32_t length) {
  return AnyToUnicode(kBig5, dest, capacity, src, length);
}
int StrUtf8ToUnicode(unsigned short* dest, uint32_t capacity, const char* src, int32_t length) {
  return AnyToUnicode(kUtf8, dest, capacity, src, length);
}
int StrASCIIToUnicode(unsigned short* dest, uint32_t capacity, const char* src) {
  return AnyToUnicode(kAscii, dest, capacity, src, -1);
}
int StrANSIToUnicode(unsigned short* dest, uint32_t capacity, const char* src) {
  return vorn::charset::ansi_to_utf16(src, -1, dest, icu_capacity(capacity));
}

}  // extern "C"
