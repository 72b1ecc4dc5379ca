#include "charset/ansi_codepage.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "test_support.h"
#include "vorn/charset.h"

namespace {

using vorn_test::u16;
using vorn_test::units;
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
