/* vorn_common: length estimate for formatted text.
 *
 * The formatted output itself comes from TStringA::Sprintf and TWideString::Sprintf
 * (vorn/strings.h), which use the library's own engine rather than the C runtime's:
 *
 *   TStringA s;
 *   s.Sprintf("%s=%d", "retries", 3);     // "retries=3"
 *   s.Sprintf("where name=%Q", "it's");   // "where name='it''s'"
 *
 * The engine's vocabulary beyond the usual d i o u x X c s f e E g G %: S (same as s),
 * z (an owned text, released after output: a narrow one comes from new[] and is
 * released with delete[]; a wide one comes from the single-object ::operator new and
 * is released with ::operator delete), q / Q / w (quoting: ' doubled,
 * ' doubled and enclosed, " doubled), n (stores the count so far), p (pointer-width
 * unsigned value, upper-case hex; on Linux x86-64 a 64-bit value), and T, a pointer to
 * a record { const unit* chars; uint32_t length_word; } whose bits 1..31 give the
 * number of units appended as they are (no width, not counted by n). Flags are
 * space ! # + - 0; the only length letters are l and ll. An unknown letter ends the
 * output. Floats carry at most 16 significant digits and print "NaN" / "Inf".
 * Running out of memory throws std::bad_alloc out of Sprintf; the string is then empty.
 *
 * This header compiles as C11 and C++17. */
#ifndef VORN_FORMAT_H
#define VORN_FORMAT_H

#include <stdarg.h>
#include <stdint.h>

#include "vorn/export.h"

VORN_EXTERN_C_BEGIN

/** Estimates the length of a formatted text (terminator not counted) by a quick walk:
 *  literal characters and %% count 1, %c 2, %s the string's length (at least 1), the
 *  letters e f g G d i o u x X p 32, and n or any other character after % repeats the
 *  previous estimate; one of F L N h l right after % is skipped. Only the letters
 *  c s e f g G d i o u x X p n take an argument: any other letter (E, q, S, z, ...)
 *  takes none, so "%q%s" with ("abc", "defgh") gives 3. A null or empty format
 *  gives 0. A directive with flags, width or precision (%5d, %-8s, %.*f) counts as
 *  that walk says (the first character repeats the previous estimate, the rest count as
 *  text) but consumes its arguments as the formatter would (one int per *, then the
 *  argument of a letter from the list above), so later %s still find their strings;
 *  such arguments are skipped, never read through. Only a plain %s reads a string. */
VORN_API uint32_t GetSprintfLenA_Reserved(const char* format, va_list args);

/** Kinds of a vorn_format_arg, and of what Vorn_FormatArgs reports a format read. */
enum {
  VORN_FORMAT_INT = 1,   /**< integer: d i o u x X c p and the * of a width or precision */
  VORN_FORMAT_INT64 = 2, /**< as VORN_FORMAT_INT; reported where a conversion reads 64 bits (ll, p) */
  VORN_FORMAT_REAL = 3,  /**< double: f e E g G */
  VORN_FORMAT_TEXT = 4,  /**< zero-terminated text: s S q Q w; null reads as empty */
  VORN_FORMAT_OWNED = 5, /**< text from vorn_strdupa, released by the call: what z reads */
  VORN_FORMAT_SPAN = 6,  /**< `length` bytes of `text`, appended as they are: T */
  VORN_FORMAT_COUNT = 7  /**< int32_t* that receives the count of characters so far: n */
};

/** One argument of Vorn_FormatArgs; only the fields of its kind are read. */
typedef struct vorn_format_arg {
  int32_t kind;     /**< one of the VORN_FORMAT_ kinds */
  int64_t integer;  /**< INT, INT64 (cut to 32 bits where a conversion reads 32) */
  double real;      /**< REAL */
  const char* text; /**< TEXT, OWNED, SPAN */
  uint32_t length;  /**< SPAN: bytes of `text`, at most 2^31 - 1 */
  int32_t* count;   /**< COUNT */
} vorn_format_arg;

/** What Vorn_FormatArgs did with a format and its arguments. */
typedef struct vorn_format_report {
  int32_t result;          /**< characters produced, or -1: the format ended inside a conversion or used an
                                unknown conversion letter, and the text stops there */
  uint32_t read;           /**< arguments the format read, missing ones included */
  int32_t* kinds;          /**< set by the caller: null, or room for `kinds_capacity` entries that receive
                                the kind each argument was read as, in order */
  uint32_t kinds_capacity; /**< set by the caller */
} vorn_format_report;

/** Formats with the library's engine (the vocabulary above) from an argument array built
 *  at run time: the formatted text in a new block for Vorn_FormatFree. An argument whose
 *  kind differs from what its conversion reads, or a missing one, reads as 0 or an empty
 *  text, so any format is safe with any array; `report` (may be null) tells what the format
 *  read, so a caller can check its arguments first with a run over none. Every OWNED text is
 *  released, read or not. A null format formats as the empty text. */
VORN_API char* Vorn_FormatArgs(const char* format, const vorn_format_arg* args, uint32_t count,
                               vorn_format_report* report);

/** Releases a text of Vorn_FormatArgs; null does nothing. */
VORN_API void Vorn_FormatFree(char* text);

VORN_EXTERN_C_END

#endif /* VORN_FORMAT_H */
