// TAnsiStrings and TWideStrings in memory: items and ownership, line and field
// splitting, joining, searching, sorting, and what only the wide list does.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "list_test_util.h"

namespace {

using vorn_test::buffer_of;
using vorn_test::ItemOf;
using vorn_test::items_of;
using vorn_test::Lit;
using vorn_test::LitOf;
using vorn_test::narrow;
using Items = std::vector<std::string>;

template <class L>
class StringList : public ::testing::Test {};
TYPED_TEST_SUITE(StringList, vorn_test::ListTypes);

TYPED_TEST(StringList, AddRemoveAndIndexedReading) {
  using L = LitOf<TypeParam>;
  TypeParam list;
  EXPECT_EQ(0, list.add(L("a")));
  EXPECT_EQ(1, list.add(nullptr));
  EXPECT_EQ(2, list.add(ItemOf<TypeParam>(L(""))));
  EXPECT_EQ(3, list.add(L("d")));
  EXPECT_EQ((Items{"a", "<none>", "", "d"}), items_of(list));
  EXPECT_EQ(nullptr, list.getItem(4));

  const auto* former_second = list.getItem(1);
  list.remove(-1);
  list.remove(4);
  EXPECT_EQ(4u, list.count());
  list.remove(0);
  EXPECT_EQ(former_second, list.getItem(0));
  EXPECT_EQ((Items{"<none>", "", "d"}), items_of(list));

  list.clear();
  EXPECT_EQ(0u, list.count());
  EXPECT_EQ(nullptr, list.getItem(0));
  EXPECT_EQ(0, list.add(L("again")));
}

TYPED_TEST(StringList, CopyIsDeepAndKeepsItemsWithoutBuffer) {
  using L = LitOf<TypeParam>;
  TypeParam list;
  list.add(L("x"));
  list.add(nullptr);
  list.add(L(""));
  const TypeParam copy(list);
  EXPECT_EQ(items_of(list), items_of(copy));
  EXPECT_NE(list.getItem(0), copy.getItem(0));
  EXPECT_NE(buffer_of(*list.getItem(0)), buffer_of(*copy.getItem(0)));
  list.clear();
  EXPECT_EQ((Items{"x", "<none>", ""}), items_of(copy));
}

TYPED_TEST(StringList, SetTextSplitsAtEveryKindOfLineBreak) {
  using L = LitOf<TypeParam>;
  TypeParam list;
  list.SetText(L("a\r\nb\rc\nd"), 0);
  EXPECT_EQ((Items{"a", "b", "c", "d"}), items_of(list));
  list.SetText(L("a\n\nb"), 0);
  EXPECT_EQ((Items{"a", "<none>", "b"}), items_of(list));
  list.SetText(L("\r\nx"), 0);
  EXPECT_EQ((Items{"<none>", "x"}), items_of(list));
  list.SetText(L("a\n\rb"), 0);
  EXPECT_EQ((Items{"a", "<none>", "b"}), items_of(list));
  list.SetText(L(" a\t\n"), 0);
  EXPECT_EQ((Items{" a\t"}), items_of(list));
  list.SetText(L("\n"), 0);
  EXPECT_EQ((Items{"<none>"}), items_of(list));
}

TYPED_TEST(StringList, SetTextLengthLimitsWhatIsRead) {
  using L = LitOf<TypeParam>;
  TypeParam list;
  list.SetText(L("abcdef"), 3);
  EXPECT_EQ((Items{"abc"}), items_of(list));
  // The limit falls between CR and LF: the LF is not skipped and not read.
  list.SetText(L("ab\r\ncd"), 3);
  EXPECT_EQ((Items{"ab"}), items_of(list));
  list.SetText(L("ab\ncd"), -1);
  EXPECT_EQ((Items{"ab", "cd"}), items_of(list));
}

TYPED_TEST(StringList, SetTextReplacesAllItemsAndAcceptsNoText) {
  using L = LitOf<TypeParam>;
  TypeParam list;
  list.add(L("old"));
  list.SetText(L("new"), 0);
  EXPECT_EQ((Items{"new"}), items_of(list));
  list.SetText(nullptr, 0);
  EXPECT_EQ(0u, list.count());
  list.add(L("old"));
  list.SetText(L(""), 0);
  EXPECT_EQ(0u, list.count());
}

TYPED_TEST(StringList, SetText2CutsAtEachSeparatorUnit) {
  using L = LitOf<TypeParam>;
  TypeParam list;
  list.SetText2(L("a,b;;c"), L(",;"));
  EXPECT_EQ((Items{"a", "b", "<none>", "c"}), items_of(list));
  list.SetText2(L(",a"), L(","));
  EXPECT_EQ((Items{"<none>", "a"}), items_of(list));
  list.SetText2(L("a,"), L(","));
  EXPECT_EQ((Items{"a"}), items_of(list));
  list.SetText2(L(","), L(","));
  EXPECT_EQ((Items{"<none>"}), items_of(list));
  list.SetText2(L(" a b\n"), L(","));
  EXPECT_EQ((Items{" a b\n"}), items_of(list));
  list.SetText2(nullptr, L(","));
  EXPECT_EQ(0u, list.count());
}

TYPED_TEST(StringList, SetText2WithoutSeparatorsSplitsLines) {
  using L = LitOf<TypeParam>;
  TypeParam list;
  list.SetText2(L("a,b\r\nc"), L(""));
  EXPECT_EQ((Items{"a,b", "c"}), items_of(list));
  list.SetText2(L("x\ny"), nullptr);
  EXPECT_EQ((Items{"x", "y"}), items_of(list));
}

TYPED_TEST(StringList, TextJoinsWithSeparatorBetweenItemsOnly) {
  using L = LitOf<TypeParam>;
  TypeParam list;
  EXPECT_EQ("", narrow(list.Text(',')));
  list.add(L("a"));
  list.add(nullptr);
  list.add(L("b"));
  EXPECT_EQ("a,,b", narrow(list.Text(',')));
  EXPECT_EQ("ab", narrow(list.Text(0)));
  list.clear();
  list.add(nullptr);
  list.add(L(""));
  EXPECT_EQ(";", narrow(list.Text(';')));
}

TYPED_TEST(StringList, TextOfManyItemsSplitsBackIntoTheSameItems) {
  using L = LitOf<TypeParam>;
  TypeParam list;
  std::string expected;
  for (int i = 0; i < 300; ++i) {
    const std::string item(static_cast<size_t>(i % 7), static_cast<char>('a' + i % 26));
    if (i != 0) expected += '|';
    expected += item;
    list.add(L(item.c_str()));
  }
  EXPECT_EQ(expected, narrow(list.Text('|')));
  TypeParam back;
  back.SetText2(list.Text('|').GetBuffer(), L("|"));
  EXPECT_EQ(items_of(list).size(), items_of(back).size());
  EXPECT_EQ(expected, narrow(back.Text('|')));
}

TYPED_TEST(StringList, IndexOfIsExactAndTreatsEmptyItemsAlike) {
  using L = LitOf<TypeParam>;
  TypeParam list;
  EXPECT_EQ(-1, list.IndexOf(L("a")));
  EXPECT_EQ(-1, list.IndexOf(nullptr));
  list.add(L("a"));
  list.add(L("b"));
  list.add(nullptr);
  list.add(L(""));
  list.add(L("b"));
  EXPECT_EQ(-1, list.IndexOf(L("A")));
  EXPECT_EQ(1, list.IndexOf(L("b")));
  EXPECT_EQ(2, list.IndexOf(L("")));
  EXPECT_EQ(2, list.IndexOf(nullptr));
  EXPECT_EQ(-1, list.IndexOf(L("b ")));
  list.remove(2);
  list.remove(2);
  EXPECT_EQ(-1, list.IndexOf(nullptr));
}

TEST(AnsiStrings, TextConstructorSplitsLines) {
  const TAnsiStrings list("one\r\ntwo\nthree\n");
  EXPECT_EQ((Items{"one", "two", "three"}), items_of(list));
  EXPECT_EQ(0u, TAnsiStrings(static_cast<const char*>(nullptr)).count());
}

TEST(AnsiStrings, SortOrdersUnsignedBytesWithBufferlessItemsLowest) {
  TAnsiStrings list;
  for (const char* text : {"a", "\xE9", "A", "", "z", "ab"}) list.add(text);
  list.add(static_cast<const char*>(nullptr));
  list.sort(true);
  EXPECT_EQ((Items{"<none>", "", "A", "a", "ab", "z", "\xE9"}), items_of(list));
  list.sort(false);
  EXPECT_EQ((Items{"\xE9", "z", "ab", "a", "A", "", "<none>"}), items_of(list));
}

TEST(AnsiStrings, SortKeepsEveryItemAmongManyEqualOnes) {
  TAnsiStrings list;
  for (int i = 0; i < 200; ++i) {
    if (i % 3 == 0) {
      list.add(static_cast<const char*>(nullptr));
    } else {
      list.add(i % 3 == 1 ? "m" : "");
    }
  }
  list.sort(true);
  const Items items = items_of(list);
  ASSERT_EQ(200u, items.size());
  for (size_t i = 0; i < items.size(); ++i) {
    EXPECT_EQ(i < 67 ? "<none>" : i < 133 ? "" : "m", items[i]) << i;
  }
}

using WL = Lit<TWideString>;

TEST(WideStrings, TextConstructorMakesOneItem) {
  const TWideStrings list(WL("a\nb"));
  EXPECT_EQ((Items{"a\nb"}), items_of(list));
  const TWideStrings none(static_cast<const unsigned short*>(nullptr));
  EXPECT_EQ((Items{"<none>"}), items_of(none));
}

TEST(WideStrings, LineSeparatorEndsALine) {
  TWideStrings list;
  list.SetText(WL({'a', 0x2028, 'b', 0}), 0);
  EXPECT_EQ((Items{"a", "b"}), items_of(list));
  list.SetText(WL({'a', '\r', '\n', 0x2028, 'b', 0}), 0);
  EXPECT_EQ((Items{"a", "b"}), items_of(list));
  list.SetText(WL({'a', 0x2028, '\r', '\n', 'b', 0}), 0);
  EXPECT_EQ((Items{"a", "<none>", "b"}), items_of(list));
  list.SetText(WL({'a', 0x2028, 0x2028, 'b', 0}), 0);
  EXPECT_EQ((Items{"a", "<none>", "b"}), items_of(list));
}

TEST(WideStrings, IndexOperatorIsGetItem) {
  TWideStrings list;
  list.add(WL("p"));
  list.add(WL("q"));
  for (uint32_t i = 0; i <= list.count(); ++i) EXPECT_EQ(list.getItem(i), list[i]);
  EXPECT_EQ(nullptr, list[2]);
}

TEST(WideStrings, UnitsAboveAByteAreComparedWhole) {
  TWideStrings list;
  list.add(WL({0x4E2D, 0x6587, 0}));
  list.add(WL({0x4E2D, 0}));
  EXPECT_EQ(1, list.IndexOf(WL({0x4E2D, 0})));
  EXPECT_EQ(-1, list.IndexOf(WL({0x2D, 0})));
  list.SetText2(WL({'a', 0x3001, 'b', 0}), WL({0x3001, 0}));
  EXPECT_EQ((Items{"a", "b"}), items_of(list));
}

}  // namespace
