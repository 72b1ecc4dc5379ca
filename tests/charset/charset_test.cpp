#include "vorn/charset.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "charset_test_util.h"

namespace {

using vorn::testing::Text16;
using vorn::testing::Units;
using vorn::testing::W;

// UTF-8 of "café 中文 😀" (the emoji is a surrogate pair in UTF-16).
const char kMixedUtf8[] = "caf\xC3\xA9 \xE4\xB8\xAD\xE6\x96\x87 \xF0\x9F\x98\x80";
const char16_t kMixed16[] = u"café 中文 😀";

TEST(Utf8, RoundTripsThroughUtf16IncludingSurrogatePairs) {
  unsigned short wide[32];
  ASSERT_EQ(10, StrUtf8ToUnicode(wide, 32, kMixedUtf8, -1));
  EXPECT_EQ(std::u16string(kMixed16), Text16(wide));

  char narrow[32];
  ASSERT_EQ(static_cast<int>(std::strlen(kMixedUtf8)), StrUnicodeToUtf8(narrow, 32, W(kMixed16).data()));
  EXPECT_STREQ(kMixedUtf8, narrow);

  // An explicit length converts exactly that many bytes.
  EXPECT_EQ(3, StrUtf8ToUnicode(wide, 32, "abcdef", 3));
  EXPECT_EQ(u"abc", Text16(wide));
}

TEST(Utf8, MalformedInputGetsReplacementCharacters) {
  unsigned short wide[16];
  EXPECT_EQ(3, StrUtf8ToUnicode(wide, 16,
                                "a\xFF"
                                "b",
                                -1));
  EXPECT_EQ(u"a\uFFFDb", Text16(wide));
  EXPECT_EQ(2, StrUtf8ToUnicode(wide, 16, "x\xE4\xB8", -1));  // cut-off sequence at the end
  EXPECT_EQ(u"x\uFFFD", Text16(wide));
  // A lone surrogate cannot be written as UTF-8.
  char narrow[16];
  const unsigned short lone[] = {'a', 0xD800, 'b', 0};
  EXPECT_EQ(5, StrUnicodeToUtf8(narrow, 16, lone));
  EXPECT_STREQ(
      "a\xEF\xBF\xBD"
      "b",
      narrow);
}

TEST(ChineseSets, Gb2312BothWays) {
  unsigned short wide[8];
  EXPECT_EQ(2, StrGB2312ToUnicode(wide, 8, "\xD6\xD0\xCE\xC4", -1));
  EXPECT_EQ(u"中文", Text16(wide));
  char narrow[16];
  EXPECT_EQ(4, StrUnicodeToGB2312(narrow, 16, W(u"中文").data()));
  EXPECT_STREQ("\xD6\xD0\xCE\xC4", narrow);
  EXPECT_EQ(4, StrUTF8ToGB2312(narrow, 16, "\xE4\xB8\xAD\xE6\x96\x87", -1));
  EXPECT_STREQ("\xD6\xD0\xCE\xC4", narrow);
  EXPECT_EQ(6, StrGB2312ToUTF8(narrow, 16, "\xD6\xD0\xCE\xC4"));
  EXPECT_STREQ("\xE4\xB8\xAD\xE6\x96\x87", narrow);
  // Outside GB2312 (Thai), the converter's substitute: the ideographic space.
  EXPECT_EQ(2, StrUnicodeToGB2312(narrow, 16, W(u"ก").data()));
  EXPECT_STREQ("\xA1\xA1", narrow);
}

TEST(ChineseSets, Gb18030TwoAndFourByteSequences) {
  // 中 (two bytes), ก U+0E01 (four bytes, BMP), 😀 U+1F600 (four bytes, supplementary).
  char utf8[32];
  EXPECT_EQ(10, StrGB18030ToUTF8(utf8, 32, "\xD6\xD0\x81\x32\xCE\x39\x94\x39\xFC\x36"));
  EXPECT_STREQ("\xE4\xB8\xAD\xE0\xB8\x81\xF0\x9F\x98\x80", utf8);
  char back[32];
  EXPECT_EQ(10, StrUTF8ToAny("gb18030", back, 32, utf8, -1));
  EXPECT_STREQ("\xD6\xD0\x81\x32\xCE\x39\x94\x39\xFC\x36", back);
}

TEST(ChineseSets, Big5) {
  unsigned short wide[8];
  EXPECT_EQ(2, Big5CodeToUnicode(wide, 8, "\xC1\x63\xC5\xE9", -1));
  EXPECT_EQ(u"繁體", Text16(wide));
  EXPECT_EQ(1, Big5CodeToUnicode(wide, 8, "\xC1\x63\xC5\xE9", 2));
}

TEST(WesternSets, EuroSignInLatin9AndSubstituteInAscii) {
  char narrow[16];
  EXPECT_EQ(1, StrUTF8ToLatin9(narrow, 16, "\xE2\x82\xAC", -1));
  EXPECT_STREQ("\xA4", narrow);
  EXPECT_EQ(3, StrLatin9ToUTF8(narrow, 16, "\xA4"));
  EXPECT_STREQ("\xE2\x82\xAC", narrow);
  unsigned short wide[8];
  EXPECT_EQ(2, StrLatin9ToUnicode(wide, 8, "\xA4\xE9", -1));
  EXPECT_EQ(u"€é", Text16(wide));
  EXPECT_EQ(2, StrUnicodeToLatin9(narrow, 16, W(u"€中").data()));
  EXPECT_STREQ("\xA4\x1A", narrow);

  EXPECT_EQ(3, StrUTF8ToASCII(narrow, 16, "a\xC3\xA9z", -1));
  EXPECT_STREQ("a\x1Az", narrow);
  EXPECT_EQ(2, StrUnicodeToASCII(narrow, 16, W(u"aé").data()));
  EXPECT_STREQ("a\x1A", narrow);
  EXPECT_EQ(3, StrASCIIToUnicode(wide, 8, "a\x80z"));
  EXPECT_EQ(u"a\uFFFDz", Text16(wide));
}

TEST(Counts, TruncationReportsTheFullLengthAndTerminatesOnlyWithRoom) {
  char narrow[8];
  std::memset(narrow, 'x', sizeof narrow);
  EXPECT_EQ(3, StrUnicodeToUtf8(narrow, 4, W(u"abc").data()));
  EXPECT_STREQ("abc", narrow);
  std::memset(narrow, 'x', sizeof narrow);
  EXPECT_EQ(3, StrUnicodeToUtf8(narrow, 3, W(u"abc").data()));
  EXPECT_EQ(0, std::memcmp("abcx", narrow, 4));  // no terminator
  EXPECT_EQ(6, StrUnicodeToUtf8(narrow, 2, W(u"中文").data()));

  std::memset(narrow, 'x', sizeof narrow);
  EXPECT_EQ(4, StrUTF8ToGB2312(narrow, 3, "\xE4\xB8\xAD\xE6\x96\x87", -1));
  EXPECT_EQ(0, std::memcmp("\xD6\xD0", narrow, 2));
  EXPECT_EQ(6, StrGB2312ToUTF8(narrow, 4, "\xD6\xD0\xCE\xC4"));

  unsigned short wide[4] = {9, 9, 9, 9};
  EXPECT_EQ(10, StrUtf8ToUnicode(wide, 3, kMixedUtf8, -1));
  EXPECT_EQ(u"caf", std::u16string(wide, wide + 3));
  EXPECT_EQ(9, wide[3]);
}

TEST(Arguments, RejectedArgumentsTouchNothing) {
  char narrow[4] = {'x', 'x', 'x', 0};
  unsigned short wide[4] = {9, 9, 9, 0};
  const Units abc = W(u"abc");
  EXPECT_EQ(0, StrUnicodeToUtf8(nullptr, 4, abc.data()));
  EXPECT_EQ(0, StrUnicodeToUtf8(narrow, 0, abc.data()));
  EXPECT_EQ(0, StrUnicodeToUtf8(narrow, 4, nullptr));
  EXPECT_EQ(0, StrUtf8ToUnicode(nullptr, 4, "abc", -1));
  EXPECT_EQ(0, StrUtf8ToUnicode(wide, 0, "abc", -1));
  EXPECT_EQ(0, AnyToUnicode("", wide, 4, "abc", -1));
  EXPECT_EQ(0, AnyToUnicode(nullptr, wide, 4, "abc", -1));
  EXPECT_EQ(0, AnyToAny("UTF8", nullptr, narrow, 4, "abc", -1));
  EXPECT_EQ(0, AnyToAny(nullptr, "UTF8", narrow, 4, "abc", -1));
  EXPECT_EQ(0, StrUTF8ToAny("UTF8", narrow, 4, nullptr, -1));
  EXPECT_EQ(0, StrGB18030ToUTF8(narrow, 0, "abc"));
  EXPECT_STREQ("xxx", narrow);
  EXPECT_EQ(9, wide[0]);
}

TEST(Arguments, UnknownConverterOpenedByTheLibraryGivesMinusOne) {
  char narrow[4] = "xx";
  unsigned short wide[4] = {9, 9, 0, 0};
  EXPECT_EQ(-1, StrUnicodeToAny("no-such-set", narrow, 4, W(u"a").data()));
  EXPECT_EQ('\0', narrow[0]);
  EXPECT_EQ(-1, AnyToUnicode("no-such-set", wide, 4, "a", -1));
  EXPECT_EQ(0, wide[0]);
  std::strcpy(narrow, "xx");
  EXPECT_EQ(0, AnyToAny("no-such-set", "UTF8", narrow, 4, "a", -1));  // ICU opens these itself
  EXPECT_EQ('\0', narrow[0]);
}

TEST(Arguments, EmptyOrNullSourceGivesTheEmptyText) {
  char narrow[4] = "xx";
  unsigned short wide[4] = {9, 9, 0, 0};
  EXPECT_EQ(0, StrUnicodeToUtf8(narrow, 4, W(u"").data()));
  EXPECT_STREQ("", narrow);
  EXPECT_EQ(0, StrUtf8ToUnicode(wide, 4, "", -1));
  EXPECT_EQ(0, wide[0]);
  wide[0] = 9;
  EXPECT_EQ(0, StrUtf8ToUnicode(wide, 4, nullptr, -1));  // the source is left to ICU
  EXPECT_EQ(0, wide[0]);
  std::strcpy(narrow, "xx");
  EXPECT_EQ(0, StrLatin9ToUTF8(narrow, 4, ""));
  EXPECT_STREQ("", narrow);
}

}  // namespace
