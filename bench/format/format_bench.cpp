// The library's formatter against glibc snprintf (into a std::string) and {fmt}
// (fmt::format), each doing the same job in the same run. Names end in /vorn,
// /snprintf and /fmt; compare the three figures of one case.
#include <benchmark/benchmark.h>
#include <fmt/format.h>

#include <cstdarg>
#include <cstdio>
#include <string>

#include "format/sprintf_impl.h"

namespace {

char* VornFormat(const char* format, ...) {
  va_list args;
  va_start(args, format);
  char* block = vorn::detail::SprintfBufferA(format, &args);
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

#define VORN_CASE(name, vorn_call, snprintf_call, fmt_call)  \
  void name##_vorn(benchmark::State& state) {                \
    for (auto _ : state) {                                   \
      char* block = vorn_call;                               \
      benchmark::DoNotOptimize(block);                       \
      delete[] block;                                        \
    }                                                        \
  }                                                          \
  void name##_snprintf(benchmark::State& state) {            \
    for (auto _ : state) {                                   \
      std::string s = snprintf_call;                         \
      benchmark::DoNotOptimize(s.data());                    \
    }                                                        \
  }                                                          \
  void name##_fmt(benchmark::State& state) {                 \
    for (auto _ : state) {                                   \
      std::string s = fmt_call;                              \
      benchmark::DoNotOptimize(s.data());                    \
    }                                                        \
  }                                                          \
  BENCHMARK(name##_vorn)->Name(#name "/vorn");               \
  BENCHMARK(name##_snprintf)->Name(#name "/snprintf");       \
  BENCHMARK(name##_fmt)->Name(#name "/fmt")

int value = 123456;  // not constant, so no call folds it
double real = 3.14159265;

VORN_CASE(int_d, VornFormat("%d", value), SnprintfFormat("%d", value), fmt::format("{}", value));
VORN_CASE(str_eq_int, VornFormat("%s=%d", "retries", value), SnprintfFormat("%s=%d", "retries", value),
          fmt::format("{}={}", "retries", value));
VORN_CASE(hex_08x, VornFormat("%08x", value), SnprintfFormat("%08x", value), fmt::format("{:08x}", value));
VORN_CASE(float_3f, VornFormat("%.3f", real), SnprintfFormat("%.3f", real), fmt::format("{:.3f}", real));
VORN_CASE(float_g, VornFormat("%g", real), SnprintfFormat("%g", real), fmt::format("{:g}", real));
VORN_CASE(log_header,
          VornFormat("[%s-%s(%d-%d) %02d:%02d:%02d]:%s", "I", "appname", 4242, value, 9, 5, 7, "a log message"),
          SnprintfFormat("[%s-%s(%d-%d) %02d:%02d:%02d]:%s", "I", "appname", 4242, value, 9, 5, 7, "a log message"),
          fmt::format("[{}-{}({}-{}) {:02}:{:02}:{:02}]:{}", "I", "appname", 4242, value, 9, 5, 7, "a log message"));
VORN_CASE(kilobyte_s, VornFormat(Kilobyte().c_str(), "inserted"), SnprintfFormat(Kilobyte().c_str(), "inserted"),
          fmt::format(fmt::runtime(KilobyteBraces()), "inserted"));

void quote_q_vorn(benchmark::State& state) {
  for (auto _ : state) {
    char* block = VornFormat("%q", QuoteSource());
    benchmark::DoNotOptimize(block);
    delete[] block;
  }
}
void quote_q_snprintf(benchmark::State& state) {
  char doubled[256];
  for (auto _ : state) {
    std::string s = SnprintfFormat("%s", DoubleQuotes(QuoteSource(), doubled));
    benchmark::DoNotOptimize(s.data());
  }
}
void quote_q_fmt(benchmark::State& state) {
  char doubled[256];
  for (auto _ : state) {
    std::string s = fmt::format("{}", DoubleQuotes(QuoteSource(), doubled));
    benchmark::DoNotOptimize(s.data());
  }
}
BENCHMARK(quote_q_vorn)->Name("quote_q/vorn");
BENCHMARK(quote_q_snprintf)->Name("quote_q/snprintf");
BENCHMARK(quote_q_fmt)->Name("quote_q/fmt");

}  // namespace
