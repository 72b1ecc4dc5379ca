// Reading a whole file into memory and telling a file's size.
#include <cstdint>
#include <cstdio>
#include <new>

#include "files/whole_file_impl.h"
#include "vorn/files.h"

namespace files = vorn::detail::files;

namespace {

/// Size of an open stream from its end position; -1 when it cannot be told or does not
/// fit the signed 32-bit results.
long long stream_size(FILE* stream) {
  if (std::fseek(stream, 0, SEEK_END) != 0) return -1;
  const long size = std::ftell(stream);
  return size > INT32_MAX ? -1 : size;
}

template <class Unit>
int32_t read_whole(const Unit* path, char** out) {
  if (out != nullptr) *out = nullptr;
  if (files::is_empty_path(path)) return 0;
  FILE* stream = vorn::detail::UnitTraits<Unit>::open_file(path, "rb");
  if (stream == nullptr) return -1;
  const long long size = stream_size(stream);
  if (size < 1) {
    std::fclose(stream);
    return -2;
  }
  std::fseek(stream, 0, SEEK_SET);
  char* buffer = new (std::nothrow) char[static_cast<size_t>(size)];
  if (buffer == nullptr) {
    std::fclose(stream);
    return -3;
  }
  const size_t got = std::fread(buffer, 1, static_cast<size_t>(size), stream);
  std::fclose(stream);
  if (got != static_cast<size_t>(size)) {
    delete[] buffer;
    return -4;
  }
  if (out != nullptr) {
    *out = buffer;
  } else {
    delete[] buffer;
  }
  return static_cast<int32_t>(size);
}

}  // namespace

extern "C" {

int32_t Vorn_ReadFileA(const char* path, char** out) { return read_whole(path, out); }

int32_t Vorn_ReadFileW(const unsigned short* path, char** out) { return read_whole(path, out); }

uint64_t Vorn_GetFileSize(const char* path) {
  if (files::is_empty_path(path)) return 0;
  // Opened for update: a file that cannot also be written reports 0.
  FILE* stream = vorn::detail::UnitTraits<char>::open_file(path, "r+b");
  if (stream == nullptr) return 0;
  const long long size = stream_size(stream);
  std::fclose(stream);
  return size < 0 ? 0 : static_cast<uint64_t>(size);
}

}  // extern "C"
