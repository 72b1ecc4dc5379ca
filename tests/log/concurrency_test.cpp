#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "test_support.h"

namespace {

using vorn_test::log_lines;
using vorn_test::LogLine;

constexpr int kThreads = 8;
constexpr int kLines = 5000;
constexpr int kBlock = 50;

// Each block is an outer scope timer; its second half (d=2) runs inside a nested one.
void writer(int t) {
  for (int block = 0; block < kLines / kBlock; ++block) {
    const std::string label = "t" + std::to_string(t) + "-b" + std::to_string(block);
    TVornLogAutoTicks outer(label.c_str());
    std::unique_ptr<TVornLogAutoTicks> inner;
    for (int j = 0; j < kBlock; ++j) {
      if (j == kBlock / 2) inner = std::make_unique<TVornLogAutoTicks>(nullptr);
      const int i = block * kBlock + j, d = inner ? 2 : 1;
      if (i % 7 == 0) {
        Vorn_Log_Warning("t=%d i=%d d=%d", t, i, d);
      } else {
        Vorn_Log_Info("t=%d i=%d d=%d", t, i, d);
      }
    }
  }
}

class Concurrency : public vorn_test::LogFixture {};

TEST_F(Concurrency, EveryLineArrivesOnceWholeWithItsThreadsIndent) {
  const std::string all = at("all.log");
  const std::string warnings = at("warnings.log");
  Vorn_Log_QuickInit("app", all.c_str(), 1, 1, 0);
  Vorn_Log_QuickInit("app", warnings.c_str(), 2, 1, 0);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) threads.emplace_back(writer, t);
  for (std::thread& thread : threads) thread.join();
  Vorn_Log_Close_all();
  Vorn_Log_Close_all();

  for (const std::string& path : {all, warnings}) {
    const bool only_warnings = path == warnings;
    std::vector<std::vector<int>> seen(kThreads, std::vector<int>(kLines, 0));
    std::map<int, long> thread_ids;
    std::map<long, int> other_lines;  // braces, scope labels and ticks per thread id
    size_t malformed = 0;
    for (const LogLine& line : log_lines(path)) {
      int t = -1, i = -1, d = -1;
      if (std::sscanf(line.message.c_str(), "t=%d i=%d d=%d", &t, &i, &d) == 3) {
        ASSERT_TRUE(t >= 0 && t < kThreads && i >= 0 && i < kLines) << line.message;
        ++seen[t][i];
        EXPECT_EQ(static_cast<size_t>(2 * d), line.indent) << line.message;
        EXPECT_EQ(i % 7 == 0 ? 'W' : 'I', line.letter);
        auto known = thread_ids.emplace(t, line.tid);
        EXPECT_EQ(known.first->second, line.tid);
      } else if (line.message.find("VornLog") != 0) {
        ++other_lines[line.tid];
      }
      if (!line.crlf) ++malformed;
    }
    EXPECT_EQ(0u, malformed);
    for (int t = 0; t < kThreads; ++t) {
      for (int i = 0; i < kLines; ++i) {
        ASSERT_EQ(only_warnings && i % 7 != 0 ? 0 : 1, seen[t][i]) << path << " t=" << t << " i=" << i;
      }
    }
    // Seven scope lines per block: two braces and a ticks line per scope, one label line.
    for (const auto& entry : other_lines) {
      EXPECT_EQ(only_warnings ? 0 : 7 * (kLines / kBlock), entry.second);
    }
    if (!only_warnings) {
      EXPECT_EQ(static_cast<size_t>(kThreads), other_lines.size());
    }
  }
}

}  // namespace
