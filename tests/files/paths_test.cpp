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
  struct Case {
    const char* path;
    const char* drive;
    const char* dir;
    const char* name;
    const char* ext;
  };
  const Case cases[] = {
      {"C:\\dir\\sub\\file.tar.gz", "C:", "\\dir\\sub\\", "file.tar", ".gz"},
      {"dir.d\\file", "", "dir.d\\", "file", ""},  // a dot in the directory is no extension
      {".profile", "", "", "", ".profile"},
      {"/usr/lib/libx.so", "", "/usr/lib/", "libx", ".so"},
      {"C:", "C:", "", "", ""},
      {"C", "", "", "C", ""},
      {"", "", "", "", ""},
  };
  for (const Case& c : cases) {
    const Parts p = split(c.path);
    EXPECT_EQ(std::string(c.drive) + "|" + c.dir + "|" + c.name + "|" + c.ext,
              std::string(p.drive) + "|" + p.dir + "|" + p.name + "|" + p.ext)
        << c.path;
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

TEST(ExtractFileDir, KeepsDriveAndTrailingSeparatorInBothWidths) {
  char out[260] = "junk";
  ExtractFileDir("C:\\dir\\sub\\file.txt", out);
  EXPECT_STREQ("C:\\dir\\sub\\", out);
  ExtractFileDir("file.txt", out);
  EXPECT_STREQ("", out);
  std::strcpy(out, "junk");
  ExtractFileDir(nullptr, out);
  EXPECT_STREQ("", out);

  unsigned short wout[260];
  ExtractFileDirW(w(u16("D:/a/b.txt")), wout);
  EXPECT_EQ(u16("D:/a/"), std::u16string(reinterpret_cast<char16_t*>(wout)));
}

TEST(ExtractFileNamePtr, PointsAfterLastSeparatorButNeverAtTheFirstCharacter) {
  const char* p = "C:\\dir\\file.txt";
  EXPECT_EQ(p + 7, ExtractFileNamePtrA(p));
  p = "C:file";
  EXPECT_EQ(p + 2, ExtractFileNamePtrA(p));
  p = "dir\\";
  EXPECT_EQ(p + 4, ExtractFileNamePtrA(p));
  p = "\\file";
  EXPECT_EQ(p, ExtractFileNamePtrA(p));
  p = "/";
  EXPECT_EQ(p, ExtractFileNamePtr(p));
  p = "";
  EXPECT_EQ(p, ExtractFileNamePtrA(p));
  EXPECT_EQ(nullptr, ExtractFileNamePtrA(nullptr));

  std::u16string wide = u16("src/net/conn.cpp");
  EXPECT_EQ(w(wide) + 8, ExtractFileNamePtrW(w(wide)));
}

TEST(ExtractFileExt, SearchesBackwardsAcrossSeparators) {
  char out[16] = "untouched";
  EXPECT_EQ(1, ExtractFileExt("a.b.c", out));
  EXPECT_STREQ("c", out);
  EXPECT_EQ(1, ExtractFileExt("file.", out));
  EXPECT_STREQ("", out);
  EXPECT_EQ(1, ExtractFileExt("dir.d\\file", out));
  EXPECT_STREQ("d\\file", out);
  std::strcpy(out, "untouched");
  EXPECT_EQ(0, ExtractFileExt(".profile", out));
  EXPECT_EQ(0, ExtractFileExt("", out));
  EXPECT_EQ(0, ExtractFileExt(nullptr, out));
  EXPECT_STREQ("untouched", out);

  const char* p = "x.tar.gz";
  EXPECT_EQ(p + 6, ExtractFileExtPtrA(p));
  p = "noext";
  EXPECT_EQ(p + 5, ExtractFileExtPtr(p));
  EXPECT_EQ(nullptr, ExtractFileExtPtrA(""));
  EXPECT_EQ(nullptr, ExtractFileExtPtrA(nullptr));
}

TEST(ExtractFileDirEx, GivesOneLevelWithItsOpeningSeparator) {
  char out[64];
  const char* path = "C:\\dir\\sub\\file.txt";
  const char* expected[] = {"", "C:", "\\dir", "\\sub", "\\file.txt", ""};
  for (int level = 0; level <= 5; ++level) {
    std::strcpy(out, "junk");
    extractfiledirex(path, out, level);
    EXPECT_STREQ(expected[level], out) << "level " << level;
  }
  extractfiledirex("C:\\\\dir", out, 2);  // empty level
  EXPECT_STREQ("", out);
  extractfiledirex("plain", out, 1);
  EXPECT_STREQ("plain", out);
  extractfiledirex("/a/b/", out, 3);
  EXPECT_STREQ("/b", out);
  extractfiledirex("/a/b/", out, 4);
  EXPECT_STREQ("", out);
  extractfiledirex("a", out, -3);
  EXPECT_STREQ("", out);
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
