// GetSprintfLenA_Reserved: the quick walk's results, and argument handling that keeps
// later %s conversions on their strings.
#include <gtest/gtest.h>

#include <cstdarg>

#include "format_test_util.h"
#include "vorn/format.h"

namespace vorn_test {
namespace {

uint32_t Estimate(const char* format, ...) {
  va_list args;
  va_start(args, format);
  const uint32_t n = GetSprintfLenA_Reserved(format, args);
  va_end(args);
  return n;
}

TEST(SprintfLength, TheQuickWalk) {
  EXPECT_EQ(0u, Estimate(""));
  EXPECT_EQ(0u, Estimate(nullptr));
  EXPECT_EQ(5u, Estimate("hello"));
  EXPECT_EQ(1u, Estimate("%%"));
  EXPECT_EQ(2u, Estimate("%c", 'x'));
  EXPECT_EQ(3u, Estimate("%s", "abc"));
  EXPECT_EQ(1u, Estimate("%s", ""));
  EXPECT_EQ(1u, Estimate("%s", static_cast<const char*>(nullptr)));
  EXPECT_EQ(32u, Estimate("%d", 1));
  EXPECT_EQ(32u, Estimate("%ld", 1L));
  EXPECT_EQ(32u, Estimate("%f", 1.0));
  EXPECT_EQ(32u, Estimate("%p", static_cast<void*>(nullptr)));
  EXPECT_EQ(1u, Estimate("%5d", 42));  // the 5 repeats 0, the d is text
  EXPECT_EQ(7u, Estimate("%s%5d", "abc", 42));
  EXPECT_EQ(32u + 2 + 2, Estimate("%d%c%n", 1, 'c', static_cast<int*>(nullptr)));  // n repeats the previous
  EXPECT_EQ(3u + 3, Estimate("%s%E", "abc", 1.0));  // E is not a float letter of the walk
  EXPECT_EQ(2u, Estimate("ab%"));                   // a trailing % ends the walk
  EXPECT_EQ(2u, Estimate("ab%l"));
  EXPECT_EQ(32u + 1, Estimate("%hd!", 1));
  // Letters outside the walk's set take no argument: %s still reads the first one.
  for (const char* format : {"%q%s", "%S%s", "%z%s", "%Q%s", "%w%s", "%T%s", "%hS%s", "%lq%s", "%E%s", "%a%s"}) {
    EXPECT_EQ(3u, Estimate(format, "abc", "defgh")) << format;
  }
}

TEST(SprintfLength, SpecificationsWithFlagsKeepArgumentsInStep) {
  // Counted as the walk says, but each consumes its argument, so %s gets "xyz".
  EXPECT_EQ(0u + 1 + 3, Estimate("%5d%s", 42, "xyz"));
  EXPECT_EQ(0u + 2 + 1 + 3, Estimate("%-8s|%s", "ab", "xyz"));
  EXPECT_EQ(0u + 2 + 3, Estimate("%.*f%s", 3, 2.5, "xyz"));
  EXPECT_EQ(0u + 1 + 3, Estimate("%lld%s", 1ll << 40, "xyz"));
  EXPECT_EQ(0u + 1 + 3, Estimate("%5q%s", "abc", "xyz"));  // q takes no argument, flags or not
  // A % as the letter keeps the walk's own reading: %5 then %d.
  EXPECT_EQ(0u + 32, Estimate("%5%d", 7));

  // With the array source a mistyped argument reads as null: nothing is followed.
  FormatArgs args{I(0x1234), I(5), S("abcd")};
  EXPECT_EQ(1u + 1 + 1 + 4, vorn::detail::format::SprintfLengthEstimate("%s%+d%s", args));
}

}  // namespace
}  // namespace vorn_test
