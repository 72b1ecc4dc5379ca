// Helpers for the string tests: typed-test plumbing over TStringA and TWideString.
#ifndef VORN_TESTS_STRINGS_STRING_TEST_UTIL_H
#define VORN_TESTS_STRINGS_STRING_TEST_UTIL_H

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

using StringTypes = ::testing::Types<TStringA, TWideString>;

}  // namespace vorn_test

#endif  // VORN_TESTS_STRINGS_STRING_TEST_UTIL_H
