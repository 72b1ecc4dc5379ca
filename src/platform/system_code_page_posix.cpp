// POSIX systems have no "ANSI" code page of their own: the locale's character set,
// through ICU's default converter, takes its place.
#include "platform/system_code_page.h"

namespace vorn::platform {

bool has_system_code_page() { return false; }

int system_to_utf16(const char*, int, unsigned short*, int) { return 0; }

int utf16_to_system(const unsigned short*, int, char*, int) { return 0; }

}  // namespace vorn::platform
