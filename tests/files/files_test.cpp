// Whole-file reads and writes, file sizes and the creation of directory trees, on real
// files in a fresh directory.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "test_support.h"
#include "vorn/charset.h"
#include "vorn/files.h"

namespace fs = std::filesystem;

namespace {

using vorn_test::write_file;

class WholeFiles : public vorn_test::TempDirTest {
 protected:
  /// The (ASCII) directory widened, followed by `name`.
  std::u16string wide_at(const char16_t* name) const {
    std::u16string wide(dir_.begin(), dir_.end());
    return wide + u"/" + name;
  }
  static const unsigned short* w(const std::u16string& text) {
    return reinterpret_cast<const unsigned short*>(text.c_str());
  }
  /// The 8-bit form of a file name: UTF-8 on POSIX systems, the ANSI code page on Windows.
  static std::string narrow(const std::u16string& name) {
    char out[512];
#ifdef _WIN32
    StrUnicodeToANSI(out, sizeof out, w(name));
#else
    StrUnicodeToUtf8(out, sizeof out, w(name));
#endif
    return out;
  }
};

TEST_F(WholeFiles, ReadGivesExactlyTheFileBytesOrNoBuffer) {
  const std::string bytes("a\0b\r\nc\xFF", 7);
  const std::u16string name = wide_at(u"caf\u00E9 \U0001F600.bin");
  std::ofstream(fs::path(name), std::ios::binary) << bytes;  // named in the system's own form
  char* out = nullptr;
  ASSERT_EQ(7, Vorn_ReadFileW(w(name), &out));
  EXPECT_EQ(bytes, std::string(out, 7));
  delete[] out;
  const std::u16string latin = wide_at(u"caf\u00E9.bin");  // a name every 8-bit form can hold
  std::ofstream(fs::path(latin), std::ios::binary) << bytes;
  EXPECT_EQ(7, Vorn_ReadFileA(narrow(latin).c_str(), nullptr));
  ASSERT_TRUE(write_file(at("empty"), ""));
  // -2: empty, or a directory (opens but tells no size); -1: missing; 0: no name.
#ifdef _WIN32
  const int directory = -1;  // Windows does not open a directory as a file
#else
  const int directory = -2;
#endif
  for (const auto& [path, result] : {std::pair{at("empty"), -2}, {at("missing"), -1}, {dir_, directory}, {"", 0}}) {
    out = reinterpret_cast<char*>(1);
    EXPECT_EQ(result, Vorn_ReadFileA(path.c_str(), &out)) << path;
    EXPECT_EQ(nullptr, out) << path;
  }
  EXPECT_EQ(0, Vorn_ReadFileA(nullptr, &out));
  const unsigned short empty[1] = {0};
  EXPECT_EQ(0, Vorn_ReadFileW(empty, &out));
  EXPECT_EQ(0, Vorn_ReadFileW(nullptr, &out));
}

TEST_F(WholeFiles, WriteCreatesOrTruncates) {
  const std::string path = at("w.bin");
  EXPECT_EQ(5, Vorn_WriteFileA(path.c_str(), "hello", 5));
  EXPECT_EQ(5u, Vorn_GetFileSize(path.c_str()));
  EXPECT_EQ(0, Vorn_WriteFileA(path.c_str(), "hello", 0));
  EXPECT_EQ(0u, Vorn_GetFileSize(path.c_str()));
  EXPECT_TRUE(fs::exists(path));
  EXPECT_EQ(4, Vorn_WriteFileA(path.c_str(), nullptr, 4));  // nothing written, size returned
  EXPECT_EQ(0u, Vorn_GetFileSize(path.c_str()));
  EXPECT_EQ(-1, Vorn_WriteFileA("", "x", 1));
  EXPECT_EQ(-1, Vorn_WriteFileA(nullptr, "x", 1));
  EXPECT_EQ(-2, Vorn_WriteFileA(at("no/such/dir/f").c_str(), "x", 1));

  const std::u16string wide = wide_at(u"\u00E9t\u00E9.bin");
  EXPECT_EQ(3, Vorn_WriteFileW(w(wide), "abc", 3));
  char* out = nullptr;
  ASSERT_EQ(3, Vorn_ReadFileA(narrow(wide).c_str(), &out));
  EXPECT_EQ("abc", std::string(out, 3));
  delete[] out;
}

TEST_F(WholeFiles, FileSizeNeedsReadAndWriteAccess) {
  ASSERT_TRUE(write_file(at("f"), std::string(1234, 'x')));
  EXPECT_EQ(1234u, Vorn_GetFileSize(at("f").c_str()));
  for (const char* path : {"", "/no/such/file", static_cast<const char*>(nullptr)})
    EXPECT_EQ(0u, Vorn_GetFileSize(path));
  fs::permissions(at("f"), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  if (FILE* probe = std::fopen(at("f").c_str(), "r+b")) {
    std::fclose(probe);  // permissions do not bind root
  } else {
    EXPECT_EQ(0u, Vorn_GetFileSize(at("f").c_str()));
  }
}

class ForceCreateDir : public vorn_test::TempDirTest {};

TEST_F(ForceCreateDir, CreatesEveryMissingLevelAndStopsAtAnEmptyOne) {
  const std::string path = at("/logs/app/2024");
  EXPECT_TRUE(Vorn_ForceCreateDir(path.c_str()));
  EXPECT_TRUE(fs::is_directory(path));
  // Existing directories are accepted as they are; a trailing separator adds no level.
  EXPECT_TRUE(Vorn_ForceCreateDir((path + "/").c_str()));
  EXPECT_TRUE(Vorn_ForceCreateDir(dir_.c_str()));
  EXPECT_TRUE(Vorn_ForceCreateDir(at("/a//b").c_str()));
  EXPECT_TRUE(fs::is_directory(at("/a")));
  EXPECT_FALSE(fs::exists(at("/b")));
  EXPECT_FALSE(fs::exists(at("/a/b")));
}

TEST_F(ForceCreateDir, Failures) {
  for (const char* path : {"/", "C:", "C:\\", ""}) EXPECT_FALSE(Vorn_ForceCreateDir(path)) << path;
  EXPECT_FALSE(Vorn_ForceCreateDir(nullptr));
  EXPECT_FALSE(Vorn_ForceCreateDir((at("/") + std::string(5000, 'n')).c_str()));
  // A level that cannot be made stops the walk and keeps what was made (permissions do
  // not stop everyone everywhere; a regular file in the way does).
  ASSERT_TRUE(Vorn_ForceCreateDir(at("/made").c_str()));
  ASSERT_TRUE(write_file(at("/made/file"), ""));
  EXPECT_FALSE(Vorn_ForceCreateDir(at("/made/file/x/y").c_str()));
  fs::permissions(at("/made"), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  std::error_code probe;
  if (!fs::create_directory(at("/made/probe"), probe)) {  // root, and Windows, may still write
    EXPECT_FALSE(Vorn_ForceCreateDir(at("/made/x/y").c_str()));
  }
  EXPECT_TRUE(fs::is_directory(at("/made")));
}

}  // namespace
