// Internal to vorn_common: do not include from outside src/.
//
// The text operations of TStringA and TWideString, written once over the unit type:
// searching, trimming, replacing, ASCII case mapping, decimal numbers, and the
// classifiers (telephone number, e-mail shape, four-digit year). Everything works on
// single units; digits, blanks and letters are ASCII only and no locale is consulted.
#ifndef VORN_SRC_STRINGS_STRING_TEXT_IMPL_H
#define VORN_SRC_STRINGS_STRING_TEXT_IMPL_H

#include <cstdint>
#include <cstring>
#include <type_traits>

#include "strings/string_core_impl.h"

namespace vorn::detail {

/// True for a negative value of a signed type; never for an unsigned one.
template <class Value>
constexpr bool is_negative(Value value) {
  if constexpr (std::is_signed_v<Value>) {
    return value < 0;
  } else {
    return false;
  }
}

/// The first `c` in `text` (the terminator itself when `c` is 0); null when absent.
template <class Unit>
const Unit* find_unit(const Unit* text, Unit c) {
  return UnitTraits<Unit>::find(text, c);
}

/// The first occurrence of `needle` in `text` (exact units); the empty needle is found
/// at `text`. Null when absent.
template <class Unit>
const Unit* find_text(const Unit* text, const Unit* needle) {
  return UnitTraits<Unit>::find(text, needle);
}

/// The first occurrence of the `m` units of `needle` (m > 0) among the `n` units at
/// `text`, null when absent. For scans whose end is known.
template <class Unit>
const Unit* find_counted(const Unit* text, size_t n, const Unit* needle, size_t m) {
  if (n < m) return nullptr;
  const Unit* const last = text + (n - m);  // the last possible start
  for (;; ++text) {
    text = UnitTraits<Unit>::find_within(text, needle[0], static_cast<size_t>(last - text) + 1);
    if (text == nullptr) return nullptr;
    if (std::memcmp(text + 1, needle + 1, (m - 1) * sizeof(Unit)) == 0) return text;
    if (text == last) return nullptr;
  }
}

/// The offset of `found` in `text`, or -1 for null.
template <class Unit>
int32_t offset_or_minus_one(const Unit* text, const Unit* found) {
  return found != nullptr ? static_cast<int32_t>(found - text) : -1;
}

/// Replaces the string's buffer by exactly `count` units of `text` and a terminator
/// (capacity count + 1). Leaves the string unchanged when the buffer cannot be had.
template <class Unit>
void copy_exact(StringRep<Unit> rep, const Unit* text, uint32_t count) {
  if (count == UINT32_MAX || !rep.set_capacity(count + 1)) return;
  std::memcpy(rep.buffer(), text, static_cast<size_t>(count) * sizeof(Unit));
  rep.buffer()[count] = 0;
}

/// find: the offset of the first `c`, -1 when absent or the text is empty.
template <class Unit>
int first_offset(const Unit* text, Unit c) {
  if (text == nullptr || text[0] == 0) return -1;
  return offset_or_minus_one(text, find_unit(text, c));
}

/// reverseFind: the offset of the last `c`, -1 when absent, for the zero unit or
/// for an empty text.
template <class Unit>
int last_offset(const Unit* text, Unit c) {
  if (text == nullptr || text[0] == 0 || c == 0) return -1;
  int last = -1;
  for (const Unit* p = text; *p != 0; ++p) {
    if (*p == c) last = static_cast<int>(p - text);
  }
  return last;
}

/// substring: `count` units from `position` (the rest for 0); empty past the end.
template <class String, class Unit>
String substring_of(const Unit* buffer, uint32_t length, uint32_t position, uint32_t count) {
  if (buffer == nullptr || position >= length) return String();
  return String(buffer + position, count);
}

/// GetNSubStr: a copy cut to at most `n` units.
template <class String>
String prefix_copy(const String& string, uint32_t n) {
  String copy(string);
  copy.TruncStr(n);
  return copy;
}

/// TruncStr: cuts the text to `n` units when it is longer.
template <class Unit>
const Unit* truncate_text(StringRep<Unit> rep, uint32_t n) {
  if (rep.buffer() != nullptr && rep.length() > n) rep.buffer()[n] = 0;
  return rep.buffer();
}

/// The length of the run that starts `start` units into `text` and ends before the
/// first `stop` unit or the terminator; `*begin` gets its start. -1 when `start` is
/// not 0 and does not lie inside the text.
template <class Unit>
int64_t run_until(const Unit* text, uint64_t start, Unit stop, const Unit** begin) {
  if (start != 0) {
    for (uint64_t i = 0; i <= start; ++i) {
      if (text[i] == 0) return -1;
    }
  }
  const Unit* p = text + start;
  *begin = p;
  const Unit* end = p;
  while (*end != 0 && *end != stop) ++end;
  return end - p;
}

/// GetCharRSubStr: the run from `start` up to `stop` into the (empty) result, its
/// length into `out_length` (0 when there is no run).
template <class Unit, class Position>
void take_char_run(StringRep<Unit> rep, const Unit* text, Position start, Unit stop, Position* out_length) {
  if (out_length != nullptr) *out_length = 0;
  if (text == nullptr || is_negative(start)) return;
  const Unit* begin = nullptr;
  const int64_t n = run_until(text, static_cast<uint64_t>(start), stop, &begin);
  if (n < 0) return;
  if (out_length != nullptr) *out_length = static_cast<Position>(n);
  copy_exact(rep, begin, static_cast<uint32_t>(n));
}

/// The file name at the end of a URL: up to the first '?', after the last '/', at most
/// 96 units. `*begin` gets its start; returns its length.
template <class Unit>
uint32_t url_file_name(const Unit* text, const Unit** begin) {
  constexpr uint32_t kMaxName = 96;
  const Unit* end = find_unit(text, static_cast<Unit>('?'));
  if (end == nullptr) end = text + text_length(text);
  const Unit* name = text;
  for (const Unit* p = text; p != end; ++p) {
    if (*p == '/') name = p + 1;
  }
  *begin = name;
  const auto n = static_cast<uint32_t>(end - name);
  return n < kMaxName ? n : kMaxName;
}

/// ExtractFileNameFromURL into the (empty) result.
template <class Unit>
void take_url_file_name(StringRep<Unit> rep, const Unit* url) {
  if (url == nullptr || url[0] == 0) return;
  const Unit* begin = nullptr;
  const uint32_t n = url_file_name<Unit>(url, &begin);
  copy_exact(rep, begin, n);
}

/// Removes leading and trailing blanks in place: the space, and with `all` also tab,
/// line feed and carriage return. The buffer stays where it is.
template <class Unit>
void trim_in_place(Unit* text, bool all) {
  if (text == nullptr) return;
  const auto blank = [all](Unit c) { return is_trim_blank(c, all); };
  Unit* first = text;
  while (*first != 0 && blank(*first)) ++first;
  Unit* end = first + text_length(first);
  while (end != first && blank(end[-1])) --end;
  const auto kept = static_cast<size_t>(end - first);
  if (first != text) std::memmove(text, first, kept * sizeof(Unit));
  text[kept] = 0;
}

/// toLower and toUpper: ASCII letters only, other units stay.
template <class Unit, Unit (*Fold)(Unit)>
void fold_ascii_letters(Unit* text) {
  if (text == nullptr) return;
  for (; *text != 0; ++text) *text = Fold(*text);
}

/// Builds a text by appends that grow by the strings' growth rule, keeping the
/// length so that each append costs only its own units.
template <class Unit>
class TextBuilder {
 public:
  TextBuilder() = default;
  ~TextBuilder() { delete[] buffer_; }
  TextBuilder(const TextBuilder&) = delete;
  TextBuilder& operator=(const TextBuilder&) = delete;

  /// False when the buffer cannot grow; the text built so far stays.
  bool append(const Unit* text, uint32_t count) {
    if (count == 0) return true;
    if (!StringRep<Unit>(buffer_, capacity_).grow_for(length_, count)) return false;
    std::memcpy(buffer_ + length_, text, static_cast<size_t>(count) * sizeof(Unit));
    length_ += count;
    buffer_[length_] = 0;
    return true;
  }

  /// The text built so far; the empty text when nothing was appended.
  const Unit* text() const {
    static const Unit empty[1] = {0};
    return buffer_ != nullptr ? buffer_ : empty;
  }
  uint32_t length() const { return length_; }

 private:
  Unit* buffer_ = nullptr;
  uint32_t capacity_ = 0;
  uint32_t length_ = 0;
};

/// True when the `a_length` units at `a` and the `b_length` units at `b`, each with
/// its terminator, share memory.
template <class Unit>
bool texts_overlap(const Unit* a, uint32_t a_length, const Unit* b, uint32_t b_length) {
  const auto a_start = reinterpret_cast<uintptr_t>(a);
  const auto b_start = reinterpret_cast<uintptr_t>(b);
  return a_start <= b_start + static_cast<uintptr_t>(b_length) * sizeof(Unit) &&
         b_start <= a_start + static_cast<uintptr_t>(a_length) * sizeof(Unit);
}

/// Hands `sink(units, count)` the pieces of [text, end) with every occurrence of
/// `from` replaced by `to`, in order, scanning once; replaced text is never rescanned.
/// Stops early when the sink returns false.
template <class Unit, class Sink>
void replaced_pieces(const Unit* text, const Unit* end, const Unit* from, uint32_t from_length, const Unit* to,
                     uint32_t to_length, Sink&& sink) {
  while (text != end) {
    const Unit* hit = find_counted(text, static_cast<size_t>(end - text), from, from_length);
    if (hit == nullptr) {
      sink(text, static_cast<uint32_t>(end - text));
      return;
    }
    if (!sink(text, static_cast<uint32_t>(hit - text)) || !sink(to, to_length)) return;
    text = hit + from_length;
  }
}

/// Replaces every occurrence of `from` by `to`. Nothing happens without a buffer, with
/// a null or empty `from` or with a null `to`. The result is built in a temporary that
/// grows by the growth rule and is set back with the SetText rule (the buffer is
/// reused when the result fits). A replacement no longer than `from`, from texts
/// outside the buffer, never outruns the scan and is written in place instead: the
/// same result in the same buffer, without the temporary.
template <class Unit>
void replace_all(StringRep<Unit> rep, const Unit* from, const Unit* to) {
  if (rep.buffer() == nullptr || from == nullptr || from[0] == 0 || to == nullptr) return;
  const uint32_t from_length = text_length(from);
  const uint32_t to_length = text_length(to);
  Unit* const text = rep.buffer();
  const uint32_t length = rep.length();
  if (to_length <= from_length && !texts_overlap<Unit>(from, from_length, text, length) &&
      !texts_overlap<Unit>(to, to_length, text, length)) {
    Unit* write = text;
    replaced_pieces<Unit>(text, text + length, from, from_length, to, to_length,
                          [&write](const Unit* units, uint32_t n) {
                            std::memmove(write, units, static_cast<size_t>(n) * sizeof(Unit));
                            write += n;
                            return true;
                          });
    *write = 0;
    // SetText would move a result that fills the whole capacity to a larger buffer.
    const auto result = static_cast<uint32_t>(write - text);
    if (result >= rep.capacity()) rep.set_text(text, result);
    return;
  }
  TextBuilder<Unit> out;
  replaced_pieces<Unit>(text, text + length, from, from_length, to, to_length,
                        [&out](const Unit* units, uint32_t n) { return out.append(units, n); });
  rep.set_text(out.text(), out.length());
}

/// The text between the first `start_tag` and the next `end_tag` after it (an empty or
/// null tag means the start or the end of `text`). `*begin` gets its start; returns
/// its length, 0 when a tag is missing or nothing lies between.
template <class Unit>
uint32_t between_tags(const Unit* text, const Unit* start_tag, const Unit* end_tag, const Unit** begin) {
  const Unit* part = text;
  if (start_tag != nullptr && start_tag[0] != 0) {
    part = find_text(text, start_tag);
    if (part == nullptr) return 0;
    part += text_length(start_tag);
  }
  const Unit* end = nullptr;
  if (end_tag != nullptr && end_tag[0] != 0) {
    end = find_text(part, end_tag);
    if (end == nullptr) return 0;
  } else {
    end = part + text_length(part);
  }
  *begin = part;
  return static_cast<uint32_t>(end - part);
}

/// fromBetweenTag: the text between the tags, or the empty text when there is none.
template <class Unit>
void set_between_tags(StringRep<Unit> rep, const Unit* text, const Unit* start_tag, const Unit* end_tag) {
  const Unit* begin = nullptr;
  const uint32_t n = text != nullptr ? between_tags(text, start_tag, end_tag, &begin) : 0;
  if (n == 0) {
    rep.clear();
    return;
  }
  rep.set_text(begin, n);
}

/// Decimal text to a number: blanks (space, 9-13), one sign, then at most
/// `max_digits` digits read from `text + start`; `max_digits` 0 reads without limit
/// from the start of `text` (`start` ignored). Overflow wraps. A start that is
/// negative or lies beyond the terminator reads nothing.
template <class Value, class Unit>
Value parse_decimal(const Unit* text, int64_t start, int64_t max_digits) {
  using Bits = std::make_unsigned_t<Value>;
  if (text == nullptr) return 0;
  int64_t limit = 2147483647;
  const Unit* p = text;
  if (max_digits != 0) {
    limit = max_digits;
    if (start < 0) return 0;
    for (int64_t i = 0; i < start; ++i) {
      if (text[i] == 0) return 0;
    }
    p = text + start;
  }
  while (is_ascii_space(*p)) ++p;
  const bool negative = *p == '-';
  if (*p == '-' || *p == '+') ++p;
  Bits value = 0;
  for (int64_t n = 0; n < limit && is_ascii_digit(*p); ++n, ++p) {
    value = static_cast<Bits>(value * 10u + static_cast<Bits>(*p - '0'));
  }
  return static_cast<Value>(negative ? static_cast<Bits>(0u - value) : value);
}

/// Writes the decimal text of `value` with its terminator: '-' first when negative,
/// then '0' fill up to `width` characters, then the digits. Returns the characters
/// before the terminator. `out` must hold max(width, 20) + 1 units.
template <class Unit>
uint32_t write_decimal(Unit* out, long long value, int64_t width) {
  unsigned char digits[20];
  uint32_t count = 0;
  uint64_t magnitude = value < 0 ? 0u - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  do {
    digits[count++] = static_cast<unsigned char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  uint32_t at = 0;
  if (value < 0) out[at++] = '-';
  for (int64_t fill = width - at - count; fill > 0; --fill) out[at++] = '0';
  while (count != 0) out[at++] = static_cast<Unit>(digits[--count]);
  out[at] = 0;
  return at;
}

/// IntToStr: the buffer holds at least 50 units (room for any 64-bit value); a
/// width of 50 or more gets a buffer of width + 1 units instead. A smaller buffer
/// is replaced and its text dropped. If no buffer can be had, the string stays as
/// it was.
template <class Unit, class Position>
void set_decimal(StringRep<Unit> rep, long long value, Position width) {
  constexpr int64_t kNumberCapacity = 50;
  const int64_t wanted = static_cast<int64_t>(width) + 1;
  const int64_t needed = wanted > kNumberCapacity ? wanted : kNumberCapacity;
  if (rep.capacity() < needed) {
    if (needed > static_cast<int64_t>(UINT32_MAX - 2) || !rep.set_capacity(static_cast<uint32_t>(needed))) return;
  }
  write_decimal(rep.buffer(), value, width);
}

/// Non-empty and made only of '0'-'9'.
template <class Unit>
bool all_digits(const Unit* text) {
  if (text == nullptr || text[0] == 0) return false;
  for (; *text != 0; ++text) {
    if (!is_ascii_digit(*text)) return false;
  }
  return true;
}

/// The shape of a telephone number: an optional leading '+' before a digit, then only
/// digits, '*', '#', single dashes, '(' not directly closed, and ')' after an accepted
/// '('; at least two digits, '*' or '#'.
template <class Unit>
bool telephone_shape(const Unit* text) {
  if (text == nullptr) return false;
  if (text[0] == '+' && is_ascii_digit(text[1])) ++text;
  if (*text == 0) return false;
  // The answer does not depend on how the dash-separated groups read as numbers.
  uint32_t counted = 0;
  bool opened = false;
  Unit previous = 0;
  for (const Unit* p = text; *p != 0; previous = *p, ++p) {
    const Unit c = *p;
    if (is_ascii_digit(c) || c == '*' || c == '#') {
      ++counted;
    } else if (c == '-') {
      if (previous == '-') return false;
    } else if (c == '(') {
      if (p[1] == ')') return false;
      opened = true;
    } else if (c != ')' || !opened) {
      return false;
    }
  }
  return counted >= 2;
}

/// IsEmailStr: an '@' with something after it.
template <class Unit>
bool email_shape(const Unit* text) {
  if (text == nullptr || text[0] == 0) return false;
  const Unit* at = find_unit<Unit>(text, '@');
  return at != nullptr && at[1] != 0;
}

/// The first group of exactly four digits, not part of a longer run of digits, whose
/// value lies in [min_year, max_year]. After a discarded group of four inside a longer
/// run the next digit is skipped. Returns the group's start (`*year` its value), or
/// null.
template <class Unit>
const Unit* find_year(const Unit* text, int min_year, int max_year, int32_t* year) {
  if (text == nullptr) return nullptr;
  uint32_t counted = 0;
  bool skip = false;
  const Unit* candidate = nullptr;
  for (const Unit* p = text; *p != 0; ++p) {
    if (!is_ascii_digit(*p) || skip) {
      counted = 0;
      skip = false;
      continue;
    }
    if (++counted == 1) candidate = p;
    if (counted < 4) continue;
    counted = 0;
    if (is_ascii_digit(p[1])) {
      skip = true;
      continue;
    }
    const auto value = parse_decimal<int32_t>(candidate, 0, 4);
    if (value >= min_year && value <= max_year) {
      *year = value;
      return candidate;
    }
  }
  return nullptr;
}

/// find_year, optionally removing the four digits from the text in place.
template <class Unit>
int32_t extract_year(Unit* text, bool remove, int min_year, int max_year) {
  int32_t year = 0;
  const Unit* found = find_year<Unit>(text, min_year, max_year, &year);
  if (found == nullptr) return 0;
  if (remove) {
    Unit* at = text + (found - text);
    std::memmove(at, at + 4, (static_cast<size_t>(text_length(at + 4)) + 1) * sizeof(Unit));
  }
  return year;
}

/// extractYear: the first year in range, 0 when there is none.
template <class Unit>
int32_t first_year(const Unit* text, int min_year, int max_year) {
  int32_t year = 0;
  return find_year(text, min_year, max_year, &year) != nullptr ? year : 0;
}

}  // namespace vorn::detail

#endif  // VORN_SRC_STRINGS_STRING_TEXT_IMPL_H
