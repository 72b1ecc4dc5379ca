// The two implementations of file_system.h; the program is built for one system, so
// the choice is made here once rather than at every call.
#include "file_system.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#else
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <climits>
#include <cstdint>
#include <vector>

namespace vorn_tool {

namespace {

// Reads until the end into `bytes`; growth by doubling only where the size is not known
// beforehand. `read_some(buffer, room)` returns the count read, 0 at the end, or minus
// the errno value of a failure.
template <typename ReadSome>
int ReadAll(ReadSome read_some, size_t expected, std::string& bytes) {
  bytes.assign(expected > 0 ? expected : 65536, '\0');
  size_t used = 0;
  for (;;) {
    if (used == bytes.size()) bytes.resize(bytes.size() * 2);
    const std::ptrdiff_t n = read_some(&bytes[used], bytes.size() - used);
    if (n < 0) return static_cast<int>(-n);
    if (n == 0) break;
    used += static_cast<size_t>(n);
  }
  bytes.resize(used);
  return 0;
}

}  // namespace

void MappedFile::UseBytes() {
  data_ = bytes_.data();
  size_ = bytes_.size();
}

#ifdef _WIN32

namespace {

int ErrnoOf(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
      return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return EACCES;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
      return ENOMEM;
    default:
      return EIO;
  }
}

// Windows passes the arguments in the ANSI code page, so names are read back in it.
std::wstring Widened(const std::string& text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int units = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<size_t>(units > 0 ? units : 0), L'\0');
  if (units > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), size, &wide[0], units);
  return wide;
}

std::string Narrowed(const wchar_t* text, size_t units) {
  if (units == 0) return {};
  const int count = static_cast<int>(units);
  const int bytes = WideCharToMultiByte(CP_ACP, 0, text, count, nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<size_t>(bytes > 0 ? bytes : 0), '\0');
  if (bytes > 0) WideCharToMultiByte(CP_ACP, 0, text, count, &narrow[0], bytes, nullptr, nullptr);
  return narrow;
}

// A view of the whole file, or null where it cannot be mapped (the bytes are read then).
void* MapWhole(HANDLE file) {
  HANDLE mapping = CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
  if (mapping == nullptr) return nullptr;
  void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
  CloseHandle(mapping);  // the view keeps the mapping alive
  return view;
}

std::ptrdiff_t ReadSome(HANDLE file, char* buffer, size_t room) {
  DWORD got = 0;
  const DWORD want = room > 0x40000000u ? 0x40000000u : static_cast<DWORD>(room);
  if (ReadFile(file, buffer, want, &got, nullptr)) return static_cast<std::ptrdiff_t>(got);
  const DWORD error = GetLastError();
  return error == ERROR_BROKEN_PIPE ? 0 : -static_cast<std::ptrdiff_t>(ErrnoOf(error));  // a closed pipe ends it
}

}  // namespace

int MappedFile::Open(const std::string& path) {
  const bool standard_input = path == "-";
  HANDLE file = standard_input ? GetStdHandle(STD_INPUT_HANDLE)
                               : CreateFileW(Widened(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                             nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE || file == nullptr) return ErrnoOf(GetLastError());
  LARGE_INTEGER size{};
  const bool on_disk = GetFileType(file) == FILE_TYPE_DISK && GetFileSizeEx(file, &size) && size.QuadPart > 0 &&
                       static_cast<unsigned long long>(size.QuadPart) <= SIZE_MAX;
  if (on_disk) view_ = MapWhole(file);
  int error = 0;
  if (view_ != nullptr) {
    data_ = static_cast<const char*>(view_);
    size_ = static_cast<size_t>(size.QuadPart);
  } else {
    const auto read_some = [file](char* buffer, size_t room) { return ReadSome(file, buffer, room); };
    try {
      error = ReadAll(read_some, on_disk ? static_cast<size_t>(size.QuadPart) : 0, bytes_);
    } catch (...) {
      if (!standard_input) CloseHandle(file);
      throw;
    }
    UseBytes();
  }
  if (!standard_input) CloseHandle(file);
  return error;
}

MappedFile::~MappedFile() {
  if (view_ != nullptr) UnmapViewOfFile(view_);
}

int CurrentDirectory(std::string& directory) {
  const DWORD units = GetCurrentDirectoryW(0, nullptr);
  std::vector<wchar_t> buffer(units + 1);
  const DWORD got = units > 0 ? GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data()) : 0;
  if (got == 0 || got >= buffer.size()) return ErrnoOf(GetLastError());
  directory = Narrowed(buffer.data(), got);
  for (char& c : directory) c = c == '\\' ? '/' : c;
  return 0;
}

void UseBinaryStandardOutput() { _setmode(_fileno(stdout), _O_BINARY); }

bool SymbolicLinkTarget(const std::string&, std::string&) { return false; }

#else

int MappedFile::Open(const std::string& path) {
  const bool standard_input = path == "-";
  const int fd = standard_input ? STDIN_FILENO : open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno;
  struct stat info {};
  int error = fstat(fd, &info) != 0 ? errno : S_ISDIR(info.st_mode) ? EISDIR : 0;
  const bool regular = error == 0 && S_ISREG(info.st_mode) && info.st_size > 0;
  if (regular) {
    // Mapped pages are shared with the page cache and cost no copy of their own.
    view_ = mmap(nullptr, static_cast<size_t>(info.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
    if (view_ == MAP_FAILED) view_ = nullptr;
  }
  if (view_ != nullptr) {
    data_ = static_cast<const char*>(view_);
    size_ = static_cast<size_t>(info.st_size);
  } else if (error == 0) {
    const auto read_some = [fd](char* buffer, size_t room) -> std::ptrdiff_t {
      for (;;) {
        const ssize_t n = read(fd, buffer, room);
        if (n >= 0) return n;
        if (errno != EINTR) return -errno;
      }
    };
    try {
      error = ReadAll(read_some, regular ? static_cast<size_t>(info.st_size) : 0, bytes_);
    } catch (...) {
      if (!standard_input) close(fd);
      throw;
    }
    UseBytes();
  }
  if (!standard_input) close(fd);
  return error;
}

MappedFile::~MappedFile() {
  if (view_ != nullptr) munmap(view_, size_);
}

void UseBinaryStandardOutput() {}

int CurrentDirectory(std::string& directory) {
  std::vector<char> buffer(PATH_MAX);
  while (getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE) return errno;
    buffer.resize(buffer.size() * 2);
  }
  directory = buffer.data();
  return 0;
}

bool SymbolicLinkTarget(const std::string& path, std::string& target) {
  struct stat info {};
  if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return false;
  std::vector<char> buffer(static_cast<size_t>(info.st_size > 0 ? info.st_size : PATH_MAX) + 1);
  const ssize_t n = readlink(path.c_str(), buffer.data(), buffer.size() - 1);
  if (n < 0) return false;
  target.assign(buffer.data(), static_cast<size_t>(n));
  return true;
}

#endif

}  // namespace vorn_tool
