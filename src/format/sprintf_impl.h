// Internal to vorn_common: do not include from outside src/.
//
// The formatting engine behind TStringA::Sprintf and TWideString::Sprintf, written once
// over the unit type (char / unsigned short). Four pieces:
//
//   output accumulator  SprintfAccumulator + SprintfAppend: a zero-terminated text that
//                       starts in a fixed buffer of the driver and grows on the heap;
//   parser              SprintfDirective / SprintfParseDirective: flags, width, precision, length
//                       letters and the row of SprintfConversionTable;
//   argument source     sprintf_args.h (va_list, or an array of tagged values);
//   converters          SprintfEngine: integers, floats, strings, quoting, %c, %n, %T.
//
// What the wide engine does differently is collected in SprintfUnitPolicy: the growth
// of the accumulator (exact size, byte counts for the grow function). The argument
// types of s, S, z, q, Q, w, c and T follow the unit type through the source. Every
// heap block of either engine comes from new[] of its unit type, so the strings'
// delete[] releases the driver's result. %z releases its argument with delete[] in the
// narrow engine and with the single-object ::operator delete in the wide one.
// Running out of memory throws std::bad_alloc out of the driver; every block the call
// holds at that moment is released on the way out.
#ifndef VORN_SRC_FORMAT_SPRINTF_IMPL_H
#define VORN_SRC_FORMAT_SPRINTF_IMPL_H

#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <cstring>
#include <limits>
#include <new>
#include <type_traits>

#include "format/sprintf_args.h"

namespace vorn::detail {

// ---- constants -------------------------------------------------------------------

inline constexpr int32_t kSprintfBaseSize = 350;  // driver's base buffer, in units
inline constexpr int32_t kSprintfWorkSize = 350;  // quoting texts above this go to the heap
inline constexpr int32_t kSprintfWidthCap = 340;
inline constexpr int32_t kSprintfPrecisionCap = 310;  // rows that are not string kind
inline constexpr int32_t kSprintfFloatPrecisionCap = 165;
inline constexpr int32_t kSprintfFloatDigits = 16;  // significant digits; later ones are 0
inline constexpr int32_t kSprintfExponentLimit = 350;
inline constexpr int32_t kSprintfSpaceRun = 73;
inline constexpr int32_t kSprintfShrinkSlack = 10;
// A fixed-form float of the largest double with the largest precision needs a sign,
// 309 integer digits, the point and 165 decimals; the zero fill reaches at most the
// width cap. Integer texts need at most 343 units. The work area covers every case.
inline constexpr int32_t kSprintfConvertSize = 1 + 351 + 1 + kSprintfFloatPrecisionCap + 8;
static_assert(kSprintfConvertSize >= kSprintfWidthCap + 8, "work area below the width cap");

// ---- output accumulator ----------------------------------------------------------

/// The growing, zero-terminated output text of one formatting call.
template <class Unit>
struct SprintfAccumulator {
  /// (old block or null, old capacity, new capacity) -> new block or null. The narrow
  /// engine passes capacities in characters, the wide one in bytes.
  using GrowFn = Unit* (*)(Unit* old_block, int32_t old_capacity, int32_t new_capacity);

  Unit* base;        // the driver's initial buffer
  Unit* text;        // the buffer that holds the text now
  int32_t length;    // units stored
  int32_t total;     // units offered, dropped ones included
  int32_t capacity;  // units in `text`, terminator included
  GrowFn grow;       // null: truncate instead of growing
};

/// What the 8-bit and 16-bit engines do differently.
template <class Unit>
struct SprintfUnitPolicy;

template <>
struct SprintfUnitPolicy<char> {
  static constexpr int64_t kGrowthFactor = 2;  // room for twice the incoming run
  static constexpr int64_t kSizeScale = 1;     // grow function counts characters
};

template <>
struct SprintfUnitPolicy<unsigned short> {
  static constexpr int64_t kGrowthFactor = 1;  // exactly the size needed
  static constexpr int64_t kSizeScale = 2;     // grow function counts bytes
};

/// Releases a %z text: the narrow engine takes new[] texts, the wide one blocks of the
/// single-object ::operator new.
inline void SprintfReleaseOwned(char* text) { delete[] text; }
inline void SprintfReleaseOwned(unsigned short* text) { ::operator delete(text); }

template <class Unit>
void SprintfReleaseArray(Unit* block) {
  delete[] block;
}

/// Releases a block on every way out of a scope, std::bad_alloc included.
template <class Unit, void (*Release)(Unit*)>
class SprintfScopedBlock {
 public:
  explicit SprintfScopedBlock(Unit* block) : block_(block) {}
  SprintfScopedBlock(const SprintfScopedBlock&) = delete;
  SprintfScopedBlock& operator=(const SprintfScopedBlock&) = delete;
  ~SprintfScopedBlock() { Release(block_); }
  Unit* get() const { return block_; }

 private:
  Unit* block_;
};

/// Allocates `new_capacity` (scaled) units, copies min(old, new) from `old_block` and
/// releases it; null (old block untouched) for a capacity that is not positive. Out
/// of memory throws std::bad_alloc with the old block untouched.
template <class Unit>
Unit* SprintfGrowT(Unit* old_block, int32_t old_capacity, int32_t new_capacity) {
  constexpr int64_t scale = SprintfUnitPolicy<Unit>::kSizeScale;
  if (new_capacity <= 0) return nullptr;
  Unit* block = new Unit[static_cast<size_t>(new_capacity / scale)];
  if (old_block != nullptr) {
    const int32_t keep = old_capacity < new_capacity ? old_capacity : new_capacity;
    if (keep > 0) std::memcpy(block, old_block, static_cast<size_t>(keep / scale) * sizeof(Unit));
    delete[] old_block;
  }
  return block;
}

/// Makes room for `n` more units; false (nothing changed) when growing fails.
template <class Unit>
bool SprintfMakeRoom(SprintfAccumulator<Unit>& acc, int32_t n) {
  constexpr int64_t scale = SprintfUnitPolicy<Unit>::kSizeScale;
  const int64_t wanted = int64_t{acc.length} + SprintfUnitPolicy<Unit>::kGrowthFactor * n + 1;
  if (wanted * scale > std::numeric_limits<int32_t>::max()) return false;
  const auto new_size = static_cast<int32_t>(wanted * scale);
  Unit* block;
  if (acc.text == acc.base) {
    block = acc.grow(nullptr, 0, new_size);
    if (block != nullptr) std::memcpy(block, acc.base, static_cast<size_t>(acc.length) * sizeof(Unit));
  } else {
    block = acc.grow(acc.text, static_cast<int32_t>(acc.capacity * scale), new_size);
  }
  if (block == nullptr) return false;
  acc.text = block;
  acc.capacity = static_cast<int32_t>(wanted);
  return true;
}

/// Appends a run of `n` units (SprintfAppend): grows, or truncates without a grow
/// function; a run that cannot be stored is dropped but still counted in `total`.
template <class Unit>
inline void SprintfAppendT(SprintfAccumulator<Unit>& acc, const Unit* run, int32_t n) {
  if (n < 0) n = 0;
  acc.total = static_cast<int32_t>(static_cast<uint32_t>(acc.total) + static_cast<uint32_t>(n));
  if (int64_t{acc.length} + n + 1 > acc.capacity) {
    if (acc.grow != nullptr) {
      if (!SprintfMakeRoom(acc, n)) n = 0;
    } else {
      n = acc.capacity - acc.length - 1;
      if (n < 0) return;  // not even room for the terminator
    }
  }
  if (n > 0) {
    std::memcpy(acc.text + acc.length, run, static_cast<size_t>(n) * sizeof(Unit));
    acc.length += n;
  }
  acc.text[acc.length] = 0;
}

// ---- conversion table ------------------------------------------------------------

enum class SprintfKind : uint8_t {
  kInteger,
  kString,
  kGeneralFloat,
  kOwnedString,
  kQuoted,          // single quote doubled
  kQuotedEnclosed,  // single quote doubled, enclosed in single quotes
  kQuotedDouble,    // double quote doubled
  kCharacter,
  kFixedFloat,
  kExponentFloat,
  kCount,
  kPercent,
  kPointer,
  kTextSpan,
};

enum class SprintfPrefix : uint8_t { kNone, kZero, kLower0x, kUpper0X };

struct SprintfConversionRow {
  char letter;
  uint8_t base;
  bool is_signed;
  bool string_kind;  // exempt from the precision cap
  SprintfKind kind;
  uint8_t digit_offset;  // into kSprintfDigits: digits, or the exponent letter of floats
  SprintfPrefix prefix;
};

/// 0..15 upper-case, 16..31 lower-case; offset 30 is 'e', 14 is 'E'.
inline constexpr char kSprintfDigits[] = "0123456789ABCDEF0123456789abcdef";

/// Searched first row to last; the first row with the letter wins.
inline constexpr SprintfConversionRow SprintfConversionTable[22] = {
    {'d', 10, true, false, SprintfKind::kInteger, 0, SprintfPrefix::kNone},
    {'S', 0, false, true, SprintfKind::kString, 0, SprintfPrefix::kNone},
    {'s', 0, false, true, SprintfKind::kString, 0, SprintfPrefix::kNone},
    {'g', 0, true, false, SprintfKind::kGeneralFloat, 30, SprintfPrefix::kNone},
    {'z', 0, false, true, SprintfKind::kOwnedString, 0, SprintfPrefix::kNone},
    {'q', 0, false, true, SprintfKind::kQuoted, 0, SprintfPrefix::kNone},
    {'Q', 0, false, true, SprintfKind::kQuotedEnclosed, 0, SprintfPrefix::kNone},
    {'w', 0, false, true, SprintfKind::kQuotedDouble, 0, SprintfPrefix::kNone},
    {'c', 0, false, false, SprintfKind::kCharacter, 0, SprintfPrefix::kNone},
    {'o', 8, false, false, SprintfKind::kInteger, 0, SprintfPrefix::kZero},
    {'u', 10, false, false, SprintfKind::kInteger, 0, SprintfPrefix::kNone},
    {'x', 16, false, false, SprintfKind::kInteger, 16, SprintfPrefix::kLower0x},
    {'X', 16, false, false, SprintfKind::kInteger, 0, SprintfPrefix::kUpper0X},
    {'f', 0, true, false, SprintfKind::kFixedFloat, 0, SprintfPrefix::kNone},
    {'e', 0, true, false, SprintfKind::kExponentFloat, 30, SprintfPrefix::kNone},
    {'E', 0, true, false, SprintfKind::kExponentFloat, 14, SprintfPrefix::kNone},
    {'G', 0, true, false, SprintfKind::kGeneralFloat, 14, SprintfPrefix::kNone},
    {'i', 10, true, false, SprintfKind::kInteger, 0, SprintfPrefix::kNone},
    {'n', 0, false, false, SprintfKind::kCount, 0, SprintfPrefix::kNone},
    {'%', 0, false, false, SprintfKind::kPercent, 0, SprintfPrefix::kNone},
    {'p', 16, false, false, SprintfKind::kPointer, 0, SprintfPrefix::kLower0x},
    {'T', 0, false, false, SprintfKind::kTextSpan, 0, SprintfPrefix::kNone},
};

/// Index of the first table row per ASCII letter (the same answer as a linear search,
/// without the search); -1 for letters the table does not have.
struct SprintfRowIndex {
  int8_t row[128];
  constexpr SprintfRowIndex() : row() {
    for (auto& r : row) r = -1;
    for (int i = 21; i >= 0; --i)
      row[static_cast<unsigned char>(SprintfConversionTable[i].letter)] = static_cast<int8_t>(i);
  }
};
inline constexpr SprintfRowIndex kSprintfRowIndex{};

/// The table row for a conversion unit, or null for an unknown letter.
template <class Unit>
inline const SprintfConversionRow* SprintfFindRow(Unit letter) {
  const auto u = static_cast<uint32_t>(static_cast<std::make_unsigned_t<Unit>>(letter));
  if (u >= 128) return nullptr;
  const int8_t i = kSprintfRowIndex.row[u];
  return i < 0 ? nullptr : &SprintfConversionTable[i];
}

// ---- constant texts --------------------------------------------------------------

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

// ---- parser ----------------------------------------------------------------------

/// One parsed conversion directive.
struct SprintfDirective {
  bool left = false;       // -
  bool plus = false;       // +
  bool space = false;      // ' '
  bool alt = false;        // #
  bool alt2 = false;       // ! (floats)
  bool zero = false;       // 0
  bool long_long = false;  // ll (a single l changes nothing)
  int32_t width = 0;
  int32_t precision = -1;  // -1: absent
  const SprintfConversionRow* row = nullptr;
};

/// Saturating accumulation of a run of decimal digits.
template <class Unit>
inline int32_t SprintfReadNumber(const Unit*& p) {
  int64_t value = 0;
  while (*p >= '0' && *p <= '9') {
    if (value < std::numeric_limits<int32_t>::max()) value = value * 10 + (*p - '0');
    ++p;
  }
  return value > std::numeric_limits<int32_t>::max() ? std::numeric_limits<int32_t>::max()
                                                     : static_cast<int32_t>(value);
}

/// Magnitude of a signed 32-bit argument, saturated (the most negative value has none).
inline int32_t SprintfMagnitude(int32_t v) {
  if (v >= 0) return v;
  return v == std::numeric_limits<int32_t>::min() ? std::numeric_limits<int32_t>::max() : -v;
}

/// Reads the directive after a '%'. On success `p` stands after the conversion
/// letter and `dir.row` is set; a null row means an unknown letter or the end.
template <class Unit, class Source>
inline void SprintfParseDirective(const Unit*& p, Source& args, SprintfDirective& dir) {
  for (;; ++p) {
    switch (*p) {
      case ' ':
        dir.space = true;
        continue;
      case '!':
        dir.alt2 = true;
        continue;
      case '#':
        dir.alt = true;
        continue;
      case '+':
        dir.plus = true;
        continue;
      case '-':
        dir.left = true;
        continue;
      case '0':
        dir.zero = true;
        continue;
      default:
        break;
    }
    break;
  }
  if (*p == '*') {
    const int32_t w = args.Int32();
    if (w < 0) dir.left = true;
    dir.width = SprintfMagnitude(w);
    ++p;
  } else {
    dir.width = SprintfReadNumber(p);
  }
  if (dir.width > kSprintfWidthCap) dir.width = kSprintfWidthCap;
  if (*p == '.') {
    ++p;
    if (*p == '*') {
      dir.precision = SprintfMagnitude(args.Int32());
      ++p;
    } else {
      dir.precision = SprintfReadNumber(p);
    }
  }
  if (*p == 'l') {
    ++p;
    if (*p == 'l') {
      dir.long_long = true;
      ++p;
    }
  }
  dir.row = SprintfFindRow(*p);
  if (dir.row == nullptr) return;
  ++p;
  if (dir.precision > kSprintfPrecisionCap && !dir.row->string_kind) dir.precision = kSprintfPrecisionCap;
}

// ---- converters ------------------------------------------------------------------

/// An ASCII character as a unit.
template <class Unit>
constexpr Unit SprintfUnit(char c) {
  return static_cast<Unit>(static_cast<unsigned char>(c));
}

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
    *--p = SprintfUnit<Unit>(kSprintfDigitPairs[pair + 1]);
    *--p = SprintfUnit<Unit>(kSprintfDigitPairs[pair]);
  }
  if (value >= 10) {
    const auto pair = static_cast<unsigned>(value) * 2;
    *--p = SprintfUnit<Unit>(kSprintfDigitPairs[pair + 1]);
    *--p = SprintfUnit<Unit>(kSprintfDigitPairs[pair]);
  } else {
    *--p = static_cast<Unit>('0' + value);
  }
  return p;
}

/// Writes the digits of `value` backwards ending at `end`; returns the first digit.
template <class Unit>
inline Unit* SprintfDigitsBackward(Unit* end, uint64_t value, unsigned base, const char* digits) {
  Unit* p = end;
  switch (base) {
    case 10:
      if (value <= 0xFFFFFFFFu) return SprintfDecimalBackward(end, static_cast<uint32_t>(value));
      return SprintfDecimalBackward(end, value);
    case 16:
      do {
        *--p = SprintfUnit<Unit>(digits[value & 15]);
        value >>= 4;
      } while (value != 0);
      return p;
    default:  // 8
      do {
        *--p = SprintfUnit<Unit>(digits[value & 7]);
        value >>= 3;
      } while (value != 0);
      return p;
  }
}

/// A converted text: where it is and how long.
template <class Unit>
struct SprintfText {
  const Unit* chars = nullptr;
  int32_t length = 0;
};

/// One formatting run over one format and one argument source.
template <class Unit, class Source>
class SprintfEngine {
 public:
  SprintfEngine(SprintfAccumulator<Unit>& acc, Source& args) : acc_(acc), args_(args) {}

  /// Formats `format` (null: the empty text); the count produced, or -1 when stopped early.
  int32_t Run(const Unit* format) {
    Append(SprintfTexts<Unit>::kEmpty, 0);
    if (format == nullptr) return 0;
    const Unit* p = format;
    for (;;) {
      const Unit* literal = p;
      if constexpr (sizeof(Unit) == 1) {
        if (*p != '%' && *p != 0) p += 1 + std::strcspn(p + 1, "%");  // no call between adjacent directives
      } else {
        while (*p != 0 && *p != '%') ++p;
      }
      if (p != literal) Emit(literal, static_cast<int32_t>(p - literal));
      if (*p == 0) return Count();
      ++p;  // the '%'
      if (*p == 0) {
        Emit(SprintfTexts<Unit>::kPercent, 1);
        return -1;
      }
      SprintfDirective dir;
      SprintfParseDirective(p, args_, dir);
      if (dir.row == nullptr) return -1;
      if (!Convert(dir)) return -1;
    }
  }

 private:
  int32_t Count() const { return static_cast<int32_t>(count_); }

  void Append(const Unit* run, int32_t n) {
    if (acc_.length + int64_t{n} + 1 <= acc_.capacity) {
      // Fast path: the run fits. Same effect as SprintfAppendT.
      acc_.total = static_cast<int32_t>(static_cast<uint32_t>(acc_.total) + static_cast<uint32_t>(n));
      if (n > 0) std::memcpy(acc_.text + acc_.length, run, static_cast<size_t>(n) * sizeof(Unit));
      acc_.length += n;
      acc_.text[acc_.length] = 0;
      return;
    }
    SprintfAppendT(acc_, run, n);
  }

  /// Appends a run and counts it.
  void Emit(const Unit* run, int32_t n) {
    count_ += static_cast<uint32_t>(n);
    Append(run, n);
  }

  void Fill(int32_t n) {
    count_ += static_cast<uint32_t>(n);
    while (n > 0) {
      const int32_t run = n < kSprintfSpaceRun ? n : kSprintfSpaceRun;
      Append(SprintfTexts<Unit>::kSpaces.units, run);
      n -= run;
    }
  }

  /// Width fill around the text, then the text.
  void Output(const SprintfDirective& dir, SprintfText<Unit> text) {
    const int32_t pad = dir.width > text.length ? dir.width - text.length : 0;
    if (!dir.left) Fill(pad);
    Emit(text.chars, text.length);
    if (dir.left) Fill(pad);
  }

  /// Converts and outputs one directive; false stops the engine (result -1).
  bool Convert(const SprintfDirective& dir) {
    switch (dir.row->kind) {
      case SprintfKind::kInteger:
      case SprintfKind::kPointer:
        Output(dir, ConvertInteger(dir));
        return true;
      case SprintfKind::kFixedFloat:
      case SprintfKind::kExponentFloat:
      case SprintfKind::kGeneralFloat:
        Output(dir, ConvertFloat(dir));
        return true;
      case SprintfKind::kString:
        Output(dir, Cut(args_.Text(), dir.precision));
        return true;
      case SprintfKind::kOwnedString: {
        const SprintfScopedBlock<Unit, &SprintfReleaseOwned> owned(args_.OwnedText());
        Output(dir, Cut(owned.get(), dir.precision));
        return true;
      }
      case SprintfKind::kQuoted:
      case SprintfKind::kQuotedEnclosed:
      case SprintfKind::kQuotedDouble:
        return ConvertQuoted(dir);
      case SprintfKind::kCharacter:
        Output(dir, ConvertCharacter(dir));
        return true;
      case SprintfKind::kCount:
        if (int32_t* target = args_.CountTarget()) *target = Count();
        return true;
      case SprintfKind::kPercent:
        Output(dir, {SprintfTexts<Unit>::kPercent, 1});
        return true;
      case SprintfKind::kTextSpan:
        if (const SprintfTextSpan<Unit>* span = args_.Span()) {
          if (span->chars != nullptr) Append(span->chars, static_cast<int32_t>(span->length_word >> 1));
        }
        return true;
    }
    return false;
  }

  static size_t TextLength(const Unit* s) {
    if constexpr (sizeof(Unit) == 1) {
      return std::strlen(s);
    } else {
      size_t n = 0;
      while (s[n] != 0) ++n;
      return n;
    }
  }

  /// Writes `length` units of `s` with every quote doubled, enclosed on request;
  /// returns the end of what was written.
  static Unit* DoubleQuotes(const Unit* s, size_t length, Unit quote, bool enclose, Unit* out) {
    if (enclose) *out++ = quote;
    for (size_t i = 0; i < length; ++i) {
      if (s[i] == quote) *out++ = quote;
      *out++ = s[i];
    }
    if (enclose) *out++ = quote;
    return out;
  }

  /// A text argument cut to the precision (the scan never passes the precision).
  static SprintfText<Unit> Cut(const Unit* s, int32_t precision) {
    if (s == nullptr) return {SprintfTexts<Unit>::kEmpty, 0};
    size_t limit =
        precision < 0 ? static_cast<size_t>(std::numeric_limits<int32_t>::max() / 4) : static_cast<size_t>(precision);
    size_t n;
    if constexpr (sizeof(Unit) == 1) {
      n = strnlen(s, limit);
    } else {
      n = 0;
      while (n < limit && s[n] != 0) ++n;
    }
    return {s, static_cast<int32_t>(n)};
  }

  SprintfText<Unit> ConvertInteger(const SprintfDirective& dir) {
    const SprintfConversionRow& row = *dir.row;
    uint64_t magnitude;
    Unit sign = 0;
    if (row.kind == SprintfKind::kPointer) {
      magnitude = args_.PointerBits();
    } else if (row.is_signed) {
      const int64_t v = dir.long_long ? args_.Int64() : int64_t{args_.Int32()};
      magnitude = v < 0 ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
      if (v < 0) {
        sign = '-';
      } else if (dir.plus) {
        sign = '+';
      } else if (dir.space) {
        sign = ' ';
      }
    } else {
      magnitude = dir.long_long ? static_cast<uint64_t>(args_.Int64()) : uint64_t{static_cast<uint32_t>(args_.Int32())};
    }
    const bool alt = dir.alt && magnitude != 0;
    int32_t precision = dir.precision;
    if (dir.zero) {
      const int32_t wanted = dir.width - (sign != 0 ? 1 : 0);
      if (precision < wanted) precision = wanted;
    }
    Unit* const end = work_ + kSprintfConvertSize;
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

  SprintfText<Unit> ConvertCharacter(const SprintfDirective& dir) {
    const auto c = static_cast<Unit>(args_.Int32());
    const int32_t n = dir.precision < 0 ? 1 : dir.precision;  // at most the cap of 310
    for (int32_t i = 0; i < n; ++i) work_[i] = c;
    return {work_, n};
  }

  SprintfText<Unit> ConvertFloat(const SprintfDirective& dir);
  bool ConvertQuoted(const SprintfDirective& dir);

  SprintfAccumulator<Unit>& acc_;
  Source& args_;
  uint32_t count_ = 0;
  Unit work_[kSprintfConvertSize];
};

/// Bounded writer into the work area (never passes its end).
template <class Unit>
struct SprintfWriter {
  Unit* begin;
  Unit* p;
  Unit* end;
  void Put(Unit c) {
    if (p < end) *p++ = c;
  }
  int32_t Length() const { return static_cast<int32_t>(p - begin); }
};

template <class Unit, class Source>
SprintfText<Unit> SprintfEngine<Unit, Source>::ConvertFloat(const SprintfDirective& dir) {
  const SprintfKind kind = dir.row->kind;
  double value = args_.Real();
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

  SprintfWriter<Unit> out{work_, work_, work_ + kSprintfConvertSize};
  auto put_word = [&out](const char* word) {
    while (*word != 0) out.Put(SprintfUnit<Unit>(*word++));
  };
  if (std::isnan(value)) {
    put_word("NaN");
    return {work_, out.Length()};
  }

  int32_t exponent = 0;
  if (value > 0) {
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
    if (exponent > kSprintfExponentLimit || exponent < -kSprintfExponentLimit) {
      put_word(sign == '-' ? "-Inf" : sign == '+' ? "+Inf" : "Inf");
      return {work_, out.Length()};
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

  if (sign != 0) out.Put(SprintfUnit<Unit>(sign));
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
    out.Put(SprintfUnit<Unit>(kSprintfDigits[dir.row->digit_offset]));
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
    std::memmove(work_ + at + fill, work_ + at, static_cast<size_t>(length - at) * sizeof(Unit));
    for (int32_t i = 0; i < fill; ++i) work_[at + i] = '0';
    length = dir.width;
  }
  return {work_, length};
}

template <class Unit, class Source>
bool SprintfEngine<Unit, Source>::ConvertQuoted(const SprintfDirective& dir) {
  const SprintfKind kind = dir.row->kind;
  const Unit quote = SprintfUnit<Unit>(kind == SprintfKind::kQuotedDouble ? '"' : '\'');
  const Unit* s = args_.Text();
  bool enclose = kind == SprintfKind::kQuotedEnclosed;
  if (s == nullptr) {
    s = enclose ? SprintfTexts<Unit>::kNull : SprintfTexts<Unit>::kParenNull;
    enclose = false;
  }
  const size_t length = TextLength(s);
  // Short texts without a width go straight into the accumulator when it has room for
  // the worst case (every unit a quote); the result is the same as below.
  const size_t worst = 2 * length + 3;
  if (dir.width == 0 && worst <= static_cast<size_t>(kSprintfWorkSize) &&
      int64_t{acc_.length} + static_cast<int64_t>(worst) <= acc_.capacity) {
    Unit* const start = acc_.text + acc_.length;
    const auto n = static_cast<int32_t>(DoubleQuotes(s, length, quote, enclose, start) - start);
    acc_.length += n;
    acc_.total = static_cast<int32_t>(static_cast<uint32_t>(acc_.total) + static_cast<uint32_t>(n));
    acc_.text[acc_.length] = 0;
    count_ += static_cast<uint32_t>(n);
    return true;
  }

  size_t quotes = 0;
  for (size_t i = 0; i < length; ++i) quotes += s[i] == quote ? 1 : 0;  // branch-free, vectorises
  const size_t needed = length + quotes + (enclose ? 2 : 0) + 1;
  if (needed > static_cast<size_t>(std::numeric_limits<int32_t>::max() / 4)) return false;

  const bool on_heap = needed > static_cast<size_t>(kSprintfWorkSize);
  const SprintfScopedBlock<Unit, &SprintfReleaseArray<Unit>> block(on_heap ? new Unit[needed] : nullptr);
  Unit* const out = on_heap ? block.get() : work_;
  Unit* const p = DoubleQuotes(s, length, quote, enclose, out);
  Output(dir, {out, static_cast<int32_t>(p - out)});
  return true;
}

/// The accumulator's heap block, released on every way out of the driver unless taken.
template <class Unit>
class SprintfGrownBlock {
 public:
  explicit SprintfGrownBlock(SprintfAccumulator<Unit>& acc) : acc_(acc) {}
  SprintfGrownBlock(const SprintfGrownBlock&) = delete;
  SprintfGrownBlock& operator=(const SprintfGrownBlock&) = delete;
  ~SprintfGrownBlock() {
    if (acc_.text != acc_.base) delete[] acc_.text;
  }
  Unit* Take() {
    Unit* const block = acc_.text;
    acc_.text = acc_.base;
    return block;
  }

 private:
  SprintfAccumulator<Unit>& acc_;
};

/// Runs the engine over a fresh accumulator on the stack and returns a new[] block
/// holding the zero-terminated text.
template <class Unit, class Source>
Unit* SprintfBufferT(const Unit* format, Source& args) {
  Unit base[kSprintfBaseSize];
  SprintfAccumulator<Unit> acc{base, base, 0, 0, kSprintfBaseSize, &SprintfGrowT<Unit>};
  SprintfGrownBlock<Unit> grown(acc);
  {
    SprintfEngine<Unit, Source> engine(acc, args);
    engine.Run(format);
  }
  if (acc.text != acc.base && acc.capacity <= int64_t{acc.length} + kSprintfShrinkSlack) return grown.Take();
  const auto size = static_cast<size_t>(acc.length) + 1;
  Unit* const block = new Unit[size];
  std::memcpy(block, acc.text, size * sizeof(Unit));
  return block;
}

// ---- named entry points (sprintf.cpp) --------------------------------------------

void SprintfAppend(SprintfAccumulator<char>* acc, const char* run, int32_t n);
void SprintfAppendW(SprintfAccumulator<unsigned short>* acc, const unsigned short* run, int32_t n);
char* SprintfGrow(char* old_block, int32_t old_capacity, int32_t new_capacity);
unsigned short* SprintfGrowW(unsigned short* old_block, int32_t old_bytes, int32_t new_bytes);

/// The va_list forms read from and advance `*args`; the caller va_ends it as usual.
int32_t SprintfEngineA(SprintfAccumulator<char>* acc, const char* format, va_list* args);
int32_t SprintfEngineW(SprintfAccumulator<unsigned short>* acc, const unsigned short* format, va_list* args);
int32_t SprintfEngineA(SprintfAccumulator<char>* acc, const char* format, FormatArgs& args);
int32_t SprintfEngineW(SprintfAccumulator<unsigned short>* acc, const unsigned short* format, FormatArgs& args);

/// The formatted text in a new[] block (release with delete[]), or null.
char* SprintfBufferA(const char* format, va_list* args);
unsigned short* SprintfBufferW(const unsigned short* format, va_list* args);
char* SprintfBufferA(const char* format, FormatArgs& args);
unsigned short* SprintfBufferW(const unsigned short* format, FormatArgs& args);

/// The length estimate of GetSprintfLenA_Reserved over an argument array.
uint32_t SprintfLengthEstimate(const char* format, FormatArgs& args);

}  // namespace vorn::detail

#endif  // VORN_SRC_FORMAT_SPRINTF_IMPL_H
