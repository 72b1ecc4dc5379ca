// TVornLogAutoTicks: a scope bracketed by indented log lines and its elapsed time.
#include <cstdlib>
#include <cstring>

#include "cstr/cstr_impl.h"
#include "log/log_state.h"
#include "vorn/log.h"
#include "vorn/strings.h"

namespace lg = vorn::detail::log;

namespace {

char* copy_label(const char* label) { return vorn::detail::dup_with_length(label, nullptr); }

/// The label with every '%' doubled, so that it reads literally inside a format.
TStringA literal_in_format(const char* label) {
  TStringA out(static_cast<uint32_t>(std::strlen(label)) + 1, TStringA::ctCapacity);
  for (const char* p = label; *p != 0; ++p) {
    if (*p == '%') out.AppendChar('%');
    out.AppendChar(*p);
  }
  return out;
}

}  // namespace

TVornLogAutoTicks::TVornLogAutoTicks(const char* label) : FLabel(nullptr) {
  if (!lg::g_log.enabled) return;
  FLabel = copy_label(label);
  Vorn_Log_FormatPush(1);
  if (FLabel != nullptr) Vorn_Log_Info("%s <-", FLabel);
  Vorn_Log_BeginTickCount();
}

TVornLogAutoTicks::TVornLogAutoTicks(const char* label, const char* format, ...) : FLabel(nullptr) {
  if (!lg::g_log.enabled) return;
  FLabel = copy_label(label);
  Vorn_Log_FormatPush(1);
  va_list args;
  va_start(args, format);
  if (FLabel == nullptr) {
    if (format != nullptr) lg::info_v(format, args);
  } else if (format == nullptr) {
    Vorn_Log_Info("%s <-", FLabel);
  } else {
    // The caller's format follows the label; only its own conversions take arguments.
    TStringA opening;
    opening.Sprintf("%s <- %s", literal_in_format(FLabel).p(), format);
    lg::info_v(opening.p(), args);
  }
  va_end(args);
  Vorn_Log_BeginTickCount();
}

TVornLogAutoTicks::~TVornLogAutoTicks() {
  if (lg::g_log.enabled) {
    Vorn_Log_EndTickCount(FLabel, true);
    if (lg::g_log.enabled) Vorn_Log_FormatPop(1);
  }
  delete[] FLabel;
}

TVornLogAutoTicks& TVornLogAutoTicks::operator=(const TVornLogAutoTicks& other) {
  if (this != &other) {
    // A copy of its own: both objects release their label.
    char* copy = copy_label(other.FLabel);
    delete[] FLabel;
    FLabel = copy;
  }
  return *this;
}
