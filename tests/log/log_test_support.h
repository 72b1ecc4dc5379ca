// Helpers for tests that drive the process-wide log and read back what it wrote.
#ifndef VORN_TESTS_LOG_LOG_TEST_SUPPORT_H
#define VORN_TESTS_LOG_LOG_TEST_SUPPORT_H

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "../files/temp_dir_fixture.h"
#include "log/log_state.h"
#include "vorn/log.h"

namespace vorn_test {

/// One parsed log line: header fields, indent and message (line end removed).
struct LogLine {
  char letter = 0;
  std::string app;
  long pid = 0;
  long tid = 0;
  int hour = 0, minute = 0, second = 0;
  size_t indent = 0;
  std::string message;
  bool crlf = false;  // ended with "\r\n" rather than a bare "\n"
};

inline bool parse_line(const std::string& raw, LogLine* out) {
  // Only the header goes through the regex (a long message would exhaust its recursion).
  static const std::regex header(R"(^\[([DIWEPL])-(.*)\((-?\d+)-(-?\d+)\) (\d\d):(\d\d):(\d\d)\]:)");
  std::string text = raw;
  out->crlf = !text.empty() && text.back() == '\r';
  if (out->crlf) text.pop_back();
  const std::string head = text.substr(0, 320);
  std::smatch m;
  if (!std::regex_search(head, m, header)) return false;
  out->letter = m[1].str()[0];
  out->app = m[2];
  out->pid = std::stol(m[3]);
  out->tid = std::stol(m[4]);
  out->hour = std::stoi(m[5]);
  out->minute = std::stoi(m[6]);
  out->second = std::stoi(m[7]);
  const size_t body = static_cast<size_t>(m.length(0));
  const size_t first = text.find_first_not_of(' ', body);
  out->indent = (first == std::string::npos ? text.size() : first) - body;
  out->message = text.substr(body + out->indent);
  return out->hour < 24 && out->minute < 60 && out->second < 61;
}

inline std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

/// The file split at "\n" (the "\r" before it stays with the line).
inline std::vector<std::string> raw_lines(const std::string& path) {
  std::vector<std::string> lines;
  std::istringstream in(read_file(path));
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

/// Every line parsed; a line that does not parse fails the test.
inline std::vector<LogLine> log_lines(const std::string& path) {
  std::vector<LogLine> lines;
  for (const std::string& raw : raw_lines(path)) {
    LogLine line;
    EXPECT_TRUE(parse_line(raw, &line)) << "malformed line: " << raw;
    lines.push_back(line);
  }
  return lines;
}

inline std::vector<std::string> messages(const std::string& path) {
  std::vector<std::string> out;
  for (const LogLine& line : log_lines(path)) out.push_back(std::string(line.indent, ' ') + line.message);
  return out;
}

/// A fresh temporary directory, and the process-wide log put back to its loaded state
/// (files closed, switch on, not initialised, thread indent and timers at 0) afterwards.
class LogFixture : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    restore_log();
  }
  void TearDown() override {
    restore_log();
    TempDirTest::TearDown();
  }
  static void restore_log() {
    namespace lg = vorn::detail::log;
    if (lg::g_log.init_count < 1) lg::g_log.init_count = 1;
    while (lg::g_log.init_count > 0) Vorn_Log_Close_all();
    lg::g_log.enabled = true;
    lg::g_log.initialised = false;
    lg::g_log.assertions = false;
    lg::thread_state().indent = 0;
    lg::thread_state().timer_depth = 0;
  }
};

inline const char kOpenBanner[] = "VornLog Open All:<-----------------------------------------------------";
inline const char kCloseBanner[] = "VornLog Close All:----------------------------------------------------->";

}  // namespace vorn_test

#endif  // VORN_TESTS_LOG_LOG_TEST_SUPPORT_H
