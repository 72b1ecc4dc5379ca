// The dotted version number that numeric version comparison works on.
#include "appupdate/appupdate_impl.h"

namespace vorn::detail::appupdate {
namespace {

// Longest piece of a version text that is read as one part.
constexpr size_t kMaxPiece = 64;

// Decimal value of the `count` units at `piece`: leading blanks (space and 9..13), one
// optional sign, then digits up to the first other unit. Out-of-range values wrap
// modulo 2^32 like the rest of the arithmetic.
template <typename Unit>
uint32_t PieceValue(const Unit* piece, size_t count) {
  size_t i = 0;
  while (i < count && is_ascii_space(piece[i])) ++i;
  bool negative = false;
  if (i < count && (piece[i] == '+' || piece[i] == '-')) {
    negative = piece[i] == '-';
    ++i;
  }
  uint32_t value = 0;
  for (; i < count && is_ascii_digit(piece[i]); ++i) value = value * 10u + static_cast<uint32_t>(piece[i] - '0');
  return negative ? 0u - value : value;
}

int32_t Combine(const uint32_t (&parts)[4]) {
  return static_cast<int32_t>(parts[0] * 10000u + parts[1] * 1000u + parts[2] * 100u + parts[3]);
}

// The common form, digits and dots alone with no piece cut at kMaxPiece, read in one pass:
// false for any other text, which PiecewiseVersion reads.
template <typename Unit>
bool PlainVersion(const Unit* text, size_t length, int32_t& number) {
  uint32_t parts[4] = {0, 0, 0, 0};
  size_t index = 0;
  uint32_t value = 0;
  size_t run = 0;
  for (size_t i = 0; i < length && text[i] != 0; ++i) {
    const Unit c = text[i];
    if (is_ascii_digit(c)) {
      if (++run > kMaxPiece) return false;
      value = value * 10u + static_cast<uint32_t>(c - '0');
    } else if (c == '.') {
      if (index <= 3) parts[index++] = value;
      value = 0;
      run = 0;
    } else {
      return false;
    }
  }
  if (index <= 3) parts[index] = value;
  number = Combine(parts);
  return true;
}

template <typename Unit>
int32_t PiecewiseVersion(const Unit* text, size_t remaining) {
  if (remaining == 0) return 0;
  uint32_t parts[4] = {0, 0, 0, 0};
  size_t index = 0;
  const Unit* p = text;
  while (*p != 0 && remaining > 0) {
    size_t piece = 0;
    while (piece < kMaxPiece && p[piece] != 0 && p[piece] != '.') ++piece;
    // A piece cut at kMaxPiece is continued by the next round into the same part.
    if (index <= 3) parts[index] = PieceValue(p, piece);
    p += piece;
    remaining -= piece;
    if (*p == '.') {
      ++p;
      --remaining;
      if (index <= 3) ++index;  // parts after the fourth are read and ignored
    }
  }
  return Combine(parts);
}

}  // namespace

// The wide form is measured only when it is not plain.
int32_t VersionNumber(const unsigned short* text) {
  int32_t plain = 0;
  if (text != nullptr && PlainVersion(text, SIZE_MAX, plain)) return plain;
  return PiecewiseVersion(text, WideLength(text));
}

int32_t VersionNumber(const char* text, size_t length) {
  int32_t plain = 0;
  return PlainVersion(text, length, plain) ? plain : PiecewiseVersion(text, length);
}

}  // namespace vorn::detail::appupdate
