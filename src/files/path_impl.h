// Internal to vorn_common: do not include from outside src/.
//
// Path dissection written once for 8-bit and UTF-16 units. Nothing here touches the
// file system; "\" and "/" both separate components.
#ifndef VORN_SRC_FILES_PATH_IMPL_H
#define VORN_SRC_FILES_PATH_IMPL_H

#include <cstddef>
#include <cstdint>

#include "cstr/cstr_impl.h"

namespace vorn::detail::path {

// Limits of the split parts, terminator excluded; buffers of 3, 256, 260 and 256 units suffice.
constexpr size_t kMaxDir = 255;
constexpr size_t kMaxName = 259;
constexpr size_t kMaxExt = 255;

template <class Unit>
constexpr bool is_separator(Unit c) {
  return c == Unit('\\') || c == Unit('/');
}

/// A drive is a second unit ':' ("C:").
template <class Unit>
bool has_drive(const Unit* path) {
  return path[0] != 0 && path[1] == Unit(':');
}

/// Copies `count` units cut to `limit` and terminates; a null destination is skipped.
template <class Unit>
void copy_cut(Unit* out, const Unit* from, size_t count, size_t limit) {
  if (out == nullptr) return;
  if (count > limit) count = limit;
  for (size_t i = 0; i < count; ++i) out[i] = from[i];
  out[count] = 0;
}

/// Splits into drive, directory (with its trailing separator), name and extension (with
/// its dot). Each output may be null. A null path gives four empty parts.
template <class Unit>
void split(const Unit* path, Unit* drive, Unit* dir, Unit* name, Unit* ext) {
  static const Unit kEmpty[1] = {0};
  if (path == nullptr) path = kEmpty;
  const Unit* rest = path;
  if (has_drive(path)) {
    copy_cut(drive, path, 2, 2);
    rest = path + 2;
  } else {
    copy_cut(drive, path, 0, 0);
  }
  const Unit* file = rest;  // just after the last separator
  const Unit* dot = nullptr;
  const Unit* end = rest;
  for (; *end != 0; ++end) {
    if (is_separator(*end)) {
      file = end + 1;
    } else if (*end == Unit('.')) {
      dot = end;
    }
  }
  copy_cut(dir, rest, static_cast<size_t>(file - rest), kMaxDir);
  if (dot != nullptr && dot >= file) {
    copy_cut(name, file, static_cast<size_t>(dot - file), kMaxName);
    copy_cut(ext, dot, static_cast<size_t>(end - dot), kMaxExt);
  } else {
    copy_cut(name, file, static_cast<size_t>(end - file), kMaxName);
    copy_cut(ext, end, 0, 0);
  }
}

/// Drive and directory of `path` into `out` (at least 260 units); "" for a null path.
template <class Unit>
void directory_of(const Unit* path, Unit* out) {
  if (out == nullptr) return;
  out[0] = 0;
  if (path == nullptr) return;
  Unit dir[kMaxDir + 1];
  split<Unit>(path, out, dir, nullptr, nullptr);
  Unit* tail = out + text_length(out);
  for (const Unit* d = dir; *d != 0; ++d) *tail++ = *d;
  *tail = 0;
}

/// The bare file name inside `path`: after the last "\", "/" or ":" found scanning back to
/// the second unit. Null gives null.
template <class Unit>
const Unit* file_name(const Unit* path) {
  if (path == nullptr) return nullptr;
  const Unit* end = path + text_length(path);
  for (const Unit* p = end - 1; p > path; --p) {
    if (is_separator(*p) || *p == Unit(':')) return p + 1;
  }
  return path;
}

/// The unit after the last "." found scanning back to the second unit, or null when
/// there is none. Separators do not stop the search.
template <class Unit>
const Unit* after_last_dot(const Unit* path) {
  const Unit* end = path + text_length(path);
  for (const Unit* p = end - 1; p > path; --p) {
    if (*p == Unit('.')) return p + 1;
  }
  return nullptr;
}

/// One level of `path` into `out` (see extractfiledirex), writing at most `capacity`
/// units with the terminator. Returns false, with `out` empty, when the level does not fit.
template <class Unit>
bool level_of(const Unit* path, Unit* out, size_t capacity, int32_t level) {
  if (out == nullptr || capacity == 0) return false;
  out[0] = 0;
  if (path == nullptr || level <= 0) return true;
  int32_t count = 0;
  size_t n = 0;
  for (const Unit* p = path; *p != 0; ++p) {
    if (is_separator(*p) && ++count == level) break;
    if (count == level - 1) {
      if (n + 1 >= capacity) {
        out[0] = 0;
        return false;
      }
      out[n++] = *p;
    }
  }
  if (n > 0 && is_separator(out[n - 1])) --n;
  out[n] = 0;
  return true;
}

}  // namespace vorn::detail::path

#endif  // VORN_SRC_FILES_PATH_IMPL_H
