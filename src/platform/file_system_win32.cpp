// Files through their UTF-16 names: 8-bit names are in the ANSI code page, and both
// forms reach the system's wide calls.
#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/file_system.h"

namespace vorn::platform {
namespace {

/// `text` in `code_page` as UTF-16; empty when it cannot be converted.
std::wstring widen(UINT code_page, const char* text) {
  std::wstring out;
  if (text == nullptr) return out;
  const int units = MultiByteToWideChar(code_page, 0, text, -1, nullptr, 0);
  if (units <= 0) return out;
  out.resize(static_cast<size_t>(units));
  MultiByteToWideChar(code_page, 0, text, -1, out.data(), units);
  out.pop_back();  // the terminator, which the string keeps by itself
  return out;
}

FILE* open_wide(const std::wstring& path, const char* mode) {
  if (path.empty()) return nullptr;
  return _wfopen(path.c_str(), widen(CP_ACP, mode).c_str());
}

}  // namespace

bool path_exists(const char* path) {
  const std::wstring wide = widen(CP_ACP, path);
  return !wide.empty() && GetFileAttributesW(wide.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool make_directory(const char* path) {
  const std::wstring wide = widen(CP_ACP, path);
  return !wide.empty() && CreateDirectoryW(wide.c_str(), nullptr) != 0;
}

FILE* open_file(const char* path, const char* mode) { return open_wide(widen(CP_ACP, path), mode); }

FILE* open_file_utf8(const char* path, const char* mode) { return open_wide(widen(CP_UTF8, path), mode); }

void write_unbroken(FILE* stream, std::initializer_list<Bytes> pieces) {
  // The stream's own lock is recursive, so the writes inside it may take it again.
  _lock_file(stream);
  for (const Bytes& piece : pieces) std::fwrite(piece.data, 1, piece.size, stream);
  std::fflush(stream);
  _unlock_file(stream);
}

}  // namespace vorn::platform
