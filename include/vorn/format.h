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

VORN_EXTERN_C_END

#endif /* VORN_FORMAT_H */
