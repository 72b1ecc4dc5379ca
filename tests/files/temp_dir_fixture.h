// A fresh temporary directory per test, removed afterwards.
#ifndef VORN_TESTS_FILES_TEMP_DIR_FIXTURE_H
#define VORN_TESTS_FILES_TEMP_DIR_FIXTURE_H

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "platform/file_system.h"
#include "platform/tempdir.h"

namespace vorn_test {

/// A new, empty directory in the system's temporary directory, named `prefix` and a
/// random number; "" when none could be made.
inline std::string make_temp_dir(const std::string& prefix) {
  std::string base;
  if (!vorn::platform::TempDirectory(base)) return "";
  std::random_device seed;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string dir = base + prefix + std::to_string(seed());
    if (vorn::platform::make_directory(dir.c_str())) return dir;
  }
  return "";
}

}  // namespace vorn_test

class TempDirTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = vorn_test::make_temp_dir("vorn_files_");
    ASSERT_FALSE(dir_.empty());
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
