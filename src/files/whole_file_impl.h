// Internal to vorn_common: do not include from outside src/.
//
// What the whole-file helpers do differently for 8-bit and UTF-16 paths: how a file is
// opened and how its path reads in a log line.
#ifndef VORN_SRC_FILES_WHOLE_FILE_IMPL_H
#define VORN_SRC_FILES_WHOLE_FILE_IMPL_H

#include <cstdio>
#include <string>

#include "platform/file_system.h"

namespace vorn::detail::files {

template <class Unit>
struct PathUnit;

template <>
struct PathUnit<char> {
  static FILE* open(const char* path, const char* mode) { return std::fopen(path, mode); }
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
  static FILE* open(const unsigned short* path, const char* mode) { return platform::open_file_utf16(path, mode); }
  /// The path as UTF-8 text for log lines ("" for null).
  class Text {
   public:
    explicit Text(const unsigned short* path) : text_(platform::utf16_to_utf8(path)) {}
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
