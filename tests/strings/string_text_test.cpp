// Text operations that only one of TStringA and TWideString has, and the hexadecimal
// text of byte blocks and GUIDs. The operations both share, line walking, searching and
// the number readers and writers are checked against models by the strings and numbers
// fuzz targets, whose corpora CTest replays.
#include <gtest/gtest.h>

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

// ---- hexadecimal text of byte blocks and GUIDs ------------------------------------

TEST(BinaryToHex, TaggedAndUntaggedForms) {
  const unsigned char bytes[] = {0x01, 0xAB};
  TStringA out("old text");
  BinaryToHexA(bytes, 2, out, false);
  EXPECT_STREQ("0x01,0xAB", out.p());
  EXPECT_EQ(12u, out.GetCapacity());
  BinaryToHexA(bytes, 2, out, true);
  EXPECT_STREQ("0x01,0xab", out.p());
  BinaryToHexA(nullptr, 0, out, false);
  EXPECT_STREQ("", out.p());
  EXPECT_EQ(2u, out.GetCapacity());
  EXPECT_STREQ("01AB", BinaryToHexNoTagA(bytes, 2, out, false).p());
  EXPECT_EQ(8u, out.GetCapacity());
}

TEST(GuidText, NewTextAndCheck) {
  unsigned char guid[16];
  for (int i = 0; i < 16; ++i) guid[i] = static_cast<unsigned char>(0xF0 - i);
  const std::string expected = "F0EFEEEDECEBEAE9E8E7E6E5E4E3E2E1";
  char* text = GUIDToNewText(guid);
  EXPECT_EQ(expected, text);
  delete[] text;
  TStringA out("previous");
  EXPECT_EQ(expected, GUIDToNewText(guid, out));
  EXPECT_EQ(33u, out.GetCapacity());
  EXPECT_EQ(1, checkGUIDText(std::string(32, '?').c_str()));
  EXPECT_EQ(0, checkGUIDText(std::string(33, 'A').c_str()));
  EXPECT_EQ(0, checkGUIDText(""));
  EXPECT_EQ(0, checkGUIDText(nullptr));
}

}  // namespace
