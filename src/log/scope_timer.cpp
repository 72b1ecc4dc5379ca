// TVornLogAutoTicks: a scope bracketed by indented log lines and its elapsed time.
#include <cstdlib>
#include <cstring>

#include "log/log_state.h"
#include "vorn/log.h"

namespace lg = vorn::detail::log;

namespace {

char* copy_label(const char* label) { return label != nullptr ? strdup(label) : nullptr; }

}  // namespace

TVornLogAutoTicks::TVornLogAutoTicks(const char* label) : FLabel(nullptr) {
  if (!lg::g_log.enabled) return;
  FLabel = copy_label(label);
  Vorn_Log_FormatPush(1);
  if (FLabel != nullptr) Vorn_Log_Info("%s <-", FLabel);
  Vorn_Log_BeginTickCount();
}

TVornLogAutoTicks::~TVornLogAutoTicks() {
  if (lg::g_log.enabled) {
    Vorn_Log_EndTickCount(FLabel, true);
    if (lg::g_log.enabled) Vorn_Log_FormatPop(1);
  }
  std::free(FLabel);
}

TVornLogAutoTicks& TVornLogAutoTicks::operator=(const TVornLogAutoTicks& other) {
  if (this != &other) {
    // A copy of its own: both objects release their label.
    char* copy = copy_label(other.FLabel);
    std::free(FLabel);
    FLabel = copy;
  }
  return *this;
}
