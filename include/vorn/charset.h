/* vorn_common: character-set conversion between UTF-16, UTF-8, the "ANSI" code page,
 * GB2312, GB18030, Big5, Latin-9 and US-ASCII.
 *
 * Every function takes caller-owned buffers and returns a signed count: the length of
 * the converted text in destination units without the terminator (the full length
 * needed when the destination is too small), 0 for rejected arguments, -1 when a named
 * converter cannot be opened. The two ANSI functions follow the Windows contract
 * instead: their count includes the terminator and 0 means failure.
 *
 * On Linux there is no system code page: the "ANSI" character set is the one of the
 * process's locale unless the caller names another with Vorn_SetAnsiCodePage.
 *
 *   unsigned short wide[64];
 *   int n = StrUtf8ToUnicode(wide, 64, "caf\xC3\xA9", -1);   // 4
 *
 * Compiles as C11 and C++17 (C sees only the functions).
 */
#ifndef VORN_CHARSET_H
#define VORN_CHARSET_H

#include <stdint.h>

#include "vorn/export.h"

#ifdef __cplusplus
namespace vorn {
/// A character set named by its IANA MIB number. Only 1 (the ANSI code page) and 2025
/// (GB2312) have a meaning of their own; every other value means UTF-8.
enum TMIBCharSet : int {
  csAnsiCodePage = 1,
  csUTF8 = 106,
  csGB2312 = 2025,
};
}  // namespace vorn
#endif

VORN_EXTERN_C_BEGIN

/** Sets the "ANSI" character set by an ICU converter name (for example "GBK"); null restores
 *  the locale's default. Returns 1, or 0 (setting unchanged) when ICU does not know the name. */
VORN_API int Vorn_SetAnsiCodePage(const char* icu_name);

/** UTF-16 (to its terminator) into the named character set (null name: ICU's default). 0 for a
 *  null dest or source or a capacity of 0; -1, dest[0] = 0, when the name is unknown. */
VORN_API int StrUnicodeToAny(const char* converter, char* dest, uint32_t capacity, const unsigned short* src);
/** The named character set (length bytes, -1 = to the terminator) into UTF-16; capacity in units.
 *  0 for a null dest, a capacity of 0 or a null/empty name; -1, dest[0] = 0, for an unknown name. */
VORN_API int AnyToUnicode(const char* converter, unsigned short* dest, uint32_t capacity, const char* src,
                          int32_t length);
/** Between two byte-oriented character sets, target named first. 0 for a null dest, source or
 *  name, a capacity of 0, or a name that ICU does not know. */
VORN_API int AnyToAny(const char* to_converter, const char* from_converter, char* dest, uint32_t capacity,
                      const char* src, int32_t length);

/** UTF-8 into the named character set, as AnyToAny. */
VORN_API int StrUTF8ToAny(const char* to_converter, char* dest, uint32_t capacity, const char* src, int32_t length);
/** UTF-8 into US-ASCII (other characters become 0x1A), as AnyToAny. */
VORN_API int StrUTF8ToASCII(char* dest, uint32_t capacity, const char* src, int32_t length);
/** UTF-8 into GB2312, as AnyToAny. */
VORN_API int StrUTF8ToGB2312(char* dest, uint32_t capacity, const char* src, int32_t length);
/** UTF-8 into Latin-9 (ISO-8859-15), as AnyToAny. */
VORN_API int StrUTF8ToLatin9(char* dest, uint32_t capacity, const char* src, int32_t length);
/** GB2312 (to its terminator) into UTF-8, as AnyToAny. */
VORN_API int StrGB2312ToUTF8(char* dest, uint32_t capacity, const char* src);
/** GB18030 (to its terminator) into UTF-8, as AnyToAny. */
VORN_API int StrGB18030ToUTF8(char* dest, uint32_t capacity, const char* src);
/** Latin-9 (to its terminator) into UTF-8, as AnyToAny. */
VORN_API int StrLatin9ToUTF8(char* dest, uint32_t capacity, const char* src);

/** UTF-16 into US-ASCII, as StrUnicodeToAny. */
VORN_API int StrUnicodeToASCII(char* dest, uint32_t capacity, const unsigned short* src);
/** UTF-16 into GB2312, as StrUnicodeToAny. */
VORN_API int StrUnicodeToGB2312(char* dest, uint32_t capacity, const unsigned short* src);
/** UTF-16 into UTF-8, as StrUnicodeToAny. */
VORN_API int StrUnicodeToUtf8(char* dest, uint32_t capacity, const unsigned short* src);
/** UTF-16 into Latin-9, as StrUnicodeToAny. */
VORN_API int StrUnicodeToLatin9(char* dest, uint32_t capacity, const unsigned short* src);
/** UTF-16 into the ANSI character set; the count includes the terminator, 0 on failure (also when
 *  the destination is too small); a capacity of 0 asks for the size needed. */
VORN_API int StrUnicodeToANSI(char* dest, uint32_t capacity, const unsigned short* src);

/** GB2312 into UTF-16, as AnyToUnicode. */
VORN_API int StrGB2312ToUnicode(unsigned short* dest, uint32_t capacity, const char* src, int32_t length);
/** Latin-9 into UTF-16, as AnyToUnicode. */
VORN_API int StrLatin9ToUnicode(unsigned short* dest, uint32_t capacity, const char* src, int32_t length);
/** Big5 into UTF-16, as AnyToUnicode. */
VORN_API int Big5CodeToUnicode(unsigned short* dest, uint32_t capacity, const char* src, int32_t length);
/** UTF-8 into UTF-16, as AnyToUnicode. */
VORN_API int StrUtf8ToUnicode(unsigned short* dest, uint32_t capacity, const char* src, int32_t length);
/** US-ASCII (to its terminator) into UTF-16, as AnyToUnicode. */
VORN_API int StrASCIIToUnicode(unsigned short* dest, uint32_t capacity, const char* src);
/** The ANSI character set into UTF-16, as StrUnicodeToANSI (capacity in units). */
VORN_API int StrANSIToUnicode(unsigned short* dest, uint32_t capacity, const char* src);

/** How Vorn_ConvertChecked treats a character it cannot convert. */
enum {
  VORN_CONVERT_STOP = 0,      /**< stop there and report where it stands */
  VORN_CONVERT_SKIP = 1,      /**< leave it out */
  VORN_CONVERT_SUBSTITUTE = 2 /**< put the converter's substitute in its place */
};

/** Results of Vorn_ConvertChecked below zero. */
enum {
  VORN_CONVERT_UNKNOWN_SET = -1, /**< ICU does not know one of the names */
  VORN_CONVERT_MALFORMED = -2,   /**< the source is not valid text of `from` */
  VORN_CONVERT_UNMAPPABLE = -3   /**< a character of the source has no form in `to` */
};

/** Converts `length` bytes of `source` from the character set `from` into `to` (ICU
 *  converter names, as for AnyToAny). Unlike AnyToAny, malformed input and characters
 *  that `to` cannot hold are treated as `mode` says: with VORN_CONVERT_STOP the result
 *  is VORN_CONVERT_MALFORMED or VORN_CONVERT_UNMAPPABLE and `*error_offset` (may be
 *  null) receives the byte offset in `source` of the first such character. Otherwise the
 *  result is the length of the converted text in bytes without terminator, larger than
 *  `capacity` - 1 when `dest` is too small (it then holds the part that fits, zero-
 *  terminated). A null `source` or a negative `length` is the empty text. */
VORN_API int32_t Vorn_ConvertChecked(const char* to, const char* from, char* dest, uint32_t capacity,
                                     const char* source, int32_t length, int32_t mode, int32_t* error_offset);

/** The name of the `index`-th character set that ICU converts (0 upward), or null past
 *  the last; a constant text. */
VORN_API const char* Vorn_CharsetName(int32_t index);

VORN_EXTERN_C_END

#endif /* VORN_CHARSET_H */
