#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "test_support.h"
#include "vorn/files.h"

namespace fs = std::filesystem;

namespace {

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
  FILE* f = std::fopen(at("/made/file").c_str(), "w");
  ASSERT_NE(nullptr, f);
  std::fclose(f);
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
