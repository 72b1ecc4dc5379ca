#include "vorn/cstr.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

namespace {

TEST(IToA, WritesSignAndAllDigits) {
  char buf[12];
  EXPECT_STREQ("0", Vorn_IToA(0, buf));
  EXPECT_STREQ("-1", Vorn_IToA(-1, buf));
  EXPECT_STREQ("2147483647", Vorn_IToA(INT32_MAX, buf));
  EXPECT_STREQ("-2147483648", Vorn_IToA(INT32_MIN, buf));
}

// Each row: function (i = stricmp, I = strnicmp, n = strncmp, z = strcmpnil), a, b, n, result.
TEST(Compare, FoldsOnlyAsciiLettersAndReturnsSignedByteDifference) {
  struct Row {
    char fn;
    const char* a;
    const char* b;
    int32_t n;
    int32_t expected;
  };
  const Row rows[] = {
      {'i', "ABC", "abc", 0, 0},   {'i', "a", "b", 0, -1},        {'i', "abc", "ab", 0, 'c'},
      {'i', "ab", "abc", 0, -'c'}, {'i', "\xC9", "\xE9", 0, -32}, {'i', "\xE9", "a", 0, -23 - 'a'},
      {'I', "abcX", "ABCy", 3, 0}, {'I', "abcX", "ABCy", 4, -1},  {'I', "a", "b", 0, 0},
      {'n', "abcd", "abce", 3, 0}, {'n', "abcd", "abce", 4, -1},  {'n', "abcd", "xyz", -5, 0},
      {'n', "ab", "ab", 10, 0},    {'n', "abc", "ab", 10, 'c'},   {'z', nullptr, "", 0, 0},
      {'z', "", nullptr, 0, 0},    {'z', nullptr, "x", 0, -1},    {'z', "", "a", 0, -1},
      {'z', "\xE9", "z", 0, 1},    {'z', "same", "same", 0, 0},   {'z', "x", nullptr, 0, 1},
  };
  for (const Row& r : rows) {
    const int32_t got = r.fn == 'i'   ? Vorn_stricmp(r.a, r.b)
                        : r.fn == 'I' ? Vorn_strnicmp(r.a, r.b, static_cast<uint32_t>(r.n))
                        : r.fn == 'n' ? Vorn_strncmp(r.a, r.b, r.n)
                                      : vorn_strcmpnil(r.a, r.b);
    EXPECT_EQ(r.expected, got) << r.fn << " " << (r.a ? r.a : "null") << " | " << (r.b ? r.b : "null");
  }
  const unsigned short hi[] = {0xFF00, 0};
  const unsigned short z[] = {'z', 0};
  EXPECT_EQ(1, vorn_strcmpnilw(hi, z));
  EXPECT_LT(vorn_strcmpnilw(nullptr, z), 0);
}

TEST(CopyAndDuplicate, CountTerminateAndHandleNull) {
  char out[8];
  EXPECT_EQ(3u, GetLenANSICopy(out, "abc"));
  EXPECT_STREQ("abc", out);
  EXPECT_EQ(0u, GetLenANSICopy(nullptr, "abc"));
  std::memset(out, 'x', sizeof out);
  EXPECT_EQ(1u, DumpANSIStr(nullptr, out));
  EXPECT_EQ(0, out[0]);
  EXPECT_EQ(4u, DumpANSIStr("abc", out));
  EXPECT_STREQ("abc", out);
  uint32_t len = 99;
  EXPECT_EQ(nullptr, vorn_ansistrduplen_impl(nullptr, &len));
  EXPECT_EQ(0u, len);
  const unsigned short wide[] = {'h', 0x4E2D, 0};
  unsigned short* wcopy = vorn_strduplen_impl(wide, &len);
  EXPECT_EQ(2u, len);
  EXPECT_EQ(0, std::memcmp(wide, wcopy, sizeof wide));
  delete[] wcopy;
  char* copy = vorn_ansistrduplen_impl("hello", &len);
  EXPECT_STREQ("hello", copy);
  EXPECT_EQ(5u, len);
  delete[] copy;
}

TEST(Trim, KeepsLeadingSpacesInBufferAndZeroesTrailing) {
  char text[] = "  a b  ";
  char* result = Vorn_Trim(text);
  EXPECT_EQ(text + 2, result);
  EXPECT_STREQ("a b", result);
  EXPECT_EQ(0, std::memcmp(text, "  a b\0\0", 8));
  char tabs[] = "\ta\t";
  EXPECT_STREQ("\ta\t", Vorn_Trim(tabs));
  char spaces[] = "   ";
  EXPECT_EQ(0, *Vorn_Trim(spaces));
}

// The comparison of QuickSort_Create64 with std::sort over inputs of many shapes and
// sizes, the empty count included, is the sort fuzz target, whose corpus CTest replays.

}  // namespace
