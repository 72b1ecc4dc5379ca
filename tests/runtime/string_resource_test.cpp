// String resources: lookup in the caller's table with a default table behind it.
#include <gtest/gtest.h>

#include "vorn/runtime.h"

namespace {

const char kOpen[] = "Open", kClose[] = "Close", kOpenDefault[] = "Open (default)", kQuit[] = "Quit";
const char kFirst[] = "first", kSecond[] = "second";
const string_res_entry kTable[] = {{10, kOpen}, {20, kClose}, {30, kFirst}, {30, kSecond}};
const string_res_entry kDefaults[] = {{10, kOpenDefault}, {40, kQuit}, {50, nullptr}};

TEST(StringResource, TableFirstThenDefaultsWithinTheCountsAndNoTableTwice) {
  EXPECT_EQ(kOpen, loadstringfromres_impl(10, kTable, 4, kDefaults, 3));
  EXPECT_EQ(kFirst, loadstringfromres_impl(30, kTable, 4, kDefaults, 3));
  EXPECT_EQ(kQuit, loadstringfromres_impl(40, kTable, 4, kDefaults, 3));
  EXPECT_EQ(nullptr, loadstringfromres_impl(99, kTable, 4, kDefaults, 3));
  EXPECT_EQ(nullptr, loadstringfromres_impl(50, kTable, 4, kDefaults, 3));
  EXPECT_EQ(kOpenDefault, loadstringfromres_impl(10, kTable, 0, kDefaults, 3));
  EXPECT_EQ(nullptr, loadstringfromres_impl(20, kTable, 1, kDefaults, 3));
  EXPECT_EQ(nullptr, loadstringfromres_impl(40, kTable, 4, kDefaults, 1));
  EXPECT_EQ(nullptr, loadstringfromres_impl(10, kTable, -1, kDefaults, 0));
  // A count of 0 skips the first search, and the same table is not searched again.
  EXPECT_EQ(nullptr, loadstringfromres_impl(20, kTable, 0, kTable, 4));
}

TEST(StringResource, EntriesAreStoredIntoTheCallersVariables) {
  const string_res_entry* table = nullptr;
  const string_res_entry* defaults = nullptr;
  int count = -1, default_count = 0;
  setStringResEntry_impl(kTable, 4, &table, &count);
  setStringResDefaultEntry_impl(kDefaults, 3, &defaults, &default_count);
  EXPECT_EQ(kTable, table);
  EXPECT_EQ(4, count);
  EXPECT_EQ(kDefaults, defaults);
  EXPECT_EQ(3, default_count);
  vorn_cleanup_string_resource();
  EXPECT_EQ(kQuit, loadstringfromres_impl(40, table, count, defaults, default_count));
}

}  // namespace
