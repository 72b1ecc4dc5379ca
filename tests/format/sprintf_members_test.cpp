// TStringA::Sprintf and TWideString::Sprintf: the result becomes the string's buffer.
#include <gtest/gtest.h>

#include <string>

#include "../strings/string_test_util.h"
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
  w.Sprintf(format, 0x4E2D, han, vorn_strdup_impl(han));
  const unsigned short expected[] = {0x4E2D, ' ', ' ', 0x4E2D, 0x4E2D, 0};
  EXPECT_TRUE(w == expected);
  EXPECT_EQ(6u, w.GetCapacity());
}

}  // namespace
