#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>

#include "platform/file_system.h"

namespace vorn::platform {

bool path_exists(const char* path) { return path != nullptr && access(path, F_OK) == 0; }

bool make_directory(const char* path) { return path != nullptr && mkdir(path, 0777) == 0; }

std::string utf16_to_utf8(const unsigned short* text) {
  std::string out;
  if (text == nullptr) return out;
  for (const unsigned short* p = text; *p != 0; ++p) {
    uint32_t c = *p;
    if (c >= 0xD800 && c <= 0xDBFF && p[1] >= 0xDC00 && p[1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (p[1] - 0xDC00u);
      ++p;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

FILE* open_file_utf16(const unsigned short* path, const char* mode) {
  if (path == nullptr) return nullptr;
  return std::fopen(utf16_to_utf8(path).c_str(), mode);
}

}  // namespace vorn::platform
