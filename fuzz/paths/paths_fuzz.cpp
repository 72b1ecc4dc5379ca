// Every path helper on arbitrary paths, each output in a heap block of exactly the size
// that the function promises to stay within, so that any write past it is caught.
// Input: a level byte, then the base path, a NUL, the target path.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "vorn/files.h"

namespace {

void check(bool ok) {
  if (!ok) abort();
}

// A heap copy of exactly size + 1 bytes, so that a read past the terminator is caught.
struct Block {
  std::vector<char> bytes;
  explicit Block(size_t n, char fill = '\x7f') : bytes(n, fill) {}
  Block(const std::string& s) : bytes(s.begin(), s.end()) { bytes.push_back(0); }
  char* get() { return bytes.data(); }
};

bool is_sep(char c) { return c == '\\' || c == '/'; }

std::u16string widen(const std::string& s) {
  std::u16string w;
  for (unsigned char c : s) w += static_cast<char16_t>(c);
  return w;
}

void check_names(const std::string& text, bool skip_some) {
  Block path(text);
  Block drive(3), dir(256), name(260), ext(256);
  ExtractFileNames(path.get(), drive.get(), dir.get(), name.get(), ext.get());
  std::string d(drive.get()), r(dir.get()), n(name.get()), e(ext.get());
  check(d.size() <= 2 && r.size() <= 255 && n.size() <= 259 && e.size() <= 255);
  if (r.size() < 255 && n.size() < 259 && e.size() < 255) check(d + r + n + e == text);
  if (r.size() < 255) check(r.empty() || is_sep(r.back()));  // a cut directory ends anywhere
  check(e.empty() || e[0] == '.');
  if (skip_some) {
    Block only_ext(256);
    ExtractFileNames(path.get(), nullptr, nullptr, nullptr, only_ext.get());
    check(e == only_ext.get());
  }

  Block first(260);
  ExtractFileFirstName(path.get(), first.get());
  check(n == first.get());

  Block out(260);
  ExtractFileDir(path.get(), out.get());
  check(d + r == out.get());

  std::u16string wide = widen(text);
  std::vector<unsigned short> wpath(wide.begin(), wide.end());
  wpath.push_back(0);
  std::vector<unsigned short> wout(260, 0x7f7f);
  ExtractFileDirW(wpath.data(), wout.data());
  std::u16string wdir;
  for (const unsigned short* q = wout.data(); *q != 0; ++q) wdir += static_cast<char16_t>(*q);
  check(wdir == widen(d + r));

  // The bare file name: after the last separator or ':' at index 1 or later.
  size_t start = 0;
  for (size_t i = text.size(); i-- > 1;) {
    if (is_sep(text[i]) || text[i] == ':') {
      start = i + 1;
      break;
    }
  }
  check(ExtractFileNamePtrA(path.get()) == path.get() + start);
  check(ExtractFileNamePtr(path.get()) == path.get() + start);
  check(ExtractFileNamePtrW(wpath.data()) == wpath.data() + start);

  // The extension: after the last '.' at index 1 or later, separators included.
  size_t dot = std::string::npos;
  for (size_t i = text.size(); i-- > 1;) {
    if (text[i] == '.') {
      dot = i;
      break;
    }
  }
  const char* ptr = ExtractFileExtPtrA(path.get());
  check(ptr == ExtractFileExtPtr(path.get()));
  if (text.empty()) {
    check(ptr == nullptr);
  } else {
    check(ptr == path.get() + (dot == std::string::npos ? text.size() : dot + 1));
  }
  size_t ext_len = dot == std::string::npos ? 0 : text.size() - dot - 1;
  Block ext_out(ext_len + 2);
  int32_t found = ExtractFileExt(path.get(), ext_out.get());
  check(found == (dot != std::string::npos ? 1 : 0));
  if (found) {
    check(std::string(ext_out.get()) == text.substr(dot + 1));
  } else {
    check(ext_out.bytes[0] == '\x7f');
  }
}

void check_levels(const std::string& text, int32_t extra) {
  Block path(text);
  int32_t seps = 0;
  for (char c : text) seps += is_sep(c) ? 1 : 0;
  std::string joined;
  for (int32_t level = -1; level <= seps + 2; ++level) {
    Block out(text.size() + 1);
    extractfiledirex(path.get(), out.get(), level);
    std::string piece(out.get());
    check(piece.size() <= text.size());
    if (level <= 0 || level > seps + 1) check(piece.empty());
    if (level >= 2 && !piece.empty()) check(is_sep(piece[0]));
    joined += piece;
  }
  // Only empty levels lose their separator, so the levels together never exceed the path.
  check(joined.size() <= text.size());
  Block out(text.size() + 1);
  extractfiledirex(path.get(), out.get(), extra);
  check(std::strlen(out.get()) <= text.size());
}

void check_relative(const std::string& base_text, const std::string& target_text) {
  Block base(base_text), target(target_text);
  size_t seps = 0;
  for (char c : base_text) seps += is_sep(c) ? 1 : 0;
  Block roomy(3 * seps + target_text.size() + 1);
  char* result = ExtractRelativePath(base.get(), target.get(), roomy.get());
  check(result == roomy.get());
  std::string first(roomy.get());
  size_t levels = 0;
  while (first.compare(3 * levels, 3, "..\\") == 0) ++levels;
  // Again in a block of exactly the promised size: three bytes per level climbed plus the
  // target's length and the terminator.
  Block exact(3 * levels + target_text.size() + 1);
  check(ExtractRelativePath(base.get(), target.get(), exact.get()) == exact.get());
  check(first == exact.get());
  check(ExtractRelativePath(nullptr, target.get(), exact.get()) == nullptr);
  check(ExtractRelativePath(base.get(), nullptr, exact.get()) == nullptr);
  check(ExtractRelativePath(base.get(), target.get(), nullptr) == nullptr);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1 || size > 4096) return 0;
  int32_t level = static_cast<int8_t>(data[0]);
  std::string rest(reinterpret_cast<const char*>(data + 1), size - 1);
  size_t nul = rest.find('\0');
  std::string base = rest.substr(0, nul);
  std::string target = nul == std::string::npos ? std::string() : rest.substr(nul + 1);
  target = target.substr(0, target.find('\0'));

  check_names(base, (level & 1) != 0);
  check_names(target, false);
  check_levels(base, level);
  check_relative(base, target);
  check_relative(target, base);

  ExtractFileFirstName(nullptr, nullptr);
  ExtractFileDir(base.c_str(), nullptr);
  char empty[1] = {'\x7f'};
  ExtractFileDir(nullptr, empty);
  check(empty[0] == 0);
  return 0;
}
