// TStringA: searching, substrings, trimming, replacing, case, numbers, classification
// and GUID text; plus the members only the 8-bit string has (first line, floating
// point text).
#include <cstdlib>
#include <cstring>

#include "platform/float_text.h"
#include "strings/hex_text_impl.h"
#include "strings/string_text_impl.h"
#include "vorn/strings.h"

namespace {
using Rep = vorn::detail::StringRep<char>;
}  // namespace

int TStringA::find(char c, uint32_t /*ignored*/) const { return vorn::detail::first_offset<char>(FBuffer, c); }
int32_t TStringA::PosSubChar(const char& c, uint32_t ignored) const { return find(c, ignored); }
int TStringA::reverseFind(char c) { return vorn::detail::last_offset<char>(FBuffer, c); }

TStringA TStringA::substring(uint32_t position, uint32_t count) const {
  return vorn::detail::substring_of<TStringA>(FBuffer, Length(), position, count);
}
TStringA TStringA::left(uint32_t n) const { return substring(0, n); }
// Unsigned on purpose: n = 0 and n beyond the length both start at or past the end.
TStringA TStringA::right(uint32_t n) const { return substring(Length() - n, n); }
TStringA TStringA::Right(uint32_t n) const { return right(n); }
TStringA TStringA::GetNSubStr(uint32_t n) const { return vorn::detail::prefix_copy(*this, n); }
TStringA TStringA::GetCharRSubStr(const char* text, int32_t start, char stop, int32_t* out_length) {
  TStringA run;
  vorn::detail::take_char_run(Rep(run.FBuffer, run.FCapacity), text, start, stop, out_length);
  return run;
}
TStringA TStringA::GetCharRSubStr(int32_t start, char stop, int32_t* out_length) const {
  return GetCharRSubStr(FBuffer, start, stop, out_length);
}
TStringA TStringA::ExtractFileNameFromURL() const {
  TStringA name;
  vorn::detail::take_url_file_name<char>(Rep(name.FBuffer, name.FCapacity), FBuffer);
  return name;
}

TStringA& TStringA::Trim(bool all) {
  vorn::detail::trim_in_place(FBuffer, all);
  return *this;
}
const char* TStringA::TruncStr(uint32_t n) { return vorn::detail::truncate_text(Rep(FBuffer, FCapacity), n); }
TStringA& TStringA::ReplaceStr(const char* from, const char* to) {
  vorn::detail::replace_all(Rep(FBuffer, FCapacity), from, to);
  return *this;
}
TStringA& TStringA::toLower() {
  vorn::detail::fold_ascii_letters<char, vorn::detail::ascii_lower>(FBuffer);
  return *this;
}
TStringA& TStringA::toUpper() {
  vorn::detail::fold_ascii_letters<char, vorn::detail::ascii_upper>(FBuffer);
  return *this;
}
TStringA& TStringA::fromBetweenTag(const char* text, const char* start_tag, const char* end_tag) {
  vorn::detail::set_between_tags(Rep(FBuffer, FCapacity), text, start_tag, end_tag);
  return *this;
}

int32_t TStringA::StrToInt(const char* text, int32_t start, int32_t max_digits) {
  return vorn::detail::parse_decimal<int32_t>(text, start, max_digits);
}
long long TStringA::StrToInt64(const char* text, int32_t start, int32_t max_digits) {
  return vorn::detail::parse_decimal<long long>(text, start, max_digits);
}
int32_t TStringA::ToInt32(int32_t start, int32_t max_digits) const { return StrToInt(FBuffer, start, max_digits); }
long long TStringA::ToInt64(int32_t start, int32_t max_digits) const { return StrToInt64(FBuffer, start, max_digits); }
TStringA& TStringA::IntToStr(long long value, int32_t width) {
  vorn::detail::set_decimal(Rep(FBuffer, FCapacity), value, width);
  return *this;
}
TStringA& TStringA::FromInt32(int32_t value) { return IntToStr(value, 0); }
TStringA& TStringA::FromInt64(long long value) { return IntToStr(value, 0); }
bool TStringA::IsNumeric() const { return vorn::detail::all_digits<char>(FBuffer); }
bool TStringA::IsNumeric(const char* text) { return vorn::detail::all_digits(text); }

bool TStringA::IsTelStrS(const char* text) { return vorn::detail::telephone_shape(text); }
bool TStringA::IsTelStr() const { return vorn::detail::telephone_shape<char>(FBuffer); }
bool TStringA::IsEmailStr() const { return vorn::detail::email_shape<char>(FBuffer); }
int32_t TStringA::extractYearEX(char* text, bool remove, int min_year, int max_year) {
  return vorn::detail::extract_year(text, remove, min_year, max_year);
}
int32_t TStringA::extractYear(const char* text, int min_year, int max_year) {
  return vorn::detail::first_year(text, min_year, max_year);
}

TStringA& TStringA::FromGUID(const void* guid, bool lower_case) {
  vorn::detail::set_guid_text(Rep(FBuffer, FCapacity), guid, lower_case);
  return *this;
}
bool TStringA::HexToGUID(void* guid) const { return vorn::detail::read_guid_digits<char>(FBuffer, guid); }

int32_t TStringA::PosSubStr(const char* text) const {
  if (IsEmpty() || text == nullptr) return -1;
  return vorn::detail::offset_or_minus_one(FBuffer, vorn::detail::find_text(FBuffer, text));
}

int32_t TStringA::IntToStrS(char* out, long long value, int32_t width) {
  if (out == nullptr) return 0;
  return static_cast<int32_t>(vorn::detail::write_decimal(out, value, width));
}

const char* TStringA::fromFirstLine(const char* text) {
  if (text == nullptr) {
    Clear();
    return nullptr;
  }
  const char* end = text + std::strcspn(text, "\r\n");
  const char* next = nullptr;
  if (*end != 0) {
    next = end + ((end[0] == '\r' && end[1] == '\n') ? 2 : 1);
    if (*next == 0) next = nullptr;
  }
  if (end == text) {
    Clear();
  } else {
    SetText(text, static_cast<uint32_t>(end - text));
  }
  return next;
}

TStringA& TStringA::fromFloat(double value, uint32_t digits) {
  Clear();
  const uint64_t capacity = static_cast<uint64_t>(digits) + 64;
  if (capacity > UINT32_MAX - 2 || !SetCapacity(static_cast<uint32_t>(capacity))) return *this;
  vorn::platform::format_significant(value, digits, FBuffer, FCapacity);
  return *this;
}

double TStringA::toFloat() const { return FBuffer != nullptr ? std::atof(FBuffer) : 0.0; }
