// Element nesting pre-scan. The XML parse recurses once per open element, so a
// document nested deeply enough would exhaust the calling thread's stack. This scan
// walks the same grammar with a counter instead of recursion and finds such documents
// first, so that their parse can be given a stack of its own. It uses
// the parser's own character classes so that both agree on every tag boundary.
#include <rapidxml/rapidxml.hpp>

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// 32-byte blocks where the processor has them, chosen at run time. Not on Windows,
// where the compiler cannot align the stack for 32-byte values.
#if defined(__GNUC__) && defined(__x86_64__) && !defined(_WIN32)
#define VORN_COUNT_TAG_ENDS_AVX2 1
#include <immintrin.h>
#endif

#include "appupdate/appupdate_impl.h"

namespace vorn::detail::appupdate {
namespace {

using Tables = rapidxml::internal::lookup_tables<0>;

bool IsSpace(char c) { return Tables::lookup_whitespace[static_cast<unsigned char>(c)] != 0; }
bool IsNameChar(char c) { return Tables::lookup_node_name[static_cast<unsigned char>(c)] != 0; }
bool IsAttributeNameChar(char c) { return Tables::lookup_attribute_name[static_cast<unsigned char>(c)] != 0; }

void SkipSpace(const char*& p) {
  while (IsSpace(*p)) ++p;
}

// Advances past the first occurrence of `end` (2 or 3 characters); false at the end of text.
bool SkipPast(const char*& p, const char* end, size_t n) {
  for (;; ++p) {
    if (*p == 0) return false;
    if (p[0] == end[0] && p[1] == end[1] && (n == 2 || p[2] == end[2])) {
      p += n;
      return true;
    }
  }
}

bool Matches(const char* p, const char* word) {
  for (; *word != 0; ++p, ++word) {
    if (*p != *word) return false;
  }
  return true;
}

// DOCTYPE body up to and past its '>', with bracketed sections skipped by depth.
bool SkipDoctype(const char*& p) {
  while (*p != '>') {
    if (*p == 0) return false;
    if (*p == '[') {
      ++p;
      for (int depth = 1; depth > 0; ++p) {
        if (*p == '[')
          ++depth;
        else if (*p == ']')
          --depth;
        else if (*p == 0)
          return false;
      }
    } else {
      ++p;
    }
  }
  ++p;
  return true;
}

#if defined(VORN_COUNT_TAG_ENDS_AVX2)
// The 32-byte blocks of CountTagEnds from `i` (at least 1) on; `i` moves past them.
template <bool kCopy>
__attribute__((target("avx2,popcnt"))) size_t CountTagEndsAvx2(char* to, const unsigned char* u, size_t length,
                                                               size_t& i) {
  const __m256i close = _mm256_set1_epi8('>');
  const __m256i slash = _mm256_set1_epi8('/');
  size_t count = 0;
  for (; i + 32 <= length; i += 32) {
    const __m256i here = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(u + i));
    if (kCopy) _mm256_storeu_si256(reinterpret_cast<__m256i*>(to + i), here);
    const __m256i after_slash =
        _mm256_cmpeq_epi8(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(u + i - 1)), slash);
    const auto hits =
        static_cast<unsigned>(_mm256_movemask_epi8(_mm256_andnot_si256(after_slash, _mm256_cmpeq_epi8(here, close))));
    count += static_cast<size_t>(__builtin_popcount(hits));
  }
  return count;
}

bool HasAvx2() {
  static const bool has = __builtin_cpu_supports("avx2") != 0 && __builtin_cpu_supports("popcnt") != 0;
  return has;
}
#endif

// CountOpeningTagEnds over `from`; with kCopy, each block is also stored to `to` as it
// is counted, so that copying and counting take one pass.
template <bool kCopy>
size_t CountTagEnds(char* to, const char* from, size_t length) {
  const auto* u = reinterpret_cast<const unsigned char*>(from);
  if (length == 0) return 0;
  if (kCopy) to[0] = from[0];
  size_t count = u[0] == '>';
  size_t i = 1;
#if defined(VORN_COUNT_TAG_ENDS_AVX2)
  if (HasAvx2()) count += CountTagEndsAvx2<kCopy>(to, u, length, i);
#endif
#if defined(__SSE2__)
  // Sixteen bytes at a time against the bytes one before them. Byte counters take at
  // most 255 blocks before they are summed.
  const __m128i close = _mm_set1_epi8('>');
  const __m128i slash = _mm_set1_epi8('/');
  const __m128i zero = _mm_setzero_si128();
  while (i + 16 <= length) {
    __m128i counters = zero;
    for (int blocks = 0; blocks < 255 && i + 16 <= length; ++blocks, i += 16) {
      const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(u + i));
      const __m128i before = _mm_loadu_si128(reinterpret_cast<const __m128i*>(u + i - 1));
      if (kCopy) _mm_storeu_si128(reinterpret_cast<__m128i*>(to + i), here);
      const __m128i hits = _mm_andnot_si128(_mm_cmpeq_epi8(before, slash), _mm_cmpeq_epi8(here, close));
      counters = _mm_sub_epi8(counters, hits);  // a hit is -1 in every bit
    }
    const __m128i sums = _mm_sad_epu8(counters, zero);
    count += static_cast<size_t>(_mm_cvtsi128_si32(sums)) + static_cast<size_t>(_mm_extract_epi16(sums, 4));
  }
#endif
  for (; i < length; ++i) {
    if (kCopy) to[i] = from[i];
    count += u[i] == '>' && u[i - 1] != '/';
  }
  return count;
}

}  // namespace

size_t CountOpeningTagEnds(const char* text, size_t length) { return CountTagEnds<false>(nullptr, text, length); }

size_t CopyCountingOpeningTagEnds(char* to, const char* from, size_t length) {
  return CountTagEnds<true>(to, from, length);
}

const char* FindLineStartingTag(const char* text, const char* end) {
  const char* p = text;
#if defined(__SSE2__)
  const __m128i newline = _mm_set1_epi8('\n');
  const __m128i open = _mm_set1_epi8('<');
  for (; end - p >= 17; p += 16) {
    const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 1));
    const int hits = _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(here, newline), _mm_cmpeq_epi8(next, open)));
    if (hits != 0) return p + __builtin_ctz(static_cast<unsigned>(hits)) + 1;
  }
#endif
  for (; end - p >= 2; ++p) {
    if (p[0] == '\n' && p[1] == '<') return p + 1;
  }
  return nullptr;
}

namespace {

enum class Markup { kError, kSkipped, kEmptyElement, kOpenElement };

// One markup item after its '<': declaration, processing instruction, comment, CDATA,
// DOCTYPE, other "<!" item, or an element start tag with its attributes.
Markup ScanMarkup(const char*& p) {
  if (*p == '?') {
    ++p;
    if ((p[0] == 'x' || p[0] == 'X') && (p[1] == 'm' || p[1] == 'M') && (p[2] == 'l' || p[2] == 'L') && IsSpace(p[3])) {
      p += 4;
    }
    return SkipPast(p, "?>", 2) ? Markup::kSkipped : Markup::kError;
  }
  if (*p == '!') {
    if (p[1] == '-' && p[2] == '-') {
      p += 3;
      return SkipPast(p, "-->", 3) ? Markup::kSkipped : Markup::kError;
    }
    if (Matches(p + 1, "[CDATA[")) {
      p += 8;
      return SkipPast(p, "]]>", 3) ? Markup::kSkipped : Markup::kError;
    }
    if (Matches(p + 1, "DOCTYPE") && IsSpace(p[8])) {
      p += 9;
      return SkipDoctype(p) ? Markup::kSkipped : Markup::kError;
    }
    ++p;
    while (*p != '>') {
      if (*p == 0) return Markup::kError;
      ++p;
    }
    ++p;
    return Markup::kSkipped;
  }
  const char* name = p;
  while (IsNameChar(*p)) ++p;
  if (p == name) return Markup::kError;
  SkipSpace(p);
  while (IsAttributeNameChar(*p)) {
    while (IsAttributeNameChar(*p)) ++p;
    SkipSpace(p);
    if (*p != '=') return Markup::kError;
    ++p;
    SkipSpace(p);
    const char quote = *p;
    if (quote != '\'' && quote != '"') return Markup::kError;
    ++p;
    // Character references never contain a quote, so the value ends at the next one.
    p = std::strchr(p, quote);
    if (p == nullptr) return Markup::kError;
    ++p;
    SkipSpace(p);
  }
  if (*p == '>') {
    ++p;
    return Markup::kOpenElement;
  }
  if (p[0] == '/' && p[1] == '>') {
    p += 2;
    return Markup::kEmptyElement;
  }
  return Markup::kError;
}

}  // namespace

namespace {

// Moves `p` from "</" past the closing tag's ">"; false when the tag is malformed.
bool SkipClosingTag(const char*& p) {
  p += 2;
  while (IsNameChar(*p)) ++p;
  SkipSpace(p);
  if (*p != '>') return false;
  ++p;
  return true;
}

// Follows the element structure as the parse will; records the deepest nesting seen in
// `deepest` and returns the first element that opens more than `limit` levels deep.
const char* WalkNesting(const char* text, uint32_t limit, uint32_t& deepest) {
  const char* p = text;
  if (static_cast<unsigned char>(p[0]) == 0xEF && static_cast<unsigned char>(p[1]) == 0xBB &&
      static_cast<unsigned char>(p[2]) == 0xBF) {
    p += 3;
  }
  uint32_t depth = 0;
  for (;;) {
    SkipSpace(p);
    if (*p == 0) return nullptr;
    if (*p != '<') {
      if (depth == 0) return nullptr;  // text outside every element: rejected by the parse
      p += std::strcspn(p, "<");       // character data
      continue;
    }
    if (depth > 0 && p[1] == '/') {
      if (!SkipClosingTag(p)) return nullptr;
      --depth;
      continue;
    }
    const char* start = p;
    ++p;
    switch (ScanMarkup(p)) {
      case Markup::kError:
        return nullptr;
      case Markup::kOpenElement:
        if (++depth > deepest) deepest = depth;
        if (depth > limit) return start;
        break;
      case Markup::kSkipped:
      case Markup::kEmptyElement:
        break;
    }
  }
}

}  // namespace

const char* FindExcessNesting(const char* text, uint32_t limit) {
  if (CountOpeningTagEnds(text, std::strlen(text)) <= limit) return nullptr;
  uint32_t deepest = 0;
  return WalkNesting(text, limit, deepest);
}

uint32_t NestingDepth(const char* text) {
  uint32_t deepest = 0;
  WalkNesting(text, UINT32_MAX, deepest);
  return deepest;
}

}  // namespace vorn::detail::appupdate

namespace vorn::detail::appupdate {

const char* EndOfTopLevelItem(const char* text) {
  const char* p = text;
  SkipSpace(p);
  if (*p != '<') return nullptr;
  uint32_t depth = 0;
  for (;;) {
    if (depth > 0 && p[1] == '/') {
      if (!SkipClosingTag(p)) return nullptr;
      --depth;
    } else {
      ++p;
      const Markup markup = ScanMarkup(p);
      if (markup == Markup::kError) return nullptr;
      depth += markup == Markup::kOpenElement;
    }
    if (depth == 0) return p;
    p += std::strcspn(p, "<");  // character data up to the next markup
    if (*p == 0) return nullptr;
  }
}

}  // namespace vorn::detail::appupdate
