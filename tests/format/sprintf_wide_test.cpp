// The wide engine: UTF-16 arguments and fill, exact-size growth, and the same numeric
// texts as the narrow engine.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "format_test_util.h"
#include "vorn/cstr.h"

namespace vorn_test {
namespace {

const unsigned short kHan[] = {0x4E2D, 0x6587, 0};

TEST(SprintfWide, StringsCharactersAndFillAreUtf16) {
  EXPECT_EQ(WideText(kHan), FormatW(Widen("%s"), {S(kHan)}));
  EXPECT_EQ(WideText(kHan), FormatW(Widen("%S"), {S(kHan)}));
  EXPECT_EQ(WideText(1, 0x4E2D), FormatW(Widen("%c"), {I(0x14E2D)}));  // low 16 bits
  EXPECT_EQ(Widen("   ") + kHan, FormatW(Widen("%5s"), {S(kHan)}));
  const WideText wide = FormatW(Widen("%200s"), {S(kHan)});
  EXPECT_EQ(WideText(198, 0x0020) + kHan, wide);
  EXPECT_EQ(WideText(1, 0x4E2D), FormatW(Widen("%.1s"), {S(kHan)}));
  EXPECT_EQ(Widen(""), FormatW(Widen("%s"), {S("narrow text is not read")}));
  EXPECT_EQ(Widen(""), FormatW(Widen("")));
}

TEST(SprintfWide, OnlyAsciiUnitsAreConversionLetters) {
  WideText format = Widen("a%");
  format.push_back(0x0100 + 'd');  // shares its low byte with 'd'
  EXPECT_EQ(Widen("a"), FormatW(format, {I(1)}));
  EXPECT_EQ(Widen("50%"), FormatW(Widen("50%")));
}

TEST(SprintfWide, QuotingOwnedTextsAndSpans) {
  const unsigned short text[] = {'i', 't', '\'', 's', 0x4E2D, 0};
  EXPECT_EQ(Widen("it''s") + WideText(1, 0x4E2D), FormatW(Widen("%q"), {S(text)}));
  EXPECT_EQ(Widen("'it''s") + WideText(1, 0x4E2D) + Widen("'"), FormatW(Widen("%Q"), {S(text)}));
  EXPECT_EQ(Widen("NULL|(NULL)"), FormatW(Widen("%Q|%w"), {S(static_cast<const unsigned short*>(nullptr)),
                                                           S(static_cast<const unsigned short*>(nullptr))}));
  WideText long_text(400, 'a');
  long_text += '\'';
  EXPECT_EQ(long_text + Widen("'"), FormatW(Widen("%q"), {S(long_text.c_str())}));  // heap block path

  FormatArgs owned = {FormatArg::Owned(OwnedWide(kHan))};
  EXPECT_EQ(WideText(kHan), FormatW(Widen("%z"), owned));

  const vorn::detail::format::SprintfTextSpan<unsigned short> span{kHan, 1u << 1};
  int32_t count = 0;
  EXPECT_EQ(Widen("ab") + WideText(1, 0x4E2D),
            FormatW(Widen("ab%T%n"), {FormatArg::Span(&span), FormatArg::Count(&count)}));
  EXPECT_EQ(2, count);
}

TEST(SprintfWide, NumbersMatchTheNarrowEngine) {
  const char* formats[] = {"%d", "%+08d", "%-6i|", "%#x", "%#08X", "%o",      "%#o",  "%u",  "%lld", "%p",
                           "%f", "%.3e",  "%G",    "%g",  "%!g",   "%012.4f", "%.0f", "%5%", "%.20f"};
  for (const char* f : formats) {
    for (double v : {0.0, -1.0, 3.5, 255.0, 1e-5, 123456789.0, HUGE_VAL}) {
      SCOPED_TRACE(f);
      const bool real = std::strpbrk(f, "feEgG") != nullptr;
      FormatArg arg = real ? R(v) : I(static_cast<long long>(std::isinf(v) ? -7 : v));
      const std::string narrow = Format(f, {arg});
      EXPECT_EQ(Widen(narrow.c_str()), FormatW(Widen(f), {arg}));
    }
  }
}

unsigned short* FailingGrowW(unsigned short*, int32_t, int32_t) { return nullptr; }

TEST(SprintfWide, AccumulatorGrowsToTheExactSizeInBytes) {
  using vorn::detail::format::SprintfAccumulator;
  unsigned short base[4];
  SprintfAccumulator<unsigned short> acc{base, base, 0, 0, 4, &vorn::detail::format::SprintfGrowW};
  const WideText run = Widen("abcde");
  vorn::detail::format::SprintfAppendW(&acc, run.c_str(), 5);
  ASSERT_NE(base, acc.text);
  EXPECT_EQ(6, acc.capacity);  // length + n + 1, no reserve
  vorn::detail::format::SprintfAppendW(&acc, run.c_str(), 2);
  EXPECT_EQ(8, acc.capacity);
  EXPECT_EQ(Widen("abcdeab"), WideText(acc.text));
  delete[] acc.text;

  SprintfAccumulator<unsigned short> failing{base, base, 0, 0, 4, &FailingGrowW};
  vorn::detail::format::SprintfAppendW(&failing, run.c_str(), 5);
  vorn::detail::format::SprintfAppendW(&failing, run.c_str(), 3);
  EXPECT_EQ(Widen("abc"), WideText(base));
  EXPECT_EQ(8, failing.total);
}

TEST(SprintfWide, LongOutputIsExact) {
  WideText expected;
  FormatArgs args;
  WideText format;
  for (int i = 0; i < 300; ++i) {
    format += Widen("%d,");
    expected += Widen((std::to_string(i * 7) + ",").c_str());
    args.push_back(I(i * 7));
  }
  EXPECT_EQ(expected, FormatW(format, args));
}

}  // namespace
}  // namespace vorn_test
