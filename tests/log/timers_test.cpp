#include <gtest/gtest.h>

#include <chrono>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "log/log_state.h"
#include "platform/clock.h"
#include "test_support.h"

namespace {

using vorn_test::kCloseBanner;
using vorn_test::kOpenBanner;
using vorn_test::messages;
namespace lg = vorn::detail::log;
using Strings = std::vector<std::string>;

void sleep_ms(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

class Timers : public vorn_test::LogFixture {
 protected:
  void SetUp() override {
    LogFixture::SetUp();
    path_ = at("t.log");
    Vorn_Log_QuickInit("app", path_.c_str(), 1, 1, 0);
  }
  // The messages between the open and close banners.
  Strings body() {
    Vorn_Log_Close_all();
    Strings all = messages(path_);
    EXPECT_EQ(kOpenBanner, all.front());
    EXPECT_EQ(kCloseBanner, all.back());
    return Strings(all.begin() + 1, all.end() - 1);
  }
  std::string path_;
};

TEST_F(Timers, NestedTimersMeasureTheirOwnIntervals) {
  Vorn_Log_BeginTickCount();
  sleep_ms(30);
  Vorn_Log_BeginTickCount();
  sleep_ms(20);
  const int64_t snap1 = Vorn_Log_SnapTickCount("s");
  const int64_t snap2 = Vorn_Log_SnapTickCount(nullptr);
  const int64_t inner = Vorn_Log_EndTickCount("inner", true);
  const int64_t outer = Vorn_Log_EndTickCount(nullptr, true);
  EXPECT_GE(inner, 19);
  EXPECT_LE(snap1, snap2);
  EXPECT_LE(snap2, inner);
  EXPECT_GE(outer, inner + 29);
  EXPECT_EQ((Strings{"s ticks:" + std::to_string(snap1), "ticks:" + std::to_string(snap2),
                     "inner -> ticks:" + std::to_string(inner), "-> ticks:" + std::to_string(outer)}),
            body());
}

TEST_F(Timers, ReadingsWithoutATimerMeasureFromZero) {
  const int64_t before = vorn::platform::tick_count_ms();
  const int64_t snap = Vorn_Log_SnapTickCount(nullptr);
  const int64_t end = Vorn_Log_EndTickCount("quiet", false);
  const int64_t after = vorn::platform::tick_count_ms();
  EXPECT_LE(before, snap);
  EXPECT_LE(snap, end);
  EXPECT_LE(end, after);
  EXPECT_EQ((Strings{"ticks:" + std::to_string(snap)}), body());  // End without print logs nothing
  // Elapsed time across the counter's wrap is negative.
  lg::thread_state().timer_starts[0] = 0xFFFFFFF0u;
  lg::thread_state().timer_depth = 1;
  EXPECT_LT(Vorn_Log_EndTickCount(nullptr, false), 0);
}

TEST_F(Timers, AFiftiethTimerIsRefusedWithAReport) {
  for (int i = 0; i < 50; ++i) Vorn_Log_BeginTickCount();
  for (int i = 0; i < 49; ++i) Vorn_Log_EndTickCount(nullptr, false);
  const Strings lines = body();
  ASSERT_EQ(1u, lines.size());
  EXPECT_TRUE(std::regex_match(lines[0], std::regex(R"(Fatal Error:FileName:Vorn_Log Line:\d+)"))) << lines[0];
}

TEST_F(Timers, SwitchedOffReadingsReturnTheMarkerAndLogNothing) {
  Vorn_Log_BeginTickCount();
  Vorn_Log_SetEnable(0);
  EXPECT_EQ(2147483647, Vorn_Log_SnapTickCount("x"));
  EXPECT_EQ(2147483647, Vorn_Log_EndTickCount("x", true));
  Vorn_Log_BeginTickCount();
  Vorn_Log_AssertA(false, "a.cpp", 1);
  { TVornLogAutoTicks quiet("quiet"); }
  Vorn_Log_SetEnable(1);
  EXPECT_TRUE(body().empty());
}

// A scope timer brackets its block; a copy takes the other's label as its own.
TEST_F(Timers, ScopeTimerBracketsItsBlockAndACopyOwnsItsLabel) {
  {
    TVornLogAutoTicks load("Load");
    Vorn_Log_Info("work");
    { TVornLogAutoTicks anonymous(nullptr); }
    TVornLogAutoTicks copy("second");
    copy = load;
    copy = copy;
  }
  std::string text;
  for (const std::string& line : body()) text += line + "\n";
  EXPECT_TRUE(std::regex_match(
      text, std::regex(R"(\{\n  Load <-\n  work\n  \{\n    -> ticks:\d+\n  \}\n)"
                       R"(  \{\n    second <-\n    Load -> ticks:\d+\n  \}\n  Load -> ticks:\d+\n\}\n)")))
      << text;
}

TEST_F(Timers, FormattedScopeTimerOpensWithLabelAndMessage) {
  { TVornLogAutoTicks read("Read", "size:%u", 10u); }
  { TVornLogAutoTicks unnamed(nullptr, "n=%d", 5); }
  { TVornLogAutoTicks bare("Bare", nullptr); }
  { TVornLogAutoTicks odd("100%s%n", "x=%d %s", 1, "y%d"); }
  Strings openings;
  for (const std::string& line : body()) {
    if (line != "{" && line != "}" && line.find("ticks:") == std::string::npos) openings.push_back(line);
  }
  EXPECT_EQ((Strings{"  Read <- size:10", "  n=5", "  Bare <-", "  100%s%n <- x=1 y%d"}), openings);
}

TEST_F(Timers, ErrorsAndAssertionsNameTheBareSourceFile) {
  Vorn_Error(1, "src/net/conn.cpp", 10);
  Vorn_Error(0, "src/net/conn.cpp", 12);
  Vorn_Error(0, "a\\50%d%s.c", 3);
  Vorn_Log_AssertA(true, "src/net/conn", 10);
  Vorn_Log_AssertA(false, "src/net/conn", 42);
  Vorn_Log_AssertA(false, "C:\\x\\100%s.cpp", 7);
  Vorn_Log_SetEnable(0);
  Vorn_Error(0, "hidden.c", 4);
  Vorn_Log_SetEnable(1);
  EXPECT_EQ((Strings{"Error:FileName:conn.cpp Line:12", "Error:FileName:50%d%s.c Line:3",
                     "Fatal Error:FileName:conn Line:42", "Fatal Error:FileName:100%s.cpp Line:7"}),
            body());
}

}  // namespace
