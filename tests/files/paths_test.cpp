// Path splitting, levels and relative paths, each with its exact answer. The rules for
// the name and extension pointers, ExtractFileExt, the wide forms and null arguments are
// checked against a model by the paths fuzz target, whose corpus CTest replays.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "vorn/files.h"

namespace {

struct Parts {
  char drive[3];
  char dir[256];
  char name[260];
  char ext[256];
};

Parts split(const char* path) {
  Parts p;
  std::memset(&p, 'x', sizeof p);
  ExtractFileNames(path, p.drive, p.dir, p.name, p.ext);
  return p;
}

TEST(ExtractFileNames, SplitsDriveDirectoryNameAndLastExtension) {
  const struct {
    const char *path, *drive, *dir, *name, *ext;
  } cases[] = {
      {"dir.d\\file", "", "dir.d\\", "file", ""},  // a dot in the directory is no extension
      {".profile", "", "", "", ".profile"},
      {"/usr/lib/libx.so", "", "/usr/lib/", "libx", ".so"},
      {"C:", "C:", "", "", ""},
      {"C", "", "", "C", ""},
      {"", "", "", "", ""},
  };
  for (const auto& c : cases) {
    const Parts p = split(c.path);
    EXPECT_EQ(std::string(c.drive) + "|" + c.dir + "|" + c.name + "|" + c.ext,
              std::string(p.drive) + "|" + p.dir + "|" + p.name + "|" + p.ext)
        << c.path;
    char dir[260] = "junk";
    ExtractFileDir(c.path, dir);
    EXPECT_EQ(std::string(c.drive) + c.dir, dir) << c.path;
  }
}

TEST(ExtractFileNames, CutsOverlongParts) {
  std::string dir(300, 'd');
  std::string path = dir + "/" + std::string(400, 'n') + "." + std::string(300, 'e');
  Parts p = split(path.c_str());
  EXPECT_EQ(dir.substr(0, 255), p.dir);
  EXPECT_EQ(std::string(259, 'n'), p.name);
  EXPECT_EQ("." + std::string(254, 'e'), p.ext);
}

TEST(ExtractFileDirEx, GivesOneLevelWithItsOpeningSeparator) {
  const struct {
    const char* path;
    int level;
    const char* expected;
  } rows[] = {{"C:\\dir\\sub\\file.txt", 0, ""},
              {"C:\\dir\\sub\\file.txt", 1, "C:"},
              {"C:\\dir\\sub\\file.txt", 2, "\\dir"},
              {"C:\\dir\\sub\\file.txt", 4, "\\file.txt"},
              {"C:\\dir\\sub\\file.txt", 5, ""},
              {"C:\\\\dir", 2, ""},
              {"plain", 1, "plain"},
              {"/a/b/", 3, "/b"},
              {"/a/b/", 4, ""},
              {"a", -3, ""}};
  for (const auto& r : rows) {
    char out[64] = "junk";
    extractfiledirex(r.path, out, r.level);
    EXPECT_STREQ(r.expected, out) << r.path << " level " << r.level;
  }
}

std::string relative(const char* base, const char* target) {
  char out[512];
  const char* r = ExtractRelativePath(base, target, out);
  return r != nullptr ? r : "<null>";
}

TEST(ExtractRelativePath, ClimbsFromTheBaseDirectoryToTheTarget) {
  const char* base = "C:\\a\\b\\file.txt";
  EXPECT_EQ("sub\\y.txt", relative(base, "C:\\a\\b\\sub\\y.txt"));
  EXPECT_EQ("y.txt", relative(base, "C:\\a\\b\\y.txt"));
  EXPECT_EQ("..\\y.txt", relative(base, "C:\\a\\y.txt"));
  EXPECT_EQ("y.txt", relative(base, "c:\\A\\B\\y.txt"));
  EXPECT_EQ("D:\\x.txt", relative(base, "D:\\x.txt"));
  EXPECT_EQ("c\\d/e.txt", relative(base, "C:\\a\\b/c/d/e.txt"));
  EXPECT_EQ("x", relative("/a/file", "/a/x"));
  EXPECT_EQ("..\\..\\etc\\hosts", relative("/home/u/notes.txt", "/etc/hosts"));
  // The result may be written over the target itself.
  char target[64] = "C:\\a\\c\\x.txt";
  EXPECT_STREQ("..\\c\\x.txt", ExtractRelativePath("C:\\a\\b\\f", target, target));
}

}  // namespace
