// Path name helpers: drive, directory, name, extension, one level, relative path.
#include <cstring>
#include <string>

#include "files/path_impl.h"
#include "vorn/files.h"

namespace path = vorn::detail::path;

namespace {

bool same_ignoring_case(const char* a, size_t a_len, const char* b, size_t b_len) {
  if (a_len != b_len) return false;
  for (size_t i = 0; i < a_len; ++i) {
    if (vorn::detail::ascii_lower(a[i]) != vorn::detail::ascii_lower(b[i])) return false;
  }
  return true;
}

const char* find_separator(const char* text) {
  for (; *text != 0; ++text) {
    if (path::is_separator(*text)) return text;
  }
  return nullptr;
}

// One side of ExtractRelativePath: the current component [cur, cur + cur_len) and the
// remainder after the separator that closes it (null when there is none).
struct Walk {
  const char* cur = nullptr;
  size_t cur_len = 0;
  const char* rest = nullptr;
  bool has_cur = false;

  explicit Walk(const char* text) {
    if (path::has_drive(text)) text += 2;
    if (path::is_separator(*text)) ++text;
    has_cur = true;
    take(text, find_separator(text));
  }

  void take(const char* from, const char* separator) {
    cur = from;
    if (separator != nullptr) {
      cur_len = static_cast<size_t>(separator - from);
      rest = separator + 1;
    } else {
      cur_len = std::strlen(from);
      rest = nullptr;
    }
  }

  void run_out() {
    has_cur = false;
    cur_len = 0;
    rest = nullptr;
  }

  // The base's last component is its file name, never a directory to compare.
  void advance_base() {
    const char* separator = rest != nullptr ? find_separator(rest) : nullptr;
    if (separator == nullptr) {
      run_out();
    } else {
      take(rest, separator);
    }
  }

  void advance_target() {
    if (rest == nullptr) {
      run_out();
    } else {
      take(rest, find_separator(rest));
    }
  }
};

}  // namespace

extern "C" {

void ExtractFileNames(const char* path, char* drive, char* dir, char* name, char* ext) {
  path::split(path, drive, dir, name, ext);
}

void ExtractFileFirstName(const char* path, char* out) {
  if (path == nullptr || out == nullptr) return;
  path::split<char>(path, nullptr, nullptr, out, nullptr);
}

void ExtractFileDir(const char* path, char* out) { path::directory_of(path, out); }

void ExtractFileDirW(const unsigned short* path, unsigned short* out) { path::directory_of(path, out); }

const char* ExtractFileNamePtrA(const char* path) { return path::file_name(path); }

const char* ExtractFileNamePtr(const char* path) { return path::file_name(path); }

const unsigned short* ExtractFileNamePtrW(const unsigned short* path) { return path::file_name(path); }

int32_t ExtractFileExt(const char* path, char* out) {
  if (path == nullptr || *path == 0) return 0;
  const char* ext = path::after_last_dot(path);
  if (ext == nullptr) return 0;
  if (out != nullptr) std::strcpy(out, ext);
  return 1;
}

const char* ExtractFileExtPtrA(const char* path) {
  if (path == nullptr || *path == 0) return nullptr;
  const char* ext = path::after_last_dot(path);
  return ext != nullptr ? ext : path + std::strlen(path);
}

const char* ExtractFileExtPtr(const char* path) { return ExtractFileExtPtrA(path); }

void extractfiledirex(const char* path, char* out, int32_t level) {
  if (out == nullptr) return;
  // The caller's buffer holds the whole path by contract, and a level never outgrows it.
  path::level_of(path, out, static_cast<size_t>(-1), level);
}

char* ExtractRelativePath(const char* base, const char* target, char* out) {
  if (base == nullptr || target == nullptr || out == nullptr) return nullptr;
  const size_t base_drive = path::has_drive(base) ? 2 : 0;
  const size_t target_drive = path::has_drive(target) ? 2 : 0;
  if (!same_ignoring_case(base, base_drive, target, target_drive)) {
    std::memmove(out, target, std::strlen(target) + 1);
    return out;
  }

  Walk b(base);
  Walk t(target);
  while (b.has_cur && t.has_cur && same_ignoring_case(b.cur, b.cur_len, t.cur, t.cur_len)) {
    b.advance_base();
    t.advance_target();
  }

  // Built aside first: `out` may be the caller's base or target buffer.
  std::string result;
  if (b.has_cur && b.rest != nullptr) {
    result += "..\\";
    for (const char* p = b.rest; *p != 0; ++p) {
      if (path::is_separator(*p)) result += "..\\";
    }
  }
  const bool has_component = t.has_cur && t.cur_len > 0;
  if (has_component) result.append(t.cur, t.cur_len);
  if (t.rest != nullptr) {
    if (has_component && *t.rest != 0) result += '\\';
    result += t.rest;
  }
  std::memcpy(out, result.c_str(), result.size() + 1);
  return out;
}

}  // extern "C"
