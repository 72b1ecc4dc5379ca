// GetSprintfLenA_Reserved: a quick estimate of a formatted length, without formatting.
//
// The walk has a grammar of its own: one of the letters F, L, N, h and l may follow the
// '%', and the next character is the conversion character, estimated by a fixed amount
// or by the length of its string. Any other character repeats the previous estimate.
// When that character opens a directive with flags, width or precision, the directive
// parser (in its estimate mode) finds the letter, so the arguments are consumed as
// the formatter would take them; the characters up to the letter count as text.
#include <cstdarg>
#include <cstdint>

#include "cstr/unit_traits.h"
#include "format/sprintf.h"
#include "format/sprintf_parser.h"
#include "vorn/format.h"

namespace vorn::detail::format {
namespace {

constexpr uint32_t kNumberEstimate = 32;
constexpr uint32_t kCharacterEstimate = 2;

/// The conversion characters the walk knows.
enum class EstimateLetter : uint8_t { kCharacter, kText, kReal, kInteger, kPointer, kCount, kOther };

EstimateLetter Classify(char c) {
  switch (c) {
    case 'c':
      return EstimateLetter::kCharacter;
    case 's':
      return EstimateLetter::kText;
    case 'e':
    case 'f':
    case 'g':
    case 'G':
      return EstimateLetter::kReal;
    case 'd':
    case 'i':
    case 'o':
    case 'u':
    case 'x':
    case 'X':
      return EstimateLetter::kInteger;
    case 'p':
      return EstimateLetter::kPointer;
    case 'n':
      return EstimateLetter::kCount;
    default:
      return EstimateLetter::kOther;
  }
}

/// Takes the arguments of a directive that opens with flags, width or precision; a
/// letter outside the walk's own set takes none (no argument is read through). `p`
/// stands on the character after the % and an optional length letter, of which
/// `long_letters` were l. Returns the position of the conversion letter, or null
/// when there is none (the walk then goes on as if nothing had been recognised).
template <class Source>
const char* SkipDirective(const char* p, int32_t long_letters, Source& args) {
  SprintfDirective dir;
  dir.long_letters = long_letters;
  SprintfScanDirective<SprintfLetters::kEstimate>(p, dir);
  if (*p == 0 || *p == '%') return nullptr;
  if (dir.width_star) args.Int32();
  if (dir.precision_star) args.Int32();
  switch (Classify(*p)) {
    case EstimateLetter::kCharacter:
    case EstimateLetter::kInteger:
      if (dir.long_letters >= 2) {
        args.Int64();
      } else {
        args.Int32();
      }
      break;
    case EstimateLetter::kReal:
      args.Real();
      break;
    case EstimateLetter::kText:
    case EstimateLetter::kPointer:
    case EstimateLetter::kCount:
      args.PointerBits();  // a pointer: taken, not followed
      break;
    case EstimateLetter::kOther:
      break;
  }
  return p;
}

/// Takes the argument of a numeric conversion the walk knows directly (the long
/// letters do not widen it).
template <class Source>
void TakeNumber(EstimateLetter letter, Source& args) {
  if (letter == EstimateLetter::kReal) {
    args.Real();
  } else if (letter == EstimateLetter::kPointer) {
    args.PointerBits();
  } else {
    args.Int32();
  }
}

template <class Source>
uint32_t EstimateLength(const char* format, Source& args) {
  if (format == nullptr) return 0;
  uint32_t sum = 0;
  uint32_t previous = 0;
  const char* p = format;
  for (;;) {
    const char* percent = UnitTraits<char>::find_or_end(p, '%');
    sum += static_cast<uint32_t>(percent - p);
    p = percent;
    if (*p == 0) break;
    if (p[1] == '%') {
      ++sum;
      p += 2;
      continue;
    }
    ++p;
    const int32_t long_letters = SprintfSkipLengthLetters<SprintfLetters::kEstimate>(p, 1);
    if (*p == 0) break;
    const char* next = p + 1;
    const EstimateLetter letter = Classify(*p);
    switch (letter) {
      case EstimateLetter::kCharacter:
        args.Int32();
        previous = kCharacterEstimate;
        break;
      case EstimateLetter::kText: {
        const char* s = args.Text();
        const uint32_t n = s == nullptr ? 0 : UnitTraits<char>::length(s);
        previous = n < 1 ? 1 : n;
        break;
      }
      case EstimateLetter::kReal:
      case EstimateLetter::kInteger:
      case EstimateLetter::kPointer:
        TakeNumber(letter, args);
        previous = kNumberEstimate;
        break;
      case EstimateLetter::kCount:
        args.CountTarget();
        break;
      case EstimateLetter::kOther:
        if (const char* at = SkipDirective(p, long_letters, args)) {
          // The first character repeats the previous estimate; the rest of the
          // directive up to its letter counts as text.
          sum += static_cast<uint32_t>(at - p);
          next = at + 1;
        }
        break;
    }
    sum += previous;
    p = next;
  }
  return sum;
}

}  // namespace

uint32_t SprintfLengthEstimate(const char* format, FormatArgs& args) {
  ArraySource<char> source(args);
  return EstimateLength(format, source);
}

}  // namespace vorn::detail::format

extern "C" uint32_t GetSprintfLenA_Reserved(const char* format, va_list args) {
  // The caller's list stays as it was: the walk reads a copy.
  va_list copy;
  va_copy(copy, args);
  vorn::detail::format::VaListSource<char> source(&copy);
  const uint32_t length = vorn::detail::format::EstimateLength(format, source);
  va_end(copy);
  return length;
}
