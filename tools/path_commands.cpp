// vorn path and vorn relpath: the path-name helpers. They take paths apart as text and
// never look at the file system, except relpath --posix, which resolves like realpath -m.
#include <vorn/files.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "file_system.h"
#include "tool.h"

namespace vorn_tool {
namespace {

// The library keeps Windows limits: a directory part of 255 bytes, a name of 259, an
// extension of 255, and 259 bytes for a whole path in a 260-byte buffer.
constexpr size_t kMaxPath = 259;

const char kRules[] =
    "Paths follow the library's Windows-style rules: \\ and / both separate, a drive is\n"
    "a letter and a colon, components compare without regard to ASCII case, and a path\n"
    "keeps to the Windows limits (a 255-byte directory part, a 259-byte name, a 255-byte\n"
    "extension, 259 bytes in all in a 260-byte buffer). A longer path is refused with\n"
    "status 2 rather than cut. Nothing is looked up on disk.";

// "label     value", or the label alone for an empty value.
std::string Row(const std::string& label, const std::string& value) {
  if (value.empty()) return label + "\n";
  std::string padded = label;
  if (padded.size() < 10) padded.resize(10, ' ');
  return padded + " " + value + "\n";
}

void CheckLength(const std::string& path, const char* what) {
  if (path.size() > kMaxPath) {
    throw Failure(std::string(what) + " is " + std::to_string(path.size()) + " bytes, over the " +
                  std::to_string(kMaxPath) + "-byte limit of Windows-style paths: " + Quoted(path));
  }
}

int RunPath(const std::string& path) {
  CheckLength(path, "PATH");
  char drive[3], dir[256], name[260], ext[256];
  ExtractFileNames(path.c_str(), drive, dir, name, ext);
  // The four parts make up the path unless the library had to cut one of them.
  if (std::strlen(drive) + std::strlen(dir) + std::strlen(name) + std::strlen(ext) != path.size()) {
    throw Failure("a part of PATH is over the library's limit (directory 255, name 259, extension 255 bytes): " +
                  Quoted(path));
  }
  std::string out = Row("drive", drive) + Row("directory", dir) + Row("name", name) + Row("extension", ext);
  char folder[260];
  ExtractFileDir(path.c_str(), folder);
  out += Row("dir", folder) + Row("file", ExtractFileNamePtrA(path.c_str()));
  const char* suffix = ExtractFileExtPtrA(path.c_str());
  out += Row("suffix", suffix != nullptr ? suffix : "");

  // One level per separator, plus the text before the first.
  std::vector<char> level(path.size() + 1);
  size_t levels = 1;
  for (char c : path) levels += c == '\\' || c == '/';
  for (size_t i = 1; i <= levels; ++i) {
    extractfiledirex(path.c_str(), level.data(), static_cast<int32_t>(i));
    out += Row("level " + std::to_string(i), level.data());
  }
  WriteOut(out);
  return 0;
}

// ---- POSIX: what realpath -m --relative-to=BASE TARGET prints ---------------------------

std::vector<std::string> Components(const std::string& path) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= path.size()) {
    const size_t end = std::min(path.find('/', start), path.size());
    if (end > start) parts.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

std::string WorkingDirectory() {
  std::string directory;
  const int error = CurrentDirectory(directory);
  if (error != 0) throw Failure(std::string("cannot get the current directory: ") + std::strerror(error));
  return directory;
}

// The absolute path without ".", ".." and symbolic links; the parts that do not exist
// are taken as they are written.
std::vector<std::string> Resolve(const std::string& path) {
  std::vector<std::string> pending = Components(path[0] == '/' ? path : WorkingDirectory() + "/" + path);
  std::vector<std::string> done;
  int links = 0;
  for (size_t i = 0; i < pending.size(); ++i) {
    const std::string& part = pending[i];
    if (part == ".") continue;
    if (part == "..") {
      if (!done.empty()) done.pop_back();
      continue;
    }
    done.push_back(part);
    std::string so_far;
    for (const std::string& d : done) so_far += "/" + d;
    std::string link;
    if (!SymbolicLinkTarget(so_far, link)) continue;
    if (++links > 40) throw Failure("too many levels of symbolic links in " + Quoted(path));
    done.pop_back();
    if (!link.empty() && link[0] == '/') done.clear();
    std::vector<std::string> rest = Components(link);
    rest.insert(rest.end(), pending.begin() + static_cast<std::ptrdiff_t>(i) + 1, pending.end());
    pending = std::move(rest);
    i = static_cast<size_t>(-1);
  }
  return done;
}

std::string PosixRelative(const std::string& base, const std::string& target) {
  if (base.empty() || target.empty()) throw Failure("BASE and TARGET must not be empty");
  const std::vector<std::string> from = Resolve(base);
  const std::vector<std::string> to = Resolve(target);
  size_t common = 0;
  while (common < from.size() && common < to.size() && from[common] == to[common]) ++common;
  std::string out;
  for (size_t i = common; i < from.size(); ++i) out += out.empty() ? ".." : "/..";
  for (size_t i = common; i < to.size(); ++i) out += (out.empty() ? "" : "/") + to[i];
  return out.empty() ? "." : out;
}

int RunRelPath(const std::string& base, const std::string& target, bool posix) {
  if (posix) {
    WriteOut(PosixRelative(base, target) + "\n");
    return 0;
  }
  CheckLength(base, "BASE");
  CheckLength(target, "TARGET");
  // Three bytes per level climbed (at most one per separator of the base) and the target.
  std::vector<char> out(3 * (base.size() + 1) + target.size() + 1);
  const char* result = ExtractRelativePath(base.c_str(), target.c_str(), out.data());
  WriteOut(std::string(result != nullptr ? result : "") + "\n");
  return 0;
}

struct RelPathOptions {
  std::string base;
  std::string target;
  bool posix = false;
};

}  // namespace

void AddPathCommands(CLI::App& app, Action& action) {
  {
    auto path = std::make_shared<std::string>();
    CLI::App* cmd = app.add_subcommand("path", "Take a Windows-style path apart");
    cmd->footer(std::string("Prints the drive, directory, name and extension, the file name and every level\n"
                            "of PATH.\n") +
                kRules);
    cmd->add_option("PATH", *path, "A path")->required()->type_name("");
    cmd->callback([path, &action] { action = [path] { return RunPath(*path); }; });
  }
  {
    auto o = std::make_shared<RelPathOptions>();
    CLI::App* cmd = app.add_subcommand("relpath", "Print a Windows-style path relative to another");
    cmd->footer(std::string("Prints TARGET relative to the directory of the file BASE, with ..\\ for each level\n"
                            "climbed. A BASE that ends in a separator is a directory.\n") +
                kRules +
                "\nWith --posix, BASE is a directory and the answer is the one of\n"
                "'realpath -m --relative-to=BASE TARGET': / separates, case counts, . and .. and\n"
                "symbolic links are resolved, relative paths start from the current directory.\n"
                "On Windows symbolic links are not followed: the paths are resolved as text.");
    cmd->add_option("BASE", o->base, "Path of a file, or of a directory ending in a separator")
        ->required()
        ->type_name("");
    cmd->add_option("TARGET", o->target, "Path to express relative to BASE")->required()->type_name("");
    cmd->add_flag("--posix", o->posix, "POSIX paths, as realpath -m --relative-to");
    cmd->callback([o, &action] { action = [o] { return RunRelPath(o->base, o->target, o->posix); }; });
  }
}

}  // namespace vorn_tool
