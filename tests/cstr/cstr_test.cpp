#include "vorn/cstr.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <random>
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

TEST(QuickSort, EmptyCountIsRejected) {
  int64_t v = 5;
  EXPECT_EQ(-1, QuickSort_Create64(&v, 0));
  EXPECT_EQ(5, v);
  EXPECT_EQ(1, QuickSort_Create64(&v, 1));
}

// Inputs of each shape, compared with std::sort at sizes on both sides of the
// points where the sort changes method.
std::vector<int64_t> sort_input(int shape, size_t n, std::mt19937_64& rng) {
  std::vector<int64_t> v(n);
  const int64_t extremes[] = {INT64_MIN, INT64_MIN + 1, -1, 0, 1, INT64_MAX - 1, INT64_MAX};
  const auto half = static_cast<int64_t>(n / 2);
  for (size_t i = 0; i < n; ++i) {
    const auto r = static_cast<int64_t>(rng());
    const auto k = static_cast<int64_t>(i);
    switch (shape) {
      case 0: v[i] = r; break;
      case 1: v[i] = k; break;
      case 2: v[i] = -k / 3; break;                  // descending with equal runs
      case 3: v[i] = 42; break;
      case 4: v[i] = r % 3; break;                   // -2..2, many duplicates
      case 5: v[i] = extremes[rng() % 7]; break;
      case 6: v[i] = 0x0123456789AB0000 + (r & 0xFFFF) * (r < 0 ? -1 : 1); break;  // common high bytes
      case 7: v[i] = rng() % 10 != 0 ? (r & 0x00FFFFFFFFFFFFFF) | (int64_t{0x42} << 56) : r; break;  // one big bucket
      case 8: v[i] = k < half ? k : static_cast<int64_t>(n) - k; break;  // organ pipe
      case 9: v[i] = k < half ? (k % 2 == 0 ? k + 1 : half + k) : 2 * (k - half + 1); break;  // median-of-3 killer
      default: break;
    }
  }
  if (shape == 0) {
    v.front() = INT64_MAX;
    v.back() = INT64_MIN;
  }
  if (shape == 1) v.back() = -1;  // ascending but for the last value
  return v;
}

TEST(QuickSort, MatchesStdSortOnAssortedShapes) {
  std::mt19937_64 rng(7);
  for (size_t n : {2u, 5u, 24u, 25u, 64u, 65u, 96u, 97u, 300u, 1023u, 1024u, 1025u, 5000u, 100000u}) {
    for (int shape = 0; shape < 10; ++shape) {
      std::vector<int64_t> v = sort_input(shape, n, rng);
      std::vector<int64_t> expected = v;
      std::sort(expected.begin(), expected.end());
      v.push_back(INT64_MIN);  // outside the range: must stay put
      EXPECT_EQ(static_cast<int64_t>(n), QuickSort_Create64(v.data(), n));
      EXPECT_EQ(INT64_MIN, v.back());
      v.pop_back();
      EXPECT_EQ(expected, v) << "n=" << n << " shape=" << shape;
    }
  }
}

}  // namespace
