// Many threads at once parse update-information documents, format, convert and compare
// texts, each with objects of its own (concurrent logging has its own suite). Every
// result is checked against the answer the same call gave on one thread beforehand; run
// under ThreadSanitizer this also proves that the calls share no unsynchronised state.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "test_support.h"
#include "vorn/appupdate.h"
#include "vorn/charset.h"
#include "vorn/similar.h"
#include "vorn/strings.h"

namespace {

constexpr int kThreads = 8;
constexpr int kRounds = 60;

using vorn_test::u16;

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

// The parse, the formatted text, the UTF-8 round trip, the UTF-16 text, the distance and
// the composite rating.
using Answers = std::tuple<std::u16string, std::string, std::string, std::u16string, uint32_t, uint32_t>;

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
  if (i % 7 == 3) w.doc += "<broken";  // malformed: no result
  w.text_a = "n\xc3\xa4me-" + std::to_string(i) + " \xe4\xb8\xad\xe6\x96\x87 words here";
  w.text_b = "name " + std::to_string(i * 7) + " words there";
  w.number = i * 1009 - 5000;
  return w;
}

Answers answer(const Work& w, TStrSimilar& similar) {
  TStringA f;
  f.Sprintf("%s|%d|%08x|%.3f|%-6s|", w.text_b.c_str(), w.number, static_cast<unsigned>(w.number), w.number / 7.0, "ab");
  unsigned short wide[128];
  const int units = StrUtf8ToUnicode(wide, 128, w.text_a.c_str(), -1);
  char back[256];
  const int bytes = StrUnicodeToUtf8(back, sizeof back, wide);
  TWideString ws;
  ws.FromUTF8(w.text_a.c_str());
  return {parse(w.doc, kLocals),
          f.p(),
          (bytes > 0 ? std::string(back) : "<failed>") + "|" + ws.utf8().p(),
          (units > 0 ? u16(wide) : u"<failed>") + u"|" + u16(ws.p()),
          similar.distance(w.text_a.c_str(), w.text_b.c_str(), 0),
          similar.simlarity_composite(w.text_a.c_str(), w.text_b.c_str())};
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
  EXPECT_NE(u"<null>", std::get<0>(expected[0]));
  EXPECT_EQ(u"<null>", std::get<0>(expected[3]));
  EXPECT_EQ(work[0].text_a + "|" + work[0].text_a, std::get<2>(expected[0]));

  std::atomic<int> mismatches{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      TStrSimilar own;  // one work matrix per thread
      for (int r = 0; r < kRounds; ++r) {
        const int i = (r + t * 11) % kRounds;  // threads start at different documents
        if (answer(work[i], own) != expected[i]) ++mismatches;
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(0, mismatches.load());
}

}  // namespace
