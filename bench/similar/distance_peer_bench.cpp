// TStrSimilar::distance without limit against the bit-parallel edit distance of the
// benchmark-only peer library, on texts of 1 KB, 10 KB and 100 KB that differ in
// about one byte of ten; and on unrelated texts of the same sizes, where no narrow
// band settles the distance. The peer gets the texts with 'a'..'z' already folded, so
// both compute the same distance (checked before timing).
#include <cstdio>
#include <random>
#include <rapidfuzz/distance/Levenshtein.hpp>
#include <string>
#include <utility>

#include "paired.h"
#include "vorn/similar.h"

namespace {

const std::string kAlphabet = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789    ";

std::string random_text(std::mt19937& rng, size_t n) {
  std::string a;
  for (size_t i = 0; i < n; ++i) a += kAlphabet[rng() % kAlphabet.size()];
  return a;
}

// The second text changes about one byte in ten (substitutions, insertions,
// deletions) away from the ends; `unrelated` draws it afresh instead.
std::pair<std::string, std::string> texts(size_t n, bool unrelated) {
  std::mt19937 rng(static_cast<uint32_t>(n));
  std::string a = random_text(rng, n);
  if (unrelated) return {a, random_text(rng, n)};
  std::string b = a;
  for (size_t k = 0; k < n / 10; ++k) {
    const size_t at = 1 + rng() % (b.size() - 2);
    switch (rng() % 3) {
      case 0:
        b[at] = kAlphabet[rng() % kAlphabet.size()];
        break;
      case 1:
        b.insert(at, 1, kAlphabet[rng() % kAlphabet.size()]);
        break;
      default:
        b.erase(at, 1);
        break;
    }
  }
  return {a, b};
}

std::string folded(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  return s;
}

}  // namespace

int main() {
  for (bool unrelated : {false, true}) {
    for (size_t n : {size_t{1024}, size_t{10 * 1024}, size_t{100 * 1024}}) {
      const auto [a, b] = texts(n, unrelated);
      const std::string fa = folded(a);
      const std::string fb = folded(b);
      TStrSimilar s;
      const unsigned long ours = s.distance(a.c_str(), b.c_str(), 0);
      const size_t peer = rapidfuzz::levenshtein_distance(fa, fb);
      char label[64];
      std::snprintf(label, sizeof label, "%s %zu B (d=%lu)", unrelated ? "unrelated" : "near", n, ours);
      if (ours != peer) std::printf("%s: distances differ, peer %zu\n", label, peer);
      vorn_bench::run_paired(label, vorn_bench::batch_of([&] { return s.distance(a.c_str(), b.c_str(), 0); }),
                             vorn_bench::batch_of([&] { return rapidfuzz::levenshtein_distance(fa, fb); }));
    }
  }
}
