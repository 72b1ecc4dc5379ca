// TStrSimilar: the documented examples, the ratings at an early stop and object copies.
// The check of the byte and word edit distances, early stop included, against a plain
// dynamic program is the similar fuzz target, whose corpus CTest replays.
#include "vorn/similar.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// ---- the documented examples ------------------------------------------------------

TEST(SimilarExamples, EveryMeasure) {
  TStrSimilar s;
  EXPECT_EQ(s.distance(nullptr, nullptr, 0), 0u);
  EXPECT_EQ(s.distance("abc", nullptr, 0), 3u);

  EXPECT_EQ(s.similarity_proportion("abc", "abd"), 66u);
  EXPECT_EQ(s.similarity_proportion("abc", "ABC"), 100u);
  EXPECT_EQ(s.similarity_proportion("abc", ""), 0u);
  EXPECT_EQ(s.similarity_proportion("", nullptr), 100u);

  EXPECT_EQ(s.similarity_dkl_s("abc", "", 0), 25u);
  EXPECT_EQ(s.similarity_dkl_s(nullptr, "", 70), 100u);

  EXPECT_EQ(s.similarity_InterSec("abc", "bcd"), 50u);
  EXPECT_EQ(s.similarity_InterSec("abc", "ABC"), 0u);
  EXPECT_EQ(s.similarity_InterSecNoCase("abc", "ABC"), 100u);
  EXPECT_EQ(s.similarity_InterSec("\x01\x02\x1f", "\x7f\x03"), 0u);
  EXPECT_EQ(s.similarity_InterSec("", ""), 100u);
  EXPECT_EQ(s.similarity_InterSec("a", nullptr), 0u);
  // Only 32..126 count; byte 255 has no table entry and must be ignored safely.
  EXPECT_EQ(s.similarity_InterSec("a\xff\x80~", "\xff~ "), 33u);

  EXPECT_EQ(s.similarityWords_proportion("hello world", "world hello"), 0u);
  EXPECT_EQ(s.similarityWords_proportion("a b c", "a  B~c"), 100u);
  EXPECT_EQ(s.similarityWords_proportion("abc", ""), 0u);
  EXPECT_EQ(s.similarityWords_proportion(" ~", "\xe4\xb8\xad"), 100u);
  EXPECT_EQ(s.similarityWords_dkl("a b", "a c", 0), 50u);
  EXPECT_EQ(s.similarityWords_dkl("a b", nullptr, 0), 0u);

  EXPECT_EQ(s.simlarity_composite("abc", "abd"), 62u);
}

TEST(SimilarExamples, RatingsAtAnEarlyStopComeFromTheStoppingCell) {
  TStrSimilar s;
  // No common prefix or suffix: D[1][1] = 1, D[2][2] = 2, ... Threshold 40 gives limit 1;
  // the rating comes from the cell where the walk stops.
  EXPECT_EQ(s.similarity_dkl_s("abcd", "wxyz", 40), 33u);
  EXPECT_EQ(s.similarityWords_dkl("p q r s", "w x y z", 40), 33u);
  EXPECT_EQ(s.similarity_dkl_s("abcd", "wxyz", 101), 20u);  // wraps to a huge limit
}

TEST(SimilarObject, GrowingAndCopiedObjectsAgreeWithFreshOnes) {
  TStrSimilar grown;
  EXPECT_EQ(grown.distance("kitten", "sitting", 0), 3u);
  const std::string a(300, 'q');
  std::string b = a;
  b[10] = 'x';
  b[200] = 'y';
  b += "zz";
  TStrSimilar fresh;
  EXPECT_EQ(grown.distance(a.c_str(), b.c_str(), 0), fresh.distance(a.c_str(), b.c_str(), 0));
  EXPECT_EQ(grown.distance(a.c_str(), b.c_str(), 0), 4u);

  TStrSimilar copy(grown);
  TStrSimilar assigned;
  assigned = grown;
  assigned = assigned;
  EXPECT_EQ(copy.distance(a.c_str(), b.c_str(), 0), 4u);
  EXPECT_EQ(assigned.similarity_proportion(a.c_str(), b.c_str()), 98u);
}

}  // namespace
