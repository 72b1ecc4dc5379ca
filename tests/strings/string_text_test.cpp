// Text operations of TStringA and TWideString: search, substrings, trimming,
// replacing, case, numbers, classification; then what only one of the two does.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "string_test_util.h"

namespace {

using vorn_test::buffer_of;
using vorn_test::Lit;
using vorn_test::narrow;

template <class S>
class StringText : public ::testing::Test {
 protected:
  static S make(const char* text) { return S(Lit<S>(text)); }
};
TYPED_TEST_SUITE(StringText, vorn_test::StringTypes);

TYPED_TEST(StringText, FindIgnoresItsSecondArgument) {
  TypeParam s = this->make("abcb");
  EXPECT_EQ(1, s.find('b', 3));
  EXPECT_EQ(1, s.PosSubChar('b', 2));
  EXPECT_EQ(4, s.find(0));
  EXPECT_EQ(3, s.reverseFind('b'));
  EXPECT_EQ(-1, s.reverseFind(0));
  TypeParam empty = this->make("");
  EXPECT_EQ(-1, empty.find(0));
  EXPECT_EQ(-1, TypeParam().reverseFind('a'));
}

TYPED_TEST(StringText, SubstringsUseUnsignedPositions) {
  const TypeParam s = this->make("abcdef");
  EXPECT_EQ("cde", narrow(s.substring(2, 3)));
  EXPECT_EQ("cdef", narrow(s.substring(2, 0)));
  EXPECT_EQ(11u, s.substring(2, 10).GetCapacity());
  EXPECT_EQ(nullptr, buffer_of(s.substring(6, 1)));
  EXPECT_EQ("abcdef", narrow(s.left(0)));
  EXPECT_EQ("ef", narrow(s.right(2)));
  EXPECT_EQ("abcdef", narrow(s.Right(6)));
  EXPECT_EQ(nullptr, buffer_of(s.right(0)));
  EXPECT_EQ(nullptr, buffer_of(s.right(7)));
  const TypeParam cut = s.GetNSubStr(3);
  EXPECT_EQ("abc", narrow(cut));
  EXPECT_EQ(7u, cut.GetCapacity());
}

TYPED_TEST(StringText, GetCharRSubStrStopsAtStopUnitOrEnd) {
  using Out = std::conditional_t<std::is_same_v<TypeParam, TStringA>, int32_t, uint32_t>;
  const TypeParam s = this->make("key=value;x");
  Out n = 99;
  EXPECT_EQ("value", narrow(s.GetCharRSubStr(4, ';', &n)));
  EXPECT_EQ(5u, static_cast<uint32_t>(n));
  EXPECT_EQ("x", narrow(s.GetCharRSubStr(10, ';', &n)));
  const TypeParam at_stop = s.GetCharRSubStr(9, ';', &n);
  EXPECT_NE(nullptr, buffer_of(at_stop));
  EXPECT_TRUE(at_stop.IsEmpty());
  for (Out beyond : {11, 12, 1000}) {
    n = 99;
    EXPECT_EQ(nullptr, buffer_of(s.GetCharRSubStr(beyond, ';', &n))) << beyond;
    EXPECT_EQ(0u, static_cast<uint32_t>(n));
  }
  EXPECT_EQ("value;x", narrow(s.GetCharRSubStr(4, 0, nullptr)));
  EXPECT_EQ(nullptr, buffer_of(TypeParam().GetCharRSubStr(0, ';', &n)));
}

TYPED_TEST(StringText, FileNameFromUrl) {
  EXPECT_EQ("c.txt", narrow(this->make("a/b/c.txt?x=1/y").ExtractFileNameFromURL()));
  EXPECT_EQ("a\\b", narrow(this->make("x/a\\b").ExtractFileNameFromURL()));
  EXPECT_TRUE(this->make("dir/").ExtractFileNameFromURL().IsEmpty());
  EXPECT_EQ(nullptr, buffer_of(TypeParam().ExtractFileNameFromURL()));
  const std::string long_name(120, 'n');
  const TypeParam name = this->make(("http://h/" + long_name).c_str()).ExtractFileNameFromURL();
  EXPECT_EQ(long_name.substr(0, 96), narrow(name));
  EXPECT_EQ(97u, name.GetCapacity());
}

TYPED_TEST(StringText, TrimKeepsBuffer) {
  TypeParam s = this->make(" \tab \n");
  TypeParam all = s;
  EXPECT_EQ("\tab \n", narrow(s.Trim(false)));
  EXPECT_EQ("ab", narrow(all.Trim(true)));
  TypeParam blanks = this->make("  ");
  auto* before = buffer_of(blanks);
  EXPECT_TRUE(blanks.Trim(true).IsEmpty());
  EXPECT_EQ(before, buffer_of(blanks));
}

TYPED_TEST(StringText, ReplaceStrScansOnceWithoutOverlap) {
  const char* cases[][4] = {{"aaaa", "aa", "b", "bb"}, {"aaa", "aa", "b", "ba"}, {"aaa", "a", "", ""},
                            {"aa", "a", "aa", "aaaa"}, {"abc", "", "z", "abc"},  {"a-b-c", "-", "--", "a--b--c"}};
  for (const auto& c : cases) {
    TypeParam s = this->make(c[0]);
    EXPECT_EQ(c[3], narrow(s.ReplaceStr(Lit<TypeParam>(c[1]), Lit<TypeParam>(c[2])))) << c[0];
  }
  TypeParam s = this->make("abc");
  s.ReplaceStr(Lit<TypeParam>("b"), nullptr);
  EXPECT_EQ("abc", narrow(s));
  auto* before = buffer_of(s);
  EXPECT_EQ("xy", narrow(s.ReplaceStr(Lit<TypeParam>("abc"), Lit<TypeParam>("xy"))));
  EXPECT_EQ(before, buffer_of(s));
  // Arguments taken from the string's own text.
  TypeParam own = this->make("abcabc");
  EXPECT_EQ("bcbc", narrow(own.ReplaceStr(own.GetBuffer() + 3, own.GetBuffer() + 4)));
  // A result that fills the whole capacity moves to a buffer with room for it.
  TypeParam full = this->make("abcdef");
  full.ReSetCapacity(2);
  EXPECT_EQ("ac", narrow(full.ReplaceStr(Lit<TypeParam>("b"), Lit<TypeParam>("c"))));
  EXPECT_EQ(3u, full.GetCapacity());
}

TYPED_TEST(StringText, CaseMappingIsAsciiOnly) {
  TypeParam s = this->make("aZ@[`{09\xE9");
  EXPECT_EQ("az@[`{09\xE9", narrow(s.toLower()));
  EXPECT_EQ("AZ@[`{09\xE9", narrow(s.toUpper()));
}

TYPED_TEST(StringText, FromBetweenTag) {
  TypeParam s;
  const Lit<TypeParam> a("<a>"), end_a("</a>");
  EXPECT_EQ("1", narrow(s.fromBetweenTag(Lit<TypeParam>("<a>1</a>"), a, end_a)));
  auto* before = buffer_of(s);
  EXPECT_TRUE(s.fromBetweenTag(Lit<TypeParam>("<a></a>"), a, end_a).IsEmpty());
  EXPECT_EQ(before, buffer_of(s));
  EXPECT_EQ("1</a>x", narrow(s.fromBetweenTag(Lit<TypeParam>("<a>1</a>x"), a, nullptr)));
  EXPECT_EQ("</a>", narrow(s.fromBetweenTag(Lit<TypeParam>("</a>x</a>"), nullptr, Lit<TypeParam>("x"))));
  EXPECT_TRUE(s.fromBetweenTag(Lit<TypeParam>("<b>1</b>"), a, nullptr).IsEmpty());
  s = this->make("keep");
  EXPECT_TRUE(s.fromBetweenTag(nullptr, nullptr, nullptr).IsEmpty());
}

TYPED_TEST(StringText, StrToIntRules) {
  EXPECT_EQ(-42, TypeParam::StrToInt(Lit<TypeParam>(" \t\n-42abc"), 0, 0));
  EXPECT_EQ(23, TypeParam::StrToInt(Lit<TypeParam>("12345"), 1, 2));
  EXPECT_EQ(12345, TypeParam::StrToInt(Lit<TypeParam>("12345"), 3, 0));
  EXPECT_EQ(0, TypeParam::StrToInt(Lit<TypeParam>("+"), 0, 0));
  EXPECT_EQ(0, TypeParam::StrToInt(Lit<TypeParam>("4294967296"), 0, 0));
  EXPECT_EQ(INT_MIN, TypeParam::StrToInt(Lit<TypeParam>("-2147483648"), 0, 0));
  EXPECT_EQ(LLONG_MIN, TypeParam::StrToInt64(Lit<TypeParam>("9223372036854775808"), 0, 0));
  EXPECT_EQ(0, TypeParam::StrToInt(Lit<TypeParam>("12"), 5, 2));  // start beyond the text
  EXPECT_EQ(45, this->make("12345").ToInt32(3, 9));
  EXPECT_EQ(0, TypeParam().ToInt64(0, 0));
}

TYPED_TEST(StringText, IntToStrSizesItsBuffer) {
  TypeParam s = this->make("abc");
  EXPECT_EQ("-9223372036854775808", narrow(s.FromInt64(LLONG_MIN)));
  EXPECT_EQ(50u, s.GetCapacity());
  auto* before = buffer_of(s);
  EXPECT_EQ("-2147483648", narrow(s.FromInt32(INT_MIN)));
  EXPECT_EQ(before, buffer_of(s));
  EXPECT_EQ("-005", narrow(s.IntToStr(-5, 4)));
  // Widths beyond the usual 50 units get a buffer of their own.
  EXPECT_EQ(std::string(79, '0') + "7", narrow(s.IntToStr(7, 80)));
  EXPECT_EQ(81u, s.GetCapacity());
}

TYPED_TEST(StringText, Classifiers) {
  EXPECT_TRUE(TypeParam::IsNumeric(Lit<TypeParam>("007")));
  for (const char* no : {"", "-1", "1.0", " 1"}) EXPECT_FALSE(this->make(no).IsNumeric()) << no;
  EXPECT_FALSE(TypeParam().IsNumeric());
  for (const char* yes : {"+123456789", "12", "010-12345", "(010)1234", "12*#", "2013-05-06"}) {
    EXPECT_TRUE(this->make(yes).IsTelStr()) << yes;
  }
  for (const char* no : {"+", "+-12", "1", "1--2", "()12", "12)34", "12 34", "1+2"}) {
    EXPECT_FALSE(TypeParam::IsTelStrS(Lit<TypeParam>(no))) << no;
  }
  EXPECT_FALSE(TypeParam().IsTelStr());
  EXPECT_TRUE(this->make("@b").IsEmailStr());
  EXPECT_FALSE(this->make("ab@").IsEmailStr());
  EXPECT_FALSE(TypeParam().IsEmailStr());
}

TYPED_TEST(StringText, ExtractYearTakesExactlyFourDigits) {
  EXPECT_EQ(2013, TypeParam::extractYear(Lit<TypeParam>("Report 2013-05"), 1990, 2030));
  EXPECT_EQ(0, TypeParam::extractYear(Lit<TypeParam>("12013"), 1000, 3000));
  EXPECT_EQ(6789, TypeParam::extractYear(Lit<TypeParam>("123456789"), 0, 9999));
  EXPECT_EQ(2001, TypeParam::extractYear(Lit<TypeParam>("1899 x 2001"), 1900, 2100));
  TypeParam s = this->make("ab2014cdefgh");
  EXPECT_EQ(2014, TypeParam::extractYearEX(s.GetBufferVar(), true, 1990, 2030));
  EXPECT_EQ("abcdefgh", narrow(s));
}

TYPED_TEST(StringText, GuidTextRoundTrips) {
  unsigned char guid[16];
  for (int i = 0; i < 16; ++i) guid[i] = static_cast<unsigned char>(i * 0x11);
  TypeParam s;
  for (bool lower : {false, true}) {
    EXPECT_EQ(lower ? "00112233445566778899aabbccddeeff" : "00112233445566778899AABBCCDDEEFF",
              narrow(s.FromGUID(guid, lower)));
    EXPECT_EQ(50u, s.GetCapacity());
    unsigned char back[16] = {};
    EXPECT_TRUE(s.HexToGUID(back));
    EXPECT_EQ(0, std::memcmp(guid, back, 16));
  }
  unsigned char untouched[16];
  std::memset(untouched, 0x5A, 16);
  EXPECT_FALSE(this->make(std::string(31, '1').c_str()).HexToGUID(untouched));
  EXPECT_FALSE(this->make(std::string(33, '1').c_str()).HexToGUID(untouched));
  EXPECT_EQ(0x5A, untouched[0]);
  EXPECT_TRUE(this->make(std::string(32, 'z').c_str()).HexToGUID(untouched));
  EXPECT_EQ(0, untouched[0] | untouched[15]);
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
