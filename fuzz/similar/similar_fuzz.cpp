// Byte and word edit distances of TStrSimilar against a two-row dynamic program that
// fills row by row and stops on the diagonal the same way. Input: one limit byte, then
// the first text, a NUL, the second text.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "similar/edit_distance_impl.h"
#include "vorn/similar.h"

namespace {

using vorn::detail::similar::fold;
using vorn::detail::similar::is_word_byte;

template <class Unit, class Same>
uint32_t rows_distance(const std::vector<Unit>& a, const std::vector<Unit>& b, uint32_t limit, Same same) {
  size_t lo = 0;
  size_t p = a.size();
  size_t q = b.size();
  if (p == 0) return static_cast<uint32_t>(q);
  while (lo < p && lo < q && same(a[lo], b[lo])) ++lo;
  if (lo == p) return static_cast<uint32_t>(q - lo);
  while (p > lo && q > lo && same(a[p - 1], b[q - 1])) --p, --q;
  if (p == lo) return static_cast<uint32_t>(q - lo);
  if (q == lo) return static_cast<uint32_t>(p - lo);
  std::vector<uint32_t> up(q - lo + 1);
  std::vector<uint32_t> row(q - lo + 1);
  for (size_t j = 0; j < up.size(); ++j) up[j] = static_cast<uint32_t>(j);
  for (size_t i = 1; i <= p - lo; ++i) {
    row[0] = static_cast<uint32_t>(i);
    for (size_t j = 1; j <= q - lo; ++j) {
      row[j] = std::min({up[j] + 1, row[j - 1] + 1, up[j - 1] + (same(a[lo + i - 1], b[lo + j - 1]) ? 0u : 1u)});
      if (limit != 0 && i == j && row[j] > limit) return row[j];
    }
    std::swap(up, row);
  }
  return up[q - lo];
}

std::vector<std::string> words_of(const std::string& s) {
  std::vector<std::string> out;
  std::string cur;
  for (unsigned char c : s + " ") {
    if (is_word_byte(c)) {
      cur += static_cast<char>(fold(c));
    } else if (!cur.empty()) {
      out.push_back(cur);
      cur.clear();
    }
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1 || size > 4096) return 0;
  const uint32_t limit = data[0] % 64;
  const char* rest = reinterpret_cast<const char*>(data + 1);
  const std::string all(rest, size - 1);
  const size_t cut = all.find('\0');
  const std::string a = all.substr(0, cut);
  const std::string b = cut == std::string::npos ? std::string() : std::string(all.c_str() + cut + 1);

  static TStrSimilar similar;  // reused across inputs, as callers do
  const std::vector<unsigned char> ua(a.begin(), a.end());
  const std::vector<unsigned char> ub(b.begin(), b.end());
  const auto same_byte = [](unsigned char x, unsigned char y) { return fold(x) == fold(y); };
  if (similar.distance(a.c_str(), b.c_str(), limit) != rows_distance(ua, ub, limit, same_byte)) std::abort();

  if (!a.empty() && !b.empty()) {
    // The limit byte doubles as a rating threshold in percent.
    const auto same_word = [](const std::string& x, const std::string& y) { return x == y; };
    const std::vector<std::string> wa = words_of(a);
    const std::vector<std::string> wb = words_of(b);
    const uint32_t word_limit = limit == 0 ? 0 : (100 - limit) / limit;
    const uint32_t rated = rows_distance(wa, wb, word_limit, same_word);
    if (similar.similarityWords_dkl(a.c_str(), b.c_str(), limit) != 100 / (rated + 1)) std::abort();
    const uint32_t m = static_cast<uint32_t>(std::max(wa.size(), wb.size()));
    const uint32_t full = rows_distance(wa, wb, 0, same_word);
    if (m != 0 && similar.similarityWords_proportion(a.c_str(), b.c_str()) != (m - full) * 100 / m) std::abort();
  }
  return 0;
}
