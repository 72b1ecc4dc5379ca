// vorn path and vorn relpath: the path-name helpers. They take paths apart as text and
// never look at the file system.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "tool.h"
#include "vorn/files.h"

namespace vorn_tool {
namespace {

// "label     value", or the label alone for an empty value.
void Row(const char* label, const std::string& value) {
  if (value.empty()) {
    std::printf("%s\n", label);
  } else {
    std::printf("%-10s %s\n", label, value.c_str());
  }
}

int RunPath(const std::string& path) {
  // ExtractFileNames caps its parts (3, 256, 260, 256 bytes).
  char drive[3], dir[256], name[260], ext[256];
  ExtractFileNames(path.c_str(), drive, dir, name, ext);
  Row("drive", drive);
  Row("directory", dir);
  Row("name", name);
  Row("extension", ext);

  char folder[260];
  ExtractFileDir(path.c_str(), folder);
  Row("dir", folder);
  Row("file", ExtractFileNamePtrA(path.c_str()));
  const char* suffix = ExtractFileExtPtrA(path.c_str());
  Row("suffix", suffix != nullptr ? suffix : "");

  // One level per separator, plus the text before the first.
  std::vector<char> level(path.size() + 1);
  size_t levels = 1;
  for (char c : path) levels += c == '\\' || c == '/';
  for (size_t i = 1; i <= levels; ++i) {
    extractfiledirex(path.c_str(), level.data(), static_cast<int32_t>(i));
    const std::string label = "level " + std::to_string(i);
    Row(label.c_str(), level.data());
  }
  return 0;
}

int RunRelPath(const std::string& base, const std::string& target) {
  // Three bytes per level climbed (at most one per separator of the base) and the target.
  std::vector<char> out(3 * (base.size() + 1) + target.size() + 1);
  const char* result = ExtractRelativePath(base.c_str(), target.c_str(), out.data());
  std::printf("%s\n", result != nullptr ? result : "");
  return 0;
}

}  // namespace

void AddPathCommands(CLI::App& app, Action& action) {
  {
    auto path = std::make_shared<std::string>();
    CLI::App* cmd = app.add_subcommand("path", "Take a path apart");
    cmd->footer(
        "Prints the drive, directory, name and extension, the file name and every level\n"
        "of PATH. Both \\ and / separate; nothing is looked up on disk.");
    cmd->add_option("PATH", *path, "A path")->required()->type_name("");
    cmd->callback([path, &action] { action = [path] { return RunPath(*path); }; });
  }
  {
    auto base = std::make_shared<std::string>();
    auto target = std::make_shared<std::string>();
    CLI::App* cmd = app.add_subcommand("relpath", "Print a path relative to another");
    cmd->footer(
        "Prints TARGET relative to the directory of the file BASE, with ..\\ for each level\n"
        "climbed. A BASE that ends in a separator is a directory.");
    cmd->add_option("BASE", *base, "Path of a file, or of a directory ending in a separator")
        ->required()
        ->type_name("");
    cmd->add_option("TARGET", *target, "Path to express relative to BASE")->required()->type_name("");
    cmd->callback([base, target, &action] { action = [base, target] { return RunRelPath(*base, *target); }; });
  }
}

}  // namespace vorn_tool
