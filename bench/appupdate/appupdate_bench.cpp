// ParseAppUpdateInfo against its peer, RapidXML's parse alone of the same text (a copy
// of the text parsed in place into a fresh document), in the same run.
#include <benchmark/benchmark.h>
#include <rapidxml/rapidxml.hpp>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "appupdate/appupdate_impl.h"
#include "vorn/appupdate.h"

namespace {

std::vector<unsigned short> Wide(const std::string& ascii) {
  std::vector<unsigned short> units(ascii.begin(), ascii.end());
  units.push_back(0);
  return units;
}

struct Case {
  std::string text;
  std::vector<std::vector<unsigned short>> strings;
  std::vector<tnoticeLocal> locals;
  tnoticeLocalList list{0, nullptr};

  void AddLocal(const std::string& name, const std::string& version, int32_t is_text) {
    strings.push_back(Wide(name));
    strings.push_back(Wide(version));
    locals.push_back({nullptr, nullptr, nullptr, is_text});
  }
  void Finish() {
    for (size_t i = 0; i < locals.size(); ++i) {
      locals[i].name = strings[2 * i].data();
      locals[i].version = strings[2 * i + 1].data();
    }
    list = {static_cast<int32_t>(locals.size()), locals.data()};
  }
};

const Case& WorkedExample() {
  static const Case c = [] {
    Case w;
    w.text = vorn::detail::appupdate::kReferenceDocument;
    w.AddLocal("main", "1.0", 0);
    w.AddLocal("componet2", "4576edac", 1);
    w.AddLocal("componet2_3", "3.2.4.5", 0);
    w.AddLocal("componet3_1", "1.2.4.5", 0);
    w.AddLocal("file2", "23aed3", 1);
    w.Finish();
    return w;
  }();
  return c;
}

// 100 groups of 100 components, each with six attributes. The caller knows every
// tenth component; half of those are out of date. `caption` is the caption text.
Case Generated(const std::string& caption) {
  Case g;
  g.text = "<?xml version='1.0' encoding='utf-8' ?>\n";
  for (int group = 0; group < 100; ++group) {
    g.text += "<group" + std::to_string(group) + " caption='group'>\n";
    for (int i = 0; i < 100; ++i) {
      const std::string name = "component_" + std::to_string(group) + "_" + std::to_string(i);
      g.text += "  <" + name + " version='2." + std::to_string(i % 10) + ".3.4' caption='" + caption + "' filename='" +
                name + ".dll' link='https://example.invalid/" + name +
                ".zip' rlpath='SYSTEMP' upmethod='silentdown'/>\n";
      if (i % 10 == 0) g.AddLocal(name, (i % 20 == 0) ? "1.0" : "9.0", 0);
    }
    g.text += "</group" + std::to_string(group) + ">\n";
  }
  g.Finish();
  return g;
}

const Case& Generated10k() {
  static const Case c = Generated("Component caption");
  return c;
}

const Case& Generated10kUtf8() {
  static const Case c = Generated(
      "Komponente \xC3\xBC"
      "ber \xE7\xBB\x84\xE4\xBB\xB6");
  return c;
}

void ParseOnce(const Case& c) {
  tnoticeItemList* list = ParseAppUpdateInfo(c.text.c_str(), 0, &c.list);
  benchmark::DoNotOptimize(list);
  ParseAppUpdateInfo_free(list);
}

void RapidXmlOnce(const Case& c) {
  const size_t n = std::strlen(c.text.c_str());
  std::unique_ptr<char[]> copy(new char[n + 1]);
  std::memcpy(copy.get(), c.text.c_str(), n + 1);
  auto document = std::make_unique<rapidxml::xml_document<char>>();
  document->parse<0>(copy.get());
  benchmark::DoNotOptimize(document->first_node());
}

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
