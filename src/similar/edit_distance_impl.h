// Internal to vorn_common: do not include from outside src/.
//
// Edit distances of TStrSimilar in memory linear in the text length.
//
// The distance matrix D (rows: units of the first sequence, columns: units of the
// second, D[i][0] = i, D[0][j] = j) is never stored. After the common prefix and suffix
// are stripped, the shorter sequence becomes the "pattern" (the matrix is symmetric
// under exchanging the sequences, and so is its diagonal) and the longer one is walked
// column by column. Each column is held as vertical deltas D[i][j] - D[i-1][j], packed
// into 64-row blocks of two bit vectors (plus and minus); one column step costs a few
// word operations per block. The bottom row gives the distance; the diagonal D[k][k]
// is followed step by step for the early stop (see run_columns).
#ifndef VORN_SIMILAR_EDIT_DISTANCE_IMPL_H
#define VORN_SIMILAR_EDIT_DISTANCE_IMPL_H

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "cstr/ascii.h"

namespace vorn::detail::similar {

// 'a'..'z' become 'A'..'Z'; every other byte stays as it is.
inline unsigned char fold(unsigned char c) { return ascii_upper(c); }

// Bytes that belong to words: 33..125 and 127. Blank, controls, '~' and 128..255 separate.
inline bool is_word_byte(unsigned char c) { return (c >= 33 && c <= 125) || c == 127; }

// 64-bit words kept as pairs of 32-bit cells of the work buffer.
inline uint64_t load64(const uint32_t* cells) {
  uint64_t v;
  std::memcpy(&v, cells, sizeof v);
  return v;
}
inline void store64(uint32_t* cells, uint64_t v) { std::memcpy(cells, &v, sizeof v); }

inline uint32_t block_count(uint32_t units) { return static_cast<uint32_t>((uint64_t{units} + 63) / 64); }

// Number of 32-bit cells the work buffer needs to serve sequences of up to side - 1
// units (bytes or words); linear in `side`.
std::size_t work_cells(uint32_t side);

// Byte edit distance with limit (0 = none); `work` has work_cells(side) cells with
// side > max(p, q).
uint32_t byte_distance(const unsigned char* a, uint32_t p, const unsigned char* b, uint32_t q, uint32_t limit,
                       uint32_t* work);

// Number of words in the first `n` bytes of `text`.
uint32_t count_words(const unsigned char* text, uint32_t n);

// Word edit distance with limit (0 = none); `work` has work_cells(side) cells with
// side > max(word counts).
uint32_t word_distance(const unsigned char* a, uint32_t la, const unsigned char* b, uint32_t lb, uint32_t limit,
                       uint32_t* work, uint32_t side);

// ---- the column engine --------------------------------------------------------------

// One column step for one 64-row block. `pv`/`mv` hold the vertical deltas of the
// block in the previous column (bit k: row k + 1 of the block is one more / one less
// than row k), `eq` marks the rows whose unit equals the column's unit, `hin` is the
// horizontal delta (-1, 0, +1) of the row just above the block. On return pv/mv hold
// the new column, `ph`/`mh` the horizontal deltas of the block's rows (bit k: row
// k + 1), and the result is the horizontal delta of the block's last row.
inline int step_block(uint64_t& pv, uint64_t& mv, uint64_t eq, int hin, uint64_t& ph, uint64_t& mh) {
  const uint64_t hin_minus = hin < 0 ? 1 : 0;
  const uint64_t hin_plus = hin > 0 ? 1 : 0;
  const uint64_t xv = eq | mv;
  eq |= hin_minus;
  const uint64_t xh = (((eq & pv) + pv) ^ pv) | eq;
  ph = mv | ~(xh | pv);
  mh = pv & xh;
  const int hout = static_cast<int>(ph >> 63) - static_cast<int>(mh >> 63);
  const uint64_t phs = (ph << 1) | hin_plus;
  const uint64_t mhs = (mh << 1) | hin_minus;
  pv = mhs | ~(xv | phs);
  mv = phs & xv;
  return hout;
}

inline int delta_bit(uint64_t plus, uint64_t minus, unsigned bit) {
  return static_cast<int>((plus >> bit) & 1) - static_cast<int>((minus >> bit) & 1);
}

// One column's walk down the blocks: its match cursor, the horizontal delta carried
// into the next block, the horizontal deltas of the last block stepped, and the
// change of the diagonal cell when the column's diagonal row lies in `diag_block`.
template <class Cursor>
struct ColumnWalk {
  Cursor cursor;
  uint32_t diag_block;  // ~0u: not followed
  unsigned diag_bit;
  int h = 1;  // row 0: D[0][j] - D[0][j-1]
  uint64_t ph = 0;
  uint64_t mh = 0;
  int diagonal = 0;

  // Steps block b (state at 4 cells per block) from the previous column to this one.
  void step(uint32_t* state, uint32_t b) {
    uint32_t* s = state + 4 * std::size_t{b};
    uint64_t pv = load64(s);
    uint64_t mv = load64(s + 2);
    if (b == diag_block) diagonal += delta_bit(pv, mv, diag_bit);
    h = step_block(pv, mv, cursor.next(), h, ph, mh);
    if (b == diag_block) diagonal += delta_bit(ph, mh, diag_bit);
    store64(s, pv);
    store64(s + 2, mv);
  }
};

// Walks the n columns of a pattern of m rows (1 <= m <= n) and returns D[m][n], or,
// with limit != 0, D[k][k] for the first k <= m where that exceeds the limit.
// `state` holds 4 * block_count(m) cells. `columns.match(j)` gives a cursor whose
// next() yields the match masks of column j (0-based) for blocks 0, 1, 2, ... in order.
//
// D[k][k] = D[k-1][k-1] + (D[k][k-1] - D[k-1][k-1]) + (D[k][k] - D[k][k-1]): the
// vertical delta of row k in column k-1 and the horizontal delta of row k in column
// k, both inside the block of row k, so the diagonal costs O(1) per column.
//
// Columns go in pairs, the second one block behind the first: block b of column j and
// block b - 1 of column j + 1 do not depend on each other, so the two carry chains
// overlap in the processor.
template <class Columns>
uint32_t run_columns(uint32_t m, uint32_t n, const Columns& columns, uint32_t limit, uint32_t* state) {
  using Walk = ColumnWalk<decltype(columns.match(0))>;
  const uint32_t blocks = block_count(m);
  for (uint32_t b = 0; b < blocks; ++b) {
    store64(state + 4 * std::size_t{b}, ~uint64_t{0});  // column 0: D[i][0] = i, every delta +1
    store64(state + 4 * std::size_t{b} + 2, 0);
  }
  const unsigned last_bit = (m - 1) & 63;
  const uint32_t tracked = limit != 0 ? m : 0;
  const auto walk = [&](uint32_t j) {
    // Row j + 1 (1-based) holds column j's diagonal cell.
    return j < tracked ? Walk{columns.match(j), j >> 6, j & 63u} : Walk{columns.match(j), ~0u, 0};
  };
  uint64_t score = m;     // D[m][j]
  uint64_t diagonal = 0;  // D[j][j]
  // Accounts one finished column; true when the early stop applies.
  const auto finish = [&](const Walk& w) {
    score += delta_bit(w.ph, w.mh, last_bit);
    diagonal += w.diagonal;
    return w.diag_block != ~0u && diagonal > limit;
  };

  uint32_t j = 0;
  for (; j + 1 < n; j += 2) {
    Walk first = walk(j);
    Walk second = walk(j + 1);
    first.step(state, 0);
    for (uint32_t b = 1; b < blocks; ++b) {
      first.step(state, b);
      second.step(state, b - 1);
    }
    second.step(state, blocks - 1);
    if (finish(first) || finish(second)) return static_cast<uint32_t>(diagonal);
  }
  if (j < n) {
    Walk last = walk(j);
    for (uint32_t b = 0; b < blocks; ++b) last.step(state, b);
    if (finish(last)) return static_cast<uint32_t>(diagonal);
  }
  return static_cast<uint32_t>(score);
}

// ---- the column engine without limit -------------------------------------------------

// One column step for one block with the horizontal delta of the row above the block
// as two 0/1 words (`hp`: +1, `hn`: -1, neither: 0), which is also how the delta of
// row `out_bit` + 1 of the block leaves. The same arithmetic as step_block, without
// converting the delta to and from an int or keeping the horizontal vectors.
inline void step_carry(uint64_t& pv, uint64_t& mv, uint64_t eq, uint64_t& hp, uint64_t& hn, unsigned out_bit) {
  const uint64_t xv = eq | mv;
  eq |= hn;
  const uint64_t xh = (((eq & pv) + pv) ^ pv) | eq;
  const uint64_t ph = mv | ~(xh | pv);
  const uint64_t mh = pv & xh;
  // hp and hn are 0 or 1 and the shifted words end in 0: adding them is or-ing them, in
  // one instruction where the processor can shift and add together.
  const uint64_t phs = (ph << 1) + hp;
  const uint64_t mhs = (mh << 1) + hn;
  hp = (ph >> out_bit) & 1;
  hn = (mh >> out_bit) & 1;
  pv = mhs | ~(xv | phs);
  mv = phs & xv;
}

// Block state in 4 cells per block: plus and minus vertical deltas.
struct BlockState {
  uint32_t* cells;
  void load(uint32_t b, uint64_t& pv, uint64_t& mv) const {
    pv = load64(cells + 4 * std::size_t{b});
    mv = load64(cells + 4 * std::size_t{b} + 2);
  }
  void store(uint32_t b, uint64_t pv, uint64_t mv) const {
    store64(cells + 4 * std::size_t{b}, pv);
    store64(cells + 4 * std::size_t{b} + 2, mv);
  }
  // Column 0 (D[i][0] = i): every vertical delta +1.
  void start(uint32_t b) const { store(b, ~uint64_t{0}, 0); }
};

// One block of one column through the state.
template <class Cursor>
inline void step_stored(const BlockState& st, uint32_t b, Cursor& c, uint64_t& hp, uint64_t& hn, unsigned out_bit) {
  uint64_t pv;
  uint64_t mv;
  st.load(b, pv, mv);
  step_carry(pv, mv, c.next(), hp, hn, out_bit);
  st.store(b, pv, mv);
}

// K columns stepped as a wavefront: at time t column k steps block t - k. Column k
// takes the block's vertical deltas straight from column k - 1, which stepped the same
// block at time t - 1, so the state is read once by the first column and written once
// by the last; the K carry chains do not depend on each other within a time step.
template <class Cursor, unsigned K>
struct Wavefront {
  Cursor cursor[K];
  uint64_t hp[K];
  uint64_t hn[K];
  uint64_t pv[K] = {};  // the deltas column k left for column k + 1
  uint64_t mv[K] = {};

  // Column k steps block b with the deltas of the column before it.
  void step(const BlockState& st, unsigned k, uint32_t b, unsigned out_bit) {
    uint64_t v;
    uint64_t w;
    if (k == 0) {
      st.load(b, v, w);
    } else {
      v = pv[k - 1];
      w = mv[k - 1];
    }
    step_carry(v, w, cursor[k].next(), hp[k], hn[k], out_bit);
    if (k + 1 == K) {
      st.store(b, v, w);
    } else {
      pv[k] = v;
      mv[k] = w;
    }
  }
  // Time t where every column has a block to step below the last one.
  void steady(const BlockState& st, uint32_t t) {
    for (unsigned k = K; k-- > 0;) step(st, k, t - k, 63);
  }
  // Any time t: columns whose block t - k lies outside 0..last stay put.
  void edge(const BlockState& st, uint32_t t, uint32_t last, unsigned last_bit) {
    for (unsigned k = K; k-- > 0;) {
      if (t < k || t - k > last) continue;
      step(st, k, t - k, t - k == last ? last_bit : 63);
    }
  }
};

// Columns j .. j + K - 1 over all blocks; returns the change of D[m][.] across them.
template <unsigned K, class Columns>
int64_t run_wavefront(const Columns& columns, uint32_t j, const BlockState& st, uint32_t last, unsigned last_bit) {
  Wavefront<decltype(columns.match(0)), K> w;
  for (unsigned k = 0; k < K; ++k) {
    w.cursor[k] = columns.match(j + k);
    w.hp[k] = 1;
    w.hn[k] = 0;
  }
  uint32_t t = 0;
  for (; t < K - 1; ++t) w.edge(st, t, last, last_bit);
  for (; t < last; ++t) w.steady(st, t);
  for (; t <= last + K - 1; ++t) w.edge(st, t, last, last_bit);
  int64_t change = 0;
  for (unsigned k = 0; k < K; ++k) change += static_cast<int64_t>(w.hp[k]) - static_cast<int64_t>(w.hn[k]);
  return change;
}

// D[m][n] for a pattern of m rows (1 <= m <= n) over n columns, as run_columns with
// no limit: no diagonal to follow, so each block step is the bare arithmetic. Columns
// go in groups of four as a wavefront.
template <class Columns>
uint32_t run_columns_unlimited(uint32_t m, uint32_t n, const Columns& columns, uint32_t* state) {
  const BlockState st{state};
  const uint32_t blocks = block_count(m);
  for (uint32_t b = 0; b < blocks; ++b) st.start(b);
  const unsigned last_bit = (m - 1) & 63;
  const uint32_t last = blocks - 1;
  int64_t score = m;
  uint32_t j = 0;
  for (; n - j >= 4; j += 4) score += run_wavefront<4>(columns, j, st, last, last_bit);
  if (n - j >= 2) {
    score += run_wavefront<2>(columns, j, st, last, last_bit);
    j += 2;
  }
  if (j < n) score += run_wavefront<1>(columns, j, st, last, last_bit);
  return static_cast<uint32_t>(score);
}

// Steps 1-4 of every edit distance: an empty first sequence, then the common prefix
// and suffix (units compared with `same(i, j)`), then an empty remainder. Otherwise
// calls `middle(a_begin, a_end, b_begin, b_end)` on the differing middle parts.
template <class Same, class Middle>
uint32_t strip_and_measure(uint32_t p, uint32_t q, const Same& same, const Middle& middle) {
  if (p == 0) return q;
  uint32_t lo = 0;
  while (lo < p && lo < q && same(lo, lo)) ++lo;
  if (lo == p) return q - lo;
  uint32_t ea = p;
  uint32_t eb = q;
  while (ea > lo && eb > lo && same(ea - 1, eb - 1)) {
    --ea;
    --eb;
  }
  if (ea == lo) return eb - lo;
  if (eb == lo) return ea - lo;
  return middle(lo, ea, lo, eb);
}

}  // namespace vorn::detail::similar

#endif  // VORN_SIMILAR_EDIT_DISTANCE_IMPL_H
