// StrUtf8ToUnicode and StrUnicodeToUtf8 against their peers, in the same run:
//  - ICU with a converter opened and closed on every call (what the library does),
//  - ICU with one converter kept open,
//  - the C library's iconv with one descriptor kept open.
// The text mixes ASCII and Chinese; the argument is its size in UTF-8 bytes.
#include <benchmark/benchmark.h>
#include <iconv.h>

#include <string>
#include <vector>

#include "charset/icu_convert_impl.h"
#include "vorn/charset.h"

namespace {

/// UTF-8 text of at most `bytes` bytes, cut at a character boundary, and its UTF-16 form.
struct Text {
  std::string utf8;
  std::vector<unsigned short> utf16;  // zero-terminated
};

const Text& TextOf(int64_t bytes) {
  static std::vector<std::pair<int64_t, Text>> cache;
  for (auto& [size, text] : cache) {
    if (size == bytes) return text;
  }
  const std::string piece = "Update 2026: \xE4\xB8\xAD\xE6\x96\x87\xE6\xB5\x8B\xE8\xAF\x95 text, ";
  Text t;
  while (t.utf8.size() < static_cast<size_t>(bytes)) t.utf8 += piece;
  size_t cut = static_cast<size_t>(bytes);
  while ((static_cast<unsigned char>(t.utf8[cut]) & 0xC0) == 0x80) --cut;
  t.utf8.resize(cut);
  t.utf16.resize(t.utf8.size() + 1);
  StrUtf8ToUnicode(t.utf16.data(), static_cast<uint32_t>(t.utf16.size()), t.utf8.c_str(), -1);
  cache.emplace_back(bytes, std::move(t));
  return cache.back().second;
}

void Sizes(benchmark::internal::Benchmark* b) { b->Arg(16)->Arg(1024)->Arg(1 << 20); }

// ---- UTF-8 to UTF-16 ----------------------------------------------------------------

void Utf8ToUtf16_Library(benchmark::State& state) {
  const Text& t = TextOf(state.range(0));
  std::vector<unsigned short> out(t.utf8.size() + 1);
  for (auto _ : state) {
    benchmark::DoNotOptimize(StrUtf8ToUnicode(out.data(), static_cast<uint32_t>(out.size()), t.utf8.c_str(), -1));
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(t.utf8.size()));
}

void Utf8ToUtf16_IcuOpenPerCall(benchmark::State& state) {
  const Text& t = TextOf(state.range(0));
  std::vector<unsigned short> out(t.utf8.size() + 1);
  for (auto _ : state) {
    UErrorCode status = U_ZERO_ERROR;
    UConverter* cnv = ucnv_open("UTF8", &status);
    benchmark::DoNotOptimize(
        ucnv_toUChars(cnv, out.data(), static_cast<int32_t>(out.size()), t.utf8.c_str(), -1, &status));
    ucnv_close(cnv);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(t.utf8.size()));
}

void Utf8ToUtf16_IcuKeptOpen(benchmark::State& state) {
  const Text& t = TextOf(state.range(0));
  std::vector<unsigned short> out(t.utf8.size() + 1);
  UErrorCode status = U_ZERO_ERROR;
  UConverter* cnv = ucnv_open("UTF8", &status);
  for (auto _ : state) {
    status = U_ZERO_ERROR;
    benchmark::DoNotOptimize(
        ucnv_toUChars(cnv, out.data(), static_cast<int32_t>(out.size()), t.utf8.c_str(), -1, &status));
  }
  ucnv_close(cnv);
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(t.utf8.size()));
}

/// iconv over a whole text with a descriptor kept open; returns the bytes written.
size_t RunIconv(iconv_t cd, const char* src, size_t src_bytes, char* dest, size_t dest_bytes) {
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char* in = const_cast<char*>(src);
  char* out = dest;
  iconv(cd, &in, &src_bytes, &out, &dest_bytes);
  return static_cast<size_t>(out - dest);
}

void Utf8ToUtf16_Iconv(benchmark::State& state) {
  const Text& t = TextOf(state.range(0));
  std::vector<unsigned short> out(t.utf8.size() + 1);
  iconv_t cd = iconv_open("UTF-16LE", "UTF-8");
  for (auto _ : state) {
    benchmark::DoNotOptimize(RunIconv(cd, t.utf8.data(), t.utf8.size(), reinterpret_cast<char*>(out.data()),
                                      out.size() * sizeof(unsigned short)));
  }
  iconv_close(cd);
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(t.utf8.size()));
}

// ---- UTF-16 to UTF-8 ----------------------------------------------------------------

void Utf16ToUtf8_Library(benchmark::State& state) {
  const Text& t = TextOf(state.range(0));
  std::string out(t.utf8.size() + 1, '\0');
  for (auto _ : state) {
    benchmark::DoNotOptimize(StrUnicodeToUtf8(out.data(), static_cast<uint32_t>(out.size()), t.utf16.data()));
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(t.utf8.size()));
}

void Utf16ToUtf8_IcuOpenPerCall(benchmark::State& state) {
  const Text& t = TextOf(state.range(0));
  std::string out(t.utf8.size() + 1, '\0');
  for (auto _ : state) {
    UErrorCode status = U_ZERO_ERROR;
    UConverter* cnv = ucnv_open("UTF8", &status);
    benchmark::DoNotOptimize(
        ucnv_fromUChars(cnv, out.data(), static_cast<int32_t>(out.size()), t.utf16.data(), -1, &status));
    ucnv_close(cnv);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(t.utf8.size()));
}

void Utf16ToUtf8_IcuKeptOpen(benchmark::State& state) {
  const Text& t = TextOf(state.range(0));
  std::string out(t.utf8.size() + 1, '\0');
  UErrorCode status = U_ZERO_ERROR;
  UConverter* cnv = ucnv_open("UTF8", &status);
  for (auto _ : state) {
    status = U_ZERO_ERROR;
    benchmark::DoNotOptimize(
        ucnv_fromUChars(cnv, out.data(), static_cast<int32_t>(out.size()), t.utf16.data(), -1, &status));
  }
  ucnv_close(cnv);
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(t.utf8.size()));
}

void Utf16ToUtf8_Iconv(benchmark::State& state) {
  const Text& t = TextOf(state.range(0));
  std::string out(t.utf8.size() + 1, '\0');
  iconv_t cd = iconv_open("UTF-8", "UTF-16LE");
  const size_t units = t.utf16.size() - 1;
  for (auto _ : state) {
    benchmark::DoNotOptimize(RunIconv(cd, reinterpret_cast<const char*>(t.utf16.data()),
                                      units * sizeof(unsigned short), out.data(), out.size()));
  }
  iconv_close(cd);
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(t.utf8.size()));
}

BENCHMARK(Utf8ToUtf16_Library)->Apply(Sizes);
BENCHMARK(Utf8ToUtf16_IcuOpenPerCall)->Apply(Sizes);
BENCHMARK(Utf8ToUtf16_IcuKeptOpen)->Apply(Sizes);
BENCHMARK(Utf8ToUtf16_Iconv)->Apply(Sizes);
BENCHMARK(Utf16ToUtf8_Library)->Apply(Sizes);
BENCHMARK(Utf16ToUtf8_IcuOpenPerCall)->Apply(Sizes);
BENCHMARK(Utf16ToUtf8_IcuKeptOpen)->Apply(Sizes);
BENCHMARK(Utf16ToUtf8_Iconv)->Apply(Sizes);

}  // namespace
