// The process's ANSI code page, converted by the system itself.
#include <windows.h>

#include "platform/system_code_page.h"

namespace vorn::platform {

bool has_system_code_page() { return true; }

// The system call writes no terminator for an explicit length and counts it when the
// length is -1, exactly the convention the library keeps; with default flags it
// substitutes what cannot be represented.
int system_to_utf16(const char* src, int src_length, unsigned short* dest, int capacity) {
  return MultiByteToWideChar(CP_ACP, 0, src, src_length, reinterpret_cast<wchar_t*>(dest), capacity);
}

int utf16_to_system(const unsigned short* src, int src_length, char* dest, int capacity) {
  return WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<const wchar_t*>(src), src_length, dest, capacity, nullptr,
                             nullptr);
}

}  // namespace vorn::platform
