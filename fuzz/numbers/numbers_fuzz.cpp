// Number text against small models: hextoint, HexToGUID (narrow and wide), the decimal
// readers StrToInt/StrToInt64/ToInt32/ToInt64 and the writers IntToStrS/IntToStrA/
// IntToStr, which must read back to the value they wrote.
// Input: the first byte picks the check, the rest is the text and its arguments.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "vorn/strings.h"

namespace {

void check(bool ok) {
  if (!ok) abort();
}

uint64_t hex_model(const std::string& t) {
  uint64_t v = 0;
  size_t used = 0;
  for (size_t i = t.size(); i-- > 0 && used < 16;) {
    char c = t[i];
    if (used > 0 && (c == 'x' || c == 'X')) break;
    int code = static_cast<unsigned char>(c);
    if (code & 64) code -= 7;
    v |= static_cast<uint64_t>(code & 15) << (4 * used);
    ++used;
  }
  return v;
}

int hex_value(uint32_t c) {
  if (c >= '0' && c <= '9') return static_cast<int>(c - '0');
  if (c >= 'a' && c <= 'f') return static_cast<int>(c - 'a' + 10);
  if (c >= 'A' && c <= 'F') return static_cast<int>(c - 'A' + 10);
  return 0;
}

bool is_blank(uint32_t c) { return c == ' ' || (c >= 9 && c <= 13); }

// The decimal reader over units already offset by the start: blanks, one sign, digits
// up to the limit, wrapping in the width of the result.
template <class Int, class Unit>
Int decimal_model(const std::vector<Unit>& u, size_t from, uint64_t limit) {
  using U = std::make_unsigned_t<Int>;
  size_t i = from;
  while (is_blank(static_cast<std::make_unsigned_t<Unit>>(u[i]))) ++i;
  bool neg = false;
  if (u[i] == '+' || u[i] == '-') neg = u[i++] == '-';
  U v = 0;
  for (uint64_t n = 0; n < limit && u[i] >= '0' && u[i] <= '9'; ++n, ++i) {
    v = static_cast<U>(v * 10u + static_cast<U>(u[i] - '0'));
  }
  return static_cast<Int>(neg ? static_cast<U>(0u - v) : v);
}

std::string decimal_text(long long value, uint64_t width) {
  uint64_t mag = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  std::string digits = std::to_string(mag);
  std::string sign = value < 0 ? "-" : "";
  if (sign.size() + digits.size() < width) digits.insert(0, width - sign.size() - digits.size(), '0');
  return sign + digits;
}

std::string text_of(FuzzInput& in, size_t max) {
  static const char kAlphabet[] = " \t\n\v\f\r+-0123456789xXaAfFgz\xe9";
  size_t n = in.ConsumeIntegralInRange<size_t>(0, max);
  std::string t;
  for (size_t i = 0; i < n; ++i) {
    uint8_t b = in.ConsumeIntegral<uint8_t>();
    t += b < 200 ? kAlphabet[b % (sizeof kAlphabet - 1)] : static_cast<char>(b);
  }
  return t;
}

void check_hex(FuzzInput& in) {
  std::string t = text_of(in, 24);
  std::vector<char> v(t.begin(), t.end());
  v.push_back(0);
  check(static_cast<uint64_t>(hextoint(v.data())) == hex_model(t));
  check(hextoint(nullptr) == 0);
}

void check_guid(FuzzInput& in) {
  std::string t = text_of(in, 34);
  if (in.ConsumeBool()) t.resize(32, 'z');
  unsigned char want[16];
  for (int i = 0; i < 16 && t.size() == 32; ++i) {
    want[i] = static_cast<unsigned char>(hex_value(static_cast<unsigned char>(t[2 * i])) * 16 +
                                         hex_value(static_cast<unsigned char>(t[2 * i + 1])));
  }
  unsigned char got[17];
  std::memset(got, 0xA5, sizeof got);
  TStringA narrow(t.c_str());
  check(narrow.HexToGUID(got) == (t.size() == 32));
  check(got[16] == 0xA5);
  if (t.size() == 32) {
    check(std::memcmp(got, want, 16) == 0);
  } else {
    for (unsigned char b : got) check(b == 0xA5);
  }
  std::vector<unsigned short> w;
  for (unsigned char c : t) w.push_back(c);
  w.push_back(0);
  std::memset(got, 0xA5, sizeof got);
  check(TWideString(w.data()).HexToGUID(got) == (t.size() == 32));
  if (t.size() == 32) check(std::memcmp(got, want, 16) == 0);

  // Writing and reading back restores the bytes in both cases and widths.
  unsigned char guid[16];
  for (auto& b : guid) b = in.ConsumeIntegral<uint8_t>();
  bool lower = in.ConsumeBool();
  TStringA a;
  a.FromGUID(guid, lower);
  check(a.Length() == 32 && a.HexToGUID(got) && std::memcmp(got, guid, 16) == 0);
  TWideString b;
  b.FromGUID(guid, lower);
  check(b.Length() == 32 && b.HexToGUID(got) && std::memcmp(got, guid, 16) == 0);
  check(checkGUIDText(a.p()) == 1);
}

void check_decimal(FuzzInput& in) {
  std::string t = text_of(in, 30);
  std::vector<char> n(t.begin(), t.end());
  n.push_back(0);
  std::vector<unsigned short> w(t.begin(), t.end());
  for (auto& u : w) u = static_cast<unsigned char>(u);
  w.push_back(0);
  if (in.ConsumeBool() && !t.empty()) w[in.ConsumeIntegralInRange<size_t>(0, t.size() - 1)] = 0xFF10;

  uint32_t start = in.ConsumeIntegralInRange<uint32_t>(0, static_cast<uint32_t>(t.size()));
  uint32_t digits = in.ConsumeIntegralInRange<uint32_t>(0, 25);
  // A limit of 0 means no limit, and the start is then ignored.
  size_t from = digits == 0 ? 0 : start;
  uint64_t limit = digits == 0 ? 2147483647u : digits;
  int32_t s = static_cast<int32_t>(start);
  int32_t d = static_cast<int32_t>(digits);

  check(TStringA::StrToInt(n.data(), s, d) == decimal_model<int32_t>(n, from, limit));
  check(TStringA::StrToInt64(n.data(), s, d) == decimal_model<int64_t>(n, from, limit));
  check(TWideString::StrToInt(w.data(), start, digits) == decimal_model<int32_t>(w, from, limit));
  check(TWideString::StrToInt64(w.data(), start, digits) == decimal_model<int64_t>(w, from, limit));
  TStringA a(n.data());
  check(a.ToInt32(s, d) == (t.empty() ? 0 : decimal_model<int32_t>(n, from, limit)));
  check(a.ToInt64(s, d) == (t.empty() ? 0 : decimal_model<int64_t>(n, from, limit)));
  TWideString b(w.data());
  check(b.ToInt32(start, digits) == (w[0] == 0 ? 0 : decimal_model<int32_t>(w, from, limit)));
  check(b.ToInt64(start, digits) == (w[0] == 0 ? 0 : decimal_model<int64_t>(w, from, limit)));
  check(TStringA::StrToInt(nullptr, s, d) == 0 && TWideString::StrToInt64(nullptr, start, digits) == 0);
  // A negative limit is not a count of digits, but must stay safe.
  (void)TStringA::StrToInt(n.data(), 0, -in.ConsumeIntegralInRange<int32_t>(1, INT32_MAX));
}

void check_writers(FuzzInput& in) {
  long long value = in.ConsumeIntegral<long long>();
  uint32_t width = in.ConsumeIntegralInRange<uint32_t>(0, 49);
  std::string want = decimal_text(value, width);

  std::vector<char> out(want.size() + 1, '\x7f');
  check(TStringA::IntToStrS(out.data(), value, static_cast<int32_t>(width)) == static_cast<int32_t>(want.size()));
  check(want == out.data());
  check(TStringA::IntToStrS(nullptr, value, 3) == 0);
  std::vector<char> any(21, '\x7f');
  check(TStringA::IntToStrS(any.data(), value, -in.ConsumeIntegralInRange<int32_t>(1, 100)) ==
        static_cast<int32_t>(decimal_text(value, 0).size()));

  std::vector<char> a(want.size() + 1, '\x7f');
  TWideString::IntToStrA(a.data(), value, width);
  check(want == a.data());
  std::vector<unsigned short> w(want.size() + 1, 0x7f7f);
  TWideString::IntToStr(w.data(), value, width);
  for (size_t i = 0; i <= want.size(); ++i) check(w[i] == static_cast<unsigned char>(want.c_str()[i]));

  // The members make room for any width, also past the 49 characters of their usual buffer.
  uint32_t wide_width = in.ConsumeBool() ? width : in.ConsumeIntegralInRange<uint32_t>(0, 300);
  std::string wide_want = decimal_text(value, wide_width);
  TStringA s(in.ConsumeBool() ? "old" : nullptr);
  s.IntToStr(value, static_cast<int32_t>(wide_width));
  check(wide_want == s.p() && s.GetCapacity() >= 50 && s.Length() < s.GetCapacity());
  check(TStringA::StrToInt64(s.p(), 0, 0) == value);
  TWideString ws;
  ws.IntToStr(value, wide_width);
  check(ws.ToInt64(0, 0) == value && ws.Length() == wide_want.size() && ws.Length() < ws.GetCapacity());
  s.FromInt32(static_cast<int32_t>(value));
  check(s.ToInt32(0, 0) == static_cast<int32_t>(value));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  FuzzInput in(data + 1, size - 1);
  switch (data[0] % 4) {
    case 0:
      check_hex(in);
      break;
    case 1:
      check_guid(in);
      break;
    case 2:
      check_decimal(in);
      break;
    default:
      check_writers(in);
      break;
  }
  return 0;
}
