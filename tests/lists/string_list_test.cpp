// TAnsiStrings and TWideStrings: items and ownership, sorting, what only one of the two
// lists does, and loading and saving files. Line and field splitting (the wide line
// separator included), joining and searching are checked against a model by the lists
// fuzz target, whose corpus CTest replays.
#include <gtest/gtest.h>

#include <string>
#include <type_traits>
#include <vector>

#include "../strings/string_test_util.h"
#include "test_support.h"
#include "vorn/lists.h"

namespace {

using vorn_test::buffer_of;
using vorn_test::Lit;
using vorn_test::narrow;
using vorn_test::read_file;
using vorn_test::write_file;
using Items = std::vector<std::string>;

template <class L>
using ItemOf = std::remove_const_t<std::remove_pointer_t<decltype(std::declval<const L&>().getItem(0))>>;

/// A literal in the unit type of list L.
template <class L>
using LitOf = Lit<ItemOf<L>>;

using ListTypes = ::testing::Types<TAnsiStrings, TWideStrings>;

/// The items of a list narrowed to bytes; an item without buffer reads as "<none>".
template <class L>
Items items_of(const L& list) {
  Items out;
  for (uint32_t i = 0; i < list.count(); ++i) {
    const auto* item = list.getItem(i);
    out.push_back(buffer_of(*item) == nullptr ? "<none>" : narrow(*item));
  }
  return out;
}

template <class L>
class StringList : public ::testing::Test {};
TYPED_TEST_SUITE(StringList, ListTypes);

// Adding, reading and clearing are checked by the lists fuzz model.
TYPED_TEST(StringList, CopiesOwnTheirItemsAndRemoveIgnoresOtherIndexes) {
  using L = LitOf<TypeParam>;
  TypeParam list;
  list.add(L("a"));
  list.add(nullptr);
  list.add(ItemOf<TypeParam>(L("")));
  const TypeParam copy(list);
  EXPECT_EQ((Items{"a", "<none>", ""}), items_of(copy));
  EXPECT_NE(buffer_of(*list.getItem(0)), buffer_of(*copy.getItem(0)));

  const auto* former_second = list.getItem(1);
  list.remove(-1);
  list.remove(3);
  list.remove(0);
  EXPECT_EQ(former_second, list.getItem(0));
  EXPECT_EQ((Items{"<none>", ""}), items_of(list));
  EXPECT_EQ(3u, copy.count());
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

using WL = Lit<TWideString>;

TEST(WideStrings, TextConstructorMakesOneItemAndIndexingIsGetItem) {
  const TWideStrings list(WL("a\nb"));
  EXPECT_EQ((Items{"a\nb"}), items_of(list));
  EXPECT_EQ(list.getItem(0), list[0]);
  EXPECT_EQ(nullptr, list[1]);
  EXPECT_EQ((Items{"<none>"}), items_of(TWideStrings(static_cast<const unsigned short*>(nullptr))));
}

TEST(WideStrings, UnitsAboveAByteAreComparedWhole) {
  TWideStrings list;
  list.SetText2(WL({0x4E2D, 0x3001, 0x2D, 0}), WL({0x3001, 0}));
  EXPECT_EQ(0, list.IndexOf(WL({0x4E2D, 0})));
  EXPECT_EQ(1, list.IndexOf(WL({0x2D, 0})));
  EXPECT_EQ(2u, list.count());
}

// ---- loading and saving through real files in a fresh directory, byte for byte -------

// The list's own path type for a file path.
const char* path_arg(const TAnsiStrings&, const std::string& path) { return path.c_str(); }
WL path_arg(const TWideStrings&, const std::string& path) { return WL(path.c_str()); }

template <class L>
class ListFile : public vorn_test::TempDirTest {
 protected:
  bool save(L& list, const std::string& name) { return list.saveToFile(path_arg(list, at(name))); }
  bool load(L& list, const std::string& name) { return list.loadFromFile(path_arg(list, at(name))); }
  // An ASCII text as the list's files hold it: bytes, or little-endian units.
  static std::string encoded(const std::string& text) {
    if (std::is_same_v<L, TAnsiStrings>) return text;
    std::string out;
    for (char c : text) out += std::string{c, '\0'};
    return out;
  }
};
TYPED_TEST_SUITE(ListFile, ListTypes);
using WideStringsFile = vorn_test::TempDirTest;

TYPED_TEST(ListFile, ItemsAreSavedJoinedByLineFeedsAndLoadBack) {
  using L = LitOf<TypeParam>;
  TypeParam list;
  for (const char* text : {"x", "", "y", ""}) list.add(L(text));
  ASSERT_TRUE(this->save(list, "list.txt"));
  EXPECT_EQ(this->encoded("x\n\ny\n"), read_file(this->at("list.txt")));

  TypeParam back;
  back.add(L("stale"));
  ASSERT_TRUE(this->load(back, "list.txt"));
  EXPECT_EQ((Items{"x", "<none>", "y"}), items_of(back));

  TypeParam empty;
  EXPECT_TRUE(this->save(empty, "list.txt"));
  EXPECT_EQ("", read_file(this->at("list.txt")));
}

TYPED_TEST(ListFile, LoadingSplitsEveryLineBreakAndStopsAtNul) {
  write_file(this->at("breaks.txt"), this->encoded(std::string("a\r\nb\rc\n\nd\0e\nf", 13)));
  TypeParam list;
  ASSERT_TRUE(this->load(list, "breaks.txt"));
  EXPECT_EQ((Items{"a", "b", "c", "<none>", "d"}), items_of(list));
}

TYPED_TEST(ListFile, FailuresAreReportedAndLoadKeepsTheItems) {
  using L = LitOf<TypeParam>;
  TypeParam list;
  list.add(L("kept"));
  write_file(this->at("zero.txt"), "");
  EXPECT_FALSE(this->load(list, "zero.txt"));
  EXPECT_FALSE(this->load(list, "missing.txt"));
  EXPECT_FALSE(list.loadFromFile(nullptr));
  EXPECT_EQ((Items{"kept"}), items_of(list));
  EXPECT_FALSE(this->save(list, "no/such/dir/list.txt"));
  EXPECT_FALSE(list.saveToFile(L("")));
  EXPECT_FALSE(list.saveToFile(nullptr));
}

TEST_F(WideStringsFile, UnitsAreLittleEndianWithoutByteOrderMark) {
  TWideStrings list;
  list.add(WL({0x20AC, 'a', 0}));
  list.add(WL({0x4E2D, 0}));
  ASSERT_TRUE(list.saveToFile(WL(at("wide.txt").c_str())));
  EXPECT_EQ(std::string("\xAC\x20"
                        "a\0"
                        "\n\0"
                        "\x2D\x4E",
                        8),
            read_file(at("wide.txt")));
}

TEST_F(WideStringsFile, ByteOrderMarkStaysAndOddByteIsDropped) {
  const WL path(at("bom.txt").c_str());
  TWideStrings list;
  write_file(at("bom.txt"), std::string("\xFF\xFE"
                                        "a\0",
                                        4));
  ASSERT_TRUE(list.loadFromFile(path));
  ASSERT_EQ(1u, list.count());
  EXPECT_TRUE(*list.getItem(0) == WL({0xFEFF, 'a', 0}));
  write_file(at("bom.txt"), std::string("a\0b", 3));
  ASSERT_TRUE(list.loadFromFile(path));
  EXPECT_EQ((Items{"a"}), items_of(list));
  write_file(at("bom.txt"), "a");
  EXPECT_TRUE(list.loadFromFile(path));
  EXPECT_EQ(0u, list.count());
}

}  // namespace
