// The parser's stand-alone pieces: version numbers and the nesting pre-scan.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "appupdate/appupdate_impl.h"

namespace au = vorn::detail::appupdate;

namespace {

int32_t Version(const std::string& text) {
  std::vector<unsigned short> units(text.begin(), text.end());
  units.push_back(0);
  return au::VersionNumber(units.data());
}

TEST(VersionNumber, DottedParts) {
  EXPECT_EQ(Version("1.1"), 11000);
  EXPECT_EQ(Version("1.0"), 10000);
  EXPECT_EQ(Version("1.2.3.4"), 12304);
  EXPECT_EQ(Version("3.2.4.5"), 32405);
  EXPECT_EQ(Version("1"), 10000);
  EXPECT_EQ(Version("1.2.3.4.5"), 12304);  // parts after the fourth are ignored
  EXPECT_EQ(Version("beta.1"), 1000);
  EXPECT_EQ(Version("1.10"), Version("2.0"));
  EXPECT_EQ(Version(""), 0);
  EXPECT_EQ(au::VersionNumber(nullptr), 0);
}

TEST(VersionNumber, PiecesReadLikeDecimalNumbers) {
  EXPECT_EQ(Version(" \t+2.\r-1"), 20000 - 1000);
  EXPECT_EQ(Version("..7"), 700);
  EXPECT_EQ(Version("1x9.2"), 10000 + 2000);  // digits stop at the first other unit
  EXPECT_EQ(Version("- 5"), 0);
}

TEST(VersionNumber, LongPieceContinuesIntoTheSamePart) {
  // A piece is at most 64 units; the rest of it is read again into the same part.
  EXPECT_EQ(Version(std::string(64, '0') + "7.1"), 70000 + 1000);
  EXPECT_EQ(Version(std::string(64, '9') + "12"), 120000);
}

TEST(VersionNumber, ArithmeticWraps) {
  const uint32_t expected = 300000u * 10000u + 5u * 100u;
  EXPECT_EQ(Version("300000.0.5"), static_cast<int32_t>(expected));
  EXPECT_LT(Version("300000"), 0);  // compared as a signed number
}

std::string Nested(uint32_t depth, const std::string& open, const std::string& close) {
  std::string text;
  for (uint32_t i = 0; i < depth; ++i) text += open;
  for (uint32_t i = 0; i < depth; ++i) text += close;
  return text;
}

TEST(NestingScan, FindsTheFirstElementBeyondTheLimit) {
  const std::string ok = Nested(10, "<a>", "</a>");
  EXPECT_EQ(au::FindExcessNesting(ok.c_str(), 10), nullptr);
  const std::string deep = Nested(11, "<a x='1'>", "</a>");
  EXPECT_EQ(au::FindExcessNesting(deep.c_str(), 10), deep.c_str() + 10 * 9);
  // Closed siblings do not add up.
  std::string wide;
  for (int i = 0; i < 50; ++i) wide += "<b><c/></b>";
  EXPECT_EQ(au::FindExcessNesting(("<r>" + wide + "</r>").c_str(), 2), nullptr);
  EXPECT_EQ(2u, au::NestingDepth(("<r>" + wide + "</r>").c_str()));  // <c/> opens nothing
  EXPECT_EQ(11u, au::NestingDepth(deep.c_str()));
}

TEST(NestingScan, CountsWhatTheParseCountsAsOpenElements) {
  // None of these close anything, so each level is still open.
  for (const std::string open : {"<a v='/>'>", "<a v=\"</a>\">", "<a\"b>", "<a><!-- </a> --><?p </a> ?>",
                                 "<a><![CDATA[</a>]]>", "\xEF\xBB\xBF<a>", "<a>text &amp; <!x </a> >"}) {
    const std::string text = Nested(6, open, "");
    EXPECT_NE(au::FindExcessNesting(text.c_str(), 5), nullptr) << open;
  }
  // DOCTYPE brackets hide their content.
  const std::string doctype = "<!DOCTYPE d [<!ENTITY e '<a>'>]>" + Nested(3, "<a>", "</a>");
  EXPECT_EQ(au::FindExcessNesting(doctype.c_str(), 3), nullptr);
}

TEST(NestingScan, CountsTagEndsAcrossWordBoundaries) {
  // Every placement of "/>" and ">" around the 16-byte steps of the count.
  for (size_t pad = 0; pad < 40; ++pad) {
    for (const std::string tail : {">", "/>", "//>", ">>", "/>>", "x/"}) {
      const std::string text = std::string(pad, 'a') + tail + std::string(pad % 5, '>');
      size_t expected = 0;
      for (size_t i = 0; i < text.size(); ++i) expected += text[i] == '>' && (i == 0 || text[i - 1] != '/');
      EXPECT_EQ(au::CountOpeningTagEnds(text.data(), text.size()), expected) << text;
    }
  }
  // Long enough for the per-byte counters to be summed more than once.
  std::string mixed;
  for (int i = 0; i < 3000; ++i) mixed += (i % 3 == 0) ? "/>" : (i % 3 == 1) ? ">>" : "a>";
  EXPECT_EQ(au::CountOpeningTagEnds(mixed.data(), mixed.size()), 1000u * (0 + 2 + 1));
  EXPECT_EQ(au::CountOpeningTagEnds("/>>", 3), 1u);
  EXPECT_EQ(au::CountOpeningTagEnds(">", 1), 1u);
}

TEST(NestingScan, StopsWhereTheParseWouldFail) {
  EXPECT_EQ(au::FindExcessNesting(("x" + Nested(20, "<a>", "")).c_str(), 5), nullptr);
  EXPECT_EQ(au::FindExcessNesting(("<a b=c>" + Nested(20, "<a>", "")).c_str(), 5), nullptr);
  EXPECT_EQ(au::FindExcessNesting("", 5), nullptr);
}

}  // namespace
