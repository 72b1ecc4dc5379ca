// Fuzzes the narrow and wide formatting engines and the length estimate with arbitrary
// formats and arbitrary tagged arguments (the array source makes every pairing safe).
//
// Input: one mode byte, the format (bytes up to a zero byte; for the wide engine pairs
// of bytes up to a zero unit), then argument descriptions, each a tag byte and its data.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "format/sprintf.h"
#include "format/sprintf_args.h"

namespace {

using vorn::detail::format::FormatArg;
using vorn::detail::format::FormatArgs;
using vorn::detail::format::SprintfTextSpan;

class Reader {
 public:
  Reader(const uint8_t* data, size_t size) : p_(data), end_(data + size) {}
  bool empty() const { return p_ >= end_; }
  uint8_t Byte() { return empty() ? 0 : *p_++; }
  uint64_t Word() {
    uint64_t v = 0;
    for (int i = 0; i < 8; ++i) v = v << 8 | Byte();
    return v;
  }

 private:
  const uint8_t* p_;
  const uint8_t* end_;
};

/// Everything the arguments point at lives here until the call is over.
template <class Unit>
struct ArgStore {
  std::vector<std::basic_string<Unit>> texts;
  std::vector<SprintfTextSpan<Unit>> spans;
  int32_t counts[16] = {};
};

template <class Unit>
std::basic_string<Unit> ReadText(Reader& in) {
  std::basic_string<Unit> text;
  const size_t n = in.Byte() % 64;
  for (size_t i = 0; i < n; ++i) {
    Unit u = in.Byte();
    if constexpr (sizeof(Unit) == 2) u = static_cast<Unit>(u << 8 | in.Byte());
    text.push_back(u);
  }
  return text;
}

template <class Unit>
FormatArgs ReadArgs(Reader& in, ArgStore<Unit>& store, bool& has_owned) {
  FormatArgs args;
  store.texts.reserve(32);
  store.spans.reserve(32);
  while (!in.empty() && args.size() < 32) {
    switch (in.Byte() % 8) {
      case 0:
        args.push_back(FormatArg::Int(static_cast<int64_t>(in.Word())));
        break;
      case 1: {
        const uint64_t bits = in.Word();
        double d;
        std::memcpy(&d, &bits, sizeof d);
        args.push_back(FormatArg::Real(d));
        break;
      }
      case 2:
        store.texts.push_back(ReadText<Unit>(in));
        args.push_back(FormatArg::Text(store.texts.back().c_str()));
        break;
      case 3:
        args.push_back(FormatArg::Text(static_cast<const Unit*>(nullptr)));
        break;
      case 4:
        args.push_back(FormatArg::Count(&store.counts[args.size() % 16]));
        break;
      case 5: {
        store.texts.push_back(ReadText<Unit>(in));
        const auto& text = store.texts.back();
        const uint32_t length = in.Byte() % (text.size() + 1);
        store.spans.push_back({text.c_str(), length << 1 | (in.Byte() & 1u)});
        args.push_back(FormatArg::Span(&store.spans.back()));
        break;
      }
      case 6: {
        const std::basic_string<Unit> text = ReadText<Unit>(in);
        // %z takes narrow texts from new[] and wide ones from the single-object ::operator new.
        const size_t bytes = (text.size() + 1) * sizeof(Unit);
        auto* owned = static_cast<Unit*>(sizeof(Unit) == 1 ? new char[bytes] : ::operator new(bytes));
        std::memcpy(owned, text.c_str(), bytes);
        args.push_back(FormatArg::Owned(owned));
        has_owned = true;
        break;
      }
      default: {
        const SprintfTextSpan<Unit>* none = nullptr;
        args.push_back(FormatArg::Span(none));
        break;
      }
    }
  }
  return args;
}

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

template <class Unit>
void RunOne(Reader& in) {
  std::basic_string<Unit> format;
  for (;;) {
    if (in.empty()) break;
    Unit u = in.Byte();
    if constexpr (sizeof(Unit) == 2) u = static_cast<Unit>(u << 8 | in.Byte());
    if (u == 0) break;
    format.push_back(u);
  }
  ArgStore<Unit> store;
  bool has_owned = false;
  FormatArgs args = ReadArgs<Unit>(in, store, has_owned);

  // A run into a small fixed buffer must give a prefix of the full text and the same count.
  int32_t fixed_count = 0;
  Unit small[64];
  vorn::detail::format::SprintfAccumulator<Unit> fixed{small, small, 0, 0, 64, nullptr};
  if (!has_owned) {
    FormatArgs copy = args;
    if constexpr (sizeof(Unit) == 1) {
      fixed_count = vorn::detail::format::SprintfEngineA(&fixed, format.c_str(), copy);
    } else {
      fixed_count = vorn::detail::format::SprintfEngineW(&fixed, format.c_str(), copy);
    }
  }

  Unit base[vorn::detail::format::kSprintfBaseSize];
  vorn::detail::format::SprintfAccumulator<Unit> acc{
      base, base, 0, 0, vorn::detail::format::kSprintfBaseSize, &vorn::detail::format::SprintfGrowT<Unit>};
  FormatArgs copy = args;  // for the driver run below
  int32_t count;
  if constexpr (sizeof(Unit) == 1) {
    count = vorn::detail::format::SprintfEngineA(&acc, format.c_str(), args);
  } else {
    count = vorn::detail::format::SprintfEngineW(&acc, format.c_str(), args);
  }
  Check(acc.text[acc.length] == 0 && acc.length == acc.total);
  const std::basic_string<Unit> full(acc.text, static_cast<size_t>(acc.length));
  if (acc.text != base) delete[] acc.text;
  if (!has_owned) {
    Check(count == fixed_count && fixed.total == acc.total && fixed.length <= acc.length);
    Check(std::memcmp(small, full.data(), static_cast<size_t>(fixed.length) * sizeof(Unit)) == 0);

    // The driver's final copy holds the same text.
    Unit* block;
    if constexpr (sizeof(Unit) == 1) {
      block = vorn::detail::format::SprintfBufferA(format.c_str(), copy);
    } else {
      block = vorn::detail::format::SprintfBufferW(format.c_str(), copy);
    }
    Check(block != nullptr && std::memcmp(block, full.c_str(), (full.size() + 1) * sizeof(Unit)) == 0);
    delete[] block;
  }
  vorn::detail::format::ReleaseUntakenArgs(args);
  if constexpr (sizeof(Unit) == 1) {
    (void)vorn::detail::format::SprintfLengthEstimate(format.c_str(), args);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Reader in(data, size);
  if ((in.Byte() & 1) == 0) {
    RunOne<char>(in);
  } else {
    RunOne<unsigned short>(in);
  }
  return 0;
}
