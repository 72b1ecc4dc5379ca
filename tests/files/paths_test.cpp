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

std::u16string u16(const char* ascii) { return std::u16string(ascii, ascii + std::strlen(ascii)); }
const unsigned short* w(const std::u16string& s) { return reinterpret_cast<const unsigned short*>(s.c_str()); }

TEST(ExtractFileNames, SplitsDriveDirectoryNameAndLastExtension) {
  const struct {
    const char *path, *drive, *dir, *name, *ext;
  } cases[] = {
      {"C:\\dir\\sub\\file.tar.gz", "C:", "\\dir\\sub\\", "file.tar", ".gz"},
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

TEST(ExtractFileNames, CutsOverlongPartsAndSkipsNullOutputs) {
  std::string dir(300, 'd');
  std::string path = dir + "/" + std::string(400, 'n') + "." + std::string(300, 'e');
  Parts p = split(path.c_str());
  EXPECT_EQ(dir.substr(0, 255), p.dir);
  EXPECT_EQ(std::string(259, 'n'), p.name);
  EXPECT_EQ("." + std::string(254, 'e'), p.ext);

  char name[260];
  ExtractFileNames("a/b.c", nullptr, nullptr, name, nullptr);
  EXPECT_STREQ("b", name);
  ExtractFileFirstName("/x/archive.tar.gz", name);
  EXPECT_STREQ("archive.tar", name);
}

TEST(ExtractFileDir, NullAndWide) {
  char out[260] = "junk";
  ExtractFileDir(nullptr, out);
  EXPECT_STREQ("", out);
  unsigned short wout[260];
  ExtractFileDirW(w(u16("D:/a/b.txt")), wout);
  EXPECT_EQ(u16("D:/a/"), std::u16string(reinterpret_cast<char16_t*>(wout)));
}

TEST(ExtractFilePtrs, NameAfterLastSeparatorAndExtensionAfterLastDot) {
  // Each row: path, offset of the name, offset of the extension (-1: none).
  const struct {
    const char* path;
    int name;
    int ext;
  } rows[] = {{"C:\\dir\\file.txt", 7, 12},
              {"C:file", 2, 6},
              {"dir\\", 4, 4},
              {"\\file", 0, 5},
              {"/", 0, 1},
              {"", 0, -1},
              {"x.tar.gz", 0, 6}};
  for (const auto& r : rows) {
    EXPECT_EQ(r.path + r.name, ExtractFileNamePtrA(r.path)) << r.path;
    EXPECT_EQ(r.path + r.name, ExtractFileNamePtr(r.path)) << r.path;
    EXPECT_EQ(r.ext < 0 ? nullptr : r.path + r.ext, ExtractFileExtPtr(r.path)) << r.path;
  }
  EXPECT_EQ(nullptr, ExtractFileNamePtrA(nullptr));
  EXPECT_EQ(nullptr, ExtractFileExtPtrA(nullptr));
  std::u16string wide = u16("src/net/conn.cpp");
  EXPECT_EQ(w(wide) + 8, ExtractFileNamePtrW(w(wide)));
}

TEST(ExtractFileExt, SearchesBackwardsAcrossSeparators) {
  char out[16];
  for (const auto& [path, ext] : {std::pair{"a.b.c", "c"}, {"file.", ""}, {"dir.d\\file", "d\\file"}}) {
    EXPECT_EQ(1, ExtractFileExt(path, out));
    EXPECT_STREQ(ext, out);
  }
  std::strcpy(out, "untouched");
  for (const char* path : {".profile", "", static_cast<const char*>(nullptr)}) EXPECT_EQ(0, ExtractFileExt(path, out));
  EXPECT_STREQ("untouched", out);
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
  EXPECT_EQ(out, r);
  return r != nullptr ? r : "<null>";
}

TEST(ExtractRelativePath, ClimbsFromTheBaseDirectoryToTheTarget) {
  const char* base = "C:\\a\\b\\file.txt";
  EXPECT_EQ("..\\c\\x.txt", relative(base, "C:\\a\\c\\x.txt"));
  EXPECT_EQ("sub\\y.txt", relative(base, "C:\\a\\b\\sub\\y.txt"));
  EXPECT_EQ("y.txt", relative(base, "C:\\a\\b\\y.txt"));
  EXPECT_EQ("..\\y.txt", relative(base, "C:\\a\\y.txt"));
  EXPECT_EQ("y.txt", relative(base, "c:\\A\\B\\y.txt"));
  EXPECT_EQ("D:\\x.txt", relative(base, "D:\\x.txt"));
  EXPECT_EQ("..\\..\\x.txt", relative("C:\\a\\b\\", "C:\\x.txt"));
  EXPECT_EQ("c\\d/e.txt", relative(base, "C:\\a\\b/c/d/e.txt"));
  EXPECT_EQ("x", relative("/a/file", "/a/x"));
  EXPECT_EQ("..\\..\\etc\\hosts", relative("/home/u/notes.txt", "/etc/hosts"));
}

TEST(ExtractRelativePath, RejectsNullAndMayWriteOverItsOwnInput) {
  char out[64];
  EXPECT_EQ(nullptr, ExtractRelativePath(nullptr, "a", out));
  EXPECT_EQ(nullptr, ExtractRelativePath("a", nullptr, out));
  EXPECT_EQ(nullptr, ExtractRelativePath("a", "b", nullptr));
  char target[64] = "C:\\a\\c\\x.txt";
  EXPECT_STREQ("..\\c\\x.txt", ExtractRelativePath("C:\\a\\b\\f", target, target));
}

}  // namespace
