// The encoding members of TStringA and TWideString: buffer sizes and recorded
// capacities, the character set each member selects, and what a member leaves
// behind when there is nothing to convert or the conversion does not fit.
#include <gtest/gtest.h>

#include <string>

#include "string_test_util.h"
#include "vorn/charset.h"
#include "vorn/strings.h"

namespace {

using vorn_test::buffer_of;

/// A UTF-16 literal as the library's units (kept alive by the caller's full expression).
const unsigned short* U(const std::u16string& s) { return reinterpret_cast<const unsigned short*>(s.c_str()); }

std::u16string Text16(const TWideString& s) {
  std::u16string out;
  for (const unsigned short* p = s.GetBuffer(); *p != 0; ++p) out.push_back(static_cast<char16_t>(*p));
  return out;
}

// Sets the ANSI character set for one test and restores the locale's default after it.
class Encodings : public ::testing::Test {
 protected:
  void SetAnsi(const char* name) { ASSERT_EQ(1, Vorn_SetAnsiCodePage(name)); }
  void TearDown() override { Vorn_SetAnsiCodePage(nullptr); }
};

TEST_F(Encodings, QuickConversionsKeepTheSevenBitPrefix) {
  TStringA s("old");
  s.FromWideStringQuick(U(u"abc"));
  EXPECT_STREQ("abc", s.p());
  EXPECT_EQ(5u, s.GetCapacity());
  s.FromWideStringQuick(U(u"abéc"));
  EXPECT_STREQ("ab", s.p());
  s.FromWideStringQuick(U(u""));
  EXPECT_EQ(nullptr, buffer_of(s));

  TWideString w;
  w.FromASCIIQuick("abc", 0);
  EXPECT_EQ(u"abc", Text16(w));
  EXPECT_EQ(4u, w.GetCapacity());
  w.FromASCIIQuick("abc", 2);
  EXPECT_EQ(u"ab", Text16(w));
  EXPECT_EQ(3u, w.GetCapacity());
  w.FromASCIIQuick("abc", 5);
  EXPECT_EQ(u"abc", Text16(w));
  EXPECT_EQ(6u, w.GetCapacity());
  w.FromASCIIQuick(
      "ab\xE9"
      "c",
      0);
  EXPECT_EQ(u"ab", Text16(w));
  w.FromASCIIQuick(nullptr, 3);
  EXPECT_EQ(nullptr, buffer_of(w));

  // += of UTF-16 text appends its 7-bit prefix exactly; nothing when there is none.
  TStringA t("x");
  t += U(u"abéc");
  EXPECT_STREQ("xab", t.p());
  EXPECT_EQ(4u, t.GetCapacity());
  const char* before = t.p();
  t += U(u"é");
  t += static_cast<const unsigned short*>(nullptr);
  EXPECT_EQ(before, t.p());
}

TEST_F(Encodings, FromWideStringSelectsTheCharacterSetByMibNumber) {
  SetAnsi("GBK");
  TStringA s;
  for (int mib : {1, 2025, 106}) {
    s.FromWideString(U(u"abc"), static_cast<vorn::TMIBCharSet>(mib));
    EXPECT_STREQ("abc", s.p()) << mib;
    EXPECT_EQ(13u, s.GetCapacity()) << mib;
  }
  s.FromWideString(U(u"中€"), vorn::csGB2312);
  EXPECT_STREQ("\xD6\xD0\xA1\xA1", s.p());  // no euro sign in GB2312: the substitute
  s.FromWideString(U(u"中€"), vorn::csAnsiCodePage);
  EXPECT_STREQ("\xD6\xD0\x80", s.p());
  for (int mib : {0, 3, 106, 1015}) {
    s.FromWideString(U(u"中€"), static_cast<vorn::TMIBCharSet>(mib));
    EXPECT_STREQ("\xE4\xB8\xAD\xE2\x82\xAC", s.p()) << mib;
  }
  s.FromWideString(U(u""), vorn::csUTF8);
  EXPECT_STREQ("", s.p());
  EXPECT_EQ(4u, s.GetCapacity());
  s.FromWideString(nullptr, vorn::csUTF8);
  EXPECT_EQ(nullptr, buffer_of(s));
}

TEST_F(Encodings, AnsiAndUtf8RoundTrip) {
  TStringA s("abc");
  s.convertANSIToUTF8();
  EXPECT_STREQ("abc", s.p());
  EXPECT_EQ(12u, s.GetCapacity());
  s.convertUTF8ToANSI();
  EXPECT_STREQ("abc", s.p());
  EXPECT_EQ(8u, s.GetCapacity());

  SetAnsi("GBK");
  s.fromANSIToUTF8("\xD6\xD0\xCE\xC4");
  EXPECT_STREQ("\xE4\xB8\xAD\xE6\x96\x87", s.p());
  EXPECT_EQ(15u, s.GetCapacity());
  s.convertUTF8ToANSI();
  EXPECT_STREQ("\xD6\xD0\xCE\xC4", s.p());
  EXPECT_EQ(14u, s.GetCapacity());
  s.fromUTF8ToANSI("a\xE2\x82\xAC");
  EXPECT_STREQ("a\x80", s.p());

  // Nothing to convert: the string, buffer included, stays as it was.
  TStringA empty("");
  const char* buffer = empty.p();
  empty.convertANSIToUTF8();
  empty.convertUTF8ToANSI();
  EXPECT_EQ(buffer, empty.p());
  TStringA none;
  none.convertANSIToUTF8();
  EXPECT_EQ(nullptr, buffer_of(none));
}

TEST_F(Encodings, Utf8ToAnsiThatOutgrowsTwoBytesPerUnitIsCutAtTheLastByte) {
  SetAnsi("UTF-8");
  TStringA s("\xFF\xFF");  // two replacement characters, three bytes each in UTF-8
  s.convertUTF8ToANSI();
  EXPECT_EQ(6u, s.GetCapacity());
  EXPECT_STREQ("\xEF\xBF\xBD\xEF\xBF", s.p());
}

TEST_F(Encodings, Gb18030AndLatin9ToUtf8) {
  TStringA s("abc");
  s.convertGB18030ToUTF8();
  EXPECT_STREQ("abc", s.p());
  EXPECT_EQ(12u, s.GetCapacity());
  s = "\xD6\xD0\x81\x32\xCE\x39\x94\x39\xFC\x36";  // 中, U+0E01 and U+1F600
  s.convertGB18030ToUTF8();
  EXPECT_STREQ("\xE4\xB8\xAD\xE0\xB8\x81\xF0\x9F\x98\x80", s.p());
  EXPECT_EQ(33u, s.GetCapacity());

  s.fromGB18030ToUTF8("\xCE\xC4");
  EXPECT_STREQ("\xE6\x96\x87", s.p());
  EXPECT_EQ(9u, s.GetCapacity());
  s = "\xD6\xD0";
  s.fromGB18030ToUTF8(s.p());  // its own text
  EXPECT_STREQ("\xE4\xB8\xAD", s.p());
  s.fromGB18030ToUTF8("");
  EXPECT_EQ(nullptr, buffer_of(s));

  TStringA empty("");
  const char* buffer = empty.p();
  empty.convertGB18030ToUTF8();
  empty.convertLatin9ToUTF8();
  EXPECT_EQ(buffer, empty.p());

  s.fromLatin9ToUTF8("\xA4\xE9");
  EXPECT_STREQ("\xE2\x82\xAC\xC3\xA9", s.p());
  EXPECT_EQ(9u, s.GetCapacity());
}

TEST_F(Encodings, WideFromNarrowUsesTwiceTheLengthPlusFour) {
  TWideString w;
  w.FromUTF8("abc");
  EXPECT_EQ(u"abc", Text16(w));
  EXPECT_EQ(10u, w.GetCapacity());
  w.FromUTF8("\xE4\xB8\xAD\xF0\x9F\x98\x80\xFF");
  EXPECT_EQ(u"中😀\uFFFD", Text16(w));
  EXPECT_EQ(20u, w.GetCapacity());
  w.FromUTF8("");
  EXPECT_EQ(u"", Text16(w));
  EXPECT_EQ(4u, w.GetCapacity());
  w.FromUTF8(nullptr);
  EXPECT_EQ(nullptr, buffer_of(w));

  w.FromGB3212("\xD6\xD0\xCE\xC4");
  EXPECT_EQ(u"中文", Text16(w));
  EXPECT_EQ(12u, w.GetCapacity());

  SetAnsi("GBK");
  w.FromANSI("\xD6\xD0\xCE\xC4");
  EXPECT_EQ(u"中文", Text16(w));
  EXPECT_EQ(12u, w.GetCapacity());
  EXPECT_EQ(0, w.GetBuffer()[3]);  // the stored zero just after the converted terminator
  w.FromANSI(nullptr);
  EXPECT_EQ(nullptr, buffer_of(w));
}

TEST_F(Encodings, Utf8AndAnsiReturnFreshCopies) {
  TWideString w(U(u"中文"));
  const TStringA u = w.utf8();
  EXPECT_STREQ("\xE4\xB8\xAD\xE6\x96\x87", u.p());
  EXPECT_EQ(7u, u.GetCapacity());
  EXPECT_EQ(nullptr, buffer_of(TWideString().utf8()));

  SetAnsi("GBK");
  const TStringA a = w.ansi();
  EXPECT_STREQ("\xD6\xD0\xCE\xC4", a.p());
  EXPECT_EQ(5u, a.GetCapacity());
  const TStringA none = TWideString().ansi();
  EXPECT_NE(nullptr, buffer_of(none));
  EXPECT_STREQ("", none.p());
  EXPECT_EQ(0u, none.GetCapacity());
}

}  // namespace
