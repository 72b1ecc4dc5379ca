// Byte and word edit distances of TStrSimilar on a caller-owned work buffer.
#include <algorithm>

#include "similar/edit_distance_impl.h"

namespace vorn::detail::similar {
namespace {

// Distinct byte values after folding 'a'..'z' away.
constexpr uint32_t kFoldedAlphabet = 256 - 26;

std::size_t hash_slots(std::size_t units) {
  std::size_t slots = 2;
  while (slots < 2 * units) slots *= 2;
  return slots;
}

// ---- bytes -----------------------------------------------------------------------------

// Match masks of a byte pattern: one row of 64-bit masks per distinct folded byte of the
// pattern, row 0 all zero for bytes the pattern lacks. Columns map a text byte to its row.
class ByteColumns {
 public:
  struct Cursor {
    const uint32_t* row;
    uint64_t next() {
      const uint64_t v = load64(row);
      row += 2;
      return v;
    }
  };

  ByteColumns(const unsigned char* pattern, uint32_t m, const unsigned char* text, uint32_t* masks)
      : text_(text), masks_(masks), row_cells_(2 * std::size_t{block_count(m)}) {
    uint32_t rows = 1;
    for (uint32_t i = 0; i < m; ++i) {
      uint16_t& r = row_of_[fold(pattern[i])];
      if (r == 0) r = static_cast<uint16_t>(rows++);
    }
    std::fill(masks_, masks_ + rows * row_cells_, 0u);
    for (uint32_t i = 0; i < m; ++i) {
      uint32_t* mask = masks_ + row_of_[fold(pattern[i])] * row_cells_ + 2 * std::size_t{i >> 6};
      store64(mask, load64(mask) | (uint64_t{1} << (i & 63)));
    }
  }

  Cursor match(uint32_t j) const { return Cursor{masks_ + row_of_[fold(text_[j])] * row_cells_}; }
  // The cursor of column j from block b on.
  Cursor match_from(uint32_t j, uint32_t b) const {
    return Cursor{masks_ + row_of_[fold(text_[j])] * row_cells_ + 2 * std::size_t{b}};
  }

 private:
  const unsigned char* text_;
  uint32_t* masks_;
  std::size_t row_cells_;
  uint16_t row_of_[256] = {};
};

// ---- bytes within a diagonal band -------------------------------------------------------

// The outcome of a band: `value` is D[m][n] when it is at most k, else a value above k
// that bounds it from above; or, when `given_up_at` is not 0, the band was given up at
// that column, where every cell was above k.
struct Band {
  uint64_t value;
  uint64_t given_up_at;
};

// D[m][n] in a band for a distance of at most k (k >= n - m).
//
// A cell on a path of cost at most k from (0, 0) to (m, n) lies at most h = (k - (n -
// m)) / 2 rows below the diagonal through (0, 0) and at most h rows above the one
// through (m, n), so column j (1-based) only needs rows j - (n - m) - h to j + h, a
// band of about k + 1 rows. Cells next to the band are taken at upper bounds of their
// values: the row above the band's first block as one more than in the column before,
// a block entering at the bottom as counting up by one from the block above it. Every
// value computed is then at least the true one, and the cells of a path of cost at
// most k come out exact; so a result of at most k is the distance.
//
// Only the value of the band's last row is kept as a number; the other blocks' values
// are counted back from it through their vertical deltas when they are needed.
Band band_distance(const ByteColumns& columns, uint32_t m, uint32_t n, const uint32_t k, uint32_t* state) {
  const BlockState st{state};
  const uint32_t blocks = block_count(m);
  const uint32_t delta = n - m;
  uint64_t bound = k;  // the distance is at most this, or above k
  uint64_t h = (bound - delta) / 2;
  const unsigned last_bit = (m - 1) & 63;
  const auto block_of_row = [](uint64_t row) { return static_cast<uint32_t>((row - 1) >> 6); };
  const auto bottom_row = [m](uint32_t b) { return std::min<uint64_t>(64 * (uint64_t{b} + 1), m); };
  // Rows of block b that count: all 64, or up to row m in the last block.
  const auto rows_mask = [&](uint32_t b) { return b + 1 == blocks ? ~uint64_t{0} >> (63 - last_bit) : ~uint64_t{0}; };

  uint32_t last = block_of_row(std::min<uint64_t>(m, 1 + h));
  for (uint32_t b = 0; b <= last; ++b) st.start(b);
  uint64_t score = bottom_row(last);  // D[bottom_row(last)][j]
  for (uint32_t j = 1; j <= n; ++j) {
    if (last + 1 < blocks && block_of_row(std::min<uint64_t>(m, j + h)) > last) {
      ++last;
      st.start(last);
      score += bottom_row(last) - bottom_row(last - 1);
    }
    const uint32_t first = j > delta + h ? block_of_row(j - delta - h) : 0;
    auto cursor = columns.match_from(j - 1, first);
    uint64_t hp = 1;
    uint64_t hn = 0;
    for (uint32_t b = first; b < last; ++b) step_stored(st, b, cursor, hp, hn, 63);
    step_stored(st, last, cursor, hp, hn, last + 1 == blocks ? last_bit : 63);
    score += hp;
    score -= hn;
    if ((j & 15) != 0) continue;
    // Give up once every cell of the column is above k: a path of cost at most k would
    // keep one cell of each column at or below it. A block's cells are at least its
    // last row's value less 63.
    uint64_t below = score;  // the value of the last row of block b
    uint64_t least = below;
    for (uint32_t b = last; b > first; --b) {
      uint64_t pv;
      uint64_t mv;
      st.load(b, pv, mv);
      const uint64_t mask = rows_mask(b);
      below = below - static_cast<uint64_t>(__builtin_popcountll(pv & mask)) +
              static_cast<uint64_t>(__builtin_popcountll(mv & mask));
      least = std::min(least, below);
    }
    if (least > uint64_t{k} + 63) return {0, j};
    // The band's last row plus a straight way to (m, n) bounds the distance from
    // above; a lower bound narrows the band for the remaining columns.
    const uint64_t through_last = score + std::max<uint64_t>(n - j, m - bottom_row(last));
    if (through_last < bound) {
      bound = through_last;
      h = (bound - delta) / 2;
    }
  }
  return {score, 0};
}

// Without a limit: bands of growing width while they stay narrower than half the
// pattern. A near pair is settled by a narrow band, or by the band of the bound that a
// slightly too narrow one leaves. A far pair is met by the whole matrix, whose columns
// go in groups of four and so cost less per block than a band's: a band given up early tells
// that the distance grows fast (about k + 63 over the columns walked so far).
uint32_t unlimited_distance(const ByteColumns& columns, uint32_t m, uint32_t n, uint32_t* state) {
  const uint64_t delta = n - m;
  const auto narrow = [m](uint64_t rows) { return 2 * rows < m; };
  for (uint64_t h = 32; narrow(delta + 2 * h + 1); h *= 2) {
    const uint32_t k = static_cast<uint32_t>(delta + 2 * h);
    const Band band = band_distance(columns, m, n, k, state);
    if (band.given_up_at == 0) {
      if (band.value <= k) return static_cast<uint32_t>(band.value);
      if (!narrow(band.value + 1)) break;
      return static_cast<uint32_t>(band_distance(columns, m, n, static_cast<uint32_t>(band.value), state).value);
    }
    // The distance this pace foretells would need a band of half the pattern or more.
    if (!narrow((uint64_t{k} + 63) * n / band.given_up_at)) break;
  }
  return run_columns_unlimited(m, n, columns, state);
}

// ---- words -----------------------------------------------------------------------------

// A split text: word k starts at text[cells[2k]] and has cells[2k + 1] bytes.
struct Words {
  const unsigned char* text;
  const uint32_t* cells;
  uint32_t count;

  const unsigned char* start(uint32_t k) const { return text + cells[2 * k]; }
  uint32_t length(uint32_t k) const { return cells[2 * k + 1]; }
};

uint32_t split_words(const unsigned char* text, uint32_t n, uint32_t* cells) {
  uint32_t count = 0;
  uint32_t i = 0;
  while (i < n) {
    while (i < n && !is_word_byte(text[i])) ++i;
    if (i == n) break;
    const uint32_t begin = i;
    while (i < n && is_word_byte(text[i])) ++i;
    if (cells != nullptr) {
      cells[2 * count] = begin;
      cells[2 * count + 1] = i - begin;
    }
    ++count;
  }
  return count;
}

bool same_word(const Words& x, uint32_t i, const Words& y, uint32_t j) {
  const uint32_t n = x.length(i);
  if (n != y.length(j)) return false;
  const unsigned char* s = x.start(i);
  const unsigned char* t = y.start(j);
  for (uint32_t k = 0; k < n; ++k)
    if (fold(s[k]) != fold(t[k])) return false;
  return true;
}

uint32_t word_hash(const unsigned char* s, uint32_t n) {
  uint32_t h = 2166136261u;
  for (uint32_t k = 0; k < n; ++k) h = (h ^ fold(s[k])) * 16777619u;
  return h ^ n;
}

// Match masks of a word pattern, kept sparse because the word alphabet is unbounded:
// distinct words get ids 0..k-1; for each id a list, in block order, of the blocks where
// it occurs with the 64-bit mask of its rows there. A text word is looked up by hash.
struct WordArea {
  uint32_t* masks;   // 2 cells per list entry
  uint32_t* ids;     // id of each pattern word
  uint32_t* slots;   // open-addressing table: pattern word index + 1, 0 = free
  uint32_t* heads;   // id -> first list entry; heads[k] = entry count
  uint32_t* fill;    // id -> next free list entry while building
  uint32_t* blocks;  // block of each list entry
};

class WordColumns {
 public:
  struct Cursor {
    const uint32_t* block;
    const uint32_t* end;
    const uint32_t* mask;
    uint32_t b;
    uint64_t next() {
      uint64_t v = 0;
      if (block != end && *block == b) {
        v = load64(mask);
        ++block;
        mask += 2;
      }
      ++b;
      return v;
    }
  };

  WordColumns(const Words& pattern, uint32_t p0, uint32_t m, const Words& text, uint32_t t0, const WordArea& area)
      : pattern_(pattern), p0_(p0), text_(text), t0_(t0), area_(area), mask_slots_(hash_slots(m) - 1) {
    std::fill(area_.slots, area_.slots + mask_slots_ + 1, 0u);
    uint32_t distinct = 0;
    for (uint32_t i = 0; i < m; ++i) {
      uint32_t& slot = area_.slots[find(pattern_, p0_ + i)];
      if (slot == 0) {
        slot = i + 1;
        area_.ids[i] = distinct++;
      } else {
        area_.ids[i] = area_.ids[slot - 1];
      }
    }
    // Count the (id, block) pairs: positions come in order, so an id's entry for a
    // block is new exactly when the id was last seen in an earlier block.
    std::fill(area_.heads, area_.heads + distinct + 1, 0u);
    std::fill(area_.fill, area_.fill + distinct, ~0u);
    for (uint32_t i = 0; i < m; ++i) {
      const uint32_t id = area_.ids[i];
      if (area_.fill[id] != (i >> 6)) {
        area_.fill[id] = i >> 6;
        ++area_.heads[id];
      }
    }
    uint32_t total = 0;
    for (uint32_t id = 0; id < distinct; ++id) {
      const uint32_t c = area_.heads[id];
      area_.heads[id] = total;
      area_.fill[id] = total;
      total += c;
    }
    area_.heads[distinct] = total;
    for (uint32_t i = 0; i < m; ++i) {
      const uint32_t id = area_.ids[i];
      uint32_t e = area_.fill[id];
      if (e == area_.heads[id] || area_.blocks[e - 1] != (i >> 6)) {
        area_.blocks[e] = i >> 6;
        store64(area_.masks + 2 * e, 0);
        area_.fill[id] = ++e;
      }
      uint32_t* mask = area_.masks + 2 * (e - 1);
      store64(mask, load64(mask) | (uint64_t{1} << (i & 63)));
    }
  }

  Cursor match(uint32_t j) const {
    const uint32_t slot = area_.slots[find(text_, t0_ + j)];
    if (slot == 0) return Cursor{nullptr, nullptr, nullptr, 0};
    const uint32_t id = area_.ids[slot - 1];
    const uint32_t first = area_.heads[id];
    return Cursor{area_.blocks + first, area_.blocks + area_.heads[id + 1], area_.masks + 2 * std::size_t{first}, 0};
  }

 private:
  // The slot holding word k of `w` or the free slot where it would go.
  std::size_t find(const Words& w, uint32_t k) const {
    std::size_t s = word_hash(w.start(k), w.length(k)) & mask_slots_;
    while (area_.slots[s] != 0 && !same_word(pattern_, p0_ + area_.slots[s] - 1, w, k)) s = (s + 1) & mask_slots_;
    return s;
  }

  Words pattern_;
  uint32_t p0_;
  Words text_;
  uint32_t t0_;
  WordArea area_;
  std::size_t mask_slots_;
};

}  // namespace

// Layout for a side S and nb = ceil(S / 64) blocks, in cells:
//   bytes: column state 4 nb | match-mask rows 2 nb each, at most 231 rows
//   words: column state 4 nb | list masks 2 S | split texts 2 S + 2 S | ids S |
//          hash slots (power of two >= 2 S) | heads S + 1 | fill S | list blocks S
std::size_t work_cells(uint32_t side) {
  const std::size_t s = side;
  const std::size_t nb = block_count(side);
  const std::size_t bytes = 4 * nb + 2 * nb * (std::min<std::size_t>(s, kFoldedAlphabet) + 1);
  const std::size_t words = 4 * nb + 10 * s + hash_slots(s) + 1;
  return std::max(bytes, words);
}

uint32_t byte_distance(const unsigned char* a, uint32_t p, const unsigned char* b, uint32_t q, uint32_t limit,
                       uint32_t* work) {
  const auto same = [a, b](uint32_t i, uint32_t j) { return fold(a[i]) == fold(b[j]); };
  const auto middle = [&](uint32_t a0, uint32_t a1, uint32_t b0, uint32_t b1) {
    const unsigned char* pattern = a + a0;
    const unsigned char* text = b + b0;
    uint32_t m = a1 - a0;
    uint32_t n = b1 - b0;
    if (m > n) {
      std::swap(pattern, text);
      std::swap(m, n);
    }
    uint32_t* state = work;
    const ByteColumns columns(pattern, m, text, state + 4 * std::size_t{block_count(m)});
    if (limit == 0) return unlimited_distance(columns, m, n, state);
    return run_columns(m, n, columns, limit, state);
  };
  return strip_and_measure(p, q, same, middle);
}

uint32_t count_words(const unsigned char* text, uint32_t n) { return split_words(text, n, nullptr); }

uint32_t word_distance(const unsigned char* a, uint32_t la, const unsigned char* b, uint32_t lb, uint32_t limit,
                       uint32_t* work, uint32_t side) {
  const std::size_t s = side;
  const std::size_t nb = block_count(side);
  uint32_t* state = work;
  uint32_t* masks = state + 4 * nb;
  uint32_t* cells_a = masks + 2 * s;
  uint32_t* cells_b = cells_a + 2 * s;
  WordArea area{};
  area.masks = masks;
  area.ids = cells_b + 2 * s;
  area.slots = area.ids + s;
  area.heads = area.slots + hash_slots(s);
  area.fill = area.heads + s + 1;
  area.blocks = area.fill + s;

  const Words wa{a, cells_a, split_words(a, la, cells_a)};
  const Words wb{b, cells_b, split_words(b, lb, cells_b)};
  const auto same = [&](uint32_t i, uint32_t j) { return same_word(wa, i, wb, j); };
  const auto middle = [&](uint32_t a0, uint32_t a1, uint32_t b0, uint32_t b1) {
    const bool a_is_pattern = a1 - a0 <= b1 - b0;
    const Words& pattern = a_is_pattern ? wa : wb;
    const Words& text = a_is_pattern ? wb : wa;
    const uint32_t p0 = a_is_pattern ? a0 : b0;
    const uint32_t t0 = a_is_pattern ? b0 : a0;
    const uint32_t m = a_is_pattern ? a1 - a0 : b1 - b0;
    const uint32_t n = a_is_pattern ? b1 - b0 : a1 - a0;
    const WordColumns columns(pattern, p0, m, text, t0, area);
    if (limit == 0) return run_columns_unlimited(m, n, columns, state);
    return run_columns(m, n, columns, limit, state);
  };
  return strip_and_measure(wa.count, wb.count, same, middle);
}

}  // namespace vorn::detail::similar
