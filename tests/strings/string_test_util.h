// Helpers for the string tests: typed-test plumbing over TStringA and TWideString.
#ifndef VORN_TESTS_STRINGS_STRING_TEST_UTIL_H
#define VORN_TESTS_STRINGS_STRING_TEST_UTIL_H

#include <cstdint>
#include <string>
#include <type_traits>

#include "vorn/strings.h"

namespace vorn_test {

template <class S>
using UnitOf = std::remove_const_t<std::remove_pointer_t<decltype(std::declval<S>().GetBuffer())>>;

/// A literal in the unit type of S (bytes widened one by one for the wide class).
template <class S>
class Lit {
 public:
  using Unit = UnitOf<S>;
  Lit(const char* text) {  // NOLINT(google-explicit-constructor)
    for (const char* p = text; *p != 0; ++p) units_.push_back(static_cast<Unit>(static_cast<unsigned char>(*p)));
  }
  Lit(std::initializer_list<Unit> units) : units_(units) {}
  operator const Unit*() const { return units_.c_str(); }  // NOLINT(google-explicit-constructor)
  const Unit* c_str() const { return units_.c_str(); }

 private:
  std::basic_string<Unit> units_;
};

/// The text of S narrowed back to bytes, for readable assertions.
template <class S>
std::string narrow(const S& s) {
  std::string out;
  for (auto* p = s.GetBuffer(); *p != 0; ++p) out.push_back(static_cast<char>(*p));
  return out;
}

/// The buffer pointer itself (null when the string has none).
template <class S>
auto buffer_of(const S& s) {
  return const_cast<S&>(s).GetBufferVar();
}

/// Capacity value in a table row that is not checked.
constexpr uint32_t kAnyCapacity = UINT32_MAX;

/// The state of `s` after a table row's operation: `text` null means no buffer, otherwise
/// the units must match `text` (compared unit by unit) and the capacity `capacity`.
template <class S, class Char>
void expect_state(const S& s, const Char* text, uint32_t capacity, const std::string& where) {
  if (text == nullptr) {
    EXPECT_EQ(nullptr, buffer_of(s)) << where;
    return;
  }
  ASSERT_NE(nullptr, buffer_of(s)) << where;
  std::basic_string<Char> got;
  for (auto* p = s.GetBuffer(); *p != 0; ++p) got.push_back(static_cast<Char>(*p));
  EXPECT_TRUE(got == text) << where;
  EXPECT_EQ(capacity == kAnyCapacity ? s.GetCapacity() : capacity, s.GetCapacity()) << where;
}

using StringTypes = ::testing::Types<TStringA, TWideString>;

}  // namespace vorn_test

#endif  // VORN_TESTS_STRINGS_STRING_TEST_UTIL_H
