// ParseAppUpdateInfo against its peer, RapidXML's parse alone of the same text (a copy
// of the text parsed in place into a fresh document), in the same run.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>

#include "appupdate_cases.h"

namespace {

using namespace vorn_bench_appupdate;

void ParseOnce(const Case& c) { benchmark::DoNotOptimize(ParseAndFree(c)); }

void RapidXmlOnce(const Case& c) { benchmark::DoNotOptimize(CopyAndParseWithRapidXml(c)); }

void RunParser(benchmark::State& state, const Case& c) {
  for (auto _ : state) ParseOnce(c);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * c.text.size()));
}

void RunRapidXml(benchmark::State& state, const Case& c) {
  for (auto _ : state) RapidXmlOnce(c);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * c.text.size()));
}

// Both calls alternately in one loop, each timed on its own; the fastest round of each
// is kept. On a shared machine this ratio is far steadier than one of two separate runs.
void RunPaired(benchmark::State& state, const Case& c) {
  using Clock = std::chrono::steady_clock;
  double best_ours = 1e30;
  double best_peer = 1e30;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    ParseOnce(c);
    const auto t1 = Clock::now();
    RapidXmlOnce(c);
    const auto t2 = Clock::now();
    best_ours = std::min(best_ours, std::chrono::duration<double, std::micro>(t1 - t0).count());
    best_peer = std::min(best_peer, std::chrono::duration<double, std::micro>(t2 - t1).count());
  }
  state.counters["ours_us"] = best_ours;
  state.counters["rapidxml_us"] = best_peer;
  state.counters["ratio"] = best_ours / best_peer;
}

void BM_Example_ParseAppUpdateInfo(benchmark::State& s) { RunParser(s, WorkedExample()); }
void BM_Example_RapidXmlParseOnly(benchmark::State& s) { RunRapidXml(s, WorkedExample()); }
void BM_10k_ParseAppUpdateInfo(benchmark::State& s) { RunParser(s, Generated10k()); }
void BM_10k_RapidXmlParseOnly(benchmark::State& s) { RunRapidXml(s, Generated10k()); }
void BM_10kUtf8Captions_ParseAppUpdateInfo(benchmark::State& s) { RunParser(s, Generated10kUtf8()); }
void BM_10kUtf8Captions_RapidXmlParseOnly(benchmark::State& s) { RunRapidXml(s, Generated10kUtf8()); }

void BM_Example_Paired(benchmark::State& s) { RunPaired(s, WorkedExample()); }
void BM_10k_Paired(benchmark::State& s) { RunPaired(s, Generated10k()); }
void BM_10kUtf8Captions_Paired(benchmark::State& s) { RunPaired(s, Generated10kUtf8()); }

BENCHMARK(BM_Example_ParseAppUpdateInfo);
BENCHMARK(BM_Example_RapidXmlParseOnly);
BENCHMARK(BM_10k_ParseAppUpdateInfo)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_10k_RapidXmlParseOnly)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_10kUtf8Captions_ParseAppUpdateInfo)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_10kUtf8Captions_RapidXmlParseOnly)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Example_Paired);
BENCHMARK(BM_10k_Paired)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_10kUtf8Captions_Paired)->Unit(benchmark::kMicrosecond);

}  // namespace
