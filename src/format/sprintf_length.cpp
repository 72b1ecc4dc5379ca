// GetSprintfLenA_Reserved: a quick estimate of a formatted length, without formatting.
#include <cstdarg>
#include <cstring>

#include "format/sprintf_args.h"
#include "format/sprintf_impl.h"
#include "vorn/format.h"

namespace vorn::detail {
namespace {

bool IsOneOf(const char* letters, char c) { return c != 0 && std::strchr(letters, c) != nullptr; }

bool IsSkippedLetter(char c) { return IsOneOf("FLNhl", c); }

/// Consumes the arguments of a directive with flags, width or precision as the
/// formatter would take them, without reading through any of them. A letter outside
/// the walk's own set takes no argument, with or without such a prefix. `p` stands on the character after the % and
/// an optional skipped letter; `long_letters` counts the l letters already passed.
/// Returns the position of the conversion letter, or null when there is none (the
/// walk then goes on as if nothing had been recognised).
template <class Source>
const char* SkipUnknownSpec(const char* p, int long_letters, Source& args) {
  int stars = 0;
  while (*p == ' ' || *p == '!' || *p == '#' || *p == '+' || *p == '-' || *p == '0') ++p;
  if (*p == '*') {
    ++stars;
    ++p;
  } else {
    while (*p >= '0' && *p <= '9') ++p;
  }
  if (*p == '.') {
    ++p;
    if (*p == '*') {
      ++stars;
      ++p;
    } else {
      while (*p >= '0' && *p <= '9') ++p;
    }
  }
  for (; IsSkippedLetter(*p); ++p) long_letters += *p == 'l' ? 1 : 0;
  if (*p == 0 || *p == '%') return nullptr;
  for (int i = 0; i < stars; ++i) args.Int32();
  if (IsOneOf("cdiouxX", *p)) {
    if (long_letters >= 2) {
      args.Int64();
    } else {
      args.Int32();
    }
  } else if (IsOneOf("efgG", *p)) {
    args.Real();
  } else if (IsOneOf("psn", *p)) {
    args.PointerBits();  // a pointer: taken, not followed
  }
  return p;
}

template <class Source>
uint32_t EstimateLength(const char* format, Source& args) {
  if (format == nullptr) return 0;
  uint32_t sum = 0;
  uint32_t previous = 0;
  const char* p = format;
  while (*p != 0) {
    if (*p != '%') {
      ++sum;
      ++p;
      continue;
    }
    if (p[1] == '%') {
      ++sum;
      p += 2;
      continue;
    }
    ++p;
    if (*p == 0) break;
    int long_letters = 0;
    if (IsSkippedLetter(*p)) {
      long_letters += *p == 'l' ? 1 : 0;
      ++p;
      if (*p == 0) break;
    }
    const char* next = p + 1;
    if (*p == 'c') {
      args.Int32();
      previous = 2;
    } else if (*p == 's') {
      const char* s = args.Text();
      const auto n = s == nullptr ? 0u : static_cast<uint32_t>(std::strlen(s));
      previous = n < 1 ? 1 : n;
    } else if (IsOneOf("efgG", *p)) {
      args.Real();
      previous = 32;
    } else if (IsOneOf("diouxX", *p)) {
      args.Int32();
      previous = 32;
    } else if (*p == 'p') {
      args.PointerBits();
      previous = 32;
    } else if (*p == 'n') {
      args.CountTarget();
    } else if (const char* letter = SkipUnknownSpec(p, long_letters, args)) {
      // The first character repeats the previous estimate; the rest of the
      // directive up to its letter counts as text, exactly as the walk would
      // count it character by character.
      sum += static_cast<uint32_t>(letter - p);
      next = letter + 1;
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

}  // namespace vorn::detail

extern "C" uint32_t GetSprintfLenA_Reserved(const char* format, va_list args) {
  // The caller's list stays as it was: the walk reads a copy.
  va_list copy;
  va_copy(copy, args);
  vorn::detail::VaListSource<char> source(&copy);
  const uint32_t length = vorn::detail::EstimateLength(format, source);
  va_end(copy);
  return length;
}
