// Vorn_FormatArgs: the narrow engine over an argument array that the caller builds at
// run time, for callers that cannot make a C variadic call (interpreters, the vorn program).
#include <algorithm>
#include <cstring>
#include <vector>

#include "format/sprintf.h"
#include "vorn/format.h"

namespace vorn::detail::format {
namespace {

constexpr uint32_t kMaxSpanLength = UINT32_MAX >> 1;

int32_t PublicKind(FormatArg::Read read) {
  switch (read) {
    case FormatArg::Read::kInt32:
      return VORN_FORMAT_INT;
    case FormatArg::Read::kInt64:
      return VORN_FORMAT_INT64;
    case FormatArg::Read::kReal:
      return VORN_FORMAT_REAL;
    case FormatArg::Read::kText:
      return VORN_FORMAT_TEXT;
    case FormatArg::Read::kOwned:
      return VORN_FORMAT_OWNED;
    case FormatArg::Read::kCountTarget:
      return VORN_FORMAT_COUNT;
    case FormatArg::Read::kSpan:
      return VORN_FORMAT_SPAN;
    case FormatArg::Read::kNothing:
      break;
  }
  return 0;
}

// An argument of an unknown kind stays a default FormatArg, which every request reads as 0.
FormatArg EngineArg(const vorn_format_arg& arg, SprintfTextSpan<char>& span) {
  switch (arg.kind) {
    case VORN_FORMAT_INT:
    case VORN_FORMAT_INT64:
      return FormatArg::Int(arg.integer);
    case VORN_FORMAT_REAL:
      return FormatArg::Real(arg.real);
    case VORN_FORMAT_TEXT:
      return FormatArg::Text(arg.text);
    case VORN_FORMAT_OWNED:
      return FormatArg::Owned(const_cast<char*>(arg.text));
    case VORN_FORMAT_SPAN:
      span = {arg.text, (arg.length < kMaxSpanLength ? arg.length : kMaxSpanLength) << 1};
      return FormatArg::Span(&span);
    case VORN_FORMAT_COUNT:
      return FormatArg::Count(arg.count);
    default:
      return FormatArg{};
  }
}

// At most one argument per % and one per *: beyond that nothing can be read.
size_t MostArgumentsRead(const char* format) {
  size_t n = 0;
  for (const char* c = format; *c != 0; ++c) n += *c == '%' || *c == '*';
  return n;
}

void ReleaseOwned(const vorn_format_arg* args, uint32_t count) {
  for (uint32_t i = 0; i < count; ++i) {
    if (args[i].kind == VORN_FORMAT_OWNED) delete[] args[i].text;
  }
}

// Releases the owned texts that no conversion took, however the call ends.
struct UntakenRelease {
  FormatArgs& args;
  ~UntakenRelease() { ReleaseUntakenArgs(args); }
};

void Report(const FormatArgs& engine_args, int32_t result, vorn_format_report& report) {
  report.result = result;
  report.read = 0;
  while (report.read < engine_args.size() && engine_args[report.read].read != FormatArg::Read::kNothing) {
    if (report.kinds != nullptr && report.read < report.kinds_capacity) {
      report.kinds[report.read] = PublicKind(engine_args[report.read].read);
    }
    ++report.read;
  }
}

}  // namespace
}  // namespace vorn::detail::format

extern "C" char* Vorn_FormatArgs(const char* format, const vorn_format_arg* args, uint32_t count,
                                 vorn_format_report* report) {
  namespace vd = vorn::detail::format;
  if (format == nullptr) format = "";
  if (args == nullptr) count = 0;
  vd::FormatArgs engine_args;
  std::vector<vd::SprintfTextSpan<char>> spans;
  try {
    // Room for every argument the format can read, so that the report sees past `count`.
    engine_args.reserve(report != nullptr ? std::max<size_t>(count, vd::MostArgumentsRead(format)) : count);
    spans.resize(count);
  } catch (...) {
    vd::ReleaseOwned(args, count);
    throw;
  }
  for (uint32_t i = 0; i < count; ++i) engine_args.push_back(vd::EngineArg(args[i], spans[i]));
  const vd::UntakenRelease release{engine_args};
  engine_args.resize(engine_args.capacity());

  char base[vd::kSprintfBaseSize];
  vd::SprintfAccumulator<char> acc{base, base, 0, 0, vd::kSprintfBaseSize, &vd::SprintfGrow};
  const int32_t result = vd::SprintfEngineA(&acc, format, engine_args);
  char* text = acc.text;
  if (acc.text == acc.base) {
    text = new char[static_cast<size_t>(acc.length) + 1];
    std::memcpy(text, acc.text, static_cast<size_t>(acc.length) + 1);
  }
  if (report != nullptr) vd::Report(engine_args, result, *report);
  return text;
}

extern "C" void Vorn_FormatFree(char* text) { delete[] text; }
