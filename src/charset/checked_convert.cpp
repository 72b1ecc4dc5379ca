// Vorn_ConvertChecked: conversion between two byte-oriented character sets that says
// where it failed instead of substituting silently. It goes through UTF-16 in two steps
// so that a character the target cannot hold is found in the UTF-16 text and traced back,
// through the offsets that the first step records, to its byte in the source.
#include <cstring>
#include <vector>

#include "charset/icu_convert_impl.h"
#include "vorn/charset.h"

namespace vorn::detail {
namespace {

// Closes the converter it holds.
class Converter {
 public:
  explicit Converter(const char* name) {
    UErrorCode status = U_ZERO_ERROR;
    cnv_ = ucnv_open(name, &status);
    if (U_FAILURE(status) && cnv_ != nullptr) {
      ucnv_close(cnv_);
      cnv_ = nullptr;
    }
  }
  ~Converter() {
    if (cnv_ != nullptr) ucnv_close(cnv_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  UConverter* get() const { return cnv_; }

 private:
  UConverter* cnv_ = nullptr;
};

void SetMode(UConverter* to_utf16, UConverter* from_utf16, int32_t mode) {
  UErrorCode status = U_ZERO_ERROR;
  UConverterToUCallback to_callback = UCNV_TO_U_CALLBACK_STOP;
  UConverterFromUCallback from_callback = UCNV_FROM_U_CALLBACK_STOP;
  if (mode == VORN_CONVERT_SKIP) {
    to_callback = UCNV_TO_U_CALLBACK_SKIP;
    from_callback = UCNV_FROM_U_CALLBACK_SKIP;
  } else if (mode == VORN_CONVERT_SUBSTITUTE) {
    to_callback = UCNV_TO_U_CALLBACK_SUBSTITUTE;
    from_callback = UCNV_FROM_U_CALLBACK_SUBSTITUTE;
  }
  ucnv_setToUCallBack(to_utf16, to_callback, nullptr, nullptr, nullptr, &status);
  ucnv_setFromUCallBack(from_utf16, from_callback, nullptr, nullptr, nullptr, &status);
}

// The source as UTF-16, with the source byte offset of every unit. On a stop, the
// byte offset of the offending sequence.
struct Utf16Text {
  std::vector<UChar> units;
  std::vector<int32_t> offsets;
  int32_t error_offset = -1;
};

Utf16Text ToUtf16(UConverter* cnv, const char* source, int32_t length) {
  Utf16Text out;
  // Two units per byte cover the common sets; the rare ones that need more start over.
  for (size_t room = 2 * static_cast<size_t>(length) + 2;; room *= 2) {
    out.units.resize(room);
    out.offsets.resize(room);
    UChar* dest = out.units.data();
    const char* src = source;
    UErrorCode status = U_ZERO_ERROR;
    ucnv_resetToUnicode(cnv);
    ucnv_toUnicode(cnv, &dest, out.units.data() + room, &src, source + length, out.offsets.data(), true, &status);
    if (status == U_BUFFER_OVERFLOW_ERROR) continue;
    if (U_FAILURE(status)) {
      char invalid[32];
      int8_t invalid_length = sizeof invalid;
      UErrorCode ignored = U_ZERO_ERROR;
      ucnv_getInvalidChars(cnv, invalid, &invalid_length, &ignored);
      out.error_offset = static_cast<int32_t>(src - source) - (U_SUCCESS(ignored) ? invalid_length : 0);
      if (out.error_offset < 0) out.error_offset = 0;
    }
    const auto n = static_cast<size_t>(dest - out.units.data());
    out.units.resize(n);
    out.offsets.resize(n);
    return out;
  }
}

// Converts `text` into `dest`; past its capacity the rest is only counted. On a stop,
// `*stopped_at` receives the index of the unit that could not be converted.
int32_t FromUtf16(UConverter* cnv, const std::vector<UChar>& text, char* dest, uint32_t capacity, int32_t* stopped_at) {
  const UChar* src = text.data();
  const UChar* const end = text.data() + text.size();
  char scratch[1024];
  char* out = capacity > 1 ? dest : scratch;
  char* out_limit = capacity > 1 ? dest + capacity - 1 : scratch + sizeof scratch;
  int64_t total = 0;
  for (;;) {
    char* const out_start = out;
    UErrorCode status = U_ZERO_ERROR;
    ucnv_fromUnicode(cnv, &out, out_limit, &src, end, nullptr, true, &status);
    total += out - out_start;
    if (status == U_BUFFER_OVERFLOW_ERROR) {
      out = scratch;
      out_limit = scratch + sizeof scratch;
      continue;
    }
    if (U_FAILURE(status)) {
      UChar invalid[4];
      int8_t invalid_length = 4;
      UErrorCode ignored = U_ZERO_ERROR;
      ucnv_getInvalidUChars(cnv, invalid, &invalid_length, &ignored);
      *stopped_at = static_cast<int32_t>(src - text.data()) - (U_SUCCESS(ignored) ? invalid_length : 0);
      return VORN_CONVERT_UNMAPPABLE;
    }
    break;
  }
  return total > INT32_MAX ? INT32_MAX : static_cast<int32_t>(total);
}

}  // namespace
}  // namespace vorn::detail

extern "C" int32_t Vorn_ConvertChecked(const char* to, const char* from, char* dest, uint32_t capacity,
                                       const char* source, int32_t length, int32_t mode, int32_t* error_offset) {
  namespace vd = vorn::detail;
  if (dest != nullptr && capacity > 0) dest[0] = 0;
  if (dest == nullptr) capacity = 0;
  if (source == nullptr || length < 0) length = 0;
  if (to == nullptr || from == nullptr) return VORN_CONVERT_UNKNOWN_SET;
  const vd::Converter decoder(from);
  const vd::Converter encoder(to);
  if (decoder.get() == nullptr || encoder.get() == nullptr) return VORN_CONVERT_UNKNOWN_SET;
  vd::SetMode(decoder.get(), encoder.get(), mode);

  const vd::Utf16Text text = vd::ToUtf16(decoder.get(), source, length);
  if (text.error_offset >= 0) {
    if (error_offset != nullptr) *error_offset = text.error_offset;
    return VORN_CONVERT_MALFORMED;
  }
  int32_t stopped_at = 0;
  const int32_t n = vd::FromUtf16(encoder.get(), text.units, dest, capacity, &stopped_at);
  if (n == VORN_CONVERT_UNMAPPABLE) {
    if (error_offset != nullptr) {
      const size_t at = static_cast<size_t>(stopped_at < 0 ? 0 : stopped_at);
      *error_offset = at < text.offsets.size() ? text.offsets[at] : length;
    }
    if (capacity > 0) dest[0] = 0;
    return n;
  }
  if (capacity > 0) dest[static_cast<uint32_t>(n) < capacity ? n : capacity - 1] = 0;
  return n;
}

extern "C" const char* Vorn_CharsetName(int32_t index) {
  if (index < 0 || index >= ucnv_countAvailable()) return nullptr;
  return ucnv_getAvailableName(index);
}
