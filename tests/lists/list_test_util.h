// Helpers for the list tests: typed-test plumbing over TAnsiStrings and TWideStrings.
#ifndef VORN_TESTS_LISTS_LIST_TEST_UTIL_H
#define VORN_TESTS_LISTS_LIST_TEST_UTIL_H

#include <gtest/gtest.h>

#include <string>
#include <type_traits>
#include <vector>

#include "../strings/string_test_util.h"
#include "vorn/lists.h"

namespace vorn_test {

template <class L>
using ItemOf = std::remove_const_t<std::remove_pointer_t<decltype(std::declval<const L&>().getItem(0))>>;

/// A literal in the unit type of list L.
template <class L>
using LitOf = Lit<ItemOf<L>>;

using ListTypes = ::testing::Types<TAnsiStrings, TWideStrings>;

/// The items of a list narrowed to bytes; an item without buffer reads as "<none>".
template <class L>
std::vector<std::string> items_of(const L& list) {
  std::vector<std::string> out;
  for (uint32_t i = 0; i < list.count(); ++i) {
    const auto* item = list.getItem(i);
    out.push_back(buffer_of(*item) == nullptr ? "<none>" : narrow(*item));
  }
  return out;
}

}  // namespace vorn_test

#endif  // VORN_TESTS_LISTS_LIST_TEST_UTIL_H
