// Internal to vorn_common: do not include from outside src/.
//
// The directive parser of the formatting engine: the conversion table, and the reading
// of one directive after its '%' (flags, width, precision, length letters, conversion
// letter). It serves two readers that accept different length letters:
//
//   SprintfLetters::kEngine    the engine: l, and a second l for 64-bit integers;
//   SprintfLetters::kEstimate  the length estimate: any run of F, L, N, h and l.
//
// SprintfScanDirective reads the text of a directive without touching an argument (a
// width or precision of '*' is only marked); SprintfParseDirective is the engine's
// reading, which then takes the starred values from the argument source.
#ifndef VORN_SRC_FORMAT_SPRINTF_PARSER_H
#define VORN_SRC_FORMAT_SPRINTF_PARSER_H

#include <cstdint>
#include <limits>
#include <type_traits>

namespace vorn::detail::format {

inline constexpr int32_t kSprintfWidthCap = 340;
inline constexpr int32_t kSprintfPrecisionCap = 310;  // rows that are not string kind

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

// ---- directives ------------------------------------------------------------------

/// Which length letters a reader accepts (see the head of this file).
enum class SprintfLetters : uint8_t { kEngine, kEstimate };

/// One parsed conversion directive.
struct SprintfDirective {
  bool left = false;            // -
  bool plus = false;            // +
  bool space = false;           // ' '
  bool alt = false;             // #
  bool alt2 = false;            // ! (floats)
  bool zero = false;            // 0
  bool long_long = false;       // ll (a single l changes nothing)
  bool width_star = false;      // the width is the next argument
  bool precision_star = false;  // the precision is the next argument
  int32_t width = 0;
  int32_t precision = -1;    // -1: absent
  int32_t long_letters = 0;  // l letters read
  const SprintfConversionRow* row = nullptr;
};

template <SprintfLetters Mode, class Unit>
constexpr bool SprintfIsLengthLetter(Unit c) {
  if constexpr (Mode == SprintfLetters::kEngine) {
    return c == 'l';
  } else {
    return c == 'F' || c == 'L' || c == 'N' || c == 'h' || c == 'l';
  }
}

/// Passes at most `most` length letters of the mode; returns how many of them were l.
template <SprintfLetters Mode, class Unit>
inline int32_t SprintfSkipLengthLetters(const Unit*& p, int32_t most) {
  int32_t l_count = 0;
  for (int32_t n = 0; n < most && SprintfIsLengthLetter<Mode>(*p); ++n, ++p) l_count += *p == 'l' ? 1 : 0;
  return l_count;
}

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

/// Reads flags, width, precision and the length letters of the mode after a '%'; `p`
/// ends on the conversion letter (or the end of the format). A width or precision of
/// '*' is marked, not read; a width of digits is capped.
template <SprintfLetters Mode, class Unit>
inline void SprintfScanDirective(const Unit*& p, SprintfDirective& dir) {
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
    dir.width_star = true;
    ++p;
  } else {
    dir.width = SprintfReadNumber(p);
    if (dir.width > kSprintfWidthCap) dir.width = kSprintfWidthCap;
  }
  if (*p == '.') {
    ++p;
    if (*p == '*') {
      dir.precision_star = true;
      ++p;
    } else {
      dir.precision = SprintfReadNumber(p);
    }
  }
  constexpr int32_t most = Mode == SprintfLetters::kEngine ? 2 : std::numeric_limits<int32_t>::max();
  dir.long_letters += SprintfSkipLengthLetters<Mode>(p, most);
}

/// The engine's reading of the directive after a '%'. On success `p` stands after the
/// conversion letter and `dir.row` is set; a null row means an unknown letter or the
/// end. Starred values are taken from `args` in order, known letter or not.
template <class Unit, class Source>
inline void SprintfParseDirective(const Unit*& p, Source& args, SprintfDirective& dir) {
  SprintfScanDirective<SprintfLetters::kEngine>(p, dir);
  if (dir.width_star) {
    const int32_t w = args.Int32();
    if (w < 0) dir.left = true;
    dir.width = SprintfMagnitude(w);
    if (dir.width > kSprintfWidthCap) dir.width = kSprintfWidthCap;
  }
  if (dir.precision_star) dir.precision = SprintfMagnitude(args.Int32());
  dir.long_long = dir.long_letters >= 2;
  dir.row = SprintfFindRow(*p);
  if (dir.row == nullptr) return;
  ++p;
  if (dir.precision > kSprintfPrecisionCap && !dir.row->string_kind) dir.precision = kSprintfPrecisionCap;
}

}  // namespace vorn::detail::format

#endif  // VORN_SRC_FORMAT_SPRINTF_PARSER_H
