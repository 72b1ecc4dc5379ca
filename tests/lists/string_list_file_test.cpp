// Loading and saving lists through real files in a fresh directory, byte for byte.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <type_traits>
#include <vector>

#include "list_test_util.h"
#include "test_support.h"

namespace {

using vorn_test::items_of;
using vorn_test::Lit;
using Items = std::vector<std::string>;
using WL = Lit<TWideString>;

std::string read_bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void write_bytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

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
TYPED_TEST_SUITE(ListFile, vorn_test::ListTypes);
using WideStringsFile = vorn_test::TempDirTest;

TYPED_TEST(ListFile, ItemsAreSavedJoinedByLineFeedsAndLoadBack) {
  using L = vorn_test::LitOf<TypeParam>;
  TypeParam list;
  for (const char* text : {"x", "", "y", ""}) list.add(L(text));
  ASSERT_TRUE(this->save(list, "list.txt"));
  EXPECT_EQ(this->encoded("x\n\ny\n"), read_bytes(this->at("list.txt")));

  TypeParam back;
  back.add(L("stale"));
  ASSERT_TRUE(this->load(back, "list.txt"));
  EXPECT_EQ((Items{"x", "<none>", "y"}), items_of(back));

  TypeParam empty;
  EXPECT_TRUE(this->save(empty, "list.txt"));
  EXPECT_EQ("", read_bytes(this->at("list.txt")));
}

TYPED_TEST(ListFile, LoadingSplitsEveryLineBreakAndStopsAtNul) {
  write_bytes(this->at("breaks.txt"), this->encoded(std::string("a\r\nb\rc\n\nd\0e\nf", 13)));
  TypeParam list;
  ASSERT_TRUE(this->load(list, "breaks.txt"));
  EXPECT_EQ((Items{"a", "b", "c", "<none>", "d"}), items_of(list));
}

TYPED_TEST(ListFile, FailuresAreReportedAndLoadKeepsTheItems) {
  using L = vorn_test::LitOf<TypeParam>;
  TypeParam list;
  list.add(L("kept"));
  write_bytes(this->at("zero.txt"), "");
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
            read_bytes(at("wide.txt")));
}

TEST_F(WideStringsFile, ByteOrderMarkStaysAndOddByteIsDropped) {
  const WL path(at("bom.txt").c_str());
  TWideStrings list;
  write_bytes(at("bom.txt"), std::string("\xFF\xFE"
                                         "a\0",
                                         4));
  ASSERT_TRUE(list.loadFromFile(path));
  ASSERT_EQ(1u, list.count());
  EXPECT_TRUE(*list.getItem(0) == WL({0xFEFF, 'a', 0}));
  write_bytes(at("bom.txt"), std::string("a\0b", 3));
  ASSERT_TRUE(list.loadFromFile(path));
  EXPECT_EQ((Items{"a"}), items_of(list));
  write_bytes(at("bom.txt"), "a");
  EXPECT_TRUE(list.loadFromFile(path));
  EXPECT_EQ(0u, list.count());
}

}  // namespace
