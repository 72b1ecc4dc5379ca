// A log file in a fresh directory for each test, and the lines written to it.
#ifndef VORN_TESTS_RUNTIME_LOG_CAPTURE_H
#define VORN_TESTS_RUNTIME_LOG_CAPTURE_H

#include <string>
#include <vector>

#include "../log/log_test_support.h"

namespace vorn_test {

/// Opens a log file (threshold 0) in the test's directory; the log goes back to its
/// loaded state afterwards.
class LogCaptureTest : public LogFixture {
 protected:
  void SetUp() override {
    LogFixture::SetUp();
    path_ = at("runtime.log");
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

 private:
  std::string path_;
  size_t seen_ = 0;
};

}  // namespace vorn_test

#endif  // VORN_TESTS_RUNTIME_LOG_CAPTURE_H
