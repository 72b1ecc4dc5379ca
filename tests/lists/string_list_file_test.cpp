// Loading and saving lists through real files in a fresh directory, byte for byte.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "../files/temp_dir_fixture.h"
#include "list_test_util.h"

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
class ListFile : public TempDirTest {
 protected:
  bool save(L& list, const std::string& path) { return list.saveToFile(path_arg(list, path)); }
  bool load(L& list, const std::string& path) { return list.loadFromFile(path_arg(list, path)); }
};
using AnsiStringsFile = TempDirTest;
using WideStringsFile = TempDirTest;
TYPED_TEST_SUITE(ListFile, vorn_test::ListTypes);

// The bytes of an ASCII text as the list writes it: bytes, or little-endian units.
template <class L>
std::string encoded(const std::string& text) {
  if (std::is_same_v<L, TAnsiStrings>) return text;
  std::string out;
  for (char c : text) out += std::string{c, '\0'};
  return out;
}

TYPED_TEST(ListFile, SavedItemsAreJoinedByLineFeedsAndLoadBack) {
  using L = vorn_test::LitOf<TypeParam>;
  const std::string path = this->at("list.txt");
  TypeParam list;
  list.add(L("x"));
  list.add(L("y"));
  ASSERT_TRUE(this->save(list, path));
  EXPECT_EQ(encoded<TypeParam>("x\ny"), read_bytes(path));

  TypeParam back;
  back.add(L("stale"));
  ASSERT_TRUE(this->load(back, path));
  EXPECT_EQ((Items{"x", "y"}), items_of(back));
}

TYPED_TEST(ListFile, EmptyItemsSurviveTheRoundTripButAFinalOneDoesNot) {
  using L = vorn_test::LitOf<TypeParam>;
  const std::string path = this->at("gaps.txt");
  TypeParam list;
  list.add(L("a"));
  list.add(nullptr);
  list.add(L("b"));
  list.add(L(""));
  ASSERT_TRUE(this->save(list, path));
  EXPECT_EQ(encoded<TypeParam>("a\n\nb\n"), read_bytes(path));
  TypeParam back;
  ASSERT_TRUE(this->load(back, path));
  EXPECT_EQ((Items{"a", "<none>", "b"}), items_of(back));
}

TYPED_TEST(ListFile, SavingAnEmptyListTruncatesTheFile) {
  const std::string path = this->at("empty.txt");
  write_bytes(path, "previous contents");
  TypeParam list;
  EXPECT_TRUE(this->save(list, path));
  EXPECT_EQ("", read_bytes(path));
}

TYPED_TEST(ListFile, LoadFailuresLeaveTheItemsAlone) {
  using L = vorn_test::LitOf<TypeParam>;
  TypeParam list;
  list.add(L("kept"));
  const std::string empty = this->at("zero.txt");
  write_bytes(empty, "");
  EXPECT_FALSE(this->load(list, empty));
  EXPECT_FALSE(this->load(list, this->at("missing.txt")));
  EXPECT_FALSE(this->load(list, ""));
  EXPECT_FALSE(list.loadFromFile(nullptr));
  EXPECT_EQ((Items{"kept"}), items_of(list));
}

TYPED_TEST(ListFile, SaveFailuresAreReported) {
  using L = vorn_test::LitOf<TypeParam>;
  TypeParam list;
  list.add(L("x"));
  EXPECT_FALSE(this->save(list, this->at("no/such/dir/list.txt")));
  EXPECT_FALSE(this->save(list, ""));
  EXPECT_FALSE(list.saveToFile(nullptr));
}

TYPED_TEST(ListFile, LoadingSplitsEveryLineBreakAndStopsAtNul) {
  const std::string path = this->at("breaks.txt");
  write_bytes(path, encoded<TypeParam>(std::string("a\r\nb\rc\n\nd\0e\nf", 13)));
  TypeParam list;
  ASSERT_TRUE(this->load(list, path));
  EXPECT_EQ((Items{"a", "b", "c", "<none>", "d"}), items_of(list));
}

TEST_F(AnsiStringsFile, BytesAreTakenRaw) {
  const std::string path = at("raw.txt");
  write_bytes(path, "\xEF\xBB\xBF\xE9t\xE9\n\xFF");
  TAnsiStrings list;
  ASSERT_TRUE(list.loadFromFile(path.c_str()));
  EXPECT_EQ((Items{"\xEF\xBB\xBF\xE9t\xE9", "\xFF"}), items_of(list));
  ASSERT_TRUE(list.saveToFile(path.c_str()));
  EXPECT_EQ("\xEF\xBB\xBF\xE9t\xE9\n\xFF", read_bytes(path));
}

TEST_F(WideStringsFile, UnitsAreLittleEndianWithoutByteOrderMark) {
  const std::string path = at("wide.txt");
  TWideStrings list;
  list.add(WL({0x20AC, 'a', 0}));
  list.add(WL({0x4E2D, 0}));
  ASSERT_TRUE(list.saveToFile(WL(path.c_str())));
  EXPECT_EQ(std::string("\xAC\x20"
                        "a\0"
                        "\n\0"
                        "\x2D\x4E",
                        8),
            read_bytes(path));
}

TEST_F(WideStringsFile, ByteOrderMarkStaysAndOddByteIsDropped) {
  const std::string path = at("bom.txt");
  TWideStrings list;
  write_bytes(path, std::string("\xFF\xFE"
                                "a\0",
                                4));
  ASSERT_TRUE(list.loadFromFile(WL(path.c_str())));
  ASSERT_EQ(1u, list.count());
  EXPECT_TRUE(*list.getItem(0) == WL({0xFEFF, 'a', 0}));

  write_bytes(path, std::string("a\0b", 3));
  ASSERT_TRUE(list.loadFromFile(WL(path.c_str())));
  EXPECT_EQ((Items{"a"}), items_of(list));

  write_bytes(path, "a");
  EXPECT_TRUE(list.loadFromFile(WL(path.c_str())));
  EXPECT_EQ(0u, list.count());
}

TEST_F(WideStringsFile, LineSeparatorInAFileEndsALine) {
  const std::string path = at("ls.txt");
  write_bytes(path, std::string("a\0\x28\x20"
                                "b\0",
                                6));
  TWideStrings list;
  ASSERT_TRUE(list.loadFromFile(WL(path.c_str())));
  EXPECT_EQ((Items{"a", "b"}), items_of(list));
}

}  // namespace
