// Internal to vorn_common: do not include from outside src/.
//
// What the whole-file helpers do differently for 8-bit and UTF-16 paths: how a file is
// opened and how its path reads in a log line.
#ifndef VORN_SRC_FILES_WHOLE_FILE_IMPL_H
#define VORN_SRC_FILES_WHOLE_FILE_IMPL_H

#include <cstdio>
#include <string>

#include "charset/utf8_text.h"
#include "platform/file_system.h"

namespace vorn::detail::files {

template <class Unit>
struct PathUnit;

template <>
struct PathUnit<char> {
  static FILE* open(const char* path, const char* mode) { return platform::open_file(path, mode); }
  /// The path as 8-bit text for log lines ("" for null).
  class Text {
   public:
    explicit Text(const char* path) : text_(path != nullptr ? path : "") {}
    const char* c_str() const { return text_; }

   private:
    const char* text_;
  };
};

template <>
struct PathUnit<unsigned short> {
  // The name goes through UTF-8 on every system, which costs nothing beside the open
  // itself; only an unpaired surrogate, which no valid name holds, is lost.
  static FILE* open(const unsigned short* path, const char* mode) {
    return path != nullptr ? platform::open_file_utf8(charset::utf16_to_utf8(path).c_str(), mode) : nullptr;
  }
  /// The path as UTF-8 text for log lines ("" for null).
  class Text {
   public:
    explicit Text(const unsigned short* path) : text_(charset::utf16_to_utf8(path)) {}
    const char* c_str() const { return text_.c_str(); }

   private:
    std::string text_;
  };
};

template <class Unit>
bool is_empty_path(const Unit* path) {
  return path == nullptr || *path == 0;
}

}  // namespace vorn::detail::files

#endif  // VORN_SRC_FILES_WHOLE_FILE_IMPL_H
