// Internal to vorn_common: do not include from outside src/.
//
// UTF-16 text as a UTF-8 string, for file names and log lines.
#ifndef VORN_SRC_CHARSET_UTF8_TEXT_H
#define VORN_SRC_CHARSET_UTF8_TEXT_H

#include <string>

namespace vorn::charset {

/// The UTF-8 form of a zero-terminated UTF-16 text; unpaired surrogates become U+FFFD.
/// Null gives "".
std::string utf16_to_utf8(const unsigned short* text);

}  // namespace vorn::charset

#endif  // VORN_SRC_CHARSET_UTF8_TEXT_H
