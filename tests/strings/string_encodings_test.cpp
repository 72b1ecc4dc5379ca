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

constexpr uint32_t kAny = vorn_test::kAnyCapacity;

// Each row: the ANSI character set to select (null: the locale's), the starting text
// (null: no buffer), an operation, the bytes after it (null: no buffer), the recorded
// capacity (kAny: not checked) and whether the buffer must stay the same.
struct NarrowRow {
  const char* ansi;
  const char* init;
  void (*op)(TStringA&);
  const char* text;
  uint32_t capacity;
  bool same_buffer;
};

const char kGbk[] = "\xD6\xD0\xCE\xC4";               // 中文
const char kUtf8[] = "\xE4\xB8\xAD\xE6\x96\x87";      // 中文
const char kEuroUtf8[] = "\xE4\xB8\xAD\xE2\x82\xAC";  // 中€
#define WIDE_TO(mib) [](TStringA& s) { s.FromWideString(U(u"中€"), static_cast<vorn::TMIBCharSet>(mib)); }

const NarrowRow kNarrowRows[] = {
    // The quick conversions keep the 7-bit prefix.
    {nullptr, "old", [](TStringA& s) { s.FromWideStringQuick(U(u"abc")); }, "abc", 5, false},
    {nullptr, "old", [](TStringA& s) { s.FromWideStringQuick(U(u"abéc")); }, "ab", kAny, false},
    {nullptr, "old", [](TStringA& s) { s.FromWideStringQuick(U(u"")); }, nullptr, 0, false},
    {nullptr, "x", [](TStringA& s) { s += U(u"abéc"); }, "xab", 4, false},
    {nullptr, "xab", [](TStringA& s) { s += U(u"é"), s += static_cast<const unsigned short*>(nullptr); }, "xab", 4,
     true},
    // FromWideString selects the character set by MIB number.
    {"GBK", nullptr, [](TStringA& s) { s.FromWideString(U(u"abc"), vorn::csAnsiCodePage); }, "abc", 13, false},
    {"GBK", nullptr, [](TStringA& s) { s.FromWideString(U(u"abc"), vorn::csGB2312); }, "abc", 13, false},
    {"GBK", nullptr, [](TStringA& s) { s.FromWideString(U(u"abc"), vorn::csUTF8); }, "abc", 13, false},
    {"GBK", nullptr, WIDE_TO(vorn::csGB2312), "\xD6\xD0\xA1\xA1", kAny, false},  // no euro: the substitute
    {"GBK", nullptr, WIDE_TO(vorn::csAnsiCodePage), "\xD6\xD0\x80", kAny, false},
    {"GBK", nullptr, WIDE_TO(0), kEuroUtf8, kAny, false},
    {"GBK", nullptr, WIDE_TO(3), kEuroUtf8, kAny, false},
    {"GBK", nullptr, WIDE_TO(vorn::csUTF8), kEuroUtf8, kAny, false},
    {"GBK", nullptr, WIDE_TO(1015), kEuroUtf8, kAny, false},
    {nullptr, nullptr, [](TStringA& s) { s.FromWideString(U(u""), vorn::csUTF8); }, "", 4, false},
    {nullptr, "x", [](TStringA& s) { s.FromWideString(nullptr, vorn::csUTF8); }, nullptr, 0, false},
    // ANSI and UTF-8.
    {nullptr, "abc", [](TStringA& s) { s.convertANSIToUTF8(); }, "abc", 12, false},
    {nullptr, "abc", [](TStringA& s) { s.convertANSIToUTF8(), s.convertUTF8ToANSI(); }, "abc", 8, false},
    {"GBK", nullptr, [](TStringA& s) { s.fromANSIToUTF8(kGbk); }, kUtf8, 15, false},
    {"GBK", nullptr, [](TStringA& s) { s.fromANSIToUTF8(kGbk), s.convertUTF8ToANSI(); }, kGbk, 14, false},
    {"GBK", nullptr, [](TStringA& s) { s.fromUTF8ToANSI("a\xE2\x82\xAC"); }, "a\x80", kAny, false},
    // Two replacement characters, three bytes each: more than two bytes a unit, cut.
    {"UTF-8", "\xFF\xFF", [](TStringA& s) { s.convertUTF8ToANSI(); }, "\xEF\xBF\xBD\xEF\xBF", 6, false},
    // Nothing to convert: the string, buffer included, stays as it was.
    {nullptr, "", [](TStringA& s) { s.convertANSIToUTF8(), s.convertUTF8ToANSI(); }, "", 0, true},
    {nullptr, "", [](TStringA& s) { s.convertGB18030ToUTF8(), s.convertLatin9ToUTF8(); }, "", 0, true},
    {nullptr, nullptr, [](TStringA& s) { s.convertANSIToUTF8(); }, nullptr, 0, false},
    // GB18030 (中, U+0E01 and U+1F600) and Latin-9.
    {nullptr, "abc", [](TStringA& s) { s.convertGB18030ToUTF8(); }, "abc", 12, false},
    {nullptr, "\xD6\xD0\x81\x32\xCE\x39\x94\x39\xFC\x36", [](TStringA& s) { s.convertGB18030ToUTF8(); },
     "\xE4\xB8\xAD\xE0\xB8\x81\xF0\x9F\x98\x80", 33, false},
    {nullptr, nullptr, [](TStringA& s) { s.fromGB18030ToUTF8("\xCE\xC4"); }, "\xE6\x96\x87", 9, false},
    {nullptr, "\xD6\xD0", [](TStringA& s) { s.fromGB18030ToUTF8(s.p()); }, "\xE4\xB8\xAD", kAny, false},
    {nullptr, "x", [](TStringA& s) { s.fromGB18030ToUTF8(""); }, nullptr, 0, false},
    {nullptr, nullptr, [](TStringA& s) { s.fromLatin9ToUTF8("\xA4\xE9"); }, "\xE2\x82\xAC\xC3\xA9", 9, false},
};
#undef WIDE_TO

// As NarrowRow, for TWideString starting without a buffer.
struct WideRow {
  const char* ansi;
  void (*op)(TWideString&);
  const char16_t* text;
  uint32_t capacity;
};

const WideRow kWideRows[] = {
    // 8-bit text is widened up to its first byte from 0x80 on.
    {nullptr, [](TWideString& w) { w = "abc"; }, u"abc", 4},
    {nullptr, [](TWideString& w) { w = "ab\xE9\x63"; }, u"ab", 5},
    {nullptr, [](TWideString& w) { w = "\xE9xyz"; }, u"", 5},
    {nullptr, [](TWideString& w) { w = ""; }, u"", 1},
    {nullptr, [](TWideString& w) { w = "x", w = static_cast<const char*>(nullptr); }, nullptr, 0},
    {nullptr, [](TWideString& w) { w.FromASCIIQuick("abc", 0); }, u"abc", 4},
    {nullptr, [](TWideString& w) { w.FromASCIIQuick("abc", 2); }, u"ab", 3},
    {nullptr, [](TWideString& w) { w.FromASCIIQuick("abc", 5); }, u"abc", 6},
    {nullptr, [](TWideString& w) { w.FromASCIIQuick("ab\xE9\x63", 0); }, u"ab", kAny},
    {nullptr, [](TWideString& w) { w.FromASCIIQuick(nullptr, 3); }, nullptr, 0},
    // From 8-bit text: twice the length plus four.
    {nullptr, [](TWideString& w) { w.FromUTF8("abc"); }, u"abc", 10},
    {nullptr, [](TWideString& w) { w.FromUTF8("\xE4\xB8\xAD\xF0\x9F\x98\x80\xFF"); }, u"中😀\uFFFD", 20},
    {nullptr, [](TWideString& w) { w.FromUTF8(""); }, u"", 4},
    {nullptr, [](TWideString& w) { w.FromUTF8(nullptr); }, nullptr, 0},
    {nullptr, [](TWideString& w) { w.FromGB3212(kGbk); }, u"中文", 12},
    {"GBK", [](TWideString& w) { w.FromANSI(kGbk); }, u"中文", 12},
    {nullptr, [](TWideString& w) { w.FromANSI(nullptr); }, nullptr, 0},
};

// Every test leaves the process with the locale's default character set.
class Encodings : public ::testing::Test {
 protected:
  void SetAnsi(const char* name) { ASSERT_EQ(1, Vorn_SetAnsiCodePage(name)); }
  void TearDown() override { Vorn_SetAnsiCodePage(nullptr); }
};

TEST_F(Encodings, NarrowMembers) {
  for (const NarrowRow& r : kNarrowRows) {
    SetAnsi(r.ansi);
    TStringA s = r.init != nullptr ? TStringA(r.init) : TStringA();
    const char* before = buffer_of(s);
    r.op(s);
    const std::string where = std::string(r.init ? r.init : "<none>") + " -> " + (r.text ? r.text : "<none>");
    vorn_test::expect_state(s, r.text, r.capacity, where);
    EXPECT_TRUE(!r.same_buffer || before == buffer_of(s)) << where;
  }
}

TEST_F(Encodings, WideMembers) {
  for (const WideRow& r : kWideRows) {
    SetAnsi(r.ansi);
    TWideString w;
    r.op(w);
    vorn_test::expect_state(w, r.text, r.capacity, std::to_string(&r - kWideRows));
  }
  SetAnsi("GBK");
  TWideString w;
  w.FromANSI(kGbk);
  EXPECT_EQ(0, w.GetBuffer()[3]);  // the stored zero just after the converted terminator
}

TEST_F(Encodings, Utf8AndAnsiReturnFreshCopies) {
  TWideString w(U(u"中文"));
  const TStringA u = w.utf8();
  EXPECT_STREQ(kUtf8, u.p());
  EXPECT_EQ(7u, u.GetCapacity());
  EXPECT_EQ(nullptr, buffer_of(TWideString().utf8()));

  SetAnsi("GBK");
  const TStringA a = w.ansi();
  EXPECT_STREQ(kGbk, a.p());
  EXPECT_EQ(5u, a.GetCapacity());
  const TStringA none = TWideString().ansi();
  EXPECT_NE(nullptr, buffer_of(none));
  EXPECT_STREQ("", none.p());
  EXPECT_EQ(0u, none.GetCapacity());
}

}  // namespace
