// The narrow engine, grouped by conversion kind. Where the engine is meant to agree
// with the C library the expected text comes from vsnprintf; elsewhere it is spelled out.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

#include "format_test_util.h"
#include "vorn/cstr.h"

namespace vorn_test {
namespace {

TEST(SprintfLiteral, CopiesTextAndStopsWhereTheFormatSays) {
  EXPECT_EQ("", Format(""));
  EXPECT_EQ("", Format(nullptr));
  EXPECT_EQ("plain text", Format("plain text"));
  EXPECT_EQ("50%", Format("50%"));             // lone trailing %
  EXPECT_EQ("100", Format("100%h and more"));  // unknown letter ends the output
  EXPECT_EQ("a", Format("a%5"));               // format ends inside a directive
  EXPECT_EQ("a", Format("a%ll"));
  EXPECT_EQ("x", Format("x%lllld", {I(1)}));  // a third l is a letter of its own
  EXPECT_EQ("    %", Format("%5%"));
  EXPECT_EQ("%   |", Format("%-4%|"));
  EXPECT_EQ("%", Format("%%"));
}

TEST(SprintfLiteral, LongTextMovesToTheHeapAndStaysExact) {
  std::string literal;
  for (int i = 0; literal.size() < 2000; ++i) literal += std::to_string(i) + ",";
  EXPECT_EQ(literal, Format(literal.c_str()));
  const std::string big(1000, 'x');
  EXPECT_EQ(literal + big + "|7", Format((literal + "%s|%d").c_str(), {S(big.c_str()), I(7)}));
}

TEST(SprintfIntegers, AgreeWithTheCLibraryOnTheCommonSubset) {
  const char* flags[] = {"", "-", "+", " ", "#", "0", "+0", "- "};
  const char* widths[] = {"", "1", "7"};
  const char* precisions[] = {"", ".1", ".4"};
  const char letters[] = {'d', 'i', 'u', 'x', 'X', 'o'};
  const int32_t values[] = {0, 1, -1, 42, -42, 255, 1234567, INT32_MAX, INT32_MIN};
  for (const char* f : flags) {
    for (const char* w : widths) {
      for (const char* p : precisions) {
        for (char letter : letters) {
          // The engine's 0 flag also pads under a precision; the C library drops it there.
          if (std::strchr(f, '0') != nullptr && *p != 0) continue;
#ifdef _WIN32
          // The C library of Windows also gives unsigned numbers the space flag's blank.
          if (std::strchr(f, ' ') != nullptr && letter == 'u') continue;
#endif
          const std::string dir = std::string("[%") + f + w + p + letter + "]";
          for (int32_t v : values) {
            SCOPED_TRACE(dir + " of " + std::to_string(v));
            EXPECT_EQ(Reference(dir.c_str(), v), Format(dir.c_str(), {I(v)}));
          }
        }
      }
    }
  }
}

TEST(SprintfIntegers, DocumentedDifferencesFromTheCLibrary) {
  EXPECT_EQ("0", Format("%.0d", {I(0)}));  // at least one digit
  EXPECT_EQ("0xff", Format("%#x", {I(255)}));
  EXPECT_EQ("0XFF", Format("%#X", {I(255)}));
  EXPECT_EQ("0x000000ff", Format("%#08x", {I(255)}));  // prefix on top of the width
  EXPECT_EQ("0", Format("%#x", {I(0)}));
  EXPECT_EQ("010", Format("%#o", {I(8)}));
  EXPECT_EQ("00042", Format("%-05d", {I(42)}));  // zero fill ignores left justification
  EXPECT_EQ("+0042", Format("%+05d", {I(42)}));
  EXPECT_EQ("-0042", Format("%05d", {I(-42)}));
  EXPECT_EQ("00000042", Format("%08.3d", {I(42)}));
  EXPECT_EQ("4294967295", Format("%u", {I(-1)}));
  EXPECT_EQ("-1", Format("%ld", {I(0xFFFFFFFFll)}));  // l changes nothing
  EXPECT_EQ("+5", Format("%+ d", {I(5)}));
}

TEST(SprintfIntegers, SixtyFourBitValuesAndPointers) {
  EXPECT_EQ("-9223372036854775808", Format("%lld", {I(INT64_MIN)}));
  EXPECT_EQ("9223372036854775807", Format("%lli", {I(INT64_MAX)}));
  EXPECT_EQ("18446744073709551615", Format("%llu", {I(-1)}));
  EXPECT_EQ("1777777777777777777777", Format("%llo", {I(-1)}));
  EXPECT_EQ("ffffffffffffffff", Format("%llx", {I(-1)}));
  EXPECT_EQ("12345678ABCD", Format("%p", {I(0x12345678ABCDll)}));  // pointer width, no 0x
  EXPECT_EQ("0x1F", Format("%#p", {I(0x1F)}));
  EXPECT_EQ("0", Format("%#p", {I(0)}));
  int probe = 0;
  char expected[32];
  snprintf(expected, sizeof expected, "%llX", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(&probe)));
  EXPECT_EQ(expected, FormatV("%p", static_cast<void*>(&probe)));
}

TEST(SprintfWidthPrecision, ArgumentsCapsAndSaturation) {
  EXPECT_EQ("42   |", Format("%*d|", {I(-5), I(42)}));  // negative width left-justifies
  EXPECT_EQ("   42", Format("%*d", {I(5), I(42)}));
  EXPECT_EQ("042", Format("%.*d", {I(-3), I(42)}));  // negative precision is its magnitude
  EXPECT_EQ("ab", Format("%.*s", {I(-2), S("abcdef")}));
  EXPECT_EQ(std::string(338, ' ') + "42", Format("%1000d", {I(42)}));
  EXPECT_EQ(std::string(310, '0'), Format("%.400d", {I(0)}));
  EXPECT_EQ(std::string(310, 'c'), Format("%.999999999999c", {I('c')}));  // saturates, then caps
  const std::string big(500, 's');
  EXPECT_EQ(big.substr(0, 420), Format("%.420s", {S(big.c_str())}));  // strings are not capped
  EXPECT_EQ("42" + std::string(338, ' ') + "|", Format("%*d|", {I(INT32_MIN), I(42)}));
}

TEST(SprintfStrings, NullsCutsAndOwnedTexts) {
  EXPECT_EQ("[abc]", Format("[%s]", {S("abc")}));
  EXPECT_EQ("[abc]", Format("[%S]", {S("abc")}));
  EXPECT_EQ("[]", Format("[%s]", {S(static_cast<const char*>(nullptr))}));
  EXPECT_EQ("[   ]", Format("[%3s]", {S(static_cast<const char*>(nullptr))}));
  EXPECT_EQ("[ab   ]", Format("[%-5s]", {S("ab")}));
  EXPECT_EQ("[   ab]", Format("[%5.2s]", {S("abcdef")}));
  EXPECT_EQ("[]", Format("[%.0s]", {S("abcdef")}));
  const char unterminated[3] = {'x', 'y', 'z'};  // a precision never reads past itself
  EXPECT_EQ("xyz", Format("%.3s", {S(unterminated)}));

  FormatArgs args = {FormatArg::Owned(vorn_strdupa("owned")), FormatArg::Owned(vorn_strdupa("cut"))};
  char* block = vorn::detail::format::SprintfBufferA("%z/%.2z", args);
  EXPECT_STREQ("owned/cu", block);
  EXPECT_TRUE(args[0].taken && args[1].taken);  // released by the engine (ASan checks it)
  delete[] block;
  EXPECT_EQ("[]", Format("[%z]", {S("not owned")}));  // a mistyped argument reads as null
}

TEST(SprintfQuoting, DoublesQuotesAndEnclosesOnRequest) {
  EXPECT_EQ("it''s", Format("%q", {S("it's")}));
  EXPECT_EQ("'it''s'", Format("%Q", {S("it's")}));
  EXPECT_EQ("say \"\"hi\"\" it's", Format("%w", {S("say \"hi\" it's")}));
  EXPECT_EQ("(NULL)", Format("%q", {S(static_cast<const char*>(nullptr))}));
  EXPECT_EQ("NULL", Format("%Q", {S(static_cast<const char*>(nullptr))}));
  EXPECT_EQ("(NULL)", Format("%w", {S(static_cast<const char*>(nullptr))}));
  EXPECT_EQ("''''", Format("%Q", {S("'")}));
  EXPECT_EQ("  'a'|'b'  ", Format("%5Q|%-5Q", {S("a"), S("b")}));
  EXPECT_EQ("abcdef", Format("%.2q", {S("abcdef")}));  // precision ignored
  // Long texts go through a heap block of their own.
  std::string text;
  std::string doubled;
  for (int i = 0; i < 300; ++i) {
    text += "a'";
    doubled += "a''";
  }
  EXPECT_EQ("'" + doubled + "'", Format("%Q", {S(text.c_str())}));
  EXPECT_EQ(doubled.substr(0, 348), Format("%q", {S(text.substr(0, 232).c_str())}));
}

TEST(SprintfCharacters, LowByteRepeatedByPrecision) {
  EXPECT_EQ("a", Format("%c", {I('a')}));
  EXPECT_EQ("a", Format("%c", {I(0x161)}));  // low byte only
  EXPECT_EQ("aaa", Format("%.3c", {I('a')}));
  EXPECT_EQ("[]", Format("[%.0c]", {I('a')}));
  EXPECT_EQ("[    x]", Format("[%5c]", {I('x')}));
  EXPECT_EQ("[xx   ]", Format("[%-5.2c]", {I('x')}));
}

TEST(SprintfFloats, AgreeWithTheCLibraryAwayFromTiesAndDigitLimits) {
  const char* formats[] = {"%f",      "%.3f", "%10.2f", "%-10.1f|", "%+.4f", "% .2f", "%e",    "%.3e",    "%E",
                           "%+12.2e", "%g",   "%.3g",   "%.10g",    "%G",    "%#g",   "%#.3g", "%010.3f", "%.0e"};
  const double values[] = {0.0,        1.0,    -1.0,   3.14159,     -2.71828,   0.1,    1.0 / 7,
                           123456.789, 1e10,   1.7e-7, -6.02214e23, 9.87654e-5, 100000, 1e6,
                           1e-5,       0.0001, 1e100,  -1.25e-100,  42.4242,    7e22};
  for (const char* f : formats) {
    for (double v : values) {
      // Fixed forms of large values run past the sixteen digits the engine produces.
      if (std::strchr(f, 'f') != nullptr && std::fabs(v) >= 1e15) continue;
      SCOPED_TRACE(std::string(f) + " of " + std::to_string(v));
      EXPECT_EQ(Reference(f, v), Format(f, {R(v)}));
    }
  }
}

TEST(SprintfFloats, OwnRoundingDigitLimitAndTexts) {
  EXPECT_EQ("3", Format("%.0f", {R(2.5)}));  // rounding term added, digits truncated
  EXPECT_EQ("0.33333333333333330000", Format("%.20f", {R(1.0 / 3)}));
  EXPECT_EQ("12345678901234560000", Format("%.0f", {R(12345678901234567890.0)}));
  EXPECT_EQ("Inf", Format("%f", {R(HUGE_VAL)}));
  EXPECT_EQ("+Inf", Format("%+f", {R(HUGE_VAL)}));
  EXPECT_EQ("Inf", Format("% f", {R(HUGE_VAL)}));
  EXPECT_EQ("-Inf", Format("%e", {R(-HUGE_VAL)}));
  EXPECT_EQ("  Inf", Format("%05g", {R(HUGE_VAL)}));  // width, but no zero fill
  EXPECT_EQ("NaN", Format("%f", {R(std::nan(""))}));
  EXPECT_EQ("NaN", Format("%+f", {R(-std::nan(""))}));
  EXPECT_EQ("  NaN", Format("%05f", {R(std::nan(""))}));
  EXPECT_EQ("0.000000", Format("%f", {R(-0.0)}));
  EXPECT_EQ("0.000000e+00", Format("%e", {R(0.0)}));
  EXPECT_EQ("1.000000E+100", Format("%E", {R(1e100)}));
  EXPECT_EQ("100000|1e+06|0.0001|1e-05", Format("%g|%g|%g|%g", {R(100000.0), R(1e6), R(1e-4), R(1e-5)}));
  EXPECT_EQ("1.23457e+08", Format("%g", {R(123456789.0)}));
  EXPECT_EQ("1.0|1|1.00000", Format("%!g|%g|%#g", {R(1.0), R(1.0), R(1.0)}));
  EXPECT_EQ("2.", Format("%!.0f", {R(2.0)}));
  EXPECT_EQ("-0001.000000", Format("%012f", {R(-1.0)}));
  EXPECT_EQ("-1.000000   ", Format("%-012f", {R(-1.0)}));  // no zero fill when left-justified
  // precision capped at 165, digits past the sixteenth are 0
  EXPECT_EQ("0." + std::string(16, '3') + std::string(149, '0'), Format("%.400f", {R(1.0 / 3)}));
  EXPECT_EQ("4.940656e-324", Format("%e", {R(4.9406564584124654e-324)}));
}

TEST(SprintfFloats, LargeFixedFormsStayInsideTheWorkArea) {
  const std::string a = Format("%.100f", {R(1e300)});
  EXPECT_EQ(301u + 1 + 100, a.size());
  EXPECT_EQ("1000000000000000", a.substr(0, 16));
  EXPECT_EQ(std::string(285, '0') + "." + std::string(100, '0'), a.substr(16));
  const std::string b = Format("%+.165f", {R(-1.7e308)});
  EXPECT_EQ(1u + 309 + 1 + 165, b.size());
  EXPECT_EQ("-17", b.substr(0, 3));
  EXPECT_EQ(1u + 309 + 1 + 165, Format("%340.999f", {R(-DBL_MAX)}).size());
  EXPECT_EQ(340u, Format("%0340.1f", {R(-1.0)}).size());
  EXPECT_EQ(167u, Format("%.165f", {R(DBL_MIN)}).size());
  EXPECT_EQ("1.79769e+308", Format("%g", {R(DBL_MAX)}));
}

TEST(SprintfCountAndSpan, CountIncludesFillButNotSpans) {
  int32_t a = -1;
  int32_t b = -1;
  const vorn::detail::format::SprintfTextSpan<char> span{"SPANxx", 4u << 1 | 1u};  // bit 0 ignored
  EXPECT_EQ("ab   xSPAN",
            Format("ab%4s%n%10T%n", {S("x"), FormatArg::Count(&a), FormatArg::Span(&span), FormatArg::Count(&b)}));
  EXPECT_EQ(6, a);
  EXPECT_EQ(6, b);  // the span is appended as it is, without fill and uncounted
  const vorn::detail::format::SprintfTextSpan<char> empty{nullptr, 10};
  EXPECT_EQ("[]", Format("[%T%T%n]", {FormatArg::Span(&empty), I(0), I(0)}));
  EXPECT_EQ("[]", Format("[%5n]", {FormatArg::Count(&a)}));
  EXPECT_EQ(1, a);
}

TEST(SprintfArguments, VaListReadsEachKindAtItsWidth) {
  EXPECT_EQ("-7|9000000000|x|2.50|ab|'q'''|0.1",
            FormatV("%d|%lld|%c|%.2f|%s|%Q|%g", -7, 9000000000ll, 'x', 2.5, "ab", "q'", 0.1));
  EXPECT_EQ("0||0.000000", Format("%d|%s|%f"));                   // missing array arguments read as 0 / null
  EXPECT_EQ("0||0", Format("%d|%s|%g", {R(1.5), I(3), S("x")}));  // so do mistyped ones
}

// ---- accumulator ----------------------------------------------------------------

char* FailingGrow(char*, int32_t, int32_t) { return nullptr; }

TEST(SprintfAccumulator, GrowsByTwiceTheRunAndDropsWhatCannotBeStored) {
  using vorn::detail::format::SprintfAccumulator;
  char base[8];
  SprintfAccumulator<char> acc{base, base, 0, 0, 8, &vorn::detail::format::SprintfGrow};
  vorn::detail::format::SprintfAppend(&acc, "abcde", 5);
  EXPECT_EQ(base, acc.text);
  vorn::detail::format::SprintfAppend(&acc, "fghij", 5);
  ASSERT_NE(base, acc.text);
  EXPECT_EQ(5 + 2 * 5 + 1, acc.capacity);
  EXPECT_STREQ("abcdefghij", acc.text);
  delete[] acc.text;

  SprintfAccumulator<char> failing{base, base, 0, 0, 8, &FailingGrow};
  vorn::detail::format::SprintfAppend(&failing, "abcde", 5);
  vorn::detail::format::SprintfAppend(&failing, "toolong", 7);  // dropped, still counted
  vorn::detail::format::SprintfAppend(&failing, "xy", 2);       // tried again, fits
  EXPECT_STREQ("abcdexy", base);
  EXPECT_EQ(14, failing.total);

  // Without a grow function the text is cut; the engine still counts everything.
  SprintfAccumulator<char> fixed{base, base, 0, 0, 8, nullptr};
  FormatArgs args{S("abcdef"), S("ghi")};
  EXPECT_EQ(9, vorn::detail::format::SprintfEngineA(&fixed, "%s%s", args));
  EXPECT_STREQ("abcdefg", base);
  EXPECT_EQ(9, fixed.total);
}

}  // namespace
}  // namespace vorn_test
