// TStringA::Sprintf and TWideString::Sprintf: the result becomes the string's buffer.
#include <gtest/gtest.h>

#include <string>

#include "../failing_allocator.h"
#include "../strings/string_test_util.h"
#include "format_test_util.h"
#include "vorn/cstr.h"
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
}

TYPED_TEST(SprintfMember, ArgumentsMayPointIntoTheStringItself) {
  TypeParam s(Lit<TypeParam>("abc").c_str());
  s.Sprintf(Lit<TypeParam>("%s-%s|%Q").c_str(), s.GetBuffer(), s.GetBuffer() + 1, s.GetBuffer());
  EXPECT_EQ("abc-bc|'abc'", Narrow(s));
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
