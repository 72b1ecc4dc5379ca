// Internal to vorn_common: do not include from outside src/.
//
// Existence test, directory creation and opening files named by UTF-16 paths.
#ifndef VORN_SRC_PLATFORM_FILE_SYSTEM_H
#define VORN_SRC_PLATFORM_FILE_SYSTEM_H

#include <cstddef>
#include <cstdio>
#include <string>

namespace vorn::platform {

/// True when an entry of any kind exists at `path`.
bool path_exists(const char* path);

/// Creates one directory (parents must exist); true on success.
bool make_directory(const char* path);

/// The UTF-8 form of a zero-terminated UTF-16 text; unpaired surrogates become U+FFFD.
/// Null gives "".
std::string utf16_to_utf8(const unsigned short* text);

/// Opens a file named by a UTF-16 path with a C stream mode; null on failure.
FILE* open_file_utf16(const unsigned short* path, const char* mode);

}  // namespace vorn::platform

#endif  // VORN_SRC_PLATFORM_FILE_SYSTEM_H
