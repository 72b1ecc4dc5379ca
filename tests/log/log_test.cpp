#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "../failing_allocator.h"
#include "platform/process.h"
#include "test_support.h"

namespace {

using vorn_test::kCloseBanner;
using vorn_test::kOpenBanner;
using vorn_test::log_lines;
using vorn_test::LogLine;
using vorn_test::messages;
using vorn_test::raw_lines;
using vorn_test::read_file;

using Strings = std::vector<std::string>;

class LogLines : public vorn_test::LogFixture {};

// '%' in the application name or the path never consumes arguments; each file has its
// own threshold.
TEST_F(LogLines, HeaderCarriesLevelAppIdsAndLocalTime) {
  const std::string path = at("a%s%n.log");
  const std::string warn = at("warn.log");
  const time_t before = time(nullptr);
  Vorn_Log_QuickInit("100%s%n%d", warn.c_str(), 2, 1, 0);
  Vorn_Log_QuickInit("100%s%n%d", path.c_str(), 0, 1, 0);
  Vorn_Log_Info("Started %d", 3);
  Vorn_Log_Warning("w %s", "x");
  Vorn_Log_Error("e%c", '!');
  Vorn_Log_Close_all();
  Vorn_Log_Close_all();
  const time_t after = time(nullptr);

  std::string letters;
  Strings texts;
  for (const LogLine& line : log_lines(path)) {
    letters += line.letter;
    texts.push_back(line.message);
    EXPECT_EQ("100%s%n%d", line.app);
    EXPECT_EQ(static_cast<long>(vorn::platform::current_process_id()), line.pid);
    EXPECT_EQ(static_cast<long>(vorn::platform::current_thread_id()), line.tid);
    EXPECT_TRUE(line.crlf);
    bool matches_clock = false;
    for (time_t t = before; t <= after; ++t) {
      const tm parts = *std::localtime(&t);  // this test's thread is the only one
      matches_clock |= parts.tm_hour == line.hour && parts.tm_min == line.minute && parts.tm_sec == line.second;
    }
    EXPECT_TRUE(matches_clock);
  }
  EXPECT_EQ("IIWEII", letters);
  EXPECT_EQ((Strings{kOpenBanner, "Started 3", "w x", "e!", kCloseBanner, kCloseBanner}), texts);
  EXPECT_EQ((Strings{"w x", "e!"}), messages(warn));
}

TEST_F(LogLines, LineEndAddedUnlessTheFormatEndsTheLine) {
  const std::string path = at("a.log");
  Vorn_Log_QuickInit("app", path.c_str(), 2, 1, 0);
  Vorn_Log_Warning("own end\n");
  Vorn_Log_Warning("%s", "argument end\n");
  Vorn_Log_Warning("%s", "");
  const char* no_format = nullptr;
  Vorn_Log_Error(no_format);
  Vorn_Log_Warning("a%cb", 0);  // a zero character ends the line
  Vorn_Log_Warning("a%cb\n", 0);
  Vorn_Log_Close_all();
  Strings raw = raw_lines(path);
  ASSERT_EQ(7u, raw.size());
  EXPECT_EQ("a\r", raw[5].substr(raw[5].find("]:") + 2));
  EXPECT_EQ("a\r", raw[6].substr(raw[6].find("]:") + 2));
  EXPECT_EQ("own end", raw[0].substr(raw[0].find("]:") + 2));
  EXPECT_EQ("argument end", raw[1].substr(raw[1].find("]:") + 2));
  EXPECT_EQ("\r", raw[2]);
  EXPECT_EQ(":\r", raw[3].substr(raw[3].size() - 2));
  EXPECT_EQ(" (logerror:null string)\r", raw[4].substr(raw[4].find("]:") + 2));
}

TEST_F(LogLines, InitialisationIsCountedAndTheLastCloseClosesFiles) {
  const std::string path = at("a.log");
  Vorn_Log_QuickInit("app", path.c_str(), 1, 1, 0);
  Vorn_Log_QuickInit("app", path.c_str(), 1, 1, 0);  // same path: still one row
  Vorn_Log_Close_all();
  Vorn_Log_Info("still open");
  Vorn_Log_Close_all();
  Vorn_Log_Info("to no file");
  EXPECT_EQ((Strings{kOpenBanner, kCloseBanner, "still open", kCloseBanner}), messages(path));
}

TEST_F(LogLines, ExistingFileIsAppendedAndMissingDirectoriesAreCreated) {
  const std::string existing = at("old.log");
  {
    FILE* f = std::fopen(existing.c_str(), "wb");
    std::fputs("old line\r\n", f);
    std::fclose(f);
  }
  const std::string nested = at("x/y/z/new.log");
  Vorn_Log_QuickInit("app", existing.c_str(), 1, 1, 0);
  Vorn_Log_QuickInit("app", nested.c_str(), 1, 1, 0);
  Vorn_Log_Close_all();
  Vorn_Log_Close_all();
  EXPECT_EQ(0u, read_file(existing).rfind("old line\r\n[I-app(", 0));
  EXPECT_EQ((Strings{kOpenBanner, kCloseBanner, kCloseBanner}), messages(nested));
}

// Both refusals are reported as errors to the files already open.
TEST_F(LogLines, TableHoldsThirtyTwoFilesAndRefusesOverlongNames) {
  for (int i = 0; i < 33; ++i) {
    Vorn_Log_QuickInit("app", at(std::to_string(i) + ".log").c_str(), 1, 1, 0);
  }
  EXPECT_FALSE(std::filesystem::exists(at("32.log")));
  vorn::detail::log::restore_loaded_state();
  const std::string long_name = dir_ + "/" + std::string(261 - dir_.size() - 1, 'n');
  ASSERT_EQ(261u, long_name.size());
  Vorn_Log_QuickInit("app", at("a.log").c_str(), 1, 1, 0);
  Vorn_Log_QuickInit("app", long_name.c_str(), 1, 1, 0);
  EXPECT_FALSE(std::filesystem::exists(long_name));
  vorn::detail::log::restore_loaded_state();

  const auto errors = [](const std::string& path) {
    Strings out;
    for (const LogLine& line : log_lines(path)) {
      if (line.letter == 'E') out.push_back(line.message);
    }
    return out;
  };
  EXPECT_EQ((Strings{"Too many log files already open, not adding `" + at("32.log") + "'"}), errors(at("0.log")));
  EXPECT_EQ((Strings{"Log filename too long: `" + long_name + "'."}), errors(at("a.log")));
}

TEST_F(LogLines, WritersNeedInitialisationAndTheSwitchOnAtOne) {
  const std::string path = at("a.log");
  Vorn_Log_Info("early %d", 1);
  Vorn_Log_FormatPush(1);
  Vorn_Log_QuickInit("app", path.c_str(), 1, 1, 0);
  Vorn_Log_SetEnable(2);
  EXPECT_FALSE(Vorn_Log_GetEnable());
  Vorn_Log_Info("hidden");
  Vorn_Log_FormatPush(1);
  Vorn_Log_SetEnable(1);
  EXPECT_TRUE(Vorn_Log_GetEnable());
  Vorn_Log_Info("shown");
  Vorn_Log_Close_all();
  EXPECT_EQ((Strings{kOpenBanner, "shown", kCloseBanner}), messages(path));
}

TEST_F(LogLines, BracesStandAtTheOuterIndent) {
  const std::string path = at("a.log");
  Vorn_Log_QuickInit("app", path.c_str(), 1, 1, 0);
  Vorn_Log_FormatPush(1);
  Vorn_Log_Info("a");
  Vorn_Log_FormatPush(0);
  Vorn_Log_Info("b");
  Vorn_Log_FormatPop(0);
  Vorn_Log_FormatPop(1);
  Vorn_Log_FormatPop(0);  // stays at 0
  Vorn_Log_Info("c");
  // The 129th level doubles the indent.
  for (int i = 0; i < 128; ++i) Vorn_Log_FormatPush(0);
  Vorn_Log_Info("d");
  Vorn_Log_FormatPush(0);
  Vorn_Log_Info("e");
  Vorn_Log_FormatPop(0);
  Vorn_Log_Info("f");
  vorn::detail::log::restore_loaded_state();
  const Strings lines = messages(path);
  ASSERT_EQ(10u, lines.size());
  EXPECT_EQ((Strings{kOpenBanner, "{", "  a", "    b", "}", "c"}), Strings(lines.begin(), lines.begin() + 6));
  EXPECT_EQ((Strings{std::string(256, ' ') + "d", std::string(512, ' ') + "e", std::string(510, ' ') + "f"}),
            Strings(lines.begin() + 6, lines.begin() + 9));
}

TEST_F(LogLines, OverlongFormatGivesTheNoticeWithoutHeader) {
  const std::string path = at("a.log");
  Vorn_Log_QuickInit("app", path.c_str(), 1, 1, 0);
  Vorn_Log_FormatPush(0);
  const std::string fits(972, 'f');
  const std::string too_long(973, 'f');
  Vorn_Log_Info("%s", too_long.c_str());  // arguments may be long
  Vorn_Log_Info(fits.c_str());
  Vorn_Log_Info(too_long.c_str());
  Vorn_Log_FormatPop(0);
  Vorn_Log_Close_all();
  Strings raw = raw_lines(path);
  ASSERT_EQ(5u, raw.size());
  EXPECT_EQ("  " + too_long + "\r", raw[1].substr(raw[1].find("]:") + 2));
  EXPECT_EQ("  " + fits + "\r", raw[2].substr(raw[2].find("]:") + 2));
  EXPECT_EQ("   <OUTPUT message too long>", raw[3]);
}

TEST_F(LogLines, LinesOfAnyLengthArriveWholeAndTerminated) {
  const std::string path = at("a.log");
  Vorn_Log_QuickInit("app", path.c_str(), 1, 1, 0);
  Strings expected{kOpenBanner};
  // Around the line buffer's size, and far past it.
  const Strings opening = raw_lines(path);
  ASSERT_EQ(1u, opening.size());
  const size_t header = opening[0].find("]:") + 2;
  for (size_t total : {1020u, 1021u, 1022u, 1023u, 1024u, 1025u, 1026u, 5000u, 70000u}) {
    const std::string text(total - header - 2, static_cast<char>('a' + total % 26));
    Vorn_Log_Info("%s", text.c_str());
    expected.push_back(text);
  }
  Vorn_Log_Close_all();
  expected.push_back(kCloseBanner);
  EXPECT_EQ(expected, messages(path));
  for (const std::string& raw : raw_lines(path)) EXPECT_EQ('\r', raw.back());
}

// Out of memory for a long line's buffer, or for the record of a thread's first line,
// reaches the writer's caller; the log goes on working afterwards.
TEST_F(LogLines, OutOfMemoryReachesTheWritersCaller) {
  const std::string path = at("a.log");
  Vorn_Log_QuickInit("app", path.c_str(), 1, 1, 0);
  const std::string text(5000, 'x');
  EXPECT_TRUE(vorn_test::OutOfMemoryAt(1, [&] { Vorn_Log_Info("%s", text.c_str()); }));
  std::thread([] {
    const bool threw = vorn_test::OutOfMemoryAt(1, [] { Vorn_Log_Info("first line"); });
    EXPECT_TRUE(threw);
    Vorn_Log_FormatPush(0);  // on the thread's own record, not a shared one
    Vorn_Log_Info("indented");
  }).join();
  Vorn_Log_Info("%s", text.c_str());
  Vorn_Log_Close_all();
  EXPECT_EQ((Strings{kOpenBanner, "  indented", text, kCloseBanner}), messages(path));
}

TEST_F(LogLines, DebugDumpWritesNothingWhileTheLogIsOff) {
  Vorn_Log_SetEnable(0);
  EXPECT_EQ(0, Vorn_Log_DebugDump(at("dump.bin").c_str(), "abc", 3));
  EXPECT_EQ(0, Vorn_Log_DebugDump(nullptr, nullptr, 0));
  EXPECT_FALSE(std::filesystem::exists(at("dump.bin")));
}

TEST_F(LogLines, DebugDumpReplacesTheFileAndLogsTheWriteScope) {
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
