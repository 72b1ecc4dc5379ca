// Many threads at once parse update-information documents, format, convert and compare
// texts, each with objects of its own. Every result is checked against the answer the
// same call gave on one thread beforehand; run under ThreadSanitizer this also proves
// that the calls share no unsynchronised state.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "../files/temp_dir_fixture.h"
#include "vorn/appupdate.h"
#include "vorn/charset.h"
#include "vorn/log.h"
#include "vorn/similar.h"
#include "vorn/strings.h"

namespace {

constexpr int kThreads = 8;
constexpr int kRounds = 60;

std::u16string u16(const unsigned short* p) {
  std::u16string s;
  for (; p != nullptr && *p != 0; ++p) s += static_cast<char16_t>(*p);
  return s;
}

// A parse result flattened to text: names and versions in document order.
std::u16string flatten(const tnoticeItem* items, int32_t count) {
  std::u16string out;
  for (int32_t i = 0; i < count; ++i) {
    out += u16(items[i].name) + u'=' + u16(items[i].version) + u'(';
    out += flatten(items[i].children, items[i].childCount) + u')';
  }
  return out;
}

std::u16string parse(const std::string& doc, const tnoticeLocalList& locals) {
  tnoticeItemList* list = ParseAppUpdateInfo(doc.c_str(), 0, &locals);
  if (list == nullptr) return u"<null>";
  std::u16string flat = flatten(list->items, list->count);
  ParseAppUpdateInfo_free(list);
  return flat;
}

struct Work {
  std::string doc;
  std::string text_a;
  std::string text_b;
  int number;
};

struct Answers {
  std::u16string parsed;
  std::string formatted;
  std::string utf8_round_trip;
  std::u16string wide;
  uint32_t distance;
  uint32_t composite;
};

const unsigned short kApp[] = {'a', 'p', 'p', 0};
const unsigned short kPlugin[] = {'p', 'l', 'u', 'g', 'i', 'n', 0};
const unsigned short kOld[] = {'1', '.', '0', 0};
const tnoticeLocal kLocalItems[] = {{kApp, nullptr, kOld, 0}, {kPlugin, nullptr, kOld, 0}};
const tnoticeLocalList kLocals = {2, kLocalItems};

Work work_for(int i) {
  Work w;
  const std::string v = "1." + std::to_string(i % 5 + 1);
  w.doc = "<app version='" + v + "' caption='Caf\xc3\xa9'><plugin version='2." + std::to_string(i % 3) +
          "' rlpath='SYSTEMP'/><other version='9'/></app>";
  if (i % 7 == 3) w.doc += "<broken";  // malformed: no result, one log line if a log were open
  w.text_a = "n\xc3\xa4me-" + std::to_string(i) + " \xe4\xb8\xad\xe6\x96\x87 words here";
  w.text_b = "name " + std::to_string(i * 7) + " words there";
  w.number = i * 1009 - 5000;
  return w;
}

Answers answer(const Work& w, TStrSimilar& similar) {
  Answers a;
  a.parsed = parse(w.doc, kLocals);
  TStringA f;
  f.Sprintf("%s|%d|%08x|%.3f|%-6s|", w.text_b.c_str(), w.number, static_cast<unsigned>(w.number), w.number / 7.0,
            "ab");
  a.formatted = f.p();
  unsigned short wide[128];
  int units = StrUtf8ToUnicode(wide, 128, w.text_a.c_str(), -1);
  a.wide = units > 0 ? u16(wide) : u"<failed>";
  char back[256];
  int bytes = StrUnicodeToUtf8(back, sizeof back, wide);
  a.utf8_round_trip = bytes > 0 ? back : "<failed>";
  TWideString ws;
  ws.FromUTF8(w.text_a.c_str());
  a.wide += u"|" + u16(ws.p());
  a.utf8_round_trip += "|" + std::string(ws.utf8().p());
  a.distance = similar.distance(w.text_a.c_str(), w.text_b.c_str(), 0);
  a.composite = similar.simlarity_composite(w.text_a.c_str(), w.text_b.c_str());
  return a;
}

bool same(const Answers& x, const Answers& y) {
  return x.parsed == y.parsed && x.formatted == y.formatted && x.utf8_round_trip == y.utf8_round_trip &&
         x.wide == y.wide && x.distance == y.distance && x.composite == y.composite;
}

TEST(Threads, ParseFormatConvertAndCompareAtOnceGiveTheSingleThreadAnswers) {
  std::vector<Work> work;
  std::vector<Answers> expected;
  TStrSimilar similar;
  for (int i = 0; i < kRounds; ++i) {
    work.push_back(work_for(i));
    expected.push_back(answer(work.back(), similar));
  }
  // The answers are worth comparing: the documents report something and the round trip holds.
  EXPECT_NE(u"<null>", expected[0].parsed);
  EXPECT_EQ(u"<null>", expected[3].parsed);
  EXPECT_EQ(work[0].text_a + "|" + work[0].text_a, expected[0].utf8_round_trip);

  // An open log takes the parse errors of every thread.
  const std::string dir = vorn_test::make_temp_dir("vorn_threads_");
  ASSERT_FALSE(dir.empty());
  const std::string log_path = dir + "/threads.log";
  ASSERT_NE(0, Vorn_Log_QuickInit("threads", log_path.c_str(), 3, 1, 0));

  std::atomic<int> mismatches{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      TStrSimilar own;  // one work matrix per thread
      for (int r = 0; r < kRounds; ++r) {
        const int i = (r + t * 11) % kRounds;  // threads start at different documents
        if (!same(answer(work[i], own), expected[i])) ++mismatches;
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  Vorn_Log_Close_all();
  EXPECT_EQ(0, mismatches.load());

  int malformed = 0;
  for (const Work& w : work) malformed += w.doc.find("<broken") != std::string::npos ? 1 : 0;
  std::ifstream log(log_path, std::ios::binary);
  int error_lines = 0;
  for (std::string line; std::getline(log, line);) {
    EXPECT_EQ('\r', line.empty() ? 0 : line.back()) << line;  // whole lines, never interleaved
    if (line.rfind("[E-threads(", 0) == 0 && line.find("]:ParseXML Error :") != std::string::npos) ++error_lines;
  }
  EXPECT_EQ(kThreads * malformed, error_lines);
  log.close();
  unlink(log_path.c_str());
  rmdir(dir.c_str());
}

}  // namespace
