#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "temp_dir_fixture.h"
#include "vorn/files.h"

namespace fs = std::filesystem;

namespace {

class WholeFiles : public TempDirTest {
 protected:
  static void put(const std::string& path, const std::string& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(nullptr, f);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
};

TEST_F(WholeFiles, ReadGivesExactlyTheFileBytes) {
  const std::string bytes("a\0b\r\nc\xFF", 7);
  put(at("f.bin"), bytes);
  char* out = reinterpret_cast<char*>(1);
  ASSERT_EQ(7, Vorn_ReadFileA(at("f.bin").c_str(), &out));
  ASSERT_NE(nullptr, out);
  EXPECT_EQ(bytes, std::string(out, 7));
  delete[] out;
  EXPECT_EQ(7, Vorn_ReadFileA(at("f.bin").c_str(), nullptr));
}

TEST_F(WholeFiles, ReadReportsEachFailureAndLeavesNoBuffer) {
  put(at("empty"), "");
  char* out = reinterpret_cast<char*>(1);
  EXPECT_EQ(-2, Vorn_ReadFileA(at("empty").c_str(), &out));
  EXPECT_EQ(nullptr, out);
  out = reinterpret_cast<char*>(1);
  EXPECT_EQ(-1, Vorn_ReadFileA(at("missing").c_str(), &out));
  EXPECT_EQ(nullptr, out);
  EXPECT_EQ(0, Vorn_ReadFileA("", &out));
  EXPECT_EQ(0, Vorn_ReadFileA(nullptr, &out));
  EXPECT_EQ(-2, Vorn_ReadFileA(dir_.c_str(), &out));  // a directory opens but tells no size
  EXPECT_EQ(nullptr, out);
}

TEST_F(WholeFiles, WidePathsAreOpenedByTheirUtf8Names) {
  put(at("caf\xC3\xA9 \xF0\x9F\x98\x80.txt"), "wide");
  std::u16string name = u"caf\u00E9 \U0001F600.txt";
  std::u16string wide;
  for (char c : dir_ + "/") wide += static_cast<char16_t>(static_cast<unsigned char>(c));
  wide += name;
  const auto* w = reinterpret_cast<const unsigned short*>(wide.c_str());
  char* out = nullptr;
  ASSERT_EQ(4, Vorn_ReadFileW(w, &out));
  EXPECT_EQ("wide", std::string(out, 4));
  delete[] out;
  const unsigned short empty[1] = {0};
  EXPECT_EQ(0, Vorn_ReadFileW(empty, &out));
  EXPECT_EQ(0, Vorn_ReadFileW(nullptr, &out));
}

TEST_F(WholeFiles, FileSizeNeedsReadAndWriteAccess) {
  put(at("f"), std::string(1234, 'x'));
  EXPECT_EQ(1234u, Vorn_GetFileSize(at("f").c_str()));
  EXPECT_EQ(0u, Vorn_GetFileSize(at("missing").c_str()));
  EXPECT_EQ(0u, Vorn_GetFileSize(""));
  EXPECT_EQ(0u, Vorn_GetFileSize(nullptr));
  if (geteuid() != 0) {  // permissions do not bind root
    chmod(at("f").c_str(), 0444);
    EXPECT_EQ(0u, Vorn_GetFileSize(at("f").c_str()));
  }
}

}  // namespace
