// Helpers shared by the formatting tests: run the engine over an argument array or a
// real va_list and hand back the text.
#ifndef VORN_TESTS_FORMAT_FORMAT_TEST_UTIL_H
#define VORN_TESTS_FORMAT_FORMAT_TEST_UTIL_H

#include <algorithm>
#include <cstdarg>
#include <string>
#include <vector>

#include "format/sprintf.h"
#include "format/sprintf_args.h"

namespace vorn_test {

using vorn::detail::format::FormatArg;
using vorn::detail::format::FormatArgs;
using WideText = std::basic_string<unsigned short>;

inline std::string Format(const char* format, FormatArgs args = {}) {
  char* block = vorn::detail::format::SprintfBufferA(format, args);
  std::string text = block != nullptr ? std::string(block) : std::string("<null>");
  delete[] block;
  vorn::detail::format::ReleaseUntakenArgs(args);
  return text;
}

inline WideText Widen(const char* text) {
  WideText w;
  for (; *text != 0; ++text) w.push_back(static_cast<unsigned char>(*text));
  return w;
}

inline WideText FormatW(const WideText& format, FormatArgs args = {}) {
  unsigned short* block = vorn::detail::format::SprintfBufferW(format.c_str(), args);
  WideText text;
  if (block != nullptr) text = block;
  delete[] block;
  vorn::detail::format::ReleaseUntakenArgs(args);
  return text;
}

/// The narrow engine through a real va_list.
inline std::string FormatV(const char* format, ...) {
  va_list args;
  va_start(args, format);
  char* block = vorn::detail::format::SprintfBufferA(format, &args);
  va_end(args);
  std::string text = block != nullptr ? std::string(block) : std::string("<null>");
  delete[] block;
  return text;
}

/// The C library's rendering of the same format, for the common subset.
inline std::string Reference(const char* format, ...) {
  char buffer[1024];
  va_list args;
  va_start(args, format);
  const int n = vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  return n < 0 ? std::string() : std::string(buffer, static_cast<size_t>(n));
}

/// A wide text as %z takes it: a block of the single-object ::operator new.
inline unsigned short* OwnedWide(const WideText& text) {
  auto* block = static_cast<unsigned short*>(::operator new((text.size() + 1) * sizeof(unsigned short)));
  std::copy(text.c_str(), text.c_str() + text.size() + 1, block);
  return block;
}

inline FormatArg I(long long v) { return FormatArg::Int(v); }
inline FormatArg R(double v) { return FormatArg::Real(v); }
inline FormatArg S(const char* s) { return FormatArg::Text(s); }
inline FormatArg S(const unsigned short* s) { return FormatArg::Text(s); }

}  // namespace vorn_test

#endif  // VORN_TESTS_FORMAT_FORMAT_TEST_UTIL_H
