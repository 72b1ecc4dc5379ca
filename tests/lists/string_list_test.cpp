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

TYPED_TEST(StringList, AddRemoveCopyAndIndexedReading) {
  using L = LitOf<TypeParam>;
  TypeParam list;
  EXPECT_EQ(0, list.add(L("a")));
  EXPECT_EQ(1, list.add(nullptr));
  EXPECT_EQ(2, list.add(ItemOf<TypeParam>(L(""))));
  EXPECT_EQ(3, list.add(L("d")));
  EXPECT_EQ(nullptr, list.getItem(4));

  const TypeParam copy(list);
  EXPECT_EQ((Items{"a", "<none>", "", "d"}), items_of(copy));
  EXPECT_NE(buffer_of(*list.getItem(0)), buffer_of(*copy.getItem(0)));

  const auto* former_second = list.getItem(1);
  list.remove(-1);
  list.remove(4);
  list.remove(0);
  EXPECT_EQ(former_second, list.getItem(0));
  EXPECT_EQ((Items{"<none>", "", "d"}), items_of(list));
  list.clear();
  EXPECT_EQ(0u, list.count());
  EXPECT_EQ(0, list.add(L("again")));
  EXPECT_EQ(4u, copy.count());
}

TYPED_TEST(StringList, SetTextSplitsAtEveryKindOfLineBreak) {
  using L = LitOf<TypeParam>;
  TypeParam list;
  list.SetText(L("a\r\nb\rc\nd"), 0);
  EXPECT_EQ((Items{"a", "b", "c", "d"}), items_of(list));
  list.SetText(L("a\n\rb"), 0);
  EXPECT_EQ((Items{"a", "<none>", "b"}), items_of(list));
  list.SetText(L("\r\nx"), 0);
  EXPECT_EQ((Items{"<none>", "x"}), items_of(list));
  list.SetText(L(" a\t\n"), 0);
  EXPECT_EQ((Items{" a\t"}), items_of(list));
  list.SetText(L("\n"), 0);
  EXPECT_EQ((Items{"<none>"}), items_of(list));
  list.SetText(nullptr, 0);
  EXPECT_EQ(0u, list.count());
}

TYPED_TEST(StringList, SetTextLengthLimitsWhatIsRead) {
  using L = LitOf<TypeParam>;
  TypeParam list;
  list.SetText(L("abcdef"), 3);
  EXPECT_EQ((Items{"abc"}), items_of(list));
  // The limit falls between CR and LF: the LF is neither skipped nor read.
  list.SetText(L("ab\r\ncd"), 3);
  EXPECT_EQ((Items{"ab"}), items_of(list));
  list.SetText(L("ab\ncd"), -1);
  EXPECT_EQ((Items{"ab", "cd"}), items_of(list));
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
  list.SetText2(L(" a b\n"), L(","));
  EXPECT_EQ((Items{" a b\n"}), items_of(list));
  list.SetText2(L("a,b\r\nc"), L(""));
  EXPECT_EQ((Items{"a,b", "c"}), items_of(list));
  list.SetText2(nullptr, L(","));
  EXPECT_EQ(0u, list.count());
}

TYPED_TEST(StringList, TextJoinsWithSeparatorBetweenItemsOnly) {
  using L = LitOf<TypeParam>;
  TypeParam list;
  EXPECT_EQ("", narrow(list.Text(',')));
  list.add(L("a"));
  list.add(nullptr);
  list.add(L("bc"));
  EXPECT_EQ("a,,bc", narrow(list.Text(',')));
  EXPECT_EQ("abc", narrow(list.Text(0)));
}

TYPED_TEST(StringList, IndexOfIsExactAndTreatsEmptyItemsAlike) {
  using L = LitOf<TypeParam>;
  TypeParam list;
  EXPECT_EQ(-1, list.IndexOf(nullptr));
  for (const char* text : {"a", "b", "", "b"}) list.add(L(text));
  EXPECT_EQ(-1, list.IndexOf(L("A")));
  EXPECT_EQ(1, list.IndexOf(L("b")));
  EXPECT_EQ(2, list.IndexOf(nullptr));
  EXPECT_EQ(-1, list.IndexOf(L("b ")));
  list.remove(2);
  list.add(nullptr);
  EXPECT_EQ(3, list.IndexOf(L("")));
}

TEST(AnsiStrings, TextConstructorSplitsLines) {
  EXPECT_EQ((Items{"one", "two"}), items_of(TAnsiStrings("one\r\ntwo\n")));
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

TEST(AnsiStrings, SortCopesWithManyEqualItems) {
  TAnsiStrings list;
  for (int i = 0; i < 200; ++i) list.add(i % 2 == 0 ? static_cast<const char*>(nullptr) : "");
  list.sort(false);
  const Items items = items_of(list);
  EXPECT_EQ(Items(100, ""), Items(items.begin(), items.begin() + 100));
  EXPECT_EQ(Items(100, "<none>"), Items(items.begin() + 100, items.end()));
}

using WL = Lit<TWideString>;

TEST(WideStrings, TextConstructorMakesOneItemAndIndexingIsGetItem) {
  const TWideStrings list(WL("a\nb"));
  EXPECT_EQ((Items{"a\nb"}), items_of(list));
  EXPECT_EQ(list.getItem(0), list[0]);
  EXPECT_EQ(nullptr, list[1]);
  EXPECT_EQ((Items{"<none>"}), items_of(TWideStrings(static_cast<const unsigned short*>(nullptr))));
}

TEST(WideStrings, LineSeparatorEndsALine) {
  TWideStrings list;
  list.SetText(WL({'a', 0x2028, 'b', 0}), 0);
  EXPECT_EQ((Items{"a", "b"}), items_of(list));
  list.SetText(WL({'a', '\r', '\n', 0x2028, 'b', 0}), 0);
  EXPECT_EQ((Items{"a", "b"}), items_of(list));
  list.SetText(WL({'a', 0x2028, '\r', '\n', 'b', 0}), 0);
  EXPECT_EQ((Items{"a", "<none>", "b"}), items_of(list));
}

TEST(WideStrings, UnitsAboveAByteAreComparedWhole) {
  TWideStrings list;
  list.SetText2(WL({0x4E2D, 0x3001, 0x2D, 0}), WL({0x3001, 0}));
  EXPECT_EQ(0, list.IndexOf(WL({0x4E2D, 0})));
  EXPECT_EQ(1, list.IndexOf(WL({0x2D, 0})));
  EXPECT_EQ(2u, list.count());
}

}  // namespace
