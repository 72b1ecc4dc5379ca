// Hexadecimal text of byte blocks and GUIDs, and hextoint.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "vorn/strings.h"

namespace {

TEST(BinaryToHex, TaggedAndUntaggedForms) {
  const unsigned char bytes[] = {0x01, 0xAB};
  TStringA out("old text");
  BinaryToHexA(bytes, 2, out, false);
  EXPECT_STREQ("0x01,0xAB", out.p());
  EXPECT_EQ(12u, out.GetCapacity());
  BinaryToHexA(bytes, 2, out, true);
  EXPECT_STREQ("0x01,0xab", out.p());
  BinaryToHexA(nullptr, 0, out, false);
  EXPECT_STREQ("", out.p());
  EXPECT_EQ(2u, out.GetCapacity());
  EXPECT_STREQ("01AB", BinaryToHexNoTagA(bytes, 2, out, false).p());
  EXPECT_EQ(8u, out.GetCapacity());
}

TEST(GuidText, NewTextAndCheck) {
  unsigned char guid[16];
  for (int i = 0; i < 16; ++i) guid[i] = static_cast<unsigned char>(0xF0 - i);
  const std::string expected = "F0EFEEEDECEBEAE9E8E7E6E5E4E3E2E1";
  char* text = GUIDToNewText(guid);
  EXPECT_EQ(expected, text);
  delete[] text;
  TStringA out("previous");
  EXPECT_EQ(expected, GUIDToNewText(guid, out));
  EXPECT_EQ(33u, out.GetCapacity());
  EXPECT_EQ(1, checkGUIDText(std::string(32, '?').c_str()));
  EXPECT_EQ(0, checkGUIDText(std::string(33, 'A').c_str()));
  EXPECT_EQ(0, checkGUIDText(""));
  EXPECT_EQ(0, checkGUIDText(nullptr));
}

TEST(HexToInt, ReadsFromTheLastDigitUp) {
  EXPECT_EQ(26, hextoint("0x1A"));
  EXPECT_EQ(26, hextoint("0X1a"));
  EXPECT_EQ(255, hextoint("ff"));
  EXPECT_EQ(1, hextoint("x"));
  EXPECT_EQ(3, hextoint("z"));
  EXPECT_EQ(0x23456789ABCDEF01LL, hextoint("123456789ABCDEF01"));
  EXPECT_EQ(-1, hextoint("FFFFFFFFFFFFFFFF"));
  EXPECT_EQ(0, hextoint(""));
  EXPECT_EQ(0, hextoint(nullptr));
}

}  // namespace
