// Paired, interleaved timing of the library against a peer in one process.
//
// Each round times a batch of calls of both sides back to back, alternating which
// side goes first; the figure reported is the median over the rounds of each side's
// time per call and of the per-round ratio. Times are the thread's processor time, so
// that on a loaded machine the time slices given to other processes are not counted;
// what other processes still do to the caches disturbs both sides of a round alike,
// and the median drops the worst rounds.
#ifndef VORN_BENCH_PAIRED_H
#define VORN_BENCH_PAIRED_H

#include <time.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace vorn_bench {

// Keeps a result alive without the compiler seeing through it.
template <class T>
inline void keep(const T& value) {
  asm volatile("" : : "r,m"(value) : "memory");
}

// The calling thread's processor time in seconds.
inline double thread_seconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

inline double seconds_since(double start) { return thread_seconds() - start; }

// Turns one call `op()` into a batch timer: seconds for `n` calls.
template <class Op>
auto batch_of(Op op) {
  return [op](size_t n) mutable {
    const double start = thread_seconds();
    for (size_t i = 0; i < n; ++i) keep(op());
    return seconds_since(start);
  };
}

inline double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const size_t h = v.size() / 2;
  return v.size() % 2 ? v[h] : (v[h - 1] + v[h]) / 2;
}

// Rounds from the environment (VORN_BENCH_ROUNDS), default `fallback`.
inline int rounds_or(int fallback) {
  const char* s = std::getenv("VORN_BENCH_ROUNDS");
  const int r = s != nullptr ? std::atoi(s) : 0;
  return r > 0 ? r : fallback;
}

// Prints one line: label, median ns per call of ours and the peer, median ratio.
// `ours` and `peer` take a call count and return the seconds those calls took.
template <class Ours, class Peer>
double run_paired(const char* label, Ours ours, Peer peer, int rounds = rounds_or(11), double batch_seconds = 0.05) {
  size_t n = 1;
  while (ours(n) < batch_seconds / 4 && n < (size_t{1} << 30)) n *= 2;
  peer(n);  // warm both sides once
  std::vector<double> t_ours, t_peer, ratio;
  for (int r = 0; r < rounds; ++r) {
    double a;
    double b;
    if (r % 2 == 0) {
      a = ours(n);
      b = peer(n);
    } else {
      b = peer(n);
      a = ours(n);
    }
    t_ours.push_back(a / n * 1e9);
    t_peer.push_back(b / n * 1e9);
    ratio.push_back(a / b);
  }
  const double rm = median(ratio);
  std::printf("%-28s ours %12.1f ns  peer %12.1f ns  ours/peer %5.2f  (median of %d rounds, %zu calls each)\n", label,
              median(t_ours), median(t_peer), rm, rounds, n);
  std::fflush(stdout);
  return rm;
}

}  // namespace vorn_bench

#endif  // VORN_BENCH_PAIRED_H
