// The library's formatter against glibc snprintf (into a std::string) and {fmt}
// (fmt::format), each doing the same job in the same run. Names end in /vorn,
// /vorn_sprintf, /snprintf and /fmt; ratios.py turns a JSON run into ratios.
#include <benchmark/benchmark.h>
#include <fmt/format.h>

#include <cstdarg>
#include <cstdio>
#include <string>

#include "format/sprintf.h"
#include "vorn/format.h"
#include "vorn/strings.h"

namespace {

char* VornFormat(const char* format, ...) {
  va_list args;
  va_start(args, format);
  char* block = vorn::detail::format::SprintfBufferA(format, &args);
  va_end(args);
  return block;
}

std::string SnprintfFormat(const char* format, ...) {
  char buffer[2048];
  va_list args;
  va_start(args, format);
  const int n = vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  return std::string(buffer, n < 0 ? 0 : static_cast<size_t>(n));
}

const std::string& Kilobyte() {
  static const std::string text = std::string(500, 'a') + "%s" + std::string(522, 'b');
  return text;
}
const std::string& KilobyteBraces() {
  static const std::string text = std::string(500, 'a') + "{}" + std::string(522, 'b');
  return text;
}
const char* QuoteSource() {
  static const std::string text = [] {
    std::string t;
    while (t.size() < 100) t += "it's a 'quoted' text ";
    return t.substr(0, 100);
  }();
  return text.c_str();
}

// The peers' share of %q: double the single quotes into a buffer.
const char* DoubleQuotes(const char* text, char* out) {
  char* p = out;
  for (; *text != 0; ++text) {
    if (*text == '\'') *p++ = '\'';
    *p++ = *text;
  }
  *p = 0;
  return out;
}

template <class Make>
void RunBlocks(benchmark::State& state, Make make) {
  for (auto _ : state) {
    char* block = make();
    benchmark::DoNotOptimize(block);
    delete[] block;
  }
}

template <class Make>
void RunStrings(benchmark::State& state, Make make) {
  for (auto _ : state) {
    std::string s = make();
    benchmark::DoNotOptimize(s.data());
  }
}

// Four figures per case: the engine's driver (SprintfBufferA), TStringA::Sprintf on a
// reused string, snprintf into a std::string, and fmt::format.
#define VORN_CASE(name, vorn_args, fmt_call)                                        \
  void name##_vorn(benchmark::State& state) {                                       \
    RunBlocks(state, [] { return VornFormat vorn_args; });                          \
  }                                                                                 \
  void name##_vorn_sprintf(benchmark::State& state) {                               \
    TStringA s;                                                                     \
    for (auto _ : state) benchmark::DoNotOptimize(s.Sprintf vorn_args.GetBuffer()); \
  }                                                                                 \
  void name##_snprintf(benchmark::State& state) {                                   \
    RunStrings(state, [] { return SnprintfFormat vorn_args; });                     \
  }                                                                                 \
  void name##_fmt(benchmark::State& state) {                                        \
    RunStrings(state, [] { return fmt_call; });                                     \
  }                                                                                 \
  BENCHMARK(name##_vorn)->Name(#name "/vorn");                                      \
  BENCHMARK(name##_vorn_sprintf)->Name(#name "/vorn_sprintf");                      \
  BENCHMARK(name##_snprintf)->Name(#name "/snprintf");                              \
  BENCHMARK(name##_fmt)->Name(#name "/fmt")

int value = 123456;  // not constant, so no call folds it
double real = 3.14159265;

VORN_CASE(int_d, ("%d", value), fmt::format("{}", value));
VORN_CASE(str_eq_int, ("%s=%d", "retries", value), fmt::format("{}={}", "retries", value));
VORN_CASE(hex_08x, ("%08x", value), fmt::format("{:08x}", value));
VORN_CASE(float_3f, ("%.3f", real), fmt::format("{:.3f}", real));
VORN_CASE(float_g, ("%g", real), fmt::format("{:g}", real));
VORN_CASE(log_header, ("[%s-%s(%d-%d) %02d:%02d:%02d]:%s", "I", "appname", 4242, value, 9, 5, 7, "a log message"),
          fmt::format("[{}-{}({}-{}) {:02}:{:02}:{:02}]:{}", "I", "appname", 4242, value, 9, 5, 7, "a log message"));
VORN_CASE(kilobyte_s, (Kilobyte().c_str(), "inserted"), fmt::format(fmt::runtime(KilobyteBraces()), "inserted"));

// %q against the same quote doubling done by hand before snprintf / fmt::format.
void quote_q_vorn(benchmark::State& state) {
  RunBlocks(state, [] { return VornFormat("%q", QuoteSource()); });
}
void quote_q_vorn_sprintf(benchmark::State& state) {
  TStringA s;
  for (auto _ : state) benchmark::DoNotOptimize(s.Sprintf("%q", QuoteSource()).GetBuffer());
}
void quote_q_snprintf(benchmark::State& state) {
  RunStrings(state, [] {
    char doubled[256];
    return SnprintfFormat("%s", DoubleQuotes(QuoteSource(), doubled));
  });
}
void quote_q_fmt(benchmark::State& state) {
  RunStrings(state, [] {
    char doubled[256];
    return fmt::format("{}", DoubleQuotes(QuoteSource(), doubled));
  });
}
BENCHMARK(quote_q_vorn)->Name("quote_q/vorn");
BENCHMARK(quote_q_vorn_sprintf)->Name("quote_q/vorn_sprintf");
BENCHMARK(quote_q_snprintf)->Name("quote_q/snprintf");
BENCHMARK(quote_q_fmt)->Name("quote_q/fmt");

// The length estimate of the kilobyte case against the peers' own measure of the same
// text: snprintf into no buffer and fmt::formatted_size.
uint32_t VornLength(const char* format, ...) {
  va_list args;
  va_start(args, format);
  const uint32_t n = GetSprintfLenA_Reserved(format, args);
  va_end(args);
  return n;
}
int SnprintfLength(const char* format, ...) {
  va_list args;
  va_start(args, format);
  const int n = vsnprintf(nullptr, 0, format, args);
  va_end(args);
  return n;
}
void kilobyte_len_vorn(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(VornLength(Kilobyte().c_str(), "inserted"));
}
void kilobyte_len_snprintf(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(SnprintfLength(Kilobyte().c_str(), "inserted"));
}
void kilobyte_len_fmt(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(fmt::formatted_size(fmt::runtime(KilobyteBraces()), "inserted"));
}
BENCHMARK(kilobyte_len_vorn)->Name("kilobyte_len/vorn");
BENCHMARK(kilobyte_len_snprintf)->Name("kilobyte_len/snprintf");
BENCHMARK(kilobyte_len_fmt)->Name("kilobyte_len/fmt");

}  // namespace
