// TStrSimilar against a plain full-matrix dynamic program (the matrix reused across
// calls, common prefix and suffix stripped, cells filled row by row) on texts of
// 100 B, 1 KB and 10 KB that differ in about one byte of ten; and the library alone on
// two 100 KB texts with the size of its work buffer.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "similar/edit_distance_impl.h"
#include "vorn/similar.h"

namespace {

unsigned char fold(unsigned char c) { return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 32) : c; }

// The peer: a square matrix of side max + 1 kept between calls.
class FullMatrix {
 public:
  uint32_t distance(const std::string& x, const std::string& y, uint32_t limit) {
    const auto* a = reinterpret_cast<const unsigned char*>(x.data());
    const auto* b = reinterpret_cast<const unsigned char*>(y.data());
    size_t p = x.size();
    size_t q = y.size();
    if (p == 0) return static_cast<uint32_t>(q);
    while (p > 0 && q > 0 && fold(*a) == fold(*b)) ++a, ++b, --p, --q;
    if (p == 0) return static_cast<uint32_t>(q);
    while (p > 0 && q > 0 && fold(a[p - 1]) == fold(b[q - 1])) --p, --q;
    if (p == 0) return static_cast<uint32_t>(q);
    if (q == 0) return static_cast<uint32_t>(p);
    const size_t need = std::max(x.size(), y.size()) + 1;
    if (side_ < need) {
      side_ = need;
      cells_.assign(side_ * side_, 0);
      for (size_t i = 0; i < side_; ++i) cells_[i] = cells_[i * side_] = static_cast<uint32_t>(i);
    }
    for (size_t i = 1; i <= p; ++i) {
      uint32_t* row = &cells_[i * side_];
      const uint32_t* up = row - side_;
      for (size_t j = 1; j <= q; ++j) {
        row[j] = std::min({up[j] + 1, row[j - 1] + 1, up[j - 1] + (fold(a[i - 1]) == fold(b[j - 1]) ? 0u : 1u)});
        if (limit != 0 && i == j && row[j] > limit) return row[j];
      }
    }
    return cells_[p * side_ + q];
  }

 private:
  size_t side_ = 0;
  std::vector<uint32_t> cells_;
};

// Mixed-case letters, digits and blanks; the second text changes about one byte in ten
// (substitutions, insertions, deletions) away from its ends.
std::pair<std::string, std::string> texts(size_t n) {
  std::mt19937 rng(static_cast<uint32_t>(n));
  const std::string alphabet = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789    ";
  std::string a;
  for (size_t i = 0; i < n; ++i) a += alphabet[rng() % alphabet.size()];
  std::string b = a;
  for (size_t k = 0; k < n / 10; ++k) {
    const size_t at = 1 + rng() % (b.size() - 2);
    switch (rng() % 3) {
      case 0:
        b[at] = alphabet[rng() % alphabet.size()];
        break;
      case 1:
        b.insert(at, 1, alphabet[rng() % alphabet.size()]);
        break;
      default:
        b.erase(at, 1);
        break;
    }
  }
  return {a, b};
}

void BM_distance_library(benchmark::State& state) {
  const auto [a, b] = texts(static_cast<size_t>(state.range(0)));
  TStrSimilar s;
  state.counters["distance"] = s.distance(a.c_str(), b.c_str(), 0);
  for (auto _ : state) benchmark::DoNotOptimize(s.distance(a.c_str(), b.c_str(), 0));
}

void BM_distance_full_matrix(benchmark::State& state) {
  const auto [a, b] = texts(static_cast<size_t>(state.range(0)));
  FullMatrix peer;
  state.counters["distance"] = peer.distance(a, b, 0);
  for (auto _ : state) benchmark::DoNotOptimize(peer.distance(a, b, 0));
}

void BM_proportion_library(benchmark::State& state) {
  const auto [a, b] = texts(static_cast<size_t>(state.range(0)));
  TStrSimilar s;
  state.counters["percent"] = s.similarity_proportion(a.c_str(), b.c_str());
  for (auto _ : state) benchmark::DoNotOptimize(s.similarity_proportion(a.c_str(), b.c_str()));
}

void BM_proportion_full_matrix(benchmark::State& state) {
  const auto [a, b] = texts(static_cast<size_t>(state.range(0)));
  FullMatrix peer;
  const size_t m = std::max(a.size(), b.size());
  state.counters["percent"] = static_cast<double>((m - peer.distance(a, b, 0)) * 100 / m);
  for (auto _ : state) benchmark::DoNotOptimize((m - peer.distance(a, b, 0)) * 100 / m);
}

// A limit above the diagonal's final value: both walk the whole matrix and follow the diagonal.
void BM_distance_limited_library(benchmark::State& state) {
  const auto [a, b] = texts(static_cast<size_t>(state.range(0)));
  TStrSimilar s;
  const uint32_t limit = static_cast<uint32_t>(a.size());
  benchmark::DoNotOptimize(s.distance(a.c_str(), b.c_str(), limit));
  for (auto _ : state) benchmark::DoNotOptimize(s.distance(a.c_str(), b.c_str(), limit));
}

void BM_distance_limited_full_matrix(benchmark::State& state) {
  const auto [a, b] = texts(static_cast<size_t>(state.range(0)));
  FullMatrix peer;
  const uint32_t limit = static_cast<uint32_t>(a.size());
  benchmark::DoNotOptimize(peer.distance(a, b, limit));
  for (auto _ : state) benchmark::DoNotOptimize(peer.distance(a, b, limit));
}

// 100 KB: the full matrix would take (102400 + 1)^2 * 4 bytes, about 42 GB.
void BM_distance_100k_library(benchmark::State& state) {
  const auto [a, b] = texts(100 * 1024);
  TStrSimilar s;
  for (auto _ : state) benchmark::DoNotOptimize(s.distance(a.c_str(), b.c_str(), 0));
  const uint32_t n = static_cast<uint32_t>(std::max(a.size(), b.size()));
  const uint32_t side = n + n / 2 + 1;
  state.counters["work_bytes"] = static_cast<double>(vorn::detail::similar::work_cells(side) * 4);
  state.counters["matrix_bytes"] = static_cast<double>(side) * side * 4;
  state.counters["distance"] = s.distance(a.c_str(), b.c_str(), 0);
}

// Words of the same 100 KB texts.
void BM_words_100k_library(benchmark::State& state) {
  const auto [a, b] = texts(100 * 1024);
  TStrSimilar s;
  state.counters["words"] = vorn::detail::similar::count_words(reinterpret_cast<const unsigned char*>(a.data()),
                                                               static_cast<uint32_t>(a.size()));
  for (auto _ : state) benchmark::DoNotOptimize(s.similarityWords_proportion(a.c_str(), b.c_str()));
  state.counters["percent"] = s.similarityWords_proportion(a.c_str(), b.c_str());
}

BENCHMARK(BM_distance_library)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_distance_full_matrix)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_proportion_library)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_proportion_full_matrix)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_distance_limited_library)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_distance_limited_full_matrix)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_distance_100k_library)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_words_100k_library)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
