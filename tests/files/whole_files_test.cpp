#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "test_support.h"
#include "vorn/charset.h"
#include "vorn/files.h"

namespace fs = std::filesystem;

namespace {

class WholeFiles : public vorn_test::TempDirTest {
 protected:
  static void put(const std::string& path, const std::string& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(nullptr, f);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
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
  put(at("empty"), "");
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
  put(at("f"), std::string(1234, 'x'));
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

}  // namespace
