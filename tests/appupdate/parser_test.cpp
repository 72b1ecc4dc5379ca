// ParseAppUpdateInfo end to end: selection, record fields, errors and their log lines.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "appupdate/appupdate_impl.h"
#include "test_support.h"
#include "vorn/appupdate.h"
#include "vorn/log.h"

namespace {

// The system's temporary directory as the platform layer reports it (with its separator).
std::string SystemTemp() {
  std::string dir;
  vorn::platform::temp_directory(dir);
  return dir;
}

std::vector<unsigned short> Wide(const std::string& utf8) {
  vorn::detail::appupdate::Utf8ToWide convert;
  size_t n = 0;
  const unsigned short* units = convert.Convert(utf8.c_str(), &n);
  return std::vector<unsigned short>(units, units + n + 1);
}

// A field as UTF-8 for comparison; "<null>" for a null field.
std::string Text(const unsigned short* s) {
  if (s == nullptr) return "<null>";
  std::string out;
  for (; *s != 0; ++s) {
    if (*s < 0x80) {
      out += static_cast<char>(*s);
    } else {
      out += "\\u" + std::to_string(*s);
    }
  }
  return out;
}

// Local entries described in UTF-8, turned into the caller's UTF-16 list.
class Locals {
 public:
  Locals& Add(const char* name, const char* version, int32_t is_text, const char* extra = nullptr) {
    entries_.push_back({Keep(name), Keep(extra), Keep(version), is_text});
    list_ = tnoticeLocalList{static_cast<int32_t>(entries_.size()), entries_.data()};
    return *this;
  }
  const tnoticeLocalList* list() const { return &list_; }

 private:
  const unsigned short* Keep(const char* text) {
    if (text == nullptr) return nullptr;
    storage_.push_back(Wide(text));
    return storage_.back().data();
  }
  std::vector<std::vector<unsigned short>> storage_;  // reserved below: pointers stay valid
  std::vector<tnoticeLocal> entries_;
  tnoticeLocalList list_{0, nullptr};

 public:
  Locals() {
    storage_.reserve(64);
    entries_.reserve(20);
  }
};

struct Result {
  tnoticeItemList* list;
  ~Result() { ParseAppUpdateInfo_free(list); }
};

// Every test runs with a log file in a fresh temporary directory.
class ParseAppUpdateInfoTest : public vorn_test::LogCaptureTest {
 protected:
  // Messages of the error lines written so far.
  std::vector<std::string> ErrorLines() const {
    std::vector<std::string> lines;
    for (const vorn_test::LogLine& line : vorn_test::log_lines(path_)) {
      if (line.letter == 'E') lines.push_back(line.message);
    }
    return lines;
  }
};

const char kWorkedExample[] =
    "<?xml version='1.0' encoding='utf-8' ?>\n"
    "<main version=\"1.1\" caption=\"mainapp-caption\" filename=\"mainapp.exe\" link=\"mainapp.link\"> </main>\n"
    "<componet2 version=\"34576ead\">\n"
    "  <componet2_1 version=\"1.2.3.4\" caption=\"c2_1\" filename=\"c2_1.dll\" link=\"c2_1.link\"/>\n"
    "  <componet2_2 caption=\"c2_2\" filename=\"c2_2.dll\" link=\"c2_2.link\"/>\n"
    "  <componet2_3 version=\"3.2.4.5\" caption=\"c2_3\" filename=\"c2_3.dll\" link=\"c2_3.link\"/>\n"
    "</componet2>\n"
    "<componet3><componet3_1 version=\"1.3.3.4\"/></componet3>\n"
    "<componet4 caption=\"componet4-caption\">\n"
    "  <file version=\"3645ea3d\" rlpath=\"dlls\" upmethod=\"silentdown\"/>\n"
    "  <file2 version=\"9725ea3d\" caption=\"file2-caption\" filename=\"file2.exe\" link=\"file2.link\"\n"
    "         rlpath=\"SYSTEMP\" upmethod=\"silentexe\"/>\n"
    "</componet4>\n"
    "<componet5><componet5_1 version=\"\"/></componet5>\n";

Locals WorkedExampleLocals() {
  Locals l;
  l.Add("main", "1.0", 0).Add("componet2", "4576edac", 1).Add("componet2_3", "3.2.4.5", 0);
  l.Add("componet3_1", "1.2.4.5", 0).Add("file2", "23aed3", 1);
  return l;
}

TEST_F(ParseAppUpdateInfoTest, LengthAndTerminatorBoundTheCopy) {
  const Locals locals = WorkedExampleLocals();
  const std::string text = kWorkedExample;
  // Up to the end of main's element: only main is reported.
  const size_t end_of_main = text.find("</main>") + 7;
  Result cut{ParseAppUpdateInfo(text.c_str(), static_cast<uint32_t>(end_of_main), locals.list())};
  ASSERT_NE(cut.list, nullptr);
  EXPECT_EQ(cut.list->count, 1);
  // A zero byte ends the text early even within the length.
  std::string with_zero = text.substr(0, end_of_main) + '\0' + "<garbage";
  Result zero{ParseAppUpdateInfo(with_zero.data(), static_cast<uint32_t>(with_zero.size()), locals.list())};
  ASSERT_NE(zero.list, nullptr);
  EXPECT_EQ(zero.list->count, 1);
  // Cut inside a tag: a parse error.
  const size_t inside = text.find("1.1");
  EXPECT_EQ(ParseAppUpdateInfo(text.c_str(), static_cast<uint32_t>(inside), locals.list()), nullptr);
  EXPECT_EQ(ErrorLines(), std::vector<std::string>{"ParseXML Error :,expected ' or \""});
}

TEST_F(ParseAppUpdateInfoTest, AttributesAndValues) {
  Locals locals;
  locals.Add("a", "1", 0, "extra-a");
  const char doc[] =
      "<a VERSION='2' Caption='first' caption='x &amp; y &lt;&#65;&#x42;&gt; &unknown;' versions='9'"
      " UpMethod='SilentDown' rlpath='systemp' link=''>"
      "<b upmethod='SILENTEXE' rlpath='SYSTEMP' version=''/><c upmethod='silent' Version='3'/><d/>"
      "some text<![CDATA[<x>]]></a>";
  Result r{ParseAppUpdateInfo(doc, 0, locals.list())};
  ASSERT_NE(r.list, nullptr);
  ASSERT_EQ(r.list->count, 1);
  const tnoticeItem& a = r.list->items[0];
  EXPECT_EQ(Text(a.version), "2");
  EXPECT_EQ(Text(a.caption), "x & y <AB> &unknown;");  // the later occurrence wins
  EXPECT_EQ(a.upmethod, 1);
  EXPECT_EQ(Text(a.rlpath), "systemp");  // only the exact "SYSTEMP" is replaced
  EXPECT_EQ(Text(a.link), "");
  EXPECT_EQ(Text(a.extra), "extra-a");
  ASSERT_EQ(a.childCount, 5);
  EXPECT_EQ(a.children[0].upmethod, 2);
  EXPECT_EQ(Text(a.children[0].rlpath), SystemTemp() + "nublo\\");
  EXPECT_EQ(Text(a.children[0].version), "");  // present and empty, not null
  EXPECT_EQ(a.children[1].upmethod, 0);
  EXPECT_EQ(Text(a.children[1].version), "3");
  EXPECT_EQ(a.children[2].upmethod, 0);
  EXPECT_EQ(Text(a.children[2].version), "<null>");
  EXPECT_EQ(Text(a.children[2].extra), "<null>");
  // Character data and CDATA: unnamed children without attribute fields.
  for (int i : {3, 4}) {
    EXPECT_EQ(Text(a.children[i].name), "");
    EXPECT_EQ(Text(a.children[i].caption), "<null>");
    EXPECT_EQ(a.children[i].children, nullptr);
  }
}

TEST_F(ParseAppUpdateInfoTest, NonAsciiNamesAndValues) {
  Locals locals;
  locals.Add("\xE7\xBB\x84\xE4\xBB\xB6", "1", 0);  // U+7EC4 U+4EF6
  Result r{ParseAppUpdateInfo("<\xE7\xBB\x84\xE4\xBB\xB6 version='2' caption='caf\xC3\xA9 \xF0\x9F\x98\x80'/>", 0,
                              locals.list())};
  ASSERT_NE(r.list, nullptr);
  const tnoticeItem& item = r.list->items[0];
  EXPECT_EQ(Text(item.name), "\\u32452\\u20214");
  EXPECT_EQ(Text(item.caption), "caf\\u233 \\u55357\\u56832");  // a surrogate pair
}

TEST_F(ParseAppUpdateInfoTest, SelectionRule) {
  Locals locals;
  locals.Add("text", "abc", 1).Add("blank", "abc", 1).Add("num", "2.0", 0).Add("novers", "1.0", 0);
  locals.Add("judge", nullptr, 0).Add("inner", "1", 0).Add("text", "other", 1);
  const char doc[] =
      "<text><x/></text><blank version=''><x/></blank>"  // text entries without a version: current
      "<text version='abc'/><text version='ABC'/>"       // equal text is current; case matters
      "<num version='1.10'/><num version='2.0.0.1'/>"    // 20000 is not above 20000; 20001 is
      "<novers><inner version='2'/></novers>"            // no version counts as 0: current, subtree hidden
      "<judge version='99'><free/><inner version='2'/></judge>";
  Result r{ParseAppUpdateInfo(doc, 0, locals.list())};
  ASSERT_NE(r.list, nullptr);
  ASSERT_EQ(r.list->count, 3);
  EXPECT_EQ(Text(r.list->items[0].version), "ABC");
  EXPECT_EQ(Text(r.list->items[0].localVersion), "abc");  // the first entry of a name wins
  EXPECT_EQ(Text(r.list->items[1].version), "2.0.0.1");
  // A matched entry without version leads to a reported child but passes no flag down.
  const tnoticeItem& judge = r.list->items[2];
  EXPECT_EQ(Text(judge.name), "judge");
  EXPECT_EQ(Text(judge.localVersion), "<null>");
  ASSERT_EQ(judge.childCount, 1);
  EXPECT_EQ(Text(judge.children[0].name), "inner");
}

TEST_F(ParseAppUpdateInfoTest, LargeListsMatchLikeShortOnes) {
  Locals locals;
  for (int i = 0; i < 12; ++i) locals.Add(("n" + std::to_string(i)).c_str(), "1", 0);
  locals.Add("n5", "9", 0);  // shadowed by the first n5
  Result r{
      ParseAppUpdateInfo("<n5 version='2'/><n11 version='1'/><zz version='5'/><n0 version='1.1'/>", 0, locals.list())};
  ASSERT_NE(r.list, nullptr);
  ASSERT_EQ(r.list->count, 2);
  EXPECT_EQ(Text(r.list->items[0].name), "n5");
  EXPECT_EQ(Text(r.list->items[1].name), "n0");
}

TEST_F(ParseAppUpdateInfoTest, NothingToReport) {
  const Locals locals = WorkedExampleLocals();
  const tnoticeLocalList empty{0, nullptr};
  const tnoticeLocalList negative{-3, nullptr};
  EXPECT_EQ(ParseAppUpdateInfo(nullptr, 0, nullptr), nullptr);
  EXPECT_EQ(ParseAppUpdateInfo("", 0, nullptr), nullptr);
  EXPECT_EQ(ParseAppUpdateInfo(nullptr, 0, locals.list()), nullptr);
  EXPECT_EQ(ParseAppUpdateInfo(kWorkedExample, 0, &empty), nullptr);
  EXPECT_EQ(ParseAppUpdateInfo(kWorkedExample, 0, &negative), nullptr);
  EXPECT_EQ(ParseAppUpdateInfo(kWorkedExample, 0, nullptr), nullptr);
  for (const char* doc : {"<?xml version='1.0'?>", "<!-- a --><!-- b -->", " \r\n\t ", "<other version='5'/>"}) {
    EXPECT_EQ(ParseAppUpdateInfo(doc, 0, locals.list()), nullptr) << doc;
  }
  ParseAppUpdateInfo_free(nullptr);
  EXPECT_TRUE(ErrorLines().empty());
}

TEST_F(ParseAppUpdateInfoTest, ParseErrorsAreLogged) {
  const Locals locals = WorkedExampleLocals();
  const tnoticeLocalList empty{0, nullptr};
  EXPECT_EQ(ParseAppUpdateInfo("<main>", 0, locals.list()), nullptr);
  EXPECT_EQ(ParseAppUpdateInfo("x<main/>", 0, &empty), nullptr);  // errors are found even with no entries
  EXPECT_EQ(ParseAppUpdateInfo("<main version=1.1/>", 0, locals.list()), nullptr);
  EXPECT_EQ(ParseAppUpdateInfo("<main a='&#xFFFFFF;'/>", 0, locals.list()), nullptr);
  const std::vector<std::string> expected = {
      "ParseXML Error :,unexpected end of data",
      "ParseXML Error :x<main/>,expected <",
      "ParseXML Error :1.1/>,expected ' or \"",
      "ParseXML Error :&#xFFFFFF;'/>,invalid numeric character entity",
  };
  EXPECT_EQ(ErrorLines(), expected);
}

// The outcome as data: status, position counted in the caller's text (even where the
// in-place parse rewrote entities before the error), and no log line.
TEST_F(ParseAppUpdateInfoTest, OutcomeReportsStatusAndPosition) {
  const Locals locals = WorkedExampleLocals();
  struct Row {
    std::string text;
    int32_t status;
    uint32_t offset, line, column;
    const char* message;
  };
  std::string big = "<main version='1.1'>\n";
  for (int i = 0; i < 20000; ++i) big += "  <part caption='a &amp; b \xC3\xA9'>x &lt; y</part>\n";
  const size_t bad = big.size() + 7;
  big += "  <p x=1/>\n" + big.substr(21) + "</main>";
  const Row rows[] = {
      {"<main version='1.1'/>", NOTICE_PARSE_UPDATES, 0, 0, 0, ""},
      {"<main version='1.0'/>", NOTICE_PARSE_NOTHING, 0, 0, 0, ""},
      {"", NOTICE_PARSE_NOTHING, 0, 0, 0, ""},
      {"<main>", NOTICE_PARSE_MALFORMED, 6, 1, 7, "unexpected end of data"},
      {"\xEF\xBB\xBFx<main/>", NOTICE_PARSE_MALFORMED, 3, 1, 1, "expected <"},
      {"<a b='&amp;&amp;\xC3\xA9'>\n <c d=1/></a>", NOTICE_PARSE_MALFORMED, 27, 2, 7, "expected ' or \""},
      {big, NOTICE_PARSE_MALFORMED, static_cast<uint32_t>(bad), 20002, 8, "expected ' or \""},
  };
  for (const Row& row : rows) {
    tnoticeParseOutcome outcome{-1, 9, 9, 9, nullptr};
    Result r{ParseAppUpdateInfoEx(row.text.c_str(), 0, locals.list(), &outcome)};
    EXPECT_EQ(outcome.status, row.status) << row.text.substr(0, 40);
    EXPECT_EQ(r.list != nullptr, row.status == NOTICE_PARSE_UPDATES);
    EXPECT_EQ(outcome.errorOffset, row.offset);
    EXPECT_EQ(outcome.errorLine, row.line);
    EXPECT_EQ(outcome.errorColumn, row.column);
    EXPECT_STREQ(outcome.errorMessage, row.message);
  }
  EXPECT_EQ(ParseAppUpdateInfoEx("<main>", 0, locals.list(), nullptr), nullptr);
  EXPECT_TRUE(ErrorLines().empty());
}

// Large documents are parsed piece by piece; the answer and the error positions are those
// of the whole text, whatever markup stands where a piece ends.
TEST_F(ParseAppUpdateInfoTest, LargeDocumentsReadAsAWhole) {
  Locals locals;
  locals.Add("c7", "1", 0).Add("c59999", "1", 0).Add("tail", "1", 0);
  std::string doc = "\xEF\xBB\xBF<?xml version='1.0'?>\n";
  for (int i = 0; i < 60000; ++i) {
    const std::string n = std::to_string(i);
    doc += "<c" + n + " version='2' caption='a>b'><![CDATA[<x>]]><!-- <y> --><?pi <z>?>t</c" + n + ">\n";
  }
  Result r{ParseAppUpdateInfo(doc.c_str(), 0, locals.list())};
  ASSERT_NE(r.list, nullptr);
  ASSERT_EQ(r.list->count, 2);
  EXPECT_EQ(Text(r.list->items[0].name), "c7");
  EXPECT_EQ(Text(r.list->items[1].name), "c59999");
  EXPECT_EQ(Text(r.list->items[1].caption), "a>b");
  ASSERT_EQ(r.list->items[1].childCount, 2);  // the CDATA and the text
  EXPECT_EQ(Text(r.list->items[1].children[1].name), "");

  const struct {
    std::string text;
    size_t offset;
    uint32_t line, column;
    const char* message;
  } errors[] = {
      {doc + "<tail version='2'>\xEF\xBB\xBF</tail>\xEF\xBB\xBF<d/>", doc.size() + 28, 60002, 27, "expected <"},
      {doc + "<e a=1/>", doc.size() + 5, 60002, 6, "expected ' or \""},
      // Where a piece would start with a byte-order mark, the mark is still an error.
      {"<big a='" + std::string(1100000, 'x') + "'/>\xEF\xBB\xBF" + doc, 1100011, 1, 1100012, "expected <"},
  };
  for (const auto& e : errors) {
    tnoticeParseOutcome outcome{};
    EXPECT_EQ(ParseAppUpdateInfoEx(e.text.c_str(), 0, locals.list(), &outcome), nullptr);
    EXPECT_EQ(outcome.status, NOTICE_PARSE_MALFORMED);
    EXPECT_STREQ(outcome.errorMessage, e.message);
    EXPECT_EQ(outcome.errorOffset, e.offset);
    EXPECT_EQ(outcome.errorLine, e.line);
    EXPECT_EQ(outcome.errorColumn, e.column);
  }
}

// A large document may be cut where a line starts with '<'; a cut that falls inside an
// item (a child element, a comment or an attribute value that spans lines) must give the
// answer of the same document laid out so that no line starts there.
TEST_F(ParseAppUpdateInfoTest, PiecesCutInsideAnItemReadAsAWhole) {
  Locals locals;
  locals.Add("target", "1", 0).Add("later", "1", 0);
  const auto straddle = [](const std::string& line_start) {
    std::string doc;
    for (int i = 0; doc.size() < (size_t{20} << 10); ++i) doc += "<f" + std::to_string(i) + " version='1'/>\n";
    std::string lines;
    for (int i = 0; i < 2000; ++i) lines += "\n" + line_start + "<s" + std::to_string(i) + " version='2'/>";
    const std::string items[] = {
        "<target version='2'>" + lines + "</target>",
        "<!--" + lines + "--><target version='2'/>",
        "<target version='2' caption=\"" + lines + "\"/>",
    };
    std::vector<std::string> docs;
    for (const auto& item : items)
      docs.push_back(doc.substr(0, doc.find('\n', doc.size() / 2) + 1) + item + "\n" + doc + "<later version='3'/>\n" +
                     doc);
    return docs;
  };
  const auto summary = [](const tnoticeItemList* list) {
    std::string out;
    for (int32_t i = 0; list != nullptr && i < list->count; ++i) {
      const auto& item = list->items[i];
      out += Text(item.name) + "/" + Text(item.caption) + "/" + std::to_string(item.childCount) + ";";
      for (int32_t c = 0; c < item.childCount; ++c) out += Text(item.children[c].name) + ",";
    }
    // The layouts differ only in a space after each line break of the caption.
    for (size_t at = out.find("\n "); at != std::string::npos; at = out.find("\n ", at)) out.erase(at + 1, 1);
    return out;
  };
  const auto cut = straddle("");
  const auto whole = straddle(" ");
  for (size_t i = 0; i < cut.size(); ++i) {
    Result a{ParseAppUpdateInfo(cut[i].c_str(), 0, locals.list())};
    Result b{ParseAppUpdateInfo(whole[i].c_str(), 0, locals.list())};
    ASSERT_NE(a.list, nullptr);
    ASSERT_EQ(a.list->count, 2);
    EXPECT_EQ(Text(a.list->items[1].name), "later");
    EXPECT_EQ(summary(a.list), summary(b.list)) << "item shape " << i;
  }
  EXPECT_TRUE(ErrorLines().empty());
}

// A large document is measured as it is read: one bounded by its length alone (nothing
// readable after it) and one with a line far longer than the pieces read as the same text
// zero-terminated, and a cut one fails where the same text zero-terminated fails.
TEST_F(ParseAppUpdateInfoTest, LargeDocumentsBoundedByTheirLength) {
  Locals locals;
  locals.Add("c3", "1", 0).Add("c5000", "1", 0).Add("last", "1", 0);
  std::string doc;
  int n = 0;
  const auto item = [&n] { return "<c" + std::to_string(n++) + " version='2' caption='x'/>"; };
  while (doc.size() < (size_t{40} << 10)) doc += item() + "\n";
  while (doc.size() < (size_t{250} << 10)) doc += item();  // one line of about 210 KiB
  while (doc.size() < (size_t{300} << 10)) doc += "\n" + item();
  doc += "\n<last version='2'/>";

  const auto outcome_of = [&locals](const char* text, size_t size, std::string& names) {
    tnoticeParseOutcome outcome{};
    Result r{ParseAppUpdateInfoEx(text, static_cast<uint32_t>(size), locals.list(), &outcome)};
    for (int32_t i = 0; r.list != nullptr && i < r.list->count; ++i) names += Text(r.list->items[i].name) + ";";
    return outcome;
  };
  for (const size_t size : {doc.size(), doc.size() - 3, size_t{240} << 10}) {
    const std::unique_ptr<char[]> bounded(new char[size]);
    std::memcpy(bounded.get(), doc.data(), size);
    std::string bounded_names;
    std::string terminated_names;
    const tnoticeParseOutcome a = outcome_of(bounded.get(), size, bounded_names);
    const tnoticeParseOutcome b = outcome_of(doc.substr(0, size).c_str(), 0, terminated_names);
    EXPECT_EQ(bounded_names, terminated_names);
    EXPECT_EQ(a.status, b.status);
    EXPECT_EQ(a.errorOffset, b.errorOffset);
    EXPECT_STREQ(a.errorMessage, b.errorMessage);
  }
  std::string names;
  EXPECT_EQ(outcome_of(doc.c_str(), 0, names).status, NOTICE_PARSE_UPDATES);
  EXPECT_EQ(names, "c3;c5000;last;");
}

TEST_F(ParseAppUpdateInfoTest, NestingToAnyDepth) {
  constexpr uint32_t kDepth = 100000;
  Locals locals;
  locals.Add("a", "1", 0);
  std::string doc;
  for (uint32_t i = 0; i < kDepth; ++i) doc += "<a version='2'>";
  for (uint32_t i = 0; i < kDepth; ++i) doc += "</a>";
  Result r{ParseAppUpdateInfo(doc.c_str(), 0, locals.list())};
  ASSERT_NE(r.list, nullptr);
  const tnoticeItem* item = &r.list->items[0];
  uint32_t depth = 1;
  for (; item->childCount == 1; item = item->children) ++depth;
  EXPECT_EQ(depth, kDepth);

  // An error deep inside is reported like any other, its quote cut at 4 KB.
  std::string broken;
  for (uint32_t i = 0; i < 2000; ++i) broken += "<a>";
  broken += "<a b=c>";
  for (uint32_t i = 0; i < 200000; ++i) broken += "<a>";
  EXPECT_EQ(ParseAppUpdateInfo(broken.c_str(), 0, locals.list()), nullptr);
  const std::vector<std::string> lines = ErrorLines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].rfind("ParseXML Error :c><a><a>", 0), 0u);
  EXPECT_NE(lines[0].find(",expected ' or \""), std::string::npos);
  EXPECT_LT(lines[0].size(), 4096u + 64u);
}

TEST_F(ParseAppUpdateInfoTest, SelfCheckPasses) {
  EXPECT_EQ(do_appudpateparser_unittest(), 1);
  EXPECT_TRUE(ErrorLines().empty());
}

}  // namespace
