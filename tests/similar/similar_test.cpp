// TStrSimilar: the documented examples, and a differential check of every edit-distance
// measure against a plain full-matrix dynamic program.
#include "vorn/similar.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "similar/edit_distance_impl.h"

namespace {

// ---- reference: the full matrix, filled row by row ---------------------------------

std::string fold_text(const std::string& s) {
  std::string out = s;
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  return out;
}

template <class Unit>
uint32_t reference_distance(std::vector<Unit> a, std::vector<Unit> b, uint32_t limit) {
  if (a.empty()) return static_cast<uint32_t>(b.size());
  while (!a.empty() && !b.empty() && a.front() == b.front()) {
    a.erase(a.begin());
    b.erase(b.begin());
  }
  if (a.empty()) return static_cast<uint32_t>(b.size());
  while (!a.empty() && !b.empty() && a.back() == b.back()) {
    a.pop_back();
    b.pop_back();
  }
  if (a.empty()) return static_cast<uint32_t>(b.size());
  if (b.empty()) return static_cast<uint32_t>(a.size());
  const size_t p = a.size();
  const size_t q = b.size();
  std::vector<std::vector<uint32_t>> d(p + 1, std::vector<uint32_t>(q + 1));
  for (size_t i = 0; i <= p; ++i) d[i][0] = static_cast<uint32_t>(i);
  for (size_t j = 0; j <= q; ++j) d[0][j] = static_cast<uint32_t>(j);
  for (size_t i = 1; i <= p; ++i) {
    for (size_t j = 1; j <= q; ++j) {
      d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (a[i - 1] == b[j - 1] ? 0u : 1u)});
      if (limit != 0 && i == j && d[i][j] > limit) return d[i][j];
    }
  }
  return d[p][q];
}

uint32_t reference_bytes(const std::string& a, const std::string& b, uint32_t limit) {
  const std::string fa = fold_text(a);
  const std::string fb = fold_text(b);
  return reference_distance(std::vector<char>(fa.begin(), fa.end()), std::vector<char>(fb.begin(), fb.end()), limit);
}

std::vector<std::string> reference_words(const std::string& s) {
  std::vector<std::string> words;
  std::string cur;
  for (unsigned char c : s) {
    if ((c >= 33 && c <= 125) || c == 127) {
      cur += static_cast<char>(c);
    } else if (!cur.empty()) {
      words.push_back(fold_text(cur));
      cur.clear();
    }
  }
  if (!cur.empty()) words.push_back(fold_text(cur));
  return words;
}

// The library's word distance on a buffer of the size it asks for.
uint32_t library_words(const std::string& a, const std::string& b, uint32_t limit) {
  namespace sim = vorn::detail::similar;
  const auto* ua = reinterpret_cast<const unsigned char*>(a.data());
  const auto* ub = reinterpret_cast<const unsigned char*>(b.data());
  const uint32_t la = static_cast<uint32_t>(a.size());
  const uint32_t lb = static_cast<uint32_t>(b.size());
  const uint32_t side = std::max(sim::count_words(ua, la), sim::count_words(ub, lb)) + 1;
  std::vector<uint32_t> work(sim::work_cells(side), 0xdeadbeefu);
  return sim::word_distance(ua, la, ub, lb, limit, work.data(), side);
}

uint32_t limit_for(uint32_t threshold) { return threshold == 0 ? 0 : (100u - threshold) / threshold; }

// ---- the documented examples ------------------------------------------------------

TEST(SimilarExamples, EveryMeasure) {
  TStrSimilar s;
  EXPECT_EQ(s.distance("flaw", "lawn", 0), 2u);
  EXPECT_EQ(s.distance("ABC", "abc", 0), 0u);
  EXPECT_EQ(s.distance("", "abc", 0), 3u);
  EXPECT_EQ(s.distance(nullptr, nullptr, 0), 0u);
  EXPECT_EQ(s.distance("abc", nullptr, 0), 3u);

  EXPECT_EQ(s.similarity_proportion("abc", "abd"), 66u);
  EXPECT_EQ(s.similarity_proportion("abc", "ABC"), 100u);
  EXPECT_EQ(s.similarity_proportion("abc", ""), 0u);
  EXPECT_EQ(s.similarity_proportion("", nullptr), 100u);

  EXPECT_EQ(s.similarity_dkl_s("flaw", "lawn", 0), 33u);
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

TEST(SimilarExamples, EarlyStopReturnsTheFirstDiagonalCellAboveTheLimit) {
  TStrSimilar s;
  // No common prefix or suffix: D[1][1] = 1, D[2][2] = 2, ...
  EXPECT_EQ(s.distance("abcdefgh", "stuvwxyz", 3), 4u);
  EXPECT_EQ(s.distance("abcdefgh", "stuvwxyz", 8), 8u);
  // The diagonal stays low while the corner is high: no stop.
  EXPECT_EQ(s.distance("xa",
                       "ya"
                       "bbbbbbbbbb",
                       1),
            11u);
  // Threshold 40 gives limit 1; the rating comes from the stopping cell.
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

// ---- differential check ------------------------------------------------------------

class Generator {
 public:
  explicit Generator(uint32_t seed) : rng_(seed) {}

  uint32_t below(uint32_t n) { return static_cast<uint32_t>(rng_() % n); }

  // Bytes from a randomly chosen alphabet, never NUL.
  std::string bytes(uint32_t len, const std::string& alphabet) {
    std::string s;
    for (uint32_t i = 0; i < len; ++i) s += alphabet[below(static_cast<uint32_t>(alphabet.size()))];
    return s;
  }

  std::string alphabet() {
    static const char* const kSets[] = {"ab", "aAbB", "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ",
                                        "a\x80\xe9\xff{}~ ", "xyXY \t~\xc3"};
    const uint32_t k = below(6);
    if (k < 5) return kSets[k];
    std::string any;
    for (int c = 1; c < 256; ++c) any += static_cast<char>(c);
    return any;
  }

  // Flip the case of some letters.
  std::string recase(std::string s) {
    for (char& c : s)
      if (below(3) == 0 && ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) c = static_cast<char>(c ^ 32);
    return s;
  }

  // Words from a small vocabulary between assorted separators.
  std::string sentence(uint32_t words) {
    static const char* const kVocab[] = {"a", "A", "the", "THE", "cat", "dog", "x1", "ab", "ba", "{}", "\x7f"};
    static const char* const kSeps[] = {" ", "  ", "~", "\t", "\xe4\xb8\xad", "\x80 "};
    std::string s = below(2) ? kSeps[below(6)] : "";
    for (uint32_t i = 0; i < words; ++i) {
      s += kVocab[below(11)];
      s += kSeps[below(6)];
    }
    return s;
  }

  // A text and a copy with `edits` single-byte edits anywhere: long pairs whose
  // distance is small, or close to the pattern's length, or anywhere between.
  std::pair<std::string, std::string> near(uint32_t len, uint32_t edits) {
    const std::string al = alphabet();
    const std::string a = bytes(len, al);
    std::string b = a;
    for (uint32_t k = 0; k < edits; ++k) {
      const uint32_t at = below(static_cast<uint32_t>(b.size()) + 1);
      const std::string c = bytes(1, al);
      if (below(3) == 0)
        b.insert(at, c);
      else if (at < b.size())
        below(2) ? b.erase(at, 1) : b.replace(at, 1, c);
    }
    return {a, b};
  }

  // Two texts with a shared prefix and suffix around differing middles.
  std::pair<std::string, std::string> pair(uint32_t max_len) {
    const std::string al = alphabet();
    const std::string pre = below(2) ? bytes(below(max_len / 4 + 1), al) : "";
    const std::string suf = below(2) ? bytes(below(max_len / 4 + 1), al) : "";
    std::string a = pre + bytes(below(max_len), al) + suf;
    std::string b = below(3) == 0 ? recase(a) : recase(pre) + bytes(below(max_len), al) + recase(suf);
    if (below(4) == 0) b.insert(below(static_cast<uint32_t>(b.size()) + 1), bytes(below(8), al));
    return {a, b};
  }

 private:
  std::mt19937 rng_;
};

TEST(SimilarDifferential, ByteDistanceMatchesTheFullMatrix) {
  Generator g(12345);
  TStrSimilar s;
  for (int round = 0; round < 3000; ++round) {
    const auto [a, b] = g.pair(round % 10 == 0 ? 400 : 150);
    const uint32_t full = reference_bytes(a, b, 0);
    ASSERT_EQ(s.distance(a.c_str(), b.c_str(), 0), full) << a << " | " << b;
    const uint32_t limit = 1 + g.below(full + 3);
    ASSERT_EQ(s.distance(a.c_str(), b.c_str(), limit), reference_bytes(a, b, limit))
        << a << " | " << b << " limit " << limit;
    const uint32_t t = g.below(60);
    ASSERT_EQ(s.similarity_dkl_s(a.c_str(), b.c_str(), t), 100 / (reference_bytes(a, b, limit_for(t)) + 1));
    if (!a.empty() && !b.empty()) {
      const uint32_t m = static_cast<uint32_t>(std::max(a.size(), b.size()));
      ASSERT_EQ(s.similarity_proportion(a.c_str(), b.c_str()), (m - full) * 100 / m);
    }
  }
}

TEST(SimilarDifferential, LongNearPairsMatchTheFullMatrix) {
  Generator g(4242);
  TStrSimilar s;
  for (int round = 0; round < 60; ++round) {
    const uint32_t len = 130 + g.below(1200);
    const auto [a, b] = g.near(len, g.below(len / 2 + 2));
    ASSERT_EQ(s.distance(a.c_str(), b.c_str(), 0), reference_bytes(a, b, 0)) << a << " | " << b;
  }
}

TEST(SimilarDifferential, WordDistanceMatchesTheFullMatrix) {
  Generator g(777);
  TStrSimilar s;
  for (int round = 0; round < 1500; ++round) {
    const uint32_t n = round % 10 == 0 ? 200 : 40;
    const std::string a = g.sentence(g.below(n));
    std::string b = g.below(3) == 0 ? g.recase(a) + g.sentence(g.below(4)) : g.sentence(g.below(n));
    if (g.below(3) == 0) b = g.sentence(g.below(3)) + a.substr(0, a.size() / 2) + " " + b;
    const std::vector<std::string> wa = reference_words(a);
    const std::vector<std::string> wb = reference_words(b);
    const uint32_t full = reference_distance(wa, wb, 0);
    ASSERT_EQ(library_words(a, b, 0), full) << a << " | " << b;
    const uint32_t limit = 1 + g.below(full + 3);
    ASSERT_EQ(library_words(a, b, limit), reference_distance(wa, wb, limit)) << a << " | " << b << " limit " << limit;
    if (a.empty() || b.empty()) continue;
    const uint32_t t = g.below(60);
    ASSERT_EQ(s.similarityWords_dkl(a.c_str(), b.c_str(), t), 100 / (reference_distance(wa, wb, limit_for(t)) + 1))
        << a << " | " << b << " threshold " << t;
    const uint32_t m = static_cast<uint32_t>(std::max(wa.size(), wb.size()));
    if (m != 0) {
      ASSERT_EQ(s.similarityWords_proportion(a.c_str(), b.c_str()), (m - full) * 100 / m) << a << " | " << b;
    }
  }
}

}  // namespace
