// Nested per-thread millisecond timers, assertion reports and the assertion switch.
#include "log/log_state.h"
#include "platform/clock.h"
#include "vorn/files.h"
#include "vorn/log.h"
#include "vorn/strings.h"

namespace lg = vorn::detail::log;

namespace {

/// What the readings return while the log is switched off.
constexpr int64_t kLogOff = 2147483647;

int64_t now_ticks() { return static_cast<int64_t>(vorn::platform::tick_count_ms()); }

void fatal_report(const char* source, int line) {
  const char* name = source != nullptr ? ExtractFileNamePtrA(source) : "";
  Vorn_Log_Error("Fatal Error:FileName:%s Line:%d", name, line);
}

}  // namespace

extern "C" {

void Vorn_Log_BeginTickCount(void) {
  if (!lg::g_log.enabled) return;
  lg::LogThreadState& state = lg::thread_state();
  if (state.timer_depth < 0) state.timer_depth = 0;
  if (state.timer_depth < lg::kMaxTimers) {
    state.timer_starts[state.timer_depth++] = vorn::platform::tick_count_ms();
  } else {
    fatal_report("Vorn_Log", __LINE__);
  }
}

int64_t Vorn_Log_SnapTickCount(const char* label) {
  if (!lg::g_log.enabled) return kLogOff;
  const lg::LogThreadState& state = lg::thread_state();
  // Without a running timer there is no start slot: measure from 0 as End does.
  const int32_t depth = state.timer_depth;
  const uint64_t start = depth > 0 && depth <= lg::kTimerSlots ? state.timer_starts[depth - 1] : 0;
  const int64_t elapsed = now_ticks() - static_cast<int64_t>(start);
  if (label != nullptr) {
    Vorn_Log_Info("%s ticks:%lld", label, static_cast<long long>(elapsed));
  } else {
    Vorn_Log_Info("ticks:%lld", static_cast<long long>(elapsed));
  }
  return elapsed;
}

int64_t Vorn_Log_EndTickCount(const char* label, bool print) {
  if (!lg::g_log.enabled) return kLogOff;
  lg::LogThreadState& state = lg::thread_state();
  int64_t elapsed;
  if (--state.timer_depth < 0 || state.timer_depth >= lg::kTimerSlots) {
    state.timer_depth = 0;
    elapsed = now_ticks();
  } else {
    elapsed = now_ticks() - static_cast<int64_t>(state.timer_starts[state.timer_depth]);
  }
  if (print) {
    if (label != nullptr) {
      Vorn_Log_Info("%s -> ticks:%lld", label, static_cast<long long>(elapsed));
    } else {
      Vorn_Log_Info("-> ticks:%lld", static_cast<long long>(elapsed));
    }
  }
  return elapsed;
}

void Vorn_Log_AssertA(bool condition, const char* source, int line) {
  if (condition || !lg::g_log.enabled) return;
  fatal_report(source, line);
}

void Vorn_Error(int condition, const char* source, int line) {
  if (condition != 0 || !lg::g_log.enabled) return;
  TStringA report;
  report.Sprintf("Error:FileName:%S Line:%d", source != nullptr ? ExtractFileNamePtrA(source) : "", line);
  // Passed as an argument: a '%' in the file name stays text.
  Vorn_Log_Error("%s", report.p());
}

void Vorn_Log_EnabledAssert(void) { lg::g_log.assertions = true; }

void Vorn_Log_DisableAssert(void) { lg::g_log.assertions = false; }

}  // extern "C"
