// Internal to vorn_common: do not include from outside src/.
//
// Existence test, directory creation, opening files and writing to them in one piece.
// 8-bit paths are in the system's own form (the ANSI code page where the system has
// one, bytes elsewhere).
#ifndef VORN_SRC_PLATFORM_FILE_SYSTEM_H
#define VORN_SRC_PLATFORM_FILE_SYSTEM_H

#include <cstddef>
#include <cstdio>
#include <initializer_list>

namespace vorn::platform {

/// True when an entry of any kind exists at `path`.
bool path_exists(const char* path);

/// Creates one directory (parents must exist); true on success.
bool make_directory(const char* path);

/// Opens a file named by an 8-bit path with a C stream mode; null on failure.
FILE* open_file(const char* path, const char* mode);

/// Opens a file named by a UTF-8 path with a C stream mode; null on failure.
FILE* open_file_utf8(const char* path, const char* mode);

/// A run of bytes to write.
struct Bytes {
  const char* data;
  size_t size;
};

/// Writes the pieces and flushes the stream, with no other thread's output between
/// them on the same stream.
void write_unbroken(FILE* stream, std::initializer_list<Bytes> pieces);

}  // namespace vorn::platform

#endif  // VORN_SRC_PLATFORM_FILE_SYSTEM_H
