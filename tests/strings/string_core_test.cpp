// The buffer model shared by TStringA and TWideString: allocation and capacity,
// growth, editing and hashing. Texts, buffer/no-buffer states, equality, ordering and
// copies are checked against a model by the strings fuzz target, whose corpus CTest
// replays; it does not model capacities or the hash function itself.
#include <gtest/gtest.h>

#include <cstring>

#include "string_test_util.h"

namespace {

using vorn_test::buffer_of;
using vorn_test::Lit;
using vorn_test::narrow;

template <class S>
class StringCore : public ::testing::Test {};
TYPED_TEST_SUITE(StringCore, vorn_test::StringTypes);

// Each row: the starting text (null: no buffer), an operation, the text after it (null:
// no buffer), the recorded capacity (kAny: not checked) and what became of the buffer.
enum class Buf { kAny, kSame, kMoved };
constexpr uint32_t kAny = vorn_test::kAnyCapacity;

TYPED_TEST(StringCore, OperationsGiveTextCapacityAndBuffer) {
  using S = TypeParam;
  using L = Lit<S>;
  using U = const vorn_test::UnitOf<S>*;
  const struct {
    const char* init;
    void (*op)(S&);
    const char* text;
    uint32_t capacity;
    Buf buf;
  } rows[] = {
      {"abc", [](S&) {}, "abc", 4, Buf::kAny},
      {"", [](S&) {}, "", 0, Buf::kAny},
      {nullptr, [](S& s) { s = S(); }, "", 1, Buf::kAny},
      {"abc", [](S& s) { s = S(); }, "", 4, Buf::kSame},
      {"abcdef", [](S& s) { s = static_cast<const S&>(s); }, "abcdef", kAny, Buf::kAny},
      {"abcdef", [](S& s) { s.SetText(s.GetBuffer() + 2, 0); }, "cdef", kAny, Buf::kAny},
      {"x", [](S& s) { s = static_cast<U>(nullptr); }, nullptr, 0, Buf::kAny},
      {"xyz", [](S& s) { s.Assign(S(L("")), true); }, "", 0, Buf::kAny},
      // Growth: capacity C becomes C + C/2 + 1 + the units added.
      {"abc", [](S& s) { s.Append(S(L("de"))); }, "abcde", 4 + 2 + 1 + 2, Buf::kMoved},
      {"abc", [](S& s) { s.AppendChar('d'); }, "abcd", 8, Buf::kMoved},
      {nullptr, [](S& s) { s.AppendChar('x'); }, "x", 2, Buf::kAny},
      {"abc", [](S& s) { s.Insert(s.GetBuffer(), 1, 0); }, "aabcbc", kAny, Buf::kAny},  // own text
      {"abc", [](S& s) { s.Append(s); }, "abcabc", kAny, Buf::kAny},
      {"abcd", [](S& s) { s.remove(1, 2); }, "ad", kAny, Buf::kAny},
      // += reallocates to the exact size every time.
      {"abc", [](S& s) { s += L("de"); }, "abcde", 6, Buf::kMoved},
      {"abcde", [](S& s) { s += L("f"); }, "abcdef", 7, Buf::kMoved},
      {"abc", [](S& s) { s += s; }, "abcabc", 7, Buf::kAny},
      {nullptr, [](S& s) { s += L("xy"); }, "xy", 3, Buf::kAny},
      {"abcdef", [](S& s) { EXPECT_TRUE(s.ReSetCapacity(2) && !s.ReSetCapacity(0)); }, "ab", 2, Buf::kAny},
      {"abcdef", [](S& s) { EXPECT_TRUE(s.ReSetCapacity(2) && s.ReSetCapacity(10)); }, "ab", kAny, Buf::kAny},
      {"abc", [](S& s) { EXPECT_TRUE(s.SetCapacity(8)); }, "", 8, Buf::kAny},
      {"abc", [](S& s) { EXPECT_TRUE(s.SetCapacity(0)); }, nullptr, 0, Buf::kAny},
      {"abc", [](S& s) { s.ZeroString(); }, "", 4, Buf::kAny},
      {"abc", [](S& s) { s.DeleteBuffer(); }, nullptr, 0, Buf::kAny},
  };
  for (const auto& r : rows) {
    S s = r.init != nullptr ? S(L(r.init)) : S();
    const auto* before = buffer_of(s);
    r.op(s);
    vorn_test::expect_state(s, r.text, r.capacity, std::string(r.init ? r.init : "<none>"));
    EXPECT_TRUE(r.buf == Buf::kAny || (r.buf == Buf::kSame) == (before == buffer_of(s)))
        << (r.init ? r.init : "<none>");
  }
}

TYPED_TEST(StringCore, ConstructionAndAssignIntoRoom) {
  using S = TypeParam;
  using L = Lit<S>;
  S cut(L("abcdef"), 3);
  EXPECT_EQ("abc", narrow(cut));
  EXPECT_EQ(4u, cut.GetCapacity());
  S padded(L("ab"), 5);
  EXPECT_EQ("ab", narrow(padded));
  EXPECT_EQ(6u, padded.GetCapacity());
  EXPECT_EQ(nullptr, buffer_of(S(L(""), 5)));
  EXPECT_EQ(nullptr, buffer_of(S(static_cast<const vorn_test::UnitOf<S>*>(nullptr))));
  const S sum = S(L("ab")) + L("cd");
  EXPECT_EQ("abcd", narrow(sum));
  EXPECT_EQ(5u, sum.GetCapacity());

  S reserved(10, S::ctCapacity);
  EXPECT_EQ(10u, reserved.GetCapacity());
  EXPECT_TRUE(reserved.IsEmpty());
  auto* before = buffer_of(reserved);
  reserved = L("123456789");
  EXPECT_EQ(before, buffer_of(reserved));
  reserved.Assign(S(L("hello")), false);
  EXPECT_EQ(before, buffer_of(reserved));
  EXPECT_EQ(10u, reserved.GetCapacity());
  EXPECT_EQ("hello", narrow(reserved));
  reserved = L("1234567890");
  EXPECT_EQ(11u, reserved.GetCapacity());
  // A source that would not fit is copied into a fresh buffer, not over the end.
  S tight(3, S::ctCapacity);
  tight.Assign(S(L("much longer text")), false);
  EXPECT_EQ("much longer text", narrow(tight));
}

// ---- where the two classes differ ------------------------------------------------

// The published algorithm; `signed_bytes` reads every byte as a signed value.
uint32_t reference_superfasthash(const unsigned char* data, uint32_t len, bool signed_bytes = false) {
  uint32_t hash = len;
  if (len == 0) return 0;
  auto byte = [signed_bytes](unsigned char b) {
    return signed_bytes ? static_cast<uint32_t>(static_cast<int32_t>(static_cast<signed char>(b))) : b;
  };
  auto get16 = [&](const unsigned char* d) { return byte(d[0]) + (byte(d[1]) << 8); };
  uint32_t rem = len & 3;
  for (len >>= 2; len > 0; --len, data += 4) {
    hash += get16(data);
    uint32_t tmp = (get16(data + 2) << 11) ^ hash;
    hash = (hash << 16) ^ tmp;
    hash += hash >> 11;
  }
  switch (rem) {
    case 3:
      hash += get16(data);
      hash ^= hash << 16;
      hash ^= byte(data[2]) << 18;
      hash += hash >> 11;
      break;
    case 2:
      hash += get16(data);
      hash ^= hash << 11;
      hash += hash >> 17;
      break;
    case 1:
      hash += byte(*data);
      hash ^= hash << 10;
      hash += hash >> 1;
      break;
  }
  hash ^= hash << 3;
  hash += hash >> 5;
  hash ^= hash << 4;
  hash += hash >> 17;
  hash ^= hash << 25;
  hash += hash >> 6;
  return hash;
}

TEST(NarrowHash, MatchesPublishedHashForAsciiAndReadsHighBytesSigned) {
  for (const char* text : {"a", "ab", "abc", "abcd", "hello world", "The quick brown fox"}) {
    EXPECT_EQ(reference_superfasthash(reinterpret_cast<const unsigned char*>(text), std::strlen(text)),
              TStringA(text).hashValue())
        << text;
  }
  // Bytes from 0x80 up are read as negative values (0xE9 as -23), in every position.
  for (const char* text : {"\xE9", "a\xE9", "\xE9\xFFz", "caf\xC3\xA9 cr\xC3\xA8me"}) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    const auto n = static_cast<uint32_t>(std::strlen(text));
    EXPECT_EQ(reference_superfasthash(bytes, n, true), TStringA(text).hashValue()) << text;
    EXPECT_NE(reference_superfasthash(bytes, n, false), TStringA(text).hashValue()) << text;
  }
}

TEST(WideHash, UsesOnlyFirstTwoUnitsOfEachGroup) {
  EXPECT_EQ(TWideString(Lit<TWideString>("abcd")).hashValue(), TWideString(Lit<TWideString>("abxy")).hashValue());
  EXPECT_NE(TWideString(Lit<TWideString>("abcd")).hashValue(), TWideString(Lit<TWideString>("axcd")).hashValue());
  // Three-unit tail: 'a' and 'c' take part, 'b' is passed over.
  EXPECT_EQ(TWideString(Lit<TWideString>("abc")).hashValue(), TWideString(Lit<TWideString>("aZc")).hashValue());
  EXPECT_NE(TWideString(Lit<TWideString>("abc")).hashValue(), TWideString(Lit<TWideString>("abZ")).hashValue());
  EXPECT_NE(TWideString(Lit<TWideString>("abc")).hashValue(), TStringA("abc").hashValue());
}

TEST(WideNarrowText, SevenBitWidening) {
  TWideString ab(Lit<TWideString>("ab"));
  EXPECT_TRUE(ab == "ab\xE9");
  ab += "cd\xE9zz";
  EXPECT_EQ("abcd", narrow(ab));
  TWideString sum = ab + "!";
  EXPECT_EQ("abcd!", narrow(sum));
  ab += static_cast<unsigned short>(0x4E2D);
  EXPECT_EQ(0x4E2D, ab.GetBuffer()[4]);
}

}  // namespace
