/** @file vorn/cstr.h
 * C string helpers and an in-place sort of 64-bit integers.
 *
 * Plain functions on zero-terminated 8-bit and UTF-16 strings (UTF-16 units are
 * `unsigned short`). Duplicates are allocated with `new[]` at exactly length + 1 units
 * and belong to the caller, who releases them with `delete[]`. Only 'A'..'Z' are
 * folded by the case-blind comparisons. Compiles as C11 and C++17.
 *
 * @code
 *   char text[12];
 *   Vorn_IToA(-42, text);                 // "-42"
 *   int64_t v[] = {3, -1, 2};
 *   QuickSort_Create64(v, 3);             // {-1, 2, 3}
 * @endcode
 */
#ifndef VORN_CSTR_H
#define VORN_CSTR_H

#include <stdint.h>

#include "vorn/export.h"

VORN_EXTERN_C_BEGIN

/** Writes the decimal text of `value` into `buffer` (12 bytes always suffice); returns `buffer`. */
VORN_API char* Vorn_IToA(int32_t value, char* buffer);

/** Compares ignoring ASCII case; the difference of the first differing folded pair as signed bytes. */
VORN_API int32_t Vorn_stricmp(const char* a, const char* b);
/** As Vorn_stricmp over at most `n` characters; `n` = 0 gives 0. */
VORN_API int32_t Vorn_strnicmp(const char* a, const char* b, uint32_t n);
/** Case-sensitive comparison of at most `n` characters; `n` <= 0 gives 0. */
VORN_API int32_t Vorn_strncmp(const char* a, const char* b, int32_t n);
/** Null-tolerant comparison: null equals "", null sorts first; -1, 0 or 1 otherwise (unsigned bytes). */
VORN_API int32_t vorn_strcmpnil(const char* a, const char* b);
/** vorn_strcmpnil over UTF-16 units. */
VORN_API int32_t vorn_strcmpnilw(const unsigned short* a, const unsigned short* b);

/** Copies `src` with its terminator into `dest`; returns the length, 0 (nothing copied) if either is null. */
VORN_API uint32_t GetLenANSICopy(char* dest, const char* src);
/** Copies `src` into `dest` (note the order); returns bytes written with the terminator (1 for null/""). */
VORN_API uint32_t DumpANSIStr(const char* src, char* dest);
/** The number of bytes DumpANSIStr writes for `text`: length + 1, 1 for null or "". */
VORN_API uint32_t GetANSIStrDumpSize(const char* text);

/** A `new[]` copy of `text` (null for null); `*length` (optional) gets its length, 0 first. */
VORN_API char* vorn_ansistrduplen_impl(const char* text, uint32_t* length);
/** A `new[]` copy of a UTF-16 text, null for null. */
VORN_API unsigned short* vorn_strdup_impl(const unsigned short* text);
/** As vorn_ansistrduplen_impl for UTF-16; the length is in units. */
VORN_API unsigned short* vorn_strduplen_impl(const unsigned short* text, uint32_t* length);
/** A `new[]` copy of a non-null 8-bit text. */
VORN_API char* vorn_strdupa(const char* text);

/** Removes trailing spaces in place; returns a pointer past the leading spaces. Only ' ' counts. */
VORN_API char* Vorn_Trim(char* text);

/** Sorts `count` values ascending in place without allocating; returns `count`, or -1 when it is 0. */
VORN_API int64_t QuickSort_Create64(int64_t* data, uint64_t count);

VORN_EXTERN_C_END

#endif /* VORN_CSTR_H */
