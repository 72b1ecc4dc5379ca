// What many test suites need: UTF-16 texts in the library's unit type, a fresh
// temporary directory per test, whole-file reads and writes, and readers of the lines a
// log file holds.
#ifndef VORN_TESTS_SUPPORT_TEST_SUPPORT_H
#define VORN_TESTS_SUPPORT_TEST_SUPPORT_H

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <regex>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "log/log_reset.h"
#include "platform/file_system.h"
#include "platform/tempdir.h"
#include "vorn/log.h"

namespace vorn_test {

// ---- UTF-16 texts ---------------------------------------------------------------

/// Zero-terminated UTF-16 text in library units (c_str() is what the API takes).
using Units = std::basic_string<unsigned short>;

/// A UTF-16 literal (u"...") in library units.
inline Units units(std::u16string_view text) { return Units(text.begin(), text.end()); }

/// The units up to the terminator as a u16string, for readable comparisons; "" for null.
inline std::u16string u16(const unsigned short* text) {
  std::u16string out;
  for (; text != nullptr && *text != 0; ++text) out.push_back(static_cast<char16_t>(*text));
  return out;
}

// ---- whole files, and a fresh temporary directory per test ---------------------------

/// The bytes of a file; "" when it cannot be read.
inline std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

/// Replaces the file with exactly `bytes`; false when it cannot be written.
inline bool write_file(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  return static_cast<bool>(out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())));
}

class TempDirTest : public ::testing::Test {
 protected:
  /// A new, empty directory in the platform's temporary directory, named with a random number.
  void SetUp() override {
    std::string base;
    ASSERT_TRUE(vorn::platform::temp_directory(base));
    std::random_device seed;
    for (int attempt = 0; attempt < 100 && dir_.empty(); ++attempt) {
      const std::string dir = base + "vorn_test_" + std::to_string(seed());
      if (vorn::platform::make_directory(dir.c_str())) dir_ = dir;
    }
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

// ---- log files --------------------------------------------------------------------

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

/// The messages with their indent.
inline std::vector<std::string> messages(const std::string& path) {
  std::vector<std::string> out;
  for (const LogLine& line : log_lines(path)) out.push_back(std::string(line.indent, ' ') + line.message);
  return out;
}

/// A fresh temporary directory, and the process-wide log put back to its loaded state
/// (files closed, switch on, not initialised, thread indent and timers at 0) before and
/// after each test.
class LogFixture : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    vorn::detail::log::restore_loaded_state();
  }
  void TearDown() override {
    vorn::detail::log::restore_loaded_state();
    TempDirTest::TearDown();
  }
};

/// A log file (threshold 0) in the test's directory, read back a batch at a time.
class LogCaptureTest : public LogFixture {
 protected:
  void SetUp() override {
    LogFixture::SetUp();
    path_ = at("capture.log");
    Vorn_Log_QuickInit("rt", path_.c_str(), 0, 1, 0);
    take();
  }

  /// The lines written since the last call, each as its level letter, a colon and the
  /// message; a line without the CR LF end is marked.
  std::vector<std::string> take() {
    const std::vector<LogLine> lines = log_lines(path_);
    std::vector<std::string> out;
    for (size_t i = seen_; i < lines.size(); ++i) {
      out.push_back((lines[i].crlf ? "" : "<no CR LF>") + std::string(1, lines[i].letter) + ":" +
                    std::string(lines[i].indent, ' ') + lines[i].message);
    }
    seen_ = lines.size();
    return out;
  }

  std::string path_;

 private:
  size_t seen_ = 0;
};

inline const char kOpenBanner[] = "VornLog Open All:<-----------------------------------------------------";
inline const char kCloseBanner[] = "VornLog Close All:----------------------------------------------------->";

}  // namespace vorn_test

#endif  // VORN_TESTS_SUPPORT_TEST_SUPPORT_H
