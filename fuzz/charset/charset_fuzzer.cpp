// Feeds arbitrary bytes to every conversion, as narrow text and as UTF-16 units, into
// destinations of exactly the given capacity (so that a write past it is caught), and
// checks the counts: a count below the capacity leaves a terminated text. Then runs
// the string classes' encoding members on the same input under a few ANSI character
// sets, checking that each leaves a text terminated within its buffer.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "vorn/charset.h"
#include "vorn/strings.h"

namespace {

using Decode = int (*)(unsigned short*, uint32_t, const char*, int32_t);
using DecodeToUtf8 = int (*)(char*, uint32_t, const char*);
using Encode = int (*)(char*, uint32_t, const unsigned short*);

int Ansi16(unsigned short* d, uint32_t c, const char* s, int32_t) { return StrANSIToUnicode(d, c, s); }
int Ascii16(unsigned short* d, uint32_t c, const char* s, int32_t) { return StrASCIIToUnicode(d, c, s); }

const Decode kDecoders[] = {
    StrUtf8ToUnicode, StrGB2312ToUnicode, StrLatin9ToUnicode, Big5CodeToUnicode, Ascii16, Ansi16};
const DecodeToUtf8 kToUtf8[] = {StrGB2312ToUTF8, StrGB18030ToUTF8, StrLatin9ToUTF8};
const Encode kEncoders[] = {StrUnicodeToUtf8, StrUnicodeToGB2312, StrUnicodeToLatin9, StrUnicodeToASCII,
                            StrUnicodeToANSI};

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

/// ICU's count: below the capacity the text is terminated right after it.
template <class Unit>
void CheckIcuCount(int n, const Unit* dest, uint32_t capacity) {
  Check(n >= 0);
  if (static_cast<uint32_t>(n) < capacity) Check(dest[n] == 0);
}

const char* const kAnsiSets[] = {nullptr, "UTF-8", "GBK", "ISO-8859-15"};

/// The text ends inside the recorded capacity, or just past it where the buffer model allows.
template <class S>
void CheckString(S& s) {
  if (s.GetBufferVar() == nullptr) return;
  Check(s.Length() <= s.GetCapacity());
}

void RunMembers(const std::vector<char>& text, const std::vector<unsigned short>& units, unsigned which) {
  Vorn_SetAnsiCodePage(kAnsiSets[which % std::size(kAnsiSets)]);
  TStringA s;
  for (auto member : {&TStringA::fromANSIToUTF8, &TStringA::fromUTF8ToANSI, &TStringA::fromLatin9ToUTF8,
                      &TStringA::fromGB18030ToUTF8}) {
    (s.*member)(text.data());
    CheckString(s);
  }
  s.FromWideString(units.data(), static_cast<vorn::TMIBCharSet>(which & 1 ? 1 : (which & 2 ? 2025 : 106)));
  CheckString(s);
  s += units.data();
  CheckString(s);

  TWideString w;
  for (auto member : {&TWideString::FromUTF8, &TWideString::FromGB3212, &TWideString::FromANSI}) {
    (w.*member)(text.data());
    CheckString(w);
    TStringA copies[] = {w.utf8(), w.ansi()};
    for (TStringA& copy : copies) CheckString(copy);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const uint32_t capacity = data[0];  // 0..255, small enough to truncate often
  const unsigned which = data[1];
  data += 2;
  size -= 2;

  std::vector<char> text(data, data + size);
  text.push_back(0);
  std::vector<unsigned short> units(size / 2 + 1, 0);
  std::memcpy(units.data(), data, size / 2 * 2);

  auto wide = std::make_unique<unsigned short[]>(capacity);
  auto narrow = std::make_unique<char[]>(capacity);
  const int32_t length = (which & 0x80) ? -1 : static_cast<int32_t>(size);

  const Decode decode = kDecoders[which % std::size(kDecoders)];
  const int n16 = decode(capacity ? wide.get() : nullptr, capacity, text.data(), length);
  if (decode == Ansi16) {
    Check(n16 >= 0 && static_cast<uint32_t>(n16) <= (capacity ? capacity : UINT32_MAX));
  } else {
    CheckIcuCount(n16, wide.get(), capacity);
  }

  const int n8 = kToUtf8[which % std::size(kToUtf8)](capacity ? narrow.get() : nullptr, capacity, text.data());
  CheckIcuCount(n8, narrow.get(), capacity);

  const Encode encode = kEncoders[which % std::size(kEncoders)];
  const int e = encode(capacity ? narrow.get() : nullptr, capacity, units.data());
  if (encode == StrUnicodeToANSI) {
    Check(e >= 0);
  } else {
    CheckIcuCount(e, narrow.get(), capacity);
  }
  RunMembers(text, units, which);
  return 0;
}
