// Internal to vorn_common: do not include from outside src/.
//
// The process's "ANSI" code page and conversions between it and UTF-16, with the
// contract of the Windows calls that the library was written against:
//  - a source length of -1 converts up to and including the terminator, and the count
//    then includes it; an explicit length converts exactly that many units, without
//    adding a terminator;
//  - a capacity of 0 asks for the size needed (the destination is not touched);
//  - a destination too small, a null source, a source length of 0 or below -1, a
//    negative capacity, or a null destination with a capacity fail with 0;
//  - characters that the target cannot represent, and malformed input, get the
//    converter's substitute.
// Until a caller names an ICU converter, the character set is the system's own: the
// system converts where it has an ANSI code page, and elsewhere ICU's default
// converter (the locale's) stands in. The setting may change while other threads
// convert.
#ifndef VORN_SRC_CHARSET_ANSI_CODEPAGE_H
#define VORN_SRC_CHARSET_ANSI_CODEPAGE_H

namespace vorn::charset {

/// Makes `icu_name` the ANSI character set; null restores the system's own.
/// Returns false, leaving the setting as it was, when ICU cannot open that name.
bool set_ansi_code_page(const char* icu_name);

/// The name last set, or null while the system's own character set is in force.
const char* ansi_code_page();

/// ANSI bytes to UTF-16 units; `src_length` in bytes, `capacity` in units.
int ansi_to_utf16(const char* src, int src_length, unsigned short* dest, int capacity);

/// UTF-16 units to ANSI bytes; `src_length` in units, `capacity` in bytes.
int utf16_to_ansi(const unsigned short* src, int src_length, char* dest, int capacity);

}  // namespace vorn::charset

#endif  // VORN_SRC_CHARSET_ANSI_CODEPAGE_H
