// The conversions between UTF-16 and the 8-bit character sets: exact texts and counts,
// truncation, rejected arguments, checked conversion and the process-wide ANSI set.
#include "vorn/charset.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "charset/ansi_codepage.h"
#include "test_support.h"

namespace {

using vorn_test::u16;
using vorn_test::Units;
using vorn_test::units;

// UTF-8 of "café 中文 😀" (the emoji is a surrogate pair in UTF-16).
const char kMixedUtf8[] = "caf\xC3\xA9 \xE4\xB8\xAD\xE6\x96\x87 \xF0\x9F\x98\x80";
const char16_t kMixed16[] = u"café 中文 😀";
const unsigned short kLoneSurrogate[] = {'a', 0xD800, 'b', 0};
const char kGb18030[] = "\xD6\xD0\x81\x32\xCE\x39\x94\x39\xFC\x36";
const char kGb18030Utf8[] = "\xE4\xB8\xAD\xE0\xB8\x81\xF0\x9F\x98\x80";

// Each row: a conversion into a 32-unit buffer, the count it returns and the text.
TEST(Conversions, ToEightBitText) {
  const struct {
    int (*convert)(char*);
    int count;
    const char* text;
  } rows[] = {
      {[](char* o) { return StrUnicodeToUtf8(o, 32, units(kMixed16).data()); }, 17, kMixedUtf8},
      // A lone surrogate cannot be written as UTF-8.
      {[](char* o) { return StrUnicodeToUtf8(o, 32, kLoneSurrogate); }, 5, "a\xEF\xBF\xBD\x62"},
      {[](char* o) { return StrUnicodeToGB2312(o, 32, units(u"中文").data()); }, 4, "\xD6\xD0\xCE\xC4"},
      {[](char* o) { return StrUTF8ToGB2312(o, 32, "\xE4\xB8\xAD\xE6\x96\x87", -1); }, 4, "\xD6\xD0\xCE\xC4"},
      {[](char* o) { return StrGB2312ToUTF8(o, 32, "\xD6\xD0\xCE\xC4"); }, 6, "\xE4\xB8\xAD\xE6\x96\x87"},
      // Outside GB2312 (Thai), the converter's substitute: the ideographic space.
      {[](char* o) { return StrUnicodeToGB2312(o, 32, units(u"ก").data()); }, 2, "\xA1\xA1"},
      // GB18030: 中 (two bytes), U+0E01 (four bytes, BMP), U+1F600 (four bytes, supplementary).
      {[](char* o) { return StrGB18030ToUTF8(o, 32, kGb18030); }, 10, kGb18030Utf8},
      {[](char* o) { return StrUTF8ToAny("gb18030", o, 32, kGb18030Utf8, -1); }, 10, kGb18030},
      {[](char* o) { return StrUTF8ToLatin9(o, 32, "\xE2\x82\xAC", -1); }, 1, "\xA4"},
      {[](char* o) { return StrLatin9ToUTF8(o, 32, "\xA4"); }, 3, "\xE2\x82\xAC"},
      {[](char* o) { return StrUnicodeToLatin9(o, 32, units(u"€中").data()); }, 2, "\xA4\x1A"},
      {[](char* o) { return StrUTF8ToASCII(o, 32, "a\xC3\xA9z", -1); }, 3, "a\x1Az"},
      {[](char* o) { return StrUnicodeToASCII(o, 32, units(u"aé").data()); }, 2, "a\x1A"},
  };
  for (const auto& r : rows) {
    char out[32];
    EXPECT_EQ(r.count, r.convert(out)) << r.text;
    EXPECT_STREQ(r.text, out);
  }
}

TEST(Conversions, ToUtf16) {
  const struct {
    int (*convert)(unsigned short*);
    int count;
    const char16_t* text;
  } rows[] = {
      {[](unsigned short* o) { return StrUtf8ToUnicode(o, 32, kMixedUtf8, -1); }, 10, kMixed16},
      {[](unsigned short* o) { return StrUtf8ToUnicode(o, 32, "abcdef", 3); }, 3, u"abc"},  // exactly that many
      {[](unsigned short* o) { return StrGB2312ToUnicode(o, 32, "\xD6\xD0\xCE\xC4", -1); }, 2, u"中文"},
      {[](unsigned short* o) { return Big5CodeToUnicode(o, 32, "\xC1\x63\xC5\xE9", -1); }, 2, u"繁體"},
      {[](unsigned short* o) { return Big5CodeToUnicode(o, 32, "\xC1\x63\xC5\xE9", 2); }, 1, u"繁"},
      {[](unsigned short* o) { return StrLatin9ToUnicode(o, 32, "\xA4\xE9", -1); }, 2, u"€é"},
      {[](unsigned short* o) { return StrASCIIToUnicode(o, 32, "a\x80z"); }, 3, u"a\uFFFDz"},
  };
  for (const auto& r : rows) {
    unsigned short out[32];
    EXPECT_EQ(r.count, r.convert(out));
    EXPECT_EQ(std::u16string(r.text), u16(out));
  }
}

TEST(Counts, TruncationReportsTheFullLengthAndTerminatesOnlyWithRoom) {
  char narrow[8];
  std::memset(narrow, 'x', sizeof narrow);
  EXPECT_EQ(3, StrUnicodeToUtf8(narrow, 4, units(u"abc").data()));
  EXPECT_STREQ("abc", narrow);
  std::memset(narrow, 'x', sizeof narrow);
  EXPECT_EQ(3, StrUnicodeToUtf8(narrow, 3, units(u"abc").data()));
  EXPECT_EQ(0, std::memcmp("abcx", narrow, 4));  // no terminator
  EXPECT_EQ(6, StrUnicodeToUtf8(narrow, 2, units(u"中文").data()));

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
  const Units abc = units(u"abc");
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
  EXPECT_EQ(-1, StrUnicodeToAny("no-such-set", narrow, 4, units(u"a").data()));
  EXPECT_EQ('\0', narrow[0]);
  EXPECT_EQ(-1, AnyToUnicode("no-such-set", wide, 4, "a", -1));
  EXPECT_EQ(0, wide[0]);
  std::strcpy(narrow, "xx");
  EXPECT_EQ(0, AnyToAny("no-such-set", "UTF8", narrow, 4, "a", -1));  // ICU opens these itself
  EXPECT_EQ('\0', narrow[0]);
}

// An empty source gives the empty text (checked by the charset fuzz target); so does a
// null one, which is left to ICU.
TEST(Arguments, NullSourceGivesTheEmptyText) {
  unsigned short wide[4] = {9, 9, 0, 0};
  EXPECT_EQ(0, StrUtf8ToUnicode(wide, 4, nullptr, -1));
  EXPECT_EQ(0, wide[0]);
}

struct CheckedRow {
  const char* to;
  const char* from;
  std::string source;
  int32_t mode;
  int32_t result;
  std::string text;  // or, for a negative result, nothing
  int32_t offset;
};

// Strict conversion: the byte offset of the first malformed or unmappable character,
// or its omission or substitution on request; small destinations keep the full count.
TEST(ConvertChecked, StopsSkipsOrSubstitutesWithTheSourceOffset) {
  const CheckedRow rows[] = {
      {"Latin-9", "UTF8", "caf\xC3\xA9 \xE2\x82\xAC", VORN_CONVERT_STOP, 6, "caf\xE9 \xA4", -1},
      {"us-ascii", "UTF8", "ab\xC3\xA9z", VORN_CONVERT_STOP, VORN_CONVERT_UNMAPPABLE, "", 2},
      {"us-ascii", "UTF8", "ab\xC3\xA9z", VORN_CONVERT_SKIP, 3, "abz", -1},
      {"us-ascii", "UTF8", "ab\xC3\xA9z", VORN_CONVERT_SUBSTITUTE, 4, "ab\x1Az", -1},
      {"Latin-9", "UTF8", "\xE4\xB8\xAD\xF0\x9F\x98\x80x", VORN_CONVERT_STOP, VORN_CONVERT_UNMAPPABLE, "", 0},
      {"gb2312", "UTF8", "\xE4\xB8\xAD\xF0\x9F\x98\x80x", VORN_CONVERT_STOP, VORN_CONVERT_UNMAPPABLE, "", 3},
      {"UTF8", "UTF8", "ok\xFF!", VORN_CONVERT_STOP, VORN_CONVERT_MALFORMED, "", 2},
      {"UTF8", "UTF8", "ok\xE2\x82", VORN_CONVERT_STOP, VORN_CONVERT_MALFORMED, "", 2},
      {"UTF8", "UTF8", "ok\xFF!", VORN_CONVERT_SKIP, 3, "ok!", -1},
      {"UTF8", "UTF8", "ok\xFF!", VORN_CONVERT_SUBSTITUTE, 6, "ok\xEF\xBF\xBD!", -1},
      {"UTF8", "no-such-set", "x", VORN_CONVERT_STOP, VORN_CONVERT_UNKNOWN_SET, "", -1},
  };
  for (const CheckedRow& row : rows) {
    char out[32];
    int32_t offset = -1;
    const int32_t n = Vorn_ConvertChecked(row.to, row.from, out, sizeof out, row.source.data(),
                                          static_cast<int32_t>(row.source.size()), row.mode, &offset);
    EXPECT_EQ(n, row.result) << row.source;
    EXPECT_EQ(offset, row.offset) << row.source;
    EXPECT_EQ(std::string(out), row.text) << row.source;
  }
  char small[4];
  EXPECT_EQ(Vorn_ConvertChecked("UTF8", "Latin-9", small, sizeof small, "abcdef", 6, VORN_CONVERT_STOP, nullptr), 6);
  EXPECT_STREQ(small, "abc");
  EXPECT_NE(Vorn_CharsetName(0), nullptr);
  EXPECT_EQ(Vorn_CharsetName(-1), nullptr);
  EXPECT_EQ(Vorn_CharsetName(1 << 30), nullptr);
}

// ---- the ANSI character set --------------------------------------------------------

namespace charset = vorn::charset;

// Every test leaves the process with the locale's default character set.
class AnsiCodePage : public ::testing::Test {
 protected:
  void TearDown() override { Vorn_SetAnsiCodePage(nullptr); }
};

TEST_F(AnsiCodePage, CountsIncludeTheTerminatorAndZeroCapacityAsksForTheSize) {
  unsigned short wide[8];
  EXPECT_EQ(4, StrANSIToUnicode(wide, 8, "abc"));
  EXPECT_EQ(u"abc", u16(wide));
  EXPECT_EQ(1, StrANSIToUnicode(wide, 8, ""));
  EXPECT_EQ(4, StrANSIToUnicode(nullptr, 0, "abc"));
  EXPECT_EQ(0, StrANSIToUnicode(wide, 3, "abc"));  // no room for the terminator
  EXPECT_EQ(0, StrANSIToUnicode(wide, 8, nullptr));
  EXPECT_EQ(0, StrANSIToUnicode(nullptr, 8, "abc"));
  const std::string long_text(3000, 'a');  // longer than one round of the size count
  EXPECT_EQ(3001, StrANSIToUnicode(nullptr, 0, long_text.c_str()));

  char narrow[8];
  EXPECT_EQ(4, StrUnicodeToANSI(narrow, 8, units(u"abc").data()));
  EXPECT_STREQ("abc", narrow);
  EXPECT_EQ(1, StrUnicodeToANSI(narrow, 8, units(u"").data()));
  EXPECT_EQ(4, StrUnicodeToANSI(nullptr, 0, units(u"abc").data()));
  EXPECT_EQ(0, StrUnicodeToANSI(narrow, 2, units(u"abc").data()));
  EXPECT_EQ(3001, StrUnicodeToANSI(nullptr, 0, units(std::u16string(3000, u'a')).data()));
}

TEST_F(AnsiCodePage, ExplicitLengthsConvertExactlyAndAddNoTerminator) {
  unsigned short wide[4] = {9, 9, 9, 9};
  EXPECT_EQ(2, charset::ansi_to_utf16("abc", 2, wide, 4));
  EXPECT_EQ(9, wide[2]);
  EXPECT_EQ(3, charset::ansi_to_utf16("a\0b", 3, wide, 4));  // an embedded zero is a character
  EXPECT_EQ(0, wide[1]);
  char narrow[4] = {'x', 'x', 'x', 'x'};
  const auto abc = units(u"abc");
  EXPECT_EQ(3, charset::utf16_to_ansi(abc.data(), 3, narrow, 3));
  EXPECT_EQ(0, std::memcmp("abcx", narrow, 4));
  EXPECT_EQ(0, charset::utf16_to_ansi(abc.data(), 0, narrow, 4));
  EXPECT_EQ(0, charset::utf16_to_ansi(abc.data(), -2, narrow, 4));
  EXPECT_EQ(0, charset::utf16_to_ansi(abc.data(), -1, narrow, -1));
}

TEST_F(AnsiCodePage, GbkSetByName) {
  ASSERT_EQ(1, Vorn_SetAnsiCodePage("GBK"));
  EXPECT_STREQ("GBK", charset::ansi_code_page());
  unsigned short wide[8];
  EXPECT_EQ(3, StrANSIToUnicode(wide, 8, "\xD6\xD0\xCE\xC4"));
  EXPECT_EQ(u"中文", u16(wide));
  char narrow[16];
  // The euro sign is 0x80 in this set; Thai is not in it and gets the substitute '?'.
  EXPECT_EQ(7, StrUnicodeToANSI(narrow, 16, units(u"中文€ก").data()));
  EXPECT_STREQ("\xD6\xD0\xCE\xC4\x80?", narrow);
  EXPECT_EQ(7, StrUnicodeToANSI(nullptr, 0, units(u"中文€ก").data()));
  EXPECT_EQ(0, StrUnicodeToANSI(narrow, 6, units(u"中文€ก").data()));
}

TEST_F(AnsiCodePage, Latin9AndUtf8SetByName) {
  ASSERT_EQ(1, Vorn_SetAnsiCodePage("ISO-8859-15"));
  char narrow[16];
  EXPECT_EQ(3, StrUnicodeToANSI(narrow, 16, units(u"€中").data()));
  EXPECT_STREQ("\xA4\x1A", narrow);
  unsigned short wide[8];
  EXPECT_EQ(2, StrANSIToUnicode(wide, 8, "\xA4"));
  EXPECT_EQ(u"€", u16(wide));

  ASSERT_EQ(1, Vorn_SetAnsiCodePage("UTF-8"));
  EXPECT_EQ(3, StrANSIToUnicode(wide, 8, "\xE2\x82\xAC\xFF"));  // malformed byte substituted
  EXPECT_EQ(u"€\uFFFD", u16(wide));
  EXPECT_EQ(4, StrUnicodeToANSI(narrow, 16, units(u"€").data()));
}

TEST_F(AnsiCodePage, UnknownNameKeepsTheSettingAndNullRestoresTheDefault) {
  ASSERT_EQ(1, Vorn_SetAnsiCodePage("ISO-8859-15"));
  EXPECT_EQ(0, Vorn_SetAnsiCodePage("no-such-set"));
  EXPECT_EQ(0, Vorn_SetAnsiCodePage(""));
  EXPECT_STREQ("ISO-8859-15", charset::ansi_code_page());

  ASSERT_EQ(1, Vorn_SetAnsiCodePage(nullptr));
  EXPECT_EQ(nullptr, charset::ansi_code_page());
  // The default is ICU's default converter: compare with it directly.
  char ours[16];
  char theirs[16];
  const auto text = units(u"aé€");
  EXPECT_EQ(StrUnicodeToAny(nullptr, theirs, 16, text.data()) + 1, StrUnicodeToANSI(ours, 16, text.data()));
  EXPECT_STREQ(theirs, ours);
}

TEST_F(AnsiCodePage, SettingMayChangeWhileOtherThreadsConvert) {
  std::atomic<bool> stop{false};
  std::atomic<int> failures{0};
  std::vector<std::thread> readers;
  for (int t = 0; t < 2; ++t) {
    readers.emplace_back([&] {
      unsigned short wide[8];
      while (!stop.load()) {
        if (StrANSIToUnicode(wide, 8, "abc") != 4 || u16(wide) != u"abc") failures.fetch_add(1);
      }
    });
  }
  for (int i = 0; i < 2000; ++i) Vorn_SetAnsiCodePage(i % 3 == 0 ? "GBK" : i % 3 == 1 ? "UTF-8" : nullptr);
  stop.store(true);
  for (auto& r : readers) r.join();
  EXPECT_EQ(0, failures.load());
}

}  // namespace
