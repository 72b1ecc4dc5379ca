// TStringA and TWideString against std::string and std::u16string: appending one
// character at a time, searching, replace-all and hashing.
//
// The string classes store no length, so AppendChar counts the text on every call:
// appending to one ever-longer string is quadratic. The append benchmarks therefore
// make 10^6 appends in strings of a bounded length (the argument), cleared between.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <string_view>
#include <type_traits>

#include "vorn/strings.h"

namespace {

constexpr int kAppends = 1000000;
constexpr size_t kSearchText = 64 * 1024;
constexpr size_t kReplaceText = 1024 * 1024;
constexpr size_t kHashText = 64 * 1024;

// Lowercase letters and spaces from a fixed seed; `needle` every `every` bytes when
// `every` is not 0, else once at the end.
std::string sample_text(size_t size, const std::string& needle, size_t every) {
  std::mt19937 random(12345);
  std::string text;
  text.reserve(size + needle.size());
  while (text.size() + needle.size() < size) {
    if (every != 0 && text.size() % every == 0) text += needle;
    const auto r = random() % 27;
    text.push_back(r == 26 ? ' ' : static_cast<char>('a' + r));
  }
  if (every == 0) text += needle;
  return text;
}

std::u16string widen(const std::string& text) { return std::u16string(text.begin(), text.end()); }

const unsigned short* units(const std::u16string& text) {
  return reinterpret_cast<const unsigned short*>(text.c_str());
}

// ---- appending one character ------------------------------------------------------

template <class Unit, class S>
void append_one(S& s, Unit c) {
  if constexpr (std::is_same_v<S, TStringA> || std::is_same_v<S, TWideString>) {
    s.AppendChar(c);
  } else {
    s.push_back(c);
  }
}

// 10^6 single-character appends (AppendChar or push_back) in strings of the
// argument's length, cleared in between.
template <class S, class Unit>
void BM_AppendOne(benchmark::State& state) {
  const auto length = static_cast<int>(state.range(0));
  S s;
  for (auto _ : state) {
    for (int done = 0; done < kAppends; done += length) {
      s.Clear();
      for (int i = 0; i < length; ++i) append_one<Unit>(s, static_cast<Unit>('a' + i % 26));
    }
    benchmark::DoNotOptimize(s.GetBuffer());
  }
  state.SetItemsProcessed(state.iterations() * kAppends);
}

// The standard strings under the names the benchmark uses.
template <class Unit>
struct StdText : std::basic_string<Unit> {
  void Clear() { this->clear(); }
  const Unit* GetBuffer() const { return this->data(); }
};

BENCHMARK_TEMPLATE(BM_AppendOne, TStringA, char)->Arg(16)->Arg(256)->Arg(4096)->Arg(65536);
BENCHMARK_TEMPLATE(BM_AppendOne, StdText<char>, char)->Arg(16)->Arg(256)->Arg(4096)->Arg(65536);
BENCHMARK_TEMPLATE(BM_AppendOne, TWideString, unsigned short)->Arg(16)->Arg(256)->Arg(4096);
BENCHMARK_TEMPLATE(BM_AppendOne, StdText<char16_t>, char16_t)->Arg(16)->Arg(256)->Arg(4096);

// ---- searching ----------------------------------------------------------------------

const std::string& search_text() {
  static const std::string text = sample_text(kSearchText, "needle#", 0);
  return text;
}

void BM_TStringA_PosSubStr(benchmark::State& state) {
  const TStringA s(search_text().c_str());
  for (auto _ : state) benchmark::DoNotOptimize(s.PosSubStr("needle"));
  state.SetBytesProcessed(state.iterations() * kSearchText);
}

void BM_TStringA_find(benchmark::State& state) {
  const TStringA s(search_text().c_str());
  for (auto _ : state) benchmark::DoNotOptimize(s.find('#'));
  state.SetBytesProcessed(state.iterations() * kSearchText);
}

void BM_StdString_find_text(benchmark::State& state) {
  const std::string s = search_text();
  for (auto _ : state) benchmark::DoNotOptimize(s.find("needle"));
  state.SetBytesProcessed(state.iterations() * kSearchText);
}

void BM_StdString_find_char(benchmark::State& state) {
  const std::string s = search_text();
  for (auto _ : state) benchmark::DoNotOptimize(s.find('#'));
  state.SetBytesProcessed(state.iterations() * kSearchText);
}

void BM_TWideString_PosSubStr(benchmark::State& state) {
  const std::u16string text = widen(search_text());
  const TWideString s(units(text));
  const std::u16string needle = u"needle";
  const TWideString n(units(needle));
  for (auto _ : state) benchmark::DoNotOptimize(s.PosSubStr(n));
  state.SetBytesProcessed(state.iterations() * kSearchText * 2);
}

void BM_U16String_find_text(benchmark::State& state) {
  const std::u16string s = widen(search_text());
  for (auto _ : state) benchmark::DoNotOptimize(s.find(u"needle"));
  state.SetBytesProcessed(state.iterations() * kSearchText * 2);
}

BENCHMARK(BM_TStringA_PosSubStr);
BENCHMARK(BM_StdString_find_text);
BENCHMARK(BM_TStringA_find);
BENCHMARK(BM_StdString_find_char);
BENCHMARK(BM_TWideString_PosSubStr);
BENCHMARK(BM_U16String_find_text);

// ---- replace-all on 1 MB ----------------------------------------------------------------

const std::string& replace_text() {
  static const std::string text = sample_text(kReplaceText, "needle", 97);
  return text;
}

// Argument 0 replaces by a shorter text, 1 by a longer one.
const char* replacement(const benchmark::State& state) { return state.range(0) == 0 ? "pin" : "needles!"; }

void BM_TStringA_ReplaceStr(benchmark::State& state) {
  const std::string& original = replace_text();
  const char* to = replacement(state);
  TStringA s;
  for (auto _ : state) {
    s = original.c_str();
    s.ReplaceStr("needle", to);
    benchmark::DoNotOptimize(s.GetBuffer());
  }
  state.SetBytesProcessed(state.iterations() * kReplaceText);
}

void BM_StdString_ReplaceAll(benchmark::State& state) {
  const std::string& original = replace_text();
  const std::string from = "needle";
  const std::string to = replacement(state);
  std::string s;
  for (auto _ : state) {
    s = original;
    std::string out;
    size_t scan = 0;
    for (size_t hit; (hit = s.find(from, scan)) != std::string::npos; scan = hit + from.size()) {
      out.append(s, scan, hit - scan);
      out.append(to);
    }
    out.append(s, scan, std::string::npos);
    s.swap(out);
    benchmark::DoNotOptimize(s.data());
  }
  state.SetBytesProcessed(state.iterations() * kReplaceText);
}

BENCHMARK(BM_TStringA_ReplaceStr)->Arg(0)->Arg(1);
BENCHMARK(BM_StdString_ReplaceAll)->Arg(0)->Arg(1);

// ---- hashing ------------------------------------------------------------------------------

void BM_TStringA_hashValue(benchmark::State& state) {
  const TStringA s(sample_text(kHashText, "", 0).c_str());
  for (auto _ : state) benchmark::DoNotOptimize(s.hashValue());
  state.SetBytesProcessed(state.iterations() * kHashText);
}

void BM_StdHash_string_view(benchmark::State& state) {
  const std::string s = sample_text(kHashText, "", 0);
  for (auto _ : state) benchmark::DoNotOptimize(std::hash<std::string_view>()(s));
  state.SetBytesProcessed(state.iterations() * kHashText);
}

void BM_TWideString_hashValue(benchmark::State& state) {
  const std::u16string text = widen(sample_text(kHashText, "", 0));
  const TWideString s(units(text));
  for (auto _ : state) benchmark::DoNotOptimize(s.hashValue());
  state.SetBytesProcessed(state.iterations() * kHashText * 2);
}

void BM_StdHash_u16string_view(benchmark::State& state) {
  const std::u16string s = widen(sample_text(kHashText, "", 0));
  for (auto _ : state) benchmark::DoNotOptimize(std::hash<std::u16string_view>()(s));
  state.SetBytesProcessed(state.iterations() * kHashText * 2);
}

BENCHMARK(BM_TStringA_hashValue);
BENCHMARK(BM_StdHash_string_view);
BENCHMARK(BM_TWideString_hashValue);
BENCHMARK(BM_StdHash_u16string_view);

}  // namespace
