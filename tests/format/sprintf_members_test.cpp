// TStringA::Sprintf and TWideString::Sprintf: the result becomes the string's buffer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../failing_allocator.h"
#include "../strings/string_test_util.h"
#include "format_test_util.h"
#include "vorn/cstr.h"
#include "vorn/format.h"
#include "vorn/strings.h"

namespace {

using vorn_test::Lit;
using vorn_test::StringTypes;

template <class S>
std::string Narrow(const S& s) {
  return vorn_test::narrow(s);
}

template <class S>
class SprintfMember : public ::testing::Test {};
TYPED_TEST_SUITE(SprintfMember, StringTypes);

TYPED_TEST(SprintfMember, TakesTheTextWithCapacityLengthPlusOne) {
  TypeParam s;
  s.Sprintf(Lit<TypeParam>("").c_str());
  ASSERT_NE(nullptr, s.GetBufferVar());
  EXPECT_EQ(1u, s.GetCapacity());
  EXPECT_EQ("", Narrow(s));

  const auto name = Lit<TypeParam>("retries");
  EXPECT_EQ(&s, &s.Sprintf(Lit<TypeParam>("%s=%d %5.2f|%-4x|").c_str(), name.c_str(), 3, 2.5, 255));
  EXPECT_EQ("retries=3  2.50|ff  |", Narrow(s));
  EXPECT_EQ(s.Length() + 1, s.GetCapacity());

  const std::string expected = std::string(300, ' ') + "x" + std::string(200, '-');
  const auto dashes = Lit<TypeParam>(std::string(200, '-').c_str());
  s.Sprintf(Lit<TypeParam>("%301s%s").c_str(), Lit<TypeParam>("x").c_str(), dashes.c_str());
  EXPECT_EQ(expected, Narrow(s));
  EXPECT_EQ(502u, s.GetCapacity());

  s.Sprintf(nullptr);
  EXPECT_EQ("", Narrow(s));
  EXPECT_EQ(1u, s.GetCapacity());

  // A zero unit from %c or %T ends the text the string holds, and its capacity.
  s.Sprintf(Lit<TypeParam>("ab%cde").c_str(), 0);
  EXPECT_EQ("ab", Narrow(s));
  EXPECT_EQ(3u, s.GetCapacity());
}

TYPED_TEST(SprintfMember, ArgumentsMayPointIntoTheStringItself) {
  TypeParam s(Lit<TypeParam>("abc").c_str());
  s.Sprintf(Lit<TypeParam>("%s-%s|%Q").c_str(), s.GetBuffer(), s.GetBuffer() + 1, s.GetBuffer());
  EXPECT_EQ("abc-bc|'abc'", Narrow(s));
  s.Sprintf(Lit<TypeParam>("%.1s%.11s").c_str(), s.GetBuffer() + 11, s.GetBuffer());  // same capacity as before
  EXPECT_EQ("'abc-bc|'abc", Narrow(s));
}

TEST(SprintfMemberNarrow, OwnedTextIsReleasedAndPointersAreFullWidth) {
  TStringA s;
  s.Sprintf("[%z]", vorn_strdupa("owned"));  // ASan reports a leak if it is not released
  EXPECT_STREQ("[owned]", s.GetBuffer());
  int probe = 0;
  char expected[32];
  snprintf(expected, sizeof expected, "%llX", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(&probe)));
  s.Sprintf("%p", static_cast<void*>(&probe));
  EXPECT_STREQ(expected, s.GetBuffer());
}

TEST(SprintfMemberWide, UnitsFillAndOwnedTexts) {
  const unsigned short han[] = {0x4E2D, 0};
  const unsigned short format[] = {'%', 'c', '%', '3', 's', '%', 'z', 0};
  TWideString w;
  unsigned short* owned = vorn_test::OwnedWide(han);
  w.Sprintf(format, 0x4E2D, han, owned);
  const unsigned short expected[] = {0x4E2D, ' ', ' ', 0x4E2D, 0x4E2D, 0};
  EXPECT_TRUE(w == expected);
  EXPECT_EQ(6u, w.GetCapacity());
  EXPECT_EQ(owned, vorn_test::LastSingleObjectRelease());  // one object, not an array
}

// Each allocation of a call fails in turn (the quoting block, the output's growth, the
// final copy): std::bad_alloc reaches the caller, the string is left empty, and every
// block held at that moment is released (ASan reports a leak otherwise).
TYPED_TEST(SprintfMember, OutOfMemoryReachesTheCaller) {
  const std::string quotes(400, '\'');
  const struct {
    Lit<TypeParam> format, argument;
    std::string expected;
  } cases[] = {
      {"x%s", "y", "xy"},
      {"%q", quotes.c_str(), quotes + quotes},
  };
  for (const auto& c : cases) {
    for (long nth = 1;; ++nth) {
      TypeParam s(Lit<TypeParam>("old").c_str());
      if (vorn_test::OutOfMemoryAt(nth, [&] { s.Sprintf(c.format.c_str(), c.argument.c_str()); })) {
        EXPECT_EQ(nullptr, s.GetBufferVar());
        continue;
      }
      EXPECT_EQ(c.expected, Narrow(s)) << "allocation " << nth << " was not needed";
      EXPECT_GT(nth, 1);
      break;
    }
  }
}

}  // namespace

namespace {

vorn_format_arg Arg(int32_t kind, int64_t integer = 0, double real = 0, const char* text = nullptr) {
  vorn_format_arg a{};
  a.kind = kind;
  a.integer = integer;
  a.real = real;
  a.text = text;
  return a;
}

std::string FormatArray(const char* format, std::vector<vorn_format_arg> args, vorn_format_report* report = nullptr) {
  char* text = Vorn_FormatArgs(format, args.data(), static_cast<uint32_t>(args.size()), report);
  std::string out = text;
  Vorn_FormatFree(text);
  return out;
}

// The runtime-typed entry point: a dry run over no arguments tells the kinds a format
// reads, a real run formats them, and mismatched kinds read as 0 or empty.
TEST(SprintfArgumentArray, ReportsKindsAndFormats) {
  const char* format = "%*d|%lld|%.2f|%s|%z|%T|%n%p|%h";
  int32_t kinds[16] = {};
  vorn_format_report report{0, 0, kinds, 16};
  EXPECT_EQ(FormatArray(format, {}, &report), "0|0|0.00||||0|");
  EXPECT_EQ(report.result, -1);  // %h is no conversion
  const std::vector<int32_t> read(kinds, kinds + report.read);
  const int32_t pointer_kind = sizeof(void*) == 8 ? VORN_FORMAT_INT64 : VORN_FORMAT_INT;  // %p reads a pointer's width
  const std::vector<int32_t> expected = {VORN_FORMAT_INT,  VORN_FORMAT_INT,   VORN_FORMAT_INT64,
                                         VORN_FORMAT_REAL, VORN_FORMAT_TEXT,  VORN_FORMAT_OWNED,
                                         VORN_FORMAT_SPAN, VORN_FORMAT_COUNT, pointer_kind};
  EXPECT_EQ(read, expected);

  int32_t count = -1;
  vorn_format_arg span = Arg(VORN_FORMAT_SPAN, 0, 0, "spanned");
  span.length = 4;
  vorn_format_arg target = Arg(VORN_FORMAT_COUNT);
  target.count = &count;
  report = vorn_format_report{0, 0, nullptr, 0};
  EXPECT_EQ(FormatArray("%*d|%lld|%.2f|%s|%z|%T|%n%p",
                        {Arg(VORN_FORMAT_INT, 4), Arg(VORN_FORMAT_INT, 7), Arg(VORN_FORMAT_INT64, -9000000000),
                         Arg(VORN_FORMAT_REAL, 0, 2.5), Arg(VORN_FORMAT_TEXT, 0, 0, "it"),
                         Arg(VORN_FORMAT_OWNED, 0, 0, vorn_strdupa("own")), span, target, Arg(VORN_FORMAT_INT, 255)},
                        &report),
            "   7|-9000000000|2.50|it|own|span|FF");
  EXPECT_EQ(count, 30);  // %T text is not counted
  EXPECT_EQ(report.read, 9u);
  EXPECT_EQ(report.result, 32);

  // Wrong kinds read as 0 or empty; owned texts are released even when nothing reads them.
  EXPECT_EQ(FormatArray("%d|%s|%f", {Arg(VORN_FORMAT_TEXT, 0, 0, "x"), Arg(VORN_FORMAT_INT, 5),
                                     Arg(VORN_FORMAT_OWNED, 0, 0, vorn_strdupa("unread"))}),
            "0||0.000000");
  EXPECT_EQ(FormatArray(nullptr, {Arg(VORN_FORMAT_OWNED, 0, 0, vorn_strdupa("unread"))}), "");
}

}  // namespace
