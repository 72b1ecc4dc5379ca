// Internal to vorn_common: do not include from outside src/.
//
// The system's own "ANSI" code page, where the system has one. The conversions keep
// the calling convention described in charset/ansi_codepage.h; the caller has already
// turned away the arguments that fail before any conversion.
#ifndef VORN_SRC_PLATFORM_SYSTEM_CODE_PAGE_H
#define VORN_SRC_PLATFORM_SYSTEM_CODE_PAGE_H

namespace vorn::platform {

/// Whether the system converts its own code page; without one, callers use ICU's
/// default converter and never call the two functions below.
bool has_system_code_page();

/// System code page bytes to UTF-16 units; `src_length` in bytes, `capacity` in units.
int system_to_utf16(const char* src, int src_length, unsigned short* dest, int capacity);

/// UTF-16 units to system code page bytes; `src_length` in units, `capacity` in bytes.
int utf16_to_system(const unsigned short* src, int src_length, char* dest, int capacity);

}  // namespace vorn::platform

#endif  // VORN_SRC_PLATFORM_SYSTEM_CODE_PAGE_H
