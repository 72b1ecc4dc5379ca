#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_system.h"

namespace vorn::platform {

bool path_exists(const char* path) { return path != nullptr && access(path, F_OK) == 0; }

bool make_directory(const char* path) { return path != nullptr && mkdir(path, 0777) == 0; }

FILE* open_file(const char* path, const char* mode) { return path != nullptr ? fopen(path, mode) : nullptr; }

// File names are bytes here, and UTF-8 is how the rest of the system spells them.
FILE* open_file_utf8(const char* path, const char* mode) { return open_file(path, mode); }

void write_unbroken(FILE* stream, std::initializer_list<Bytes> pieces) {
  flockfile(stream);
  for (const Bytes& piece : pieces) fwrite_unlocked(piece.data, 1, piece.size, stream);
  fflush_unlocked(stream);
  funlockfile(stream);
}

}  // namespace vorn::platform
