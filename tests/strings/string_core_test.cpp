// The buffer model shared by TStringA and TWideString: allocation and capacity,
// growth, editing, comparison and hashing.
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

TYPED_TEST(StringCore, StringWithoutBufferReadsAsEmptyText) {
  TypeParam s;
  EXPECT_NE(nullptr, s.GetBuffer());
  EXPECT_EQ(0, s.GetBuffer()[0]);
  EXPECT_EQ(nullptr, s.GetBufferVar());
  EXPECT_EQ(0u, s.Length());
  EXPECT_EQ(0u, s.GetCapacity());
  EXPECT_TRUE(s.IsEmpty());
  EXPECT_EQ(0u, s.hashValue());
}

TYPED_TEST(StringCore, ConstructionRecordsCapacityByOperation) {
  TypeParam empty(Lit<TypeParam>(""));
  EXPECT_NE(nullptr, buffer_of(empty));
  EXPECT_EQ(0u, empty.GetCapacity());

  TypeParam abc(Lit<TypeParam>("abc"));
  EXPECT_EQ(4u, abc.GetCapacity());

  TypeParam cut(Lit<TypeParam>("abcdef"), 3);
  EXPECT_EQ("abc", narrow(cut));
  EXPECT_EQ(4u, cut.GetCapacity());

  TypeParam padded(Lit<TypeParam>("ab"), 5);
  EXPECT_EQ("ab", narrow(padded));
  EXPECT_EQ(6u, padded.GetCapacity());

  TypeParam from_null(static_cast<const vorn_test::UnitOf<TypeParam>*>(nullptr));
  EXPECT_EQ(nullptr, buffer_of(from_null));
  TypeParam empty_counted(Lit<TypeParam>(""), 5);
  EXPECT_EQ(nullptr, buffer_of(empty_counted));

  TypeParam reserved(10, TypeParam::ctCapacity);
  EXPECT_EQ(10u, reserved.GetCapacity());
  EXPECT_TRUE(reserved.IsEmpty());
  auto* before = buffer_of(reserved);
  reserved = Lit<TypeParam>("123456789");
  EXPECT_EQ(before, buffer_of(reserved));
  reserved = Lit<TypeParam>("1234567890");
  EXPECT_EQ(11u, reserved.GetCapacity());
}

TYPED_TEST(StringCore, AssignmentReusesBufferAndAcceptsOwnText) {
  TypeParam none;
  TypeParam target;
  target = none;
  EXPECT_NE(nullptr, buffer_of(target));
  EXPECT_EQ(1u, target.GetCapacity());

  TypeParam abc(Lit<TypeParam>("abc"));
  auto* before = buffer_of(abc);
  abc = none;
  EXPECT_EQ(before, buffer_of(abc));
  EXPECT_EQ(4u, abc.GetCapacity());
  EXPECT_TRUE(abc.IsEmpty());

  TypeParam self(Lit<TypeParam>("abcdef"));
  const TypeParam& alias = self;
  self = alias;
  EXPECT_EQ("abcdef", narrow(self));
  self.SetText(self.GetBuffer() + 2, 0);
  EXPECT_EQ("cdef", narrow(self));

  TypeParam released(Lit<TypeParam>("x"));
  released = static_cast<const vorn_test::UnitOf<TypeParam>*>(nullptr);
  EXPECT_EQ(nullptr, buffer_of(released));
}

TYPED_TEST(StringCore, AssignWithAndWithoutReallocation) {
  TypeParam source(Lit<TypeParam>(""));
  TypeParam target(Lit<TypeParam>("xyz"));
  target.Assign(source, true);
  EXPECT_NE(nullptr, buffer_of(target));
  EXPECT_EQ(0u, target.GetCapacity());

  TypeParam roomy(20, TypeParam::ctCapacity);
  auto* before = buffer_of(roomy);
  roomy.Assign(TypeParam(Lit<TypeParam>("hello")), false);
  EXPECT_EQ(before, buffer_of(roomy));
  EXPECT_EQ(20u, roomy.GetCapacity());
  EXPECT_EQ("hello", narrow(roomy));

  // A source that would not fit is copied into a fresh buffer, not over the end.
  TypeParam tight(3, TypeParam::ctCapacity);
  tight.Assign(TypeParam(Lit<TypeParam>("much longer text")), false);
  EXPECT_EQ("much longer text", narrow(tight));
}

TYPED_TEST(StringCore, GrowthRuleOfAppendInsertAndAppendChar) {
  TypeParam s(Lit<TypeParam>("abc"));
  s.Append(TypeParam(Lit<TypeParam>("de")));
  EXPECT_EQ("abcde", narrow(s));
  EXPECT_EQ(4u + 2 + 1 + 2, s.GetCapacity());

  TypeParam c(Lit<TypeParam>("abc"));
  c.AppendChar('d');
  EXPECT_EQ("abcd", narrow(c));
  EXPECT_EQ(8u, c.GetCapacity());
  c.AppendChar(0);
  EXPECT_EQ("abcd", narrow(c));

  TypeParam none;
  none.AppendChar('x');
  EXPECT_EQ(2u, none.GetCapacity());

  TypeParam many;
  std::string expected;
  for (int i = 0; i < 1000; ++i) {
    many.AppendChar(static_cast<char>('a' + i % 26));
    expected.push_back(static_cast<char>('a' + i % 26));
  }
  EXPECT_EQ(expected, narrow(many));
}

TYPED_TEST(StringCore, InsertPositionsAndCounts) {
  TypeParam s(Lit<TypeParam>("abc"));
  s.Insert(Lit<TypeParam>("XY"), 1, 0);
  EXPECT_EQ("aXYbc", narrow(s));
  for (int32_t pos : {-1, -5, 99}) {
    TypeParam t(Lit<TypeParam>("abc"));
    t.Insert(Lit<TypeParam>("Z"), pos, 0);
    EXPECT_EQ("abcZ", narrow(t)) << pos;
  }
  TypeParam front(Lit<TypeParam>("abc"));
  front.Insert(Lit<TypeParam>("XYZ"), 0, 2);
  EXPECT_EQ("XYabc", narrow(front));
  front.Insert(Lit<TypeParam>(""), 0, 3);
  EXPECT_EQ("XYabc", narrow(front));

  // Inserting the string's own text survives the reallocation.
  TypeParam own(Lit<TypeParam>("abc"));
  own.Insert(own.GetBuffer(), 1, 0);
  EXPECT_EQ("aabcbc", narrow(own));
  own.Append(own);
  EXPECT_EQ("aabcbcaabcbc", narrow(own));
}

TYPED_TEST(StringCore, RemoveOnlyWholeRanges) {
  const char* cases[][3] = {{"1", "2", "ad"}, {"2", "2", "ab"}, {"3", "2", "abcd"}, {"1", "0", "abcd"}};
  for (auto& c : cases) {
    TypeParam s(Lit<TypeParam>("abcd"));
    s.remove(static_cast<uint32_t>(std::atoi(c[0])), static_cast<uint32_t>(std::atoi(c[1])));
    EXPECT_EQ(c[2], narrow(s));
  }
  TypeParam wrap(Lit<TypeParam>("abcd"));
  wrap.deleteSubStr(2, UINT32_MAX);
  EXPECT_EQ("abcd", narrow(wrap));
}

TYPED_TEST(StringCore, ExactSizeAppendReallocatesEveryTime) {
  TypeParam s(Lit<TypeParam>("abc"));
  s += Lit<TypeParam>("de");
  EXPECT_EQ(6u, s.GetCapacity());
  auto* before = buffer_of(s);
  s += Lit<TypeParam>("f");
  EXPECT_EQ(7u, s.GetCapacity());
  EXPECT_NE(before, buffer_of(s));
  EXPECT_EQ("abcdef", narrow(s));
  s += static_cast<const vorn_test::UnitOf<TypeParam>*>(nullptr);
  EXPECT_EQ("abcdef", narrow(s));
  s += s;
  EXPECT_EQ("abcdefabcdef", narrow(s));

  TypeParam none;
  none += Lit<TypeParam>("xy");
  EXPECT_EQ(3u, none.GetCapacity());

  const TypeParam base(Lit<TypeParam>("ab"));
  TypeParam sum = base + Lit<TypeParam>("cd");
  EXPECT_EQ("abcd", narrow(sum));
  EXPECT_EQ(5u, sum.GetCapacity());
}

TYPED_TEST(StringCore, CapacityMembers) {
  TypeParam s(Lit<TypeParam>("abcdef"));
  EXPECT_TRUE(s.ReSetCapacity(2));
  EXPECT_EQ("ab", narrow(s));
  EXPECT_EQ(2u, s.GetCapacity());
  EXPECT_FALSE(s.ReSetCapacity(0));
  EXPECT_EQ("ab", narrow(s));
  // The cut text fills its capacity; growing again keeps it whole.
  EXPECT_TRUE(s.ReSetCapacity(10));
  EXPECT_EQ("ab", narrow(s));

  TypeParam t(Lit<TypeParam>("abc"));
  EXPECT_TRUE(t.SetCapacity(8));
  EXPECT_TRUE(t.IsEmpty());
  EXPECT_EQ(8u, t.GetCapacity());
  EXPECT_TRUE(t.SetCapacity(0));
  EXPECT_EQ(nullptr, buffer_of(t));

  TypeParam z(Lit<TypeParam>("abc"));
  z.ZeroString();
  EXPECT_TRUE(z.IsEmpty());
  EXPECT_EQ(4u, z.GetCapacity());
  z.DeleteBuffer();
  EXPECT_EQ(nullptr, buffer_of(z));
}

TYPED_TEST(StringCore, EqualityTreatsMissingBufferAsEmpty) {
  TypeParam none;
  TypeParam empty(Lit<TypeParam>(""));
  EXPECT_TRUE(none == empty);
  EXPECT_TRUE(none == static_cast<const vorn_test::UnitOf<TypeParam>*>(nullptr));
  TypeParam abc(Lit<TypeParam>("abc"));
  EXPECT_TRUE(abc == Lit<TypeParam>("abc"));
  EXPECT_TRUE(abc != Lit<TypeParam>("ABC"));
  EXPECT_TRUE(abc != Lit<TypeParam>("abcd"));
  EXPECT_FALSE(abc == none);
}

TYPED_TEST(StringCore, DupMakesIndependentCopies) {
  TypeParam none;
  TypeParam* copy = none.Dup();
  ASSERT_NE(nullptr, copy);
  EXPECT_EQ(nullptr, buffer_of(*copy));
  delete copy;
  EXPECT_EQ(nullptr, TypeParam::Dup(nullptr));
  auto* raw = TypeParam::Dup(Lit<TypeParam>("hi"));
  EXPECT_EQ('h', raw[0]);
  EXPECT_EQ(0, raw[2]);
  std::free(raw);
}

// ---- where the two classes differ ------------------------------------------------

TEST(NarrowOrdering, StringWithoutBufferSortsBeforeEmptyBuffer) {
  TStringA none;
  TStringA empty("");
  EXPECT_TRUE(none < empty);
  EXPECT_TRUE(none <= empty);
  EXPECT_TRUE(empty > none);
  EXPECT_FALSE(none > empty);
  EXPECT_FALSE(none >= empty);
  EXPECT_FALSE(empty < none);
  TStringA other;
  EXPECT_TRUE(none <= other);
  EXPECT_FALSE(none < other);
  EXPECT_TRUE(TStringA("abc") < TStringA("abd"));
  EXPECT_TRUE(TStringA("ab") < TStringA("abc"));
  EXPECT_TRUE(TStringA("\xE9") > TStringA("z"));
}

TEST(WideOrdering, StringWithoutBufferIsTheEmptyText) {
  TWideString none;
  TWideString empty(Lit<TWideString>(""));
  EXPECT_FALSE(none < empty);
  EXPECT_FALSE(none > empty);
  EXPECT_TRUE(none <= empty);
  EXPECT_TRUE(none >= empty);
  EXPECT_TRUE(TWideString(Lit<TWideString>("a")) < TWideString(Lit<TWideString>("b")));
  EXPECT_TRUE(TWideString(Lit<TWideString>({0xFF00})) > TWideString(Lit<TWideString>("z")));
}

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

TEST(WideSizes, GetSizeCountsBytes) {
  EXPECT_EQ(8u, TWideString(Lit<TWideString>("abc")).GetSize());
  EXPECT_EQ(2u, TWideString().GetSize());
  EXPECT_EQ(2u, TWideString::GetSize(nullptr));
  EXPECT_EQ(3u, TWideString(Lit<TWideString>("abc")).Length());
  EXPECT_EQ(1u, TStringA().GetSize());
  EXPECT_EQ(1u, TStringA::GetSize(nullptr));
}

TEST(WideNarrowText, SevenBitWidening) {
  TWideString w;
  w = "abc";
  EXPECT_EQ("abc", narrow(w));
  EXPECT_EQ(4u, w.GetCapacity());
  w = "ab\xE9" "c";
  EXPECT_EQ("ab", narrow(w));
  EXPECT_EQ(5u, w.GetCapacity());
  w = "\xE9xyz";
  EXPECT_TRUE(w.IsEmpty());
  EXPECT_EQ(5u, w.GetCapacity());
  w = "";
  EXPECT_EQ(1u, w.GetCapacity());
  w = static_cast<const char*>(nullptr);
  EXPECT_EQ(nullptr, w.GetBufferVar());

  TWideString ab(Lit<TWideString>("ab"));
  EXPECT_TRUE(ab == "ab");
  EXPECT_TRUE(ab == "ab\xE9");
  EXPECT_TRUE(TWideString(Lit<TWideString>("")) == static_cast<const char*>(nullptr));
  EXPECT_TRUE(ab != "abc");
  ab += "cd\xE9zz";
  EXPECT_EQ("abcd", narrow(ab));
  TWideString sum = ab + "!";
  EXPECT_EQ("abcd!", narrow(sum));
  ab += static_cast<unsigned short>(0x4E2D);
  EXPECT_EQ(0x4E2D, ab.GetBuffer()[4]);
}

}  // namespace
