/* vorn_common: whole files, directory creation and path names.
 *
 * The path helpers take a path apart as text and never touch the file system. Both
 * "\" and "/" separate components, a second character ":" marks a drive ("C:"), and
 * drives and components compare ignoring ASCII case. Output buffers belong to the
 * caller and have no size argument: each function states what suffices. Returned
 * pointers point into the caller's own string.
 *
 *   char dir[260];
 *   ExtractFileDir("/var/log/app.log", dir);           // "/var/log/"
 *   const char* name = ExtractFileNamePtrA("a/b.txt");  // "b.txt"
 *   Vorn_ForceCreateDir("/tmp/app/logs/2024");          // creates missing levels
 *
 * Compiles as C11 and C++17.
 */
#ifndef VORN_FILES_H
#define VORN_FILES_H

#include <stdbool.h>
#include <stdint.h>

#include "vorn/export.h"

VORN_EXTERN_C_BEGIN

/* ---- path names -------------------------------------------------------------------- */

/** Splits `path` into drive ("C:" or ""), directory (with its trailing separator, at most
 *  255 chars), name (at most 259) and extension (with its dot, at most 255). Any output
 *  may be null; buffers of 3, 256, 260 and 256 bytes suffice. A null path gives "" parts. */
VORN_API void ExtractFileNames(const char* path, char* drive, char* dir, char* name, char* ext);

/** The file name of `path` without its extension into `out` (260 bytes suffice); does
 *  nothing when either is null. */
VORN_API void ExtractFileFirstName(const char* path, char* out);

/** Drive and directory of `path`, keeping the trailing separator, into `out` (260 bytes
 *  suffice); "" for a null path; does nothing when `out` is null. */
VORN_API void ExtractFileDir(const char* path, char* out);
/** ExtractFileDir over UTF-16 units (260 units suffice). */
VORN_API void ExtractFileDirW(const unsigned short* path, unsigned short* out);

/** Pointer into `path` just after its last "\", "/" or ":" (the first character is never
 *  taken as one), or `path` itself when there is none. Null gives null. */
VORN_API const char* ExtractFileNamePtrA(const char* path);
/** Same as ExtractFileNamePtrA. */
VORN_API const char* ExtractFileNamePtr(const char* path);
/** ExtractFileNamePtrA over UTF-16 units. */
VORN_API const unsigned short* ExtractFileNamePtrW(const unsigned short* path);

/** Copies what follows the last "." (the first character excluded; separators do not stop
 *  the search) into `out` and returns 1; returns 0 with `out` untouched when there is no
 *  dot or the path is null or empty. `out` needs the extension's length + 2 bytes. */
VORN_API int32_t ExtractFileExt(const char* path, char* out);

/** Pointer just after the last "." as ExtractFileExt finds it, or to the terminator when
 *  there is none; null for a null or empty path. */
VORN_API const char* ExtractFileExtPtrA(const char* path);
/** Same as ExtractFileExtPtrA. */
VORN_API const char* ExtractFileExtPtr(const char* path);

/** Level `level` of `path` into `out`: level 1 is the text before the first separator,
 *  level n >= 2 the separator that opens it and its text; an empty level, a level past
 *  the end, level <= 0 and a null path give "". `out` needs the path's length + 1 bytes. */
VORN_API void extractfiledirex(const char* path, char* out, int32_t level);

/** The path of `target` relative to the directory of the file `base` (a base ending in a
 *  separator is a directory), written into `out` with "..\" for each level climbed and
 *  "\" before the target's remainder; a target on another drive is copied unchanged.
 *  `out` needs 3 bytes per level climbed plus the target's length + 1. Returns `out`,
 *  or null when any argument is null. */
VORN_API char* ExtractRelativePath(const char* base, const char* target, char* out);

/* ---- whole files ------------------------------------------------------------------- */

/** Reads the whole file into a new[] buffer of exactly its size (no terminator added),
 *  handed to `*out` (released with delete[]); with a null `out` the buffer is released.
 *  `*out` is null unless the result is positive. Returns the size, 0 for a null or empty
 *  path, -1 when the file cannot be opened, -2 when it is empty (or 2 GiB and more), -3
 *  without memory, -4 when it cannot be read completely. */
VORN_API int32_t Vorn_ReadFileA(const char* path, char** out);
/** Vorn_ReadFileA for a UTF-16 path. */
VORN_API int32_t Vorn_ReadFileW(const unsigned short* path, char** out);

/** Creates or truncates the file and writes `size` bytes of `data` (nothing when either
 *  is null or 0), inside a log scope timer "Vorn_WriteFile". Returns `size`, -1 for a null
 *  or empty path, -2 when the file cannot be opened for writing, -3 when writing fails,
 *  closing included (data that never reached the file is a failed write). */
VORN_API int32_t Vorn_WriteFileA(const char* path, const void* data, uint32_t size);
/** Vorn_WriteFileA for a UTF-16 path. */
VORN_API int32_t Vorn_WriteFileW(const unsigned short* path, const void* data, uint32_t size);

/** Size of the file in bytes; 0 for a null or empty path, a file that cannot be opened for
 *  both reading and writing, and files of 2 GiB and more. */
VORN_API uint64_t Vorn_GetFileSize(const char* path);

/* ---- directory creation ------------------------------------------------------------ */

/** Creates the directory `path` with every missing parent, level by level after the
 *  first ("/a/b" tests or creates "/a", then "/a/b"). True when the last level exists at
 *  the end; false on a failed creation (what was created stays), for a path with no level
 *  after the first (such as "/" or "C:"), and for null. Writes no log lines. */
VORN_API bool Vorn_ForceCreateDir(const char* path);

VORN_EXTERN_C_END

#endif /* VORN_FILES_H */
