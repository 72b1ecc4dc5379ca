#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "test_support.h"

namespace {

using vorn_test::messages;
using vorn_test::read_file;

class DebugDump : public vorn_test::LogFixture {};

TEST_F(DebugDump, WritesNothingWhileTheLogIsOff) {
  Vorn_Log_SetEnable(0);
  EXPECT_EQ(0, Vorn_Log_DebugDump(at("dump.bin").c_str(), "abc", 3));
  EXPECT_EQ(0, Vorn_Log_DebugDump(nullptr, nullptr, 0));
  EXPECT_FALSE(std::filesystem::exists(at("dump.bin")));
}

TEST_F(DebugDump, ReplacesTheFileAndLogsTheWriteScope) {
  const std::string dump = at("dump.bin");
  const std::string log = at("a.log");
  Vorn_Log_QuickInit("app", log.c_str(), 1, 1, 0);
  EXPECT_EQ(6, Vorn_Log_DebugDump(dump.c_str(), "longer", 6));
  EXPECT_EQ(3, Vorn_Log_DebugDump(dump.c_str(), "a\0c", 3));
  EXPECT_EQ(std::string("a\0c", 3), read_file(dump));
  EXPECT_EQ(-2, Vorn_Log_DebugDump(at("missing/dump.bin").c_str(), "x", 1));
  Vorn_Log_Close_all();

  const std::vector<std::string> lines = messages(log);
  ASSERT_EQ(14u, lines.size());
  EXPECT_EQ("{", lines[5]);
  EXPECT_EQ("  Vorn_WriteFile <- size:3,name:" + dump, lines[6]);
  EXPECT_TRUE(std::regex_match(lines[7], std::regex(R"(  Vorn_WriteFile -> ticks:\d+)"))) << lines[7];
  EXPECT_EQ("}", lines[8]);
}

}  // namespace
