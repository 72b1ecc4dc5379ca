// Text operations that only one of TStringA and TWideString has. The operations both
// share are checked against a model by the strings and numbers fuzz targets, whose
// corpora CTest replays.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "string_test_util.h"

namespace {

using vorn_test::Lit;
using vorn_test::narrow;

template <class S>
class StringText : public ::testing::Test {};
TYPED_TEST_SUITE(StringText, vorn_test::StringTypes);

// The members that the fuzz models reach only through their shared templates.
TYPED_TEST(StringText, ThinMembersReachTheirTemplates) {
  using S = TypeParam;
  using L = Lit<S>;
  const S text(L("abcdef"));
  EXPECT_EQ("abc", narrow(text.GetNSubStr(3)));
  EXPECT_EQ("cde", narrow(text.substring(2, 3)));
  EXPECT_EQ("", narrow(text.substring(6, 1)));
  S s;
  EXPECT_EQ("-42", narrow(s.FromInt32(-42)));
  EXPECT_EQ("9000000000", narrow(s.FromInt64(9000000000LL)));
  EXPECT_TRUE(S::IsNumeric(L("0123")));
  EXPECT_FALSE(S::IsNumeric(L("12a")));
  EXPECT_TRUE(S::IsTelStrS(L("010-12345678")));
  EXPECT_FALSE(S::IsTelStrS(L("010--1234")));
  EXPECT_EQ("mid", narrow(s.fromBetweenTag(L("<a>mid</a>"), L("<a>"), L("</a>"))));
  S year(L("in 1999 and 2005"));
  EXPECT_EQ(1999, S::extractYearEX(year.GetBufferVar(), true, 1900, 2100));
  EXPECT_EQ("in  and 2005", narrow(year));
}

// ---- what only one of the two classes does ----------------------------------------

TEST(NarrowText, PosSubStrNeedsTextOnBothSides) {
  EXPECT_EQ(0, TStringA("abc").PosSubStr(""));
  EXPECT_EQ(2, TStringA("abcd").PosSubStr("cd"));
  EXPECT_EQ(-1, TStringA("").PosSubStr(""));
  EXPECT_EQ(-1, TStringA("abc").PosSubStr(nullptr));
}

TEST(NarrowText, SignedArguments) {
  int32_t n = 7;
  EXPECT_EQ(nullptr, TStringA("abc").GetCharRSubStr(-1, 'b', &n).GetBufferVar());
  EXPECT_EQ(0, n);
  EXPECT_EQ(0, TStringA::StrToInt("123", -1, 2));
  EXPECT_EQ(0, TStringA::StrToInt("123", 0, -3));
  char out[24];
  EXPECT_EQ(4, TStringA::IntToStrS(out, -5, 4));
  EXPECT_STREQ("-005", out);
  EXPECT_EQ(4, TStringA::IntToStrS(out, 1234, 2));
  EXPECT_EQ(1, TStringA::IntToStrS(out, 0, -4));
  EXPECT_STREQ("0", out);
  EXPECT_EQ(0, TStringA::IntToStrS(nullptr, 1, 0));
}

TEST(NarrowText, FromFirstLineWalksLines) {
  const char* text = "one\r\ntwo\n\nthree";
  TStringA line;
  std::string seen;
  do {
    text = line.fromFirstLine(text);
    seen += "[" + narrow(line) + "]";
  } while (text != nullptr);
  EXPECT_EQ("[one][two][][three]", seen);
  EXPECT_EQ(nullptr, line.fromFirstLine("last\n"));
  EXPECT_EQ("last", narrow(line));
}

TEST(NarrowText, FloatTextHasRequestedSignificantDigits) {
  TStringA s("old");
  EXPECT_EQ("0.5", narrow(s.fromFloat(0.5, 3)));
  EXPECT_EQ(67u, s.GetCapacity());
  EXPECT_EQ("1.23e+06", narrow(s.fromFloat(1234567.0, 3)));
  EXPECT_EQ(1000u + 64, s.fromFloat(1.0 / 3, 1000).GetCapacity());
  EXPECT_DOUBLE_EQ(1.0 / 3, s.toFloat());
  EXPECT_EQ(0.0, TStringA().toFloat());
}

TEST(WideText, PosSubStrReadsMissingBufferAsEmptyText) {
  const TWideString none;
  EXPECT_EQ(0, none.PosSubStr(none));
  EXPECT_EQ(0, TWideString(Lit<TWideString>("")).PosSubStr(none));
  EXPECT_EQ(-1, none.PosSubStr(TWideString(Lit<TWideString>("x"))));
  const TWideString text(Lit<TWideString>({'a', 0x4E2D, 'a', 0x4E2D, 'b'}));
  EXPECT_EQ(2, text.PosSubStr(TWideString(Lit<TWideString>({'a', 0x4E2D, 'b'}))));
  EXPECT_EQ(-1, text.PosSubStr(TWideString(Lit<TWideString>({0x4E2D, 'b', 'c'}))));
}

TEST(WideText, NumberWritersForCallerBuffers) {
  unsigned short wide[16];
  TWideString::IntToStr(wide, -5, 4);
  EXPECT_EQ("-005", narrow(TWideString(wide)));
  char out[24];
  TWideString::IntToStrA(out, LLONG_MIN, 0);
  EXPECT_STREQ("-9223372036854775808", out);
}

}  // namespace
