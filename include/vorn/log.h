/** @file vorn/log.h
 * The process-wide log, timers, scope timer, reports and debug dump.
 *
 * One log is written to up to 32 files at once. Each file has a level threshold and
 * receives the lines whose level is at or above it. A line reads
 *
 * @code
 *   [I-app(1234-1240) 09:05:07]:  message\r\n
 * @endcode
 *
 * with the level letter (D, I, W, E, P, L for 0..5), the application name, process id,
 * thread id, local time, the calling thread's indent and the message. Messages use the
 * C library's printf vocabulary. Every line is flushed. Initialisation is counted: each
 * Vorn_Log_QuickInit is paired with a Vorn_Log_Close_all and the last close closes the
 * files. Set-up, closing and switching are meant for moments when no other thread logs;
 * writing lines is safe from any thread.
 *
 * @code
 *   Vorn_Log_QuickInit("app", "/var/log/app/app.log", 1, 1, 0);
 *   Vorn_Log_Info("Started %d", 3);
 *   Vorn_Log_Close_all();
 * @endcode
 *
 * The C part compiles as C11 too.
 */
#ifndef VORN_LOG_H
#define VORN_LOG_H

#include <stdbool.h>
#include <stdint.h>

#include "vorn/export.h"

#if defined(__GNUC__) || defined(__clang__)
/** Lets the compiler check a printf-style format (argument `fmt`) against its arguments (from `first`). */
#define VORN_PRINTF_FORMAT(fmt, first) __attribute__((format(printf, fmt, first)))
#else
/** No format checking with this compiler. */
#define VORN_PRINTF_FORMAT(fmt, first)
#endif

VORN_EXTERN_C_BEGIN

/* ---- log files and lines ----------------------------------------------------------- */

/** Counts one initialisation (the first clears the file table and switches the log on),
 *  takes the application name (null: "", at most 259 chars) and the process id, and
 *  resets the calling thread's timers. With `open` non-zero it adds the file `path`
 *  (opened for appending, its directory created if missing) with `threshold`, then sets
 *  the assertion switch to `assert_flag` != 0. Returns 1. */
VORN_API int Vorn_Log_QuickInit(const char* app, const char* path, int threshold, int open, int assert_flag);

/** Undoes one Vorn_Log_QuickInit after writing the close banner; the last one closes
 *  every file. */
VORN_API void Vorn_Log_Close_all(void);

/** Writes one error (level 3) line; a null format writes "(logerror:null string)". */
VORN_API void Vorn_Log_Error(const char* format, ...) VORN_PRINTF_FORMAT(1, 2);
/** Writes one warning (level 2) line. */
VORN_API void Vorn_Log_Warning(const char* format, ...) VORN_PRINTF_FORMAT(1, 2);
/** Writes one information (level 1) line. */
VORN_API void Vorn_Log_Info(const char* format, ...) VORN_PRINTF_FORMAT(1, 2);

/** Switches the whole log on when `enable` is 1 and off for any other value. */
VORN_API void Vorn_Log_SetEnable(int enable);
/** Whether the log is switched on. */
VORN_API bool Vorn_Log_GetEnable(void);

/** Indents the calling thread's lines by two more spaces (past 256: 512); with `brace`
 *  non-zero a "{" line comes first. Does nothing while the log is off. */
VORN_API void Vorn_Log_FormatPush(int brace);
/** Takes two spaces off the calling thread's indent (not below 0); with `brace` non-zero a
 *  "}" line follows. Does nothing while the log is off. */
VORN_API void Vorn_Log_FormatPop(int brace);

/* ---- timers and reports ------------------------------------------------------------ */

/** Starts a nested millisecond timer of the calling thread (at most 49 run at once; a
 *  50th logs an assertion report and starts nothing). Does nothing while the log is off. */
VORN_API void Vorn_Log_BeginTickCount(void);
/** Milliseconds since the innermost running timer started (since tick 0 when none runs),
 *  logged as "<label> ticks:<n>" (label may be null); the timer keeps running.
 *  2147483647 without logging while the log is off. */
VORN_API int64_t Vorn_Log_SnapTickCount(const char* label);
/** Stops the innermost timer and returns its milliseconds (the raw tick count when none
 *  runs), logged as "<label> -> ticks:<n>" when `print` is set. 2147483647 without logging
 *  while the log is off. */
VORN_API int64_t Vorn_Log_EndTickCount(const char* label, bool print);

/** When `condition` is false, logs the error line "Fatal Error:FileName:<name> Line:<line>"
 *  with the bare file name of `source`; execution continues. */
VORN_API void Vorn_Log_AssertA(bool condition, const char* source, int line);
/** When `condition` is 0, logs the error line "Error:FileName:<name> Line:<line>" with the
 *  bare file name of `source`. */
VORN_API void Vorn_Error(int condition, const char* source, int line);
/** Sets the process-wide assertion switch. */
VORN_API void Vorn_Log_EnabledAssert(void);
/** Clears the process-wide assertion switch. */
VORN_API void Vorn_Log_DisableAssert(void);

/* ---- debug dump -------------------------------------------------------------------- */

/** While the log is switched on, does what Vorn_WriteFileA does (same arguments and
 *  results); while it is off, returns 0 and creates no file. */
VORN_API int32_t Vorn_Log_DebugDump(const char* path, const void* data, uint32_t size);

VORN_EXTERN_C_END

#ifdef __cplusplus
/// Brackets a scope with log lines: "{", "<label> <-", the scope's own lines indented by
/// two more spaces, "<label> -> ticks:<ms>", "}". Construct and destroy on one thread, in
/// reverse order of construction. While the log is off it writes and indents nothing.
///
///   {
///     TVornLogAutoTicks ticks("Load", "size:%u", size);   // "Load <- size:10"
///     ...
///   }
class VORN_API TVornLogAutoTicks {
 public:
  /// Logs "{" and "<label> <-" (no label line for null) and starts a timer; keeps a copy of the label.
  explicit TVornLogAutoTicks(const char* label);
  /// As above, but the opening line is "<label> <- " followed by the printf-style `format`
  /// with its arguments (only the format when the label is null; "<label> <-" without one).
  TVornLogAutoTicks(const char* label, const char* format, ...) VORN_PRINTF_FORMAT(3, 4);
  /// Logs the elapsed time and "}", then releases the label copy.
  ~TVornLogAutoTicks();
  /// Takes a copy of the other object's label (each object releases its own).
  TVornLogAutoTicks& operator=(const TVornLogAutoTicks& other);
  TVornLogAutoTicks(const TVornLogAutoTicks&) = delete;

 private:
  char* FLabel;
};
#endif

#endif /* VORN_LOG_H */
