// Internal to vorn_common: do not include from outside src/.
//
// The converters of the formatting engine, one per kind of conversion: each takes its
// argument from the source and yields a text (SprintfText) in the work area it is
// given, without touching the output. Integer digits are written from the end of the
// work area backwards; floats forwards through a bounded writer. The quoting
// conversions only prepare their text here (SprintfQuoting); where it is written is
// the engine's choice.
#ifndef VORN_SRC_FORMAT_SPRINTF_CONVERT_H
#define VORN_SRC_FORMAT_SPRINTF_CONVERT_H

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>

#include "cstr/unit_traits.h"
#include "format/sprintf_parser.h"

namespace vorn::detail::format {

inline constexpr int32_t kSprintfWorkSize = 350;  // quoting texts above this go to the heap
inline constexpr int32_t kSprintfFloatPrecisionCap = 165;
inline constexpr int32_t kSprintfFloatDigits = 16;  // significant digits; later ones are 0
inline constexpr int32_t kSprintfExponentLimit = 350;
inline constexpr int32_t kSprintfSpaceRun = 73;
// A fixed-form float of the largest double with the largest precision needs a sign,
// 309 integer digits, the point and 165 decimals; the zero fill reaches at most the
// width cap. Integer texts need at most 343 units. The work area covers every case.
inline constexpr int32_t kSprintfConvertSize = 1 + 351 + 1 + kSprintfFloatPrecisionCap + 8;
static_assert(kSprintfConvertSize >= kSprintfWidthCap + 8, "work area below the width cap");

template <class Unit>
struct SprintfTexts {
  struct Spaces {
    Unit units[kSprintfSpaceRun];
    constexpr Spaces() : units() {
      for (auto& u : units) u = ' ';
    }
  };
  static constexpr Spaces kSpaces{};
  static constexpr Unit kNull[] = {'N', 'U', 'L', 'L', 0};
  static constexpr Unit kParenNull[] = {'(', 'N', 'U', 'L', 'L', ')', 0};
  static constexpr Unit kPercent[] = {'%', 0};
  static constexpr Unit kEmpty[] = {0};
};

/// A converted text: where it is and how long.
template <class Unit>
struct SprintfText {
  const Unit* chars = nullptr;
  int32_t length = 0;
};

// ---- integers ----------------------------------------------------------------------

inline constexpr char kSprintfDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

/// Decimal digits of a value, two at a time from the end; returns the first digit.
template <class Unit, class Value>
inline Unit* SprintfDecimalBackward(Unit* end, Value value) {
  Unit* p = end;
  while (value >= 100) {
    const auto pair = static_cast<unsigned>(value % 100) * 2;
    value /= 100;
    *--p = UnitTraits<Unit>::widen(kSprintfDigitPairs[pair + 1]);
    *--p = UnitTraits<Unit>::widen(kSprintfDigitPairs[pair]);
  }
  if (value >= 10) {
    const auto pair = static_cast<unsigned>(value) * 2;
    *--p = UnitTraits<Unit>::widen(kSprintfDigitPairs[pair + 1]);
    *--p = UnitTraits<Unit>::widen(kSprintfDigitPairs[pair]);
  } else {
    *--p = static_cast<Unit>('0' + value);
  }
  return p;
}

#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
/// The eight decimal digits of `v` (below 10^8, leading zeros included) as the ASCII
/// bytes of one word, the first digit in its lowest byte: the value is split into
/// halves, quarters and single digits in parallel lanes of the word.
inline uint64_t SprintfEightDigits(uint32_t v) {
  uint64_t x = (v / 10000) | (uint64_t{v % 10000} << 32);
  uint64_t q = ((x * 10486) >> 20) & 0x0000007F0000007FULL;  // lane / 100 for lanes below 10^4
  x = q | ((x - q * 100) << 16);
  q = ((x * 103) >> 10) & 0x000F000F000F000FULL;  // lane / 10 for lanes below 100
  x = q | ((x - q * 10) << 8);
  return x + 0x3030303030303030ULL;
}

/// Number of decimal digits of `v` (below 10^8).
inline int SprintfDecimalCount(uint32_t v) {
  return 1 + (v >= 10) + (v >= 100) + (v >= 1000) + (v >= 10000) + (v >= 100000) + (v >= 1000000) + (v >= 10000000);
}
#endif

/// Writes the digits of `value` backwards ending at `end`; returns the first digit.
/// At least eight units before `end` belong to the caller.
template <class Unit>
inline Unit* SprintfDigitsBackward(Unit* end, uint64_t value, unsigned base, const char* digits) {
  Unit* p = end;
  switch (base) {
    case 10:
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
      // Below 10^8 the digits go out as one word: the copy that reads them back is
      // then served by a single store.
      if (value < 100000000u) {
        const auto v = static_cast<uint32_t>(value);
        UnitTraits<Unit>::store_ascii_word(end - 8, SprintfEightDigits(v));
        return end - SprintfDecimalCount(v);
      }
#endif
      if (value <= 0xFFFFFFFFu) return SprintfDecimalBackward(end, static_cast<uint32_t>(value));
      return SprintfDecimalBackward(end, value);
    case 16:
      do {
        *--p = UnitTraits<Unit>::widen(digits[value & 15]);
        value >>= 4;
      } while (value != 0);
      return p;
    default:  // 8
      do {
        *--p = UnitTraits<Unit>::widen(digits[value & 7]);
        value >>= 3;
      } while (value != 0);
      return p;
  }
}

/// d, i, o, u, x, X and p: the text ends at `end` (the end of the work area).
template <class Unit, class Source>
SprintfText<Unit> SprintfConvertInteger(const SprintfDirective& dir, Source& args, Unit* end) {
  const SprintfConversionRow& row = *dir.row;
  uint64_t magnitude;
  Unit sign = 0;
  if (row.kind == SprintfKind::kPointer) {
    magnitude = args.PointerBits();
  } else if (row.is_signed) {
    const int64_t v = dir.long_long ? args.Int64() : int64_t{args.Int32()};
    magnitude = v < 0 ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
    if (v < 0) {
      sign = '-';
    } else if (dir.plus) {
      sign = '+';
    } else if (dir.space) {
      sign = ' ';
    }
  } else {
    magnitude = dir.long_long ? static_cast<uint64_t>(args.Int64()) : uint64_t{static_cast<uint32_t>(args.Int32())};
  }
  const bool alt = dir.alt && magnitude != 0;
  int32_t precision = dir.precision;
  if (dir.zero) {
    const int32_t wanted = dir.width - (sign != 0 ? 1 : 0);
    if (precision < wanted) precision = wanted;
  }
  Unit* p = SprintfDigitsBackward(end, magnitude, row.base, kSprintfDigits + row.digit_offset);
  while (end - p < precision) *--p = '0';
  if (sign != 0) *--p = sign;
  if (alt) {
    switch (row.prefix) {
      case SprintfPrefix::kZero:
        if (*p != '0') *--p = '0';
        break;
      case SprintfPrefix::kLower0x:
        *--p = 'x';
        *--p = '0';
        break;
      case SprintfPrefix::kUpper0X:
        *--p = 'X';
        *--p = '0';
        break;
      case SprintfPrefix::kNone:
        break;
    }
  }
  return {p, static_cast<int32_t>(end - p)};
}

// ---- characters and texts ------------------------------------------------------------

/// c: the character once, or precision times (at most the cap of 310).
template <class Unit, class Source>
SprintfText<Unit> SprintfConvertCharacter(const SprintfDirective& dir, Source& args, Unit* work) {
  const auto c = static_cast<Unit>(args.Int32());
  const int32_t n = dir.precision < 0 ? 1 : dir.precision;
  for (int32_t i = 0; i < n; ++i) work[i] = c;
  return {work, n};
}

/// s, S and z: a text argument cut to the precision (the scan never passes it).
template <class Unit>
SprintfText<Unit> SprintfCutText(const Unit* s, int32_t precision) {
  if (s == nullptr) return {SprintfTexts<Unit>::kEmpty, 0};
  const size_t limit =
      precision < 0 ? static_cast<size_t>(std::numeric_limits<int32_t>::max() / 4) : static_cast<size_t>(precision);
  return {s, static_cast<int32_t>(UnitTraits<Unit>::length_within(s, limit))};
}

/// q, Q and w: the text to quote, its quote character and whether it is enclosed.
template <class Unit>
struct SprintfQuoting {
  const Unit* text;
  size_t length;
  Unit quote;
  bool enclose;

  /// Units written (without terminator) when every unit may be a quote, plus room
  /// for the enclosing quotes and the terminator.
  size_t WorstCase() const { return 2 * length + 3; }
  /// Units written plus the terminator.
  size_t Needed() const {
    size_t quotes = 0;
    for (size_t i = 0; i < length; ++i) quotes += text[i] == quote ? 1 : 0;  // branch-free, vectorises
    return length + quotes + (enclose ? 2 : 0) + 1;
  }
  /// Writes the text with every quote doubled, enclosed on request; returns the end.
  Unit* Write(Unit* out) const {
    if (enclose) *out++ = quote;
    for (size_t i = 0; i < length; ++i) {
      if (text[i] == quote) *out++ = quote;
      *out++ = text[i];
    }
    if (enclose) *out++ = quote;
    return out;
  }
};

template <class Unit, class Source>
SprintfQuoting<Unit> SprintfQuoteArgument(const SprintfDirective& dir, Source& args) {
  const SprintfKind kind = dir.row->kind;
  const Unit quote = UnitTraits<Unit>::widen(kind == SprintfKind::kQuotedDouble ? '"' : '\'');
  const Unit* s = args.Text();
  bool enclose = kind == SprintfKind::kQuotedEnclosed;
  if (s == nullptr) {
    s = enclose ? SprintfTexts<Unit>::kNull : SprintfTexts<Unit>::kParenNull;
    enclose = false;
  }
  return {s, UnitTraits<Unit>::length_within(s, SIZE_MAX), quote, enclose};
}

// ---- floats ------------------------------------------------------------------------

/// Bounded writer into the work area (never passes its end).
template <class Unit>
struct SprintfWriter {
  Unit* begin;
  Unit* p;
  Unit* end;
  void Put(Unit c) {
    if (p < end) *p++ = c;
  }
  void PutWord(const char* word) {
    while (*word != 0) Put(UnitTraits<Unit>::widen(*word++));
  }
  int32_t Length() const { return static_cast<int32_t>(p - begin); }
};

/// Scales a value above zero into [1, 10) and returns its decimal exponent; an
/// exponent outside the limits means an infinity.
inline int32_t SprintfNormalise(double& value) {
  int32_t exponent = 0;
  while (value >= 1e32 && exponent <= kSprintfExponentLimit) {
    value *= 1e-32;
    exponent += 32;
  }
  while (value >= 1e8 && exponent <= kSprintfExponentLimit) {
    value *= 1e-8;
    exponent += 8;
  }
  while (value >= 10 && exponent <= kSprintfExponentLimit) {
    value *= 0.1;
    exponent += 1;
  }
  while (value < 1e-8 && exponent >= -kSprintfExponentLimit) {
    value *= 1e8;
    exponent -= 8;
  }
  while (value < 1 && exponent >= -kSprintfExponentLimit) {
    value *= 10;
    exponent -= 1;
  }
  return exponent;
}

/// f, e, E, g and G into the work area of kSprintfConvertSize units.
template <class Unit, class Source>
SprintfText<Unit> SprintfConvertFloat(const SprintfDirective& dir, Source& args, Unit* work) {
  const SprintfKind kind = dir.row->kind;
  double value = args.Real();
  int32_t precision = dir.precision < 0 ? 6 : dir.precision;
  if (precision > kSprintfFloatPrecisionCap) precision = kSprintfFloatPrecisionCap;

  char sign = 0;
  if (value < 0) {
    value = -value;
    sign = '-';
  } else if (dir.plus) {
    sign = '+';
  } else if (dir.space) {
    sign = ' ';
  }
  const bool general = kind == SprintfKind::kGeneralFloat;
  if (general && precision > 0) --precision;
  double rounding = 0.5;
  for (int32_t i = 0; i < precision; ++i) rounding *= 0.1;
  if (kind == SprintfKind::kFixedFloat) value += rounding;

  SprintfWriter<Unit> out{work, work, work + kSprintfConvertSize};
  if (std::isnan(value)) {
    out.PutWord("NaN");
    return {work, out.Length()};
  }

  int32_t exponent = 0;
  if (value > 0) {
    exponent = SprintfNormalise(value);
    if (exponent > kSprintfExponentLimit || exponent < -kSprintfExponentLimit) {
      out.PutWord(sign == '-' ? "-Inf" : sign == '+' ? "+Inf" : "Inf");
      return {work, out.Length()};
    }
  }
  if (kind != SprintfKind::kFixedFloat) {
    value += rounding;
    if (value >= 10) {
      value *= 0.1;
      exponent += 1;
    }
  }

  bool strip = false;
  bool exponent_form = kind == SprintfKind::kExponentFloat;
  if (general) {
    strip = !dir.alt;
    if (exponent < -4 || exponent > precision) {
      exponent_form = true;
    } else {
      precision -= exponent;
    }
  }
  int32_t counter = exponent_form ? 0 : exponent;
  const bool point = precision > 0 || dir.alt || dir.alt2;

  int32_t produced = 0;
  auto next_digit = [&value, &produced]() -> Unit {
    if (produced >= kSprintfFloatDigits) return '0';
    ++produced;
    auto d = static_cast<int>(value);  // value lies in [0, 10)
    if (d > 9) d = 9;
    if (d < 0) d = 0;
    value = (value - d) * 10;
    return static_cast<Unit>('0' + d);
  };

  if (sign != 0) out.Put(UnitTraits<Unit>::widen(sign));
  if (counter < 0) {
    out.Put('0');
  } else {
    for (; counter >= 0; --counter) out.Put(next_digit());
  }
  if (point) out.Put('.');
  for (++counter; counter < 0 && precision > 0; ++counter, --precision) out.Put('0');
  for (; precision > 0; --precision) out.Put(next_digit());

  if (strip && point) {
    while (out.p > out.begin && out.p[-1] == '0') --out.p;
    if (out.p > out.begin && out.p[-1] == '.') {
      if (dir.alt2) {
        out.Put('0');
      } else {
        --out.p;
      }
    }
  }
  if (kind == SprintfKind::kExponentFloat || (exponent_form && exponent != 0)) {
    out.Put(UnitTraits<Unit>::widen(kSprintfDigits[dir.row->digit_offset]));
    out.Put(exponent < 0 ? '-' : '+');
    const int32_t e = exponent < 0 ? -exponent : exponent;
    if (e >= 100) out.Put(static_cast<Unit>('0' + e / 100));
    out.Put(static_cast<Unit>('0' + e / 10 % 10));
    out.Put(static_cast<Unit>('0' + e % 10));
  }

  int32_t length = out.Length();
  if (dir.zero && !dir.left && length < dir.width) {
    // Zeros go after the sign; the text is moved right to make room.
    const int32_t fill = dir.width - length;
    const int32_t at = sign != 0 ? 1 : 0;
    std::memmove(work + at + fill, work + at, static_cast<size_t>(length - at) * sizeof(Unit));
    for (int32_t i = 0; i < fill; ++i) work[at + i] = '0';
    length = dir.width;
  }
  return {work, length};
}

}  // namespace vorn::detail::format

#endif  // VORN_SRC_FORMAT_SPRINTF_CONVERT_H
