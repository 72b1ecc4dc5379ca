// Writing a whole buffer to a file, timed by a log scope.
#include <cstdint>
#include <cstdio>

#include "files/whole_file_impl.h"
#include "vorn/files.h"
#include "vorn/log.h"

namespace files = vorn::detail::files;

namespace {

template <class Unit>
int32_t write_whole(const Unit* path, const void* data, uint32_t size) {
  const typename vorn::detail::UnitTraits<Unit>::PathText name(path);
  const TVornLogAutoTicks ticks("Vorn_WriteFile", "size:%u,name:%s", size, name.c_str());
  if (files::is_empty_path(path)) return -1;
  FILE* stream = vorn::detail::UnitTraits<Unit>::open_file(path, "w+b");
  if (stream == nullptr) return -2;
  if (data != nullptr && size != 0 && std::fwrite(data, 1, size, stream) != size) {
    std::fclose(stream);
    return -3;
  }
  // Buffered bytes reach the file only when it is closed.
  if (std::fclose(stream) != 0) return -3;
  return static_cast<int32_t>(size);
}

}  // namespace

extern "C" {

int32_t Vorn_WriteFileA(const char* path, const void* data, uint32_t size) { return write_whole(path, data, size); }

int32_t Vorn_WriteFileW(const unsigned short* path, const void* data, uint32_t size) {
  return write_whole(path, data, size);
}

}  // extern "C"
