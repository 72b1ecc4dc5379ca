// The encoding members of TStringA and TWideString: text moved between the ANSI code
// page, UTF-8, GB2312, GB18030, Latin-9, 7-bit ASCII and UTF-16 through the
// character-set functions.
//
// Each member sizes a fresh buffer generously for its conversion and records that
// size as the capacity, not the length of the result. Sizes are computed in 64 bits;
// a size that no 32-bit capacity can describe is refused like a failed allocation.
// Every buffer installed here ends with a terminator inside its capacity, whatever
// the conversion left behind.
#include <algorithm>
#include <memory>

#include "strings/string_core_impl.h"
#include "vorn/charset.h"
#include "vorn/strings.h"

namespace vorn::detail {
namespace {

// Converter names as the members hand them on ("utf8" and "UTF8" name one converter).
constexpr char kUtf8Lower[] = "utf8";
constexpr char kUtf8[] = "UTF8";
constexpr char kGb2312[] = "gb2312";

/// A new block of `size` units holding the empty text; null when it cannot be had.
template <class Unit>
std::unique_ptr<Unit[]> new_block(uint64_t size) {
  std::unique_ptr<Unit[]> block(allocate_units<Unit>(size));
  if (block) block[0] = 0;
  return block;
}

/// Discards the text and gives the string a buffer of `size` units holding the empty
/// text; false (no buffer) when the size cannot be had.
template <class Unit>
bool fresh_buffer(StringRep<Unit> rep, uint64_t size) {
  rep.release();
  return size <= UINT32_MAX && rep.set_capacity(static_cast<uint32_t>(size));
}

/// Converts into a new block of `size` units with `convert(block, size)` and installs
/// the block, with capacity `size`, when the count is at least 1 (and, as it always is
/// for these sizes, below `size`). Otherwise the string keeps what it has.
template <class Unit, class Convert>
void install_if_converted(StringRep<Unit> rep, uint64_t size, Convert convert) {
  std::unique_ptr<Unit[]> block = new_block<Unit>(size);
  if (!block) return;
  const int count = convert(block.get(), static_cast<uint32_t>(size));
  if (count < 1 || static_cast<uint64_t>(count) >= size) return;
  rep.adopt(block.release(), static_cast<uint32_t>(size));
}

/// Rewrites `text` as UTF-8 with `to_utf8` into a new buffer of 3(L + 1) bytes,
/// installed when the conversion gives a count; otherwise the string keeps its text.
/// `text` may be the string's own.
void replace_with_utf8(StringRep<char> rep, const char* text, int (*to_utf8)(char*, uint32_t, const char*)) {
  install_if_converted(rep, 3 * (static_cast<uint64_t>(text_length(text)) + 1),
                       [&](char* out, uint32_t capacity) { return to_utf8(out, capacity, text); });
}

/// The 7-bit prefix of UTF-16 units as bytes: the first unit above 127 ends the text.
void narrow_ascii(char* dst, const unsigned short* src) {
  while (*src != 0 && *src < 128) *dst++ = static_cast<char>(*src++);
  *dst = 0;
}

/// TWideString's conversions from narrow text: a buffer of 2L + 4 units, the text
/// converted from the named character set (the ANSI code page for null) into it, and
/// a terminator after the converted units.
void wide_from_narrow(StringRep<unsigned short> rep, const char* text, const char* charset) {
  rep.release();
  if (text == nullptr) return;
  const uint64_t length = text_length(text);
  if (!fresh_buffer(rep, 2 * length + 4)) return;
  unsigned short* buffer = rep.buffer();
  const int count = charset == nullptr
                        ? StrANSIToUnicode(buffer, rep.capacity(), text)
                        : AnyToUnicode(charset, buffer, rep.capacity(), text, static_cast<int32_t>(length));
  // The ANSI count includes the terminator, so this zero then lands just after it.
  buffer[count >= 1 ? std::min<uint64_t>(count, rep.capacity() - 1) : 0] = 0;
}

/// A new narrow string holding what `convert(buffer, size)` writes into a temporary of
/// `size` bytes (cut at its last byte); an empty string without buffer when the
/// temporary cannot be had.
template <class Convert>
TStringA narrow_copy_of(uint64_t size, Convert convert) {
  if (size > UINT32_MAX) return TStringA();
  TStringA temporary(static_cast<uint32_t>(size), TStringA::ctCapacity);
  char* buffer = temporary.GetBufferVar();
  if (buffer == nullptr) return TStringA();
  convert(buffer, static_cast<uint32_t>(size));
  buffer[size - 1] = 0;
  return TStringA(temporary.GetBuffer());
}

}  // namespace
}  // namespace vorn::detail

using vorn::detail::StringRep;
namespace detail = vorn::detail;

// ---- TStringA ------------------------------------------------------------------------

TStringA& TStringA::operator+=(const unsigned short* text) {
  TStringA narrowed;
  narrowed.FromWideStringQuick(text);
  return *this += narrowed.GetBuffer();
}

TStringA& TStringA::FromWideStringQuick(const unsigned short* text) {
  StringRep<char> rep(FBuffer, FCapacity);
  rep.release();
  if (text == nullptr || text[0] == 0) return *this;
  if (detail::fresh_buffer(rep, static_cast<uint64_t>(detail::text_length(text)) + 2)) {
    detail::narrow_ascii(FBuffer, text);
  }
  return *this;
}

TStringA& TStringA::FromWideString(const unsigned short* text, vorn::TMIBCharSet charset) {
  StringRep<char> rep(FBuffer, FCapacity);
  rep.release();
  if (text == nullptr) return *this;
  if (!detail::fresh_buffer(rep, 3 * static_cast<uint64_t>(detail::text_length(text)) + 4)) return *this;
  switch (charset) {
    case vorn::csAnsiCodePage:
      StrUnicodeToANSI(FBuffer, FCapacity, text);
      break;
    case vorn::csGB2312:
      StrUnicodeToAny(detail::kGb2312, FBuffer, FCapacity, text);
      break;
    default:
      StrUnicodeToAny(detail::kUtf8, FBuffer, FCapacity, text);
      break;
  }
  FBuffer[FCapacity - 1] = 0;
  return *this;
}

TStringA& TStringA::convertANSIToUTF8() {
  if (IsEmpty()) return *this;
  const uint64_t length = Length();
  const auto units = detail::new_block<unsigned short>(length + 3);
  if (!units) return *this;
  const int produced = StrANSIToUnicode(units.get(), static_cast<uint32_t>(length + 1), FBuffer);
  StringRep<char> rep(FBuffer, FCapacity);
  rep.release();  // the text is gone whatever follows
  if (produced < 1) return *this;
  detail::install_if_converted(rep, 3 * length + 3, [&](char* out, uint32_t capacity) {
    return StrUnicodeToAny(detail::kUtf8Lower, out, capacity, units.get());
  });
  return *this;
}

TStringA& TStringA::convertUTF8ToANSI() {
  if (IsEmpty()) return *this;
  const uint64_t length = Length();
  const uint64_t unit_capacity = 3 * (length + 1);
  const auto units = detail::new_block<unsigned short>(unit_capacity);
  if (!units) return *this;
  const int produced = AnyToUnicode(detail::kUtf8Lower, units.get(), static_cast<uint32_t>(unit_capacity), FBuffer,
                                    static_cast<int32_t>(length));
  StringRep<char> rep(FBuffer, FCapacity);
  rep.release();  // the text is gone whatever follows
  if (produced < 1) return *this;
  const uint64_t size = 2 * length + 2;
  auto bytes = detail::new_block<char>(size);
  if (!bytes) return *this;
  // Two bytes per unit suffice for the usual ANSI sets; where they do not (UTF-8 with
  // many replaced bytes), the text is cut at the last byte.
  StrUnicodeToANSI(bytes.get(), static_cast<uint32_t>(size), units.get());
  bytes[size - 1] = 0;
  rep.adopt(bytes.release(), static_cast<uint32_t>(size));
  return *this;
}

TStringA& TStringA::convertGB18030ToUTF8() {
  if (!IsEmpty()) detail::replace_with_utf8(StringRep<char>(FBuffer, FCapacity), FBuffer, StrGB18030ToUTF8);
  return *this;
}

TStringA& TStringA::convertLatin9ToUTF8() {
  if (!IsEmpty()) detail::replace_with_utf8(StringRep<char>(FBuffer, FCapacity), FBuffer, StrLatin9ToUTF8);
  return *this;
}

TStringA& TStringA::fromANSIToUTF8(const char* text) { return SetText(text, 0).convertANSIToUTF8(); }

TStringA& TStringA::fromUTF8ToANSI(const char* text) { return SetText(text, 0).convertUTF8ToANSI(); }

TStringA& TStringA::fromLatin9ToUTF8(const char* text) { return SetText(text, 0).convertLatin9ToUTF8(); }

TStringA& TStringA::fromGB18030ToUTF8(const char* text) {
  StringRep<char> rep(FBuffer, FCapacity);
  if (text == nullptr || text[0] == 0) {
    rep.release();
  } else {
    detail::replace_with_utf8(rep, text, StrGB18030ToUTF8);
  }
  return *this;
}

// ---- TWideString ---------------------------------------------------------------------

TWideString& TWideString::FromASCIIQuick(const char* text, uint32_t count) {
  StringRep<unsigned short> rep(FBuffer, FCapacity);
  rep.release();
  if (text == nullptr) return *this;
  if (count == 0) count = detail::text_length(text);
  if (detail::fresh_buffer(rep, static_cast<uint64_t>(count) + 1)) detail::widen_ascii(FBuffer, text, count);
  return *this;
}

TWideString& TWideString::FromUTF8(const char* text) {
  detail::wide_from_narrow(StringRep<unsigned short>(FBuffer, FCapacity), text, detail::kUtf8);
  return *this;
}

TWideString& TWideString::FromANSI(const char* text) {
  detail::wide_from_narrow(StringRep<unsigned short>(FBuffer, FCapacity), text, nullptr);
  return *this;
}

TWideString& TWideString::FromGB3212(const char* text) {
  detail::wide_from_narrow(StringRep<unsigned short>(FBuffer, FCapacity), text, detail::kGb2312);
  return *this;
}

TStringA TWideString::utf8() const {
  if (IsEmpty()) return TStringA();
  const unsigned short* text = FBuffer;
  // One byte is held back from the conversion, so its terminator always has room.
  return detail::narrow_copy_of(3 * (static_cast<uint64_t>(Length()) + 1), [text](char* out, uint32_t size) {
    return StrUnicodeToAny(detail::kUtf8, out, size - 1, text);
  });
}

TStringA TWideString::ansi() const {
  const unsigned short* text = GetBuffer();
  return detail::narrow_copy_of(3 * static_cast<uint64_t>(Length()) + 4,
                                [text](char* out, uint32_t size) { return StrUnicodeToANSI(out, size, text); });
}
