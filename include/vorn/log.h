/* vorn_common: the process-wide log, timers, scope timer, reports and debug dump.
 *
 * One log is written to up to 32 files at once. Each file has a level threshold and
 * receives the lines whose level is at or above it. A line reads
 *
 *   [I-app(1234-1240) 09:05:07]:  message\r\n
 *
 * with the level letter (D, I, W, E, P, L for 0..5), the application name, process id,
 * thread id, local time, the calling thread's indent and the message. Messages use the
 * C library's printf vocabulary. Every line is flushed. Initialisation is counted: each
 * Vorn_Log_QuickInit is paired with a Vorn_Log_Close_all and the last close closes the
 * files. Set-up, closing and switching are meant for moments when no other thread logs;
 * writing lines is safe from any thread.
 *
 *   Vorn_Log_QuickInit("app", "/var/log/app/app.log", 1, 1, 0);
 *   Vorn_Log_Info("Started %d", 3);
 *   Vorn_Log_Close_all();
 *
 * The C part compiles as C11 too.
 */
#ifndef VORN_LOG_H
#define VORN_LOG_H

#include <stdbool.h>
#include <stdint.h>

#include "vorn/export.h"

#if defined(__GNUC__) || defined(__clang__)
#  define VORN_PRINTF_FORMAT(fmt, first) __attribute__((format(printf, fmt, first)))
#else
#  define VORN_PRINTF_FORMAT(fmt, first)
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

VORN_EXTERN_C_END

#endif /* VORN_LOG_H */
