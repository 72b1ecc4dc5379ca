#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <random>
#include <vector>

#include "vorn/cstr.h"

namespace {

TEST(IToA, WritesSignAndAllDigits) {
  char buf[12];
  EXPECT_STREQ("0", Vorn_IToA(0, buf));
  EXPECT_STREQ("-1", Vorn_IToA(-1, buf));
  EXPECT_STREQ("2147483647", Vorn_IToA(INT32_MAX, buf));
  EXPECT_STREQ("-2147483648", Vorn_IToA(INT32_MIN, buf));
}

TEST(CaseBlindCompare, FoldsOnlyAsciiLettersAndReturnsSignedByteDifference) {
  EXPECT_EQ(0, Vorn_stricmp("ABC", "abc"));
  EXPECT_EQ(-1, Vorn_stricmp("a", "b"));
  EXPECT_EQ('c', Vorn_stricmp("abc", "ab"));
  EXPECT_EQ(-'c', Vorn_stricmp("ab", "abc"));
  EXPECT_NE(0, Vorn_stricmp("\xC9", "\xE9"));  // no folding above ASCII
  EXPECT_EQ(static_cast<signed char>('\xE9') - 'a', Vorn_stricmp("\xE9", "a"));
  EXPECT_EQ(0, Vorn_strnicmp("abcX", "ABCy", 3));
  EXPECT_NE(0, Vorn_strnicmp("abcX", "ABCy", 4));
  EXPECT_EQ(0, Vorn_strnicmp("a", "b", 0));
}

TEST(CountedCompare, StopsAtLimitAndTerminator) {
  EXPECT_EQ(0, Vorn_strncmp("abcd", "abce", 3));
  EXPECT_EQ(-1, Vorn_strncmp("abcd", "abce", 4));
  EXPECT_EQ(0, Vorn_strncmp("abcd", "xyz", -5));
  EXPECT_EQ(0, Vorn_strncmp("ab", "ab", 10));
  EXPECT_EQ('c', Vorn_strncmp("abc", "ab", 10));
}

TEST(NullTolerantCompare, NullEqualsEmptyAndSortsFirst) {
  EXPECT_EQ(0, vorn_strcmpnil(nullptr, ""));
  EXPECT_EQ(0, vorn_strcmpnil("", nullptr));
  EXPECT_LT(vorn_strcmpnil(nullptr, "x"), 0);
  EXPECT_GT(vorn_strcmpnil("x", nullptr), 0);
  EXPECT_EQ(-1, vorn_strcmpnil("", "a"));
  EXPECT_EQ(1, vorn_strcmpnil("\xE9", "z"));
  EXPECT_EQ(0, vorn_strcmpnil("same", "same"));
  const unsigned short hi[] = {0xFF00, 0};
  const unsigned short z[] = {'z', 0};
  EXPECT_EQ(1, vorn_strcmpnilw(hi, z));
  EXPECT_LT(vorn_strcmpnilw(nullptr, z), 0);
}

TEST(CopyHelpers, CountAndTerminate) {
  char out[8];
  EXPECT_EQ(3u, GetLenANSICopy(out, "abc"));
  EXPECT_STREQ("abc", out);
  EXPECT_EQ(0u, GetLenANSICopy(nullptr, "abc"));
  std::memset(out, 'x', sizeof out);
  EXPECT_EQ(1u, DumpANSIStr(nullptr, out));
  EXPECT_EQ(0, out[0]);
  EXPECT_EQ(4u, DumpANSIStr("abc", out));
  EXPECT_STREQ("abc", out);
  EXPECT_EQ(4u, GetANSIStrDumpSize("abc"));
  EXPECT_EQ(1u, GetANSIStrDumpSize(""));
}

TEST(Duplicates, ReportLengthAndHandleNull) {
  uint32_t len = 99;
  EXPECT_EQ(nullptr, vorn_ansistrduplen_impl(nullptr, &len));
  EXPECT_EQ(0u, len);
  char* copy = vorn_ansistrduplen_impl("hello", &len);
  EXPECT_STREQ("hello", copy);
  EXPECT_EQ(5u, len);
  delete[] copy;
  const unsigned short wide[] = {'h', 0x4E2D, 0};
  unsigned short* wcopy = vorn_strduplen_impl(wide, &len);
  EXPECT_EQ(2u, len);
  EXPECT_EQ(0x4E2D, wcopy[1]);
  EXPECT_EQ(0, wcopy[2]);
  delete[] wcopy;
  EXPECT_EQ(nullptr, vorn_strdup_impl(nullptr));
  char* a = vorn_strdupa("");
  EXPECT_STREQ("", a);
  delete[] a;
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

TEST(QuickSort, EmptyCountIsRejected) {
  int64_t v = 5;
  EXPECT_EQ(-1, QuickSort_Create64(&v, 0));
  EXPECT_EQ(5, v);
  EXPECT_EQ(1, QuickSort_Create64(&v, 1));
}

TEST(QuickSort, MatchesStdSortOnAssortedShapes) {
  std::mt19937_64 rng(7);
  for (uint64_t n : {2u, 5u, 6u, 17u, 1000u, 100000u}) {
    std::vector<std::vector<int64_t>> inputs(5, std::vector<int64_t>(n));
    for (uint64_t i = 0; i < n; ++i) {
      inputs[0][i] = static_cast<int64_t>(rng());
      inputs[1][i] = static_cast<int64_t>(i);
      inputs[2][i] = static_cast<int64_t>(n - i) - 50;
      inputs[3][i] = 42;
      inputs[4][i] = static_cast<int64_t>(rng() % 3) - 1;
    }
    inputs[0][0] = INT64_MIN;
    inputs[0][n - 1] = INT64_MAX;
    for (auto& v : inputs) {
      auto expected = v;
      std::sort(expected.begin(), expected.end());
      EXPECT_EQ(static_cast<int64_t>(n), QuickSort_Create64(v.data(), n));
      EXPECT_EQ(expected, v) << "n=" << n;
    }
  }
}

}  // namespace
