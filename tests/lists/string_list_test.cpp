// TAnsiStrings and TWideStrings in memory: items and ownership, sorting, and what only
// one of the two lists does. Line and field splitting, joining and searching are
// checked against a model by the lists fuzz target, whose corpus CTest replays.
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
