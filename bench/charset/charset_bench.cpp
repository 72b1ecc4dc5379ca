// StrUtf8ToUnicode and StrUnicodeToUtf8 against their peers, in the same run:
//  - ICU with a converter opened and closed on every call (what the library does),
//  - ICU with one converter kept open,
//  - the C library's iconv with one descriptor kept open.
// The text mixes ASCII and Chinese; the argument is its size in UTF-8 bytes, and
// both directions convert the same characters.
#include <benchmark/benchmark.h>
#include <iconv.h>

#include <string>
#include <vector>

#include "charset/icu_convert_impl.h"
#include "vorn/charset.h"

namespace {

/// UTF-8 text of at most `bytes` bytes, cut at a character boundary, and its UTF-16 form.
struct Text {
  std::vector<char> utf8;             // zero-terminated
  std::vector<unsigned short> utf16;  // zero-terminated
};

const Text& TextOf(int64_t bytes) {
  static std::vector<std::pair<int64_t, Text>> cache;
  for (auto& [size, text] : cache) {
    if (size == bytes) return text;
  }
  const std::string piece = "Update 2026: \xE4\xB8\xAD\xE6\x96\x87\xE6\xB5\x8B\xE8\xAF\x95 text, ";
  std::string s;
  while (s.size() < static_cast<size_t>(bytes)) s += piece;
  size_t cut = static_cast<size_t>(bytes);
  while ((static_cast<unsigned char>(s[cut]) & 0xC0) == 0x80) --cut;
  s.resize(cut);
  Text t;
  t.utf8.assign(s.c_str(), s.c_str() + s.size() + 1);
  t.utf16.resize(s.size() + 1);
  StrUtf8ToUnicode(t.utf16.data(), static_cast<uint32_t>(t.utf16.size()), s.c_str(), -1);
  cache.emplace_back(bytes, std::move(t));
  return cache.back().second;
}

/// UTF-8 in, UTF-16 out.
struct Utf8ToUtf16 {
  using Dir = vorn::detail::Utf16From;
  static const std::vector<char>& source(const Text& t) { return t.utf8; }
  static int library(unsigned short* dest, uint32_t capacity, const char* src) {
    return StrUtf8ToUnicode(dest, capacity, src, -1);
  }
  static constexpr const char* kIconvTo = "UTF-16LE";
  static constexpr const char* kIconvFrom = "UTF-8";
};

/// UTF-16 in, UTF-8 out.
struct Utf16ToUtf8 {
  using Dir = vorn::detail::Utf16To;
  static const std::vector<unsigned short>& source(const Text& t) { return t.utf16; }
  static int library(char* dest, uint32_t capacity, const unsigned short* src) {
    return StrUnicodeToUtf8(dest, capacity, src);
  }
  static constexpr const char* kIconvTo = "UTF-8";
  static constexpr const char* kIconvFrom = "UTF-16LE";
};

/// The source and a destination big enough for the whole result.
template <class Way>
struct Buffers {
  explicit Buffers(const benchmark::State& state)
      : text(TextOf(state.range(0))), src(Way::source(text)), dest(text.utf8.size()) {}
  int32_t capacity() const { return static_cast<int32_t>(dest.size()); }
  const Text& text;
  const std::vector<typename Way::Dir::Source>& src;
  std::vector<typename Way::Dir::Target> dest;
};

template <class Way>
void Done(benchmark::State& state, const Buffers<Way>& b) {
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(b.text.utf8.size() - 1));
}

template <class Way>
void Library(benchmark::State& state) {
  Buffers<Way> b(state);
  for (auto _ : state) benchmark::DoNotOptimize(Way::library(b.dest.data(), b.capacity(), b.src.data()));
  Done(state, b);
}

template <class Way>
void IcuOpenPerCall(benchmark::State& state) {
  Buffers<Way> b(state);
  for (auto _ : state) {
    UErrorCode status = U_ZERO_ERROR;
    UConverter* cnv = ucnv_open("UTF8", &status);
    benchmark::DoNotOptimize(Way::Dir::whole(cnv, b.dest.data(), b.capacity(), b.src.data(), -1, &status));
    ucnv_close(cnv);
  }
  Done(state, b);
}

template <class Way>
void IcuKeptOpen(benchmark::State& state) {
  Buffers<Way> b(state);
  UErrorCode status = U_ZERO_ERROR;
  UConverter* cnv = ucnv_open("UTF8", &status);
  for (auto _ : state) {
    status = U_ZERO_ERROR;
    benchmark::DoNotOptimize(Way::Dir::whole(cnv, b.dest.data(), b.capacity(), b.src.data(), -1, &status));
  }
  ucnv_close(cnv);
  Done(state, b);
}

template <class Way>
void Iconv(benchmark::State& state) {
  Buffers<Way> b(state);
  iconv_t cd = iconv_open(Way::kIconvTo, Way::kIconvFrom);
  const size_t src_bytes = (b.src.size() - 1) * sizeof(b.src[0]);
  for (auto _ : state) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(reinterpret_cast<const char*>(b.src.data()));
    char* out = reinterpret_cast<char*>(b.dest.data());
    size_t in_left = src_bytes;
    size_t out_left = b.dest.size() * sizeof(b.dest[0]);
    benchmark::DoNotOptimize(iconv(cd, &in, &in_left, &out, &out_left));
  }
  iconv_close(cd);
  Done(state, b);
}

void Sizes(benchmark::internal::Benchmark* b) { b->Arg(16)->Arg(1024)->Arg(1 << 20); }

BENCHMARK_TEMPLATE(Library, Utf8ToUtf16)->Apply(Sizes);
BENCHMARK_TEMPLATE(IcuOpenPerCall, Utf8ToUtf16)->Apply(Sizes);
BENCHMARK_TEMPLATE(IcuKeptOpen, Utf8ToUtf16)->Apply(Sizes);
BENCHMARK_TEMPLATE(Iconv, Utf8ToUtf16)->Apply(Sizes);
BENCHMARK_TEMPLATE(Library, Utf16ToUtf8)->Apply(Sizes);
BENCHMARK_TEMPLATE(IcuOpenPerCall, Utf16ToUtf8)->Apply(Sizes);
BENCHMARK_TEMPLATE(IcuKeptOpen, Utf16ToUtf8)->Apply(Sizes);
BENCHMARK_TEMPLATE(Iconv, Utf16ToUtf8)->Apply(Sizes);

}  // namespace
