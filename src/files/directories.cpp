// Creating a directory together with its missing parents.
#include <cstring>
#include <memory>
#include <new>

#include "files/path_impl.h"
#include "platform/file_system.h"
#include "vorn/files.h"
#include "vorn/strings.h"

namespace path = vorn::detail::path;

extern "C" bool Vorn_ForceCreateDir(const char* dir) {
  if (dir == nullptr) return false;
  TStringA accumulated(260, TStringA::ctCapacity);
  if (path::has_drive(dir)) accumulated.Append(dir, 2);

  // No level is longer than the whole path.
  const size_t capacity = std::strlen(dir) + 1;
  const std::unique_ptr<char[]> level_text(new (std::nothrow) char[capacity]);
  if (level_text == nullptr) return false;
  bool present = false;
  for (int32_t level = 2;; ++level) {
    if (!path::level_of(dir, level_text.get(), capacity, level)) return false;
    if (level_text[0] == 0) break;
    accumulated.Append(level_text.get(), 0);
    if (vorn::platform::path_exists(accumulated.p())) {
      present = true;
    } else if (vorn::platform::make_directory(accumulated.p())) {
      present = true;
    } else {
      return false;
    }
  }
  return present;
}
