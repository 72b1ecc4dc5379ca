// Helpers for the character-set tests: UTF-16 literals as the library's unit type.
#ifndef VORN_TESTS_CHARSET_CHARSET_TEST_UTIL_H
#define VORN_TESTS_CHARSET_CHARSET_TEST_UTIL_H

#include <string>
#include <string_view>
#include <vector>

namespace vorn::testing {

using Units = std::vector<unsigned short>;

/// A zero-terminated copy of a UTF-16 literal in library units.
inline Units W(std::u16string_view s) {
  Units u(s.begin(), s.end());
  u.push_back(0);
  return u;
}

/// The units up to the terminator, as a u16string for readable comparisons.
inline std::u16string Text16(const unsigned short* p) {
  std::u16string s;
  while (*p != 0) s.push_back(static_cast<char16_t>(*p++));
  return s;
}

}  // namespace vorn::testing

#endif  // VORN_TESTS_CHARSET_CHARSET_TEST_UTIL_H
