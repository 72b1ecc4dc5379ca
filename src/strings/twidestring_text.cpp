// TWideString: the text operations of TStringA in 16-bit units, plus the number
// writers that fill caller buffers.
#include "strings/hex_text_impl.h"
#include "strings/string_text_impl.h"
#include "vorn/strings.h"

namespace {
using Rep = vorn::detail::StringRep<unsigned short>;
}  // namespace

int TWideString::find(unsigned short c, uint32_t /*ignored*/) const {
  return vorn::detail::first_offset<unsigned short>(FBuffer, c);
}
int32_t TWideString::PosSubChar(unsigned short c, uint32_t ignored) const { return find(c, ignored); }
int TWideString::reverseFind(unsigned short c) { return vorn::detail::last_offset<unsigned short>(FBuffer, c); }

TWideString TWideString::substring(uint32_t position, uint32_t count) const {
  return vorn::detail::substring_of<TWideString>(FBuffer, Length(), position, count);
}
TWideString TWideString::left(uint32_t n) const { return substring(0, n); }
// Unsigned on purpose: n = 0 and n beyond the length both start at or past the end.
TWideString TWideString::right(uint32_t n) const { return substring(Length() - n, n); }
TWideString TWideString::Right(uint32_t n) const { return right(n); }
TWideString TWideString::GetNSubStr(uint32_t n) const { return vorn::detail::prefix_copy(*this, n); }
TWideString TWideString::GetCharRSubStr(const unsigned short* text, uint32_t start, unsigned short stop,
                                        uint32_t* out_length) {
  TWideString run;
  vorn::detail::take_char_run(Rep(run.FBuffer, run.FCapacity), text, start, stop, out_length);
  return run;
}
TWideString TWideString::GetCharRSubStr(uint32_t start, unsigned short stop, uint32_t* out_length) const {
  return GetCharRSubStr(FBuffer, start, stop, out_length);
}
TWideString TWideString::ExtractFileNameFromURL() const {
  TWideString name;
  vorn::detail::take_url_file_name<unsigned short>(Rep(name.FBuffer, name.FCapacity), FBuffer);
  return name;
}

TWideString& TWideString::Trim(bool all) {
  vorn::detail::trim_in_place(FBuffer, all);
  return *this;
}
const unsigned short* TWideString::TruncStr(uint32_t n) {
  return vorn::detail::truncate_text(Rep(FBuffer, FCapacity), n);
}
TWideString& TWideString::ReplaceStr(const unsigned short* from, const unsigned short* to) {
  vorn::detail::replace_all(Rep(FBuffer, FCapacity), from, to);
  return *this;
}
TWideString& TWideString::toLower() {
  vorn::detail::fold_ascii_letters<unsigned short, vorn::detail::ascii_lower>(FBuffer);
  return *this;
}
TWideString& TWideString::toUpper() {
  vorn::detail::fold_ascii_letters<unsigned short, vorn::detail::ascii_upper>(FBuffer);
  return *this;
}
TWideString& TWideString::fromBetweenTag(const unsigned short* text, const unsigned short* start_tag,
                                         const unsigned short* end_tag) {
  vorn::detail::set_between_tags(Rep(FBuffer, FCapacity), text, start_tag, end_tag);
  return *this;
}

int32_t TWideString::StrToInt(const unsigned short* text, uint32_t start, uint32_t max_digits) {
  return vorn::detail::parse_decimal<int32_t>(text, start, max_digits);
}
long long TWideString::StrToInt64(const unsigned short* text, uint32_t start, uint32_t max_digits) {
  return vorn::detail::parse_decimal<long long>(text, start, max_digits);
}
int32_t TWideString::ToInt32(uint32_t start, uint32_t max_digits) const { return StrToInt(FBuffer, start, max_digits); }
long long TWideString::ToInt64(uint32_t start, uint32_t max_digits) const {
  return StrToInt64(FBuffer, start, max_digits);
}
TWideString& TWideString::IntToStr(long long value, uint32_t width) {
  vorn::detail::set_decimal(Rep(FBuffer, FCapacity), value, width);
  return *this;
}
TWideString& TWideString::FromInt32(int32_t value) { return IntToStr(value, 0); }
TWideString& TWideString::FromInt64(long long value) { return IntToStr(value, 0); }
bool TWideString::IsNumeric() const { return vorn::detail::all_digits<unsigned short>(FBuffer); }
bool TWideString::IsNumeric(const unsigned short* text) { return vorn::detail::all_digits(text); }

bool TWideString::IsTelStrS(const unsigned short* text) { return vorn::detail::telephone_shape(text); }
bool TWideString::IsTelStr() const { return vorn::detail::telephone_shape<unsigned short>(FBuffer); }
bool TWideString::IsEmailStr() const { return vorn::detail::email_shape<unsigned short>(FBuffer); }
int32_t TWideString::extractYearEX(unsigned short* text, bool remove, int min_year, int max_year) {
  return vorn::detail::extract_year(text, remove, min_year, max_year);
}
int32_t TWideString::extractYear(const unsigned short* text, int min_year, int max_year) {
  return vorn::detail::first_year(text, min_year, max_year);
}

TWideString& TWideString::FromGUID(const void* guid, bool lower_case) {
  vorn::detail::set_guid_text(Rep(FBuffer, FCapacity), guid, lower_case);
  return *this;
}
bool TWideString::HexToGUID(void* guid) const { return vorn::detail::read_guid_digits<unsigned short>(FBuffer, guid); }

// A string without buffer, on either side, is the empty text; the empty text is found
// at 0 in every string.
int32_t TWideString::PosSubStr(const TWideString& text) const {
  return vorn::detail::offset_or_minus_one(GetBuffer(), vorn::detail::find_text(GetBuffer(), text.GetBuffer()));
}

void TWideString::IntToStr(unsigned short* out, long long value, uint32_t width) {
  if (out != nullptr) vorn::detail::write_decimal(out, value, width);
}

void TWideString::IntToStrA(char* out, long long value, uint32_t width) {
  if (out != nullptr) vorn::detail::write_decimal(out, value, width);
}
