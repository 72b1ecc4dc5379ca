// Internal to vorn_common: do not include from outside src/.
//
// The process-wide state of the log and the per-thread record (indent and timers).
// Process-wide state is read and written without a lock: initialisation, closing,
// opening files and switching the log are meant for moments when no other thread logs.
#ifndef VORN_SRC_LOG_LOG_STATE_H
#define VORN_SRC_LOG_LOG_STATE_H

#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace vorn::detail::log {

constexpr int kMaxFiles = 32;
constexpr size_t kMaxFileName = 260;  // characters, terminator excluded
constexpr size_t kMaxAppName = 259;
constexpr int kTimerSlots = 50;
constexpr int kMaxTimers = 49;
constexpr int32_t kMaxIndent = 256;
constexpr int32_t kOverflowIndent = 512;
/// Indent plus caller format longer than this gives the too-long notice.
constexpr size_t kMaxPrefixAndFormat = 974;
/// The writer's own line buffer: lines shorter than this need no heap.
constexpr size_t kLineBuffer = 1024;

enum Level : int { kDebug = 0, kInfo = 1, kWarning = 2, kError = 3, kLevel4 = 4, kLevel5 = 5 };

struct LogFileEntry {
  FILE* stream;
  int32_t threshold;
  char name[kMaxFileName + 1];
};

struct LogFileTable {
  LogFileEntry rows[kMaxFiles];
  int32_t count;
};

struct LogGlobals {
  bool enabled = true;
  bool initialised = false;
  bool assertions = false;
  int32_t init_count = 0;
  char app_name[kMaxAppName + 1] = {};
  uint32_t process_id = 0;
  LogFileTable files = {};
};

/// The one process-wide log state (constant-initialised, usable from static constructors).
extern LogGlobals g_log;

/// One record per thread, zero-filled when created.
struct LogThreadState {
  int32_t indent;
  uint64_t timer_starts[kTimerSlots];
  int32_t timer_depth;
};

/// The calling thread's record, created on first use (std::bad_alloc when it cannot be
/// allocated); a thread whose record cannot be registered with the key shares one
/// fallback record.
LogThreadState& thread_state();

/// A finished line: `text` is either the caller's buffer or a new[] block (`heap`).
struct Line {
  char* text;
  size_t length;
  bool heap;
};

/// Builds the line of `level` for `format` and `args` in `buffer`, or in a new[] block when
/// it does not fit; std::bad_alloc when that block cannot be had.
Line build_line(char (&buffer)[kLineBuffer], int level, const char* format, va_list args);

/// Builds and writes one line to every open file whose threshold admits `level`; does
/// nothing before initialisation or while the log is switched off.
void write_v(int level, const char* format, va_list args);

/// Level-1 line from an argument list already started.
void info_v(const char* format, va_list args);

/// Adds a file to the table (see Vorn_Log_QuickInit).
void open_file(const char* path, int32_t threshold);

}  // namespace vorn::detail::log

#endif  // VORN_SRC_LOG_LOG_STATE_H
