// A fresh temporary directory per test, removed afterwards.
#ifndef VORN_TESTS_FILES_TEMP_DIR_FIXTURE_H
#define VORN_TESTS_FILES_TEMP_DIR_FIXTURE_H

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

class TempDirTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "vorn_files_XXXXXX").string();
    ASSERT_NE(nullptr, mkdtemp(pattern.data()));
    dir_ = pattern;
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::permissions(dir_, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(dir_, ignored);
  }
  /// `tail` appended to the directory as written ("/x" or "x" with a slash added).
  std::string at(const std::string& tail) const { return tail.rfind('/', 0) == 0 ? dir_ + tail : dir_ + "/" + tail; }

  std::string dir_;
};

#endif  // VORN_TESTS_FILES_TEMP_DIR_FIXTURE_H
