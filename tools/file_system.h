// What the vorn program needs from the file system that differs between POSIX systems
// and Windows: reading a whole file, binary standard output, the current directory and
// symbolic links.
#ifndef VORN_TOOLS_FILE_SYSTEM_H
#define VORN_TOOLS_FILE_SYSTEM_H

#include <cstddef>
#include <string>

namespace vorn_tool {

/// The bytes of a file ("-" is standard input): a file on disk is mapped, anything else
/// (a pipe, a terminal, a file that cannot be mapped) read once.
class MappedFile {
 public:
  MappedFile() = default;
  ~MappedFile();
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  /// 0 on success, else the errno value that says why the file cannot be read.
  int Open(const std::string& path);
  const char* data() const { return data_; }
  size_t size() const { return size_; }

 private:
  void UseBytes();

  std::string bytes_;  // what was read when the file is not mapped
  void* view_ = nullptr;
  const char* data_ = nullptr;
  size_t size_ = 0;
};

/// Standard output passes bytes unchanged (Windows would otherwise put CR before each LF
/// and alter converted text).
void UseBinaryStandardOutput();

/// The current directory with / as separator; 0 or the errno value of the failure.
int CurrentDirectory(std::string& directory);

/// Whether `path` (with / as separator) is a symbolic link, and where it points. Windows
/// links are not followed: there a path is resolved by its text alone.
bool SymbolicLinkTarget(const std::string& path, std::string& target);

}  // namespace vorn_tool

#endif  // VORN_TOOLS_FILE_SYSTEM_H
