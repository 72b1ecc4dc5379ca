// Checks the library's character sets against the C library's iconv, an independent
// implementation, over whole ranges: every GB2312 code, every Latin-9 byte, every
// two-byte GB18030 code and a sample of its four-byte codes. Each code that iconv
// accepts must decode to the same text (to UTF-16 and to UTF-8) and encode back to the
// same bytes. The two sets of tables disagree on a few codes; those are listed, with
// the reason, and any other difference fails.
#include <gtest/gtest.h>
#include <iconv.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "vorn/charset.h"

namespace {

/// One iconv descriptor; convert() gives false for input that iconv rejects.
class Iconv {
 public:
  Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Iconv() {
    if (ok()) iconv_close(cd_);
  }
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  bool convert(const std::string& in, std::string* out) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char buf[64];
    char* src = const_cast<char*>(in.data());
    size_t src_left = in.size();
    char* dst = buf;
    size_t dst_left = sizeof buf;
    if (iconv(cd_, &src, &src_left, &dst, &dst_left) == static_cast<size_t>(-1)) return false;
    out->assign(buf, dst);
    return true;
  }

 private:
  iconv_t cd_;
};

using Decode8 = int (*)(char*, uint32_t, const char*);
using Decode16 = int (*)(unsigned short*, uint32_t, const char*, int32_t);
using Encode8 = int (*)(char*, uint32_t, const char*, int32_t);

struct CharacterSet {
  const char* iconv_name;
  Decode8 to_utf8;
  Decode16 to_utf16;  // null where the library has no direct call
  Encode8 from_utf8;
};

struct Outcome {
  int compared = 0;                           // codes that iconv accepts
  std::map<std::string, std::string> differ;  // bytes (hex) -> what differed
};

std::string Hex(const std::string& bytes) {
  std::string h;
  char b[3];
  for (unsigned char c : bytes) {
    std::snprintf(b, sizeof b, "%02X", c);
    h += b;
  }
  return h;
}

Outcome Compare(const CharacterSet& set, const std::vector<std::string>& codes) {
  Iconv to_utf8("UTF-8", set.iconv_name);
  Iconv to_utf16("UTF-16LE", set.iconv_name);
  EXPECT_TRUE(to_utf8.ok() && to_utf16.ok()) << set.iconv_name;
  Outcome outcome;
  for (const std::string& code : codes) {
    std::string utf8;
    std::string utf16;
    if (!to_utf8.convert(code, &utf8) || !to_utf16.convert(code, &utf16)) continue;
    ++outcome.compared;
    std::string why;

    char ours8[16] = {};
    if (set.to_utf8(ours8, sizeof ours8, code.c_str()) != static_cast<int>(utf8.size()) || utf8 != ours8) {
      why += " decodes to UTF-8 " + Hex(ours8);
    }
    if (set.to_utf16 != nullptr) {
      unsigned short ours16[8] = {};
      const int n = set.to_utf16(ours16, 8, code.data(), static_cast<int32_t>(code.size()));
      if (n < 0 || n > 8 || std::memcmp(ours16, utf16.data(), utf16.size()) != 0 ||
          n * 2 != static_cast<int>(utf16.size())) {
        why += " decodes differently to UTF-16";
      }
    }
    char back[16] = {};
    if (set.from_utf8(back, sizeof back, utf8.c_str(), -1) != static_cast<int>(code.size()) || code != back) {
      why += " encodes back as " + Hex(back);
    }
    if (!why.empty()) outcome.differ[Hex(code)] = "(iconv: UTF-8 " + Hex(utf8) + ")" + why;
  }
  return outcome;
}

/// Prints the coverage and every difference; a difference not in `known` fails.
void Report(const char* what, const Outcome& outcome, const std::map<std::string, const char*>& known) {
  std::printf("%s: %d codes compared with iconv, %zu differ\n", what, outcome.compared, outcome.differ.size());
  for (const auto& [code, why] : outcome.differ) {
    const auto k = known.find(code);
    std::printf("  %s %s%s%s\n", code.c_str(), why.c_str(), k == known.end() ? "" : ": ",
                k == known.end() ? "" : k->second);
    EXPECT_TRUE(k != known.end()) << what << " " << code << why;
  }
}

std::vector<std::string> TwoByteCodes(int lead_lo, int lead_hi, int trail_lo, int trail_hi) {
  std::vector<std::string> codes;
  for (int a = lead_lo; a <= lead_hi; ++a) {
    for (int b = trail_lo; b <= trail_hi; ++b) {
      if (b != 0x7F) codes.push_back({static_cast<char>(a), static_cast<char>(b)});
    }
  }
  return codes;
}

/// Four-byte GB18030 codes from `first` on, `count` of them, every `step`th linear index.
std::vector<std::string> FourByteCodes(int first_lead, int count, int step) {
  std::vector<std::string> codes;
  for (int i = 0; i < count; i += step) {
    codes.push_back({static_cast<char>(first_lead + i / 12600), static_cast<char>(0x30 + i / 1260 % 10),
                     static_cast<char>(0x81 + i / 10 % 126), static_cast<char>(0x30 + i % 10)});
  }
  return codes;
}

int Gb18030FromUtf8(char* dest, uint32_t capacity, const char* src, int32_t length) {
  return StrUTF8ToAny("gb18030", dest, capacity, src, length);
}

TEST(IconvCrossCheck, Latin9AllBytes) {
  std::vector<std::string> codes;
  for (int b = 1; b < 256; ++b) codes.push_back(std::string(1, static_cast<char>(b)));
  const Outcome outcome = Compare({"ISO-8859-15", StrLatin9ToUTF8, StrLatin9ToUnicode, StrUTF8ToLatin9}, codes);
  EXPECT_EQ(255, outcome.compared);
  Report("Latin-9", outcome, {});
}

TEST(IconvCrossCheck, Gb2312EveryCode) {
  const Outcome outcome =
      Compare({"EUC-CN", StrGB2312ToUTF8, StrGB2312ToUnicode, StrUTF8ToGB2312}, TwoByteCodes(0xA1, 0xF7, 0xA1, 0xFE));
  EXPECT_EQ(7445, outcome.compared);  // the whole GB2312 repertoire
  // The ICU table reads A3A7 as ACUTE ACCENT U+00B4, iconv as FULLWIDTH APOSTROPHE U+FF07.
  Report("GB2312", outcome, {{"A3A7", "apostrophe variant"}});
}

TEST(IconvCrossCheck, Gb18030TwoByteAndFourByteSample) {
  std::vector<std::string> codes = TwoByteCodes(0x81, 0xFE, 0x40, 0xFE);
  const size_t two_byte = codes.size();
  const auto bmp = FourByteCodes(0x81, 39420, 1);        // every four-byte code of the BMP
  const auto beyond = FourByteCodes(0x90, 1048576, 61);  // a sample above U+FFFF
  codes.insert(codes.end(), bmp.begin(), bmp.end());
  codes.insert(codes.end(), beyond.begin(), beyond.end());
  const Outcome outcome = Compare({"GB18030", StrGB18030ToUTF8, nullptr, Gb18030FromUtf8}, codes);
  std::printf("GB18030: %zu two-byte and %zu four-byte codes tried\n", two_byte, bmp.size() + beyond.size());
  // Two-byte codes that the 2005 table maps into the Private Use Area (ICU's table) and
  // later editions map to the standard characters (iconv's): ten vertical forms
  // U+FE10..U+FE19, eight ideographs U+9FB4..U+9FBB, and six above U+FFFF.
  std::map<std::string, const char*> known;
  for (const char* code :
       {"A6D9", "A6DA", "A6DB", "A6DC", "A6DD", "A6DE", "A6DF", "A6EC", "A6ED", "A6F3", "FE51", "FE52",
        "FE53", "FE59", "FE61", "FE66", "FE67", "FE6C", "FE6D", "FE76", "FE7E", "FE90", "FE91", "FEA0"}) {
    known[code] = "Private Use Area in the 2005 table";
  }
  Report("GB18030", outcome, known);
}

}  // namespace
