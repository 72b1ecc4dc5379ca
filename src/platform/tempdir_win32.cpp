#include <windows.h>

#include <vector>

#include "platform/tempdir.h"

namespace vorn::platform {

// The system's answer already ends with a backslash; it is handed on in the ANSI code
// page like every other 8-bit path.
bool temp_directory(std::string& out) {
  out.clear();
  wchar_t wide[MAX_PATH + 1];
  const DWORD units = GetTempPathW(MAX_PATH + 1, wide);
  if (units == 0 || units > MAX_PATH) return false;
  const int bytes = WideCharToMultiByte(CP_ACP, 0, wide, static_cast<int>(units), nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return false;
  out.resize(static_cast<size_t>(bytes));
  WideCharToMultiByte(CP_ACP, 0, wide, static_cast<int>(units), out.data(), bytes, nullptr, nullptr);
  return true;
}

}  // namespace vorn::platform
