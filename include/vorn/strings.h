/** @file vorn/strings.h
 * The 8-bit string class TStringA, its UTF-16 twin TWideString, and GUID /
 * hexadecimal text.
 *
 * Both classes own a zero-terminated buffer and its capacity, but store no length:
 * every length is counted up to the terminator. A string may have no buffer at all and
 * then reads as the empty text. A count or length argument of 0 means "up to the
 * terminator". Append and Insert grow the capacity C to C + C/2 + 1 + M; the +=
 * operators reallocate to the exact size every time; assignment reuses a buffer that
 * is large enough. Null text arguments are accepted and mean "no text".
 *
 * Ownership: a string owns its buffer (array new / delete). Members that return a
 * string by value return a new object that the caller owns. Pointers from GetBuffer()
 * or GetBufferVar() stay valid until the next member that replaces the buffer (every
 * assignment that does not fit, growth, the encoding members). No member throws on its
 * own account; when a buffer cannot be allocated the text stays as it was unless the
 * member says otherwise.
 *
 * UTF-16 text is `unsigned short` units taken one by one (no surrogate handling).
 * Case mapping, digit and blank tests are ASCII only; no locale is consulted.
 *
 * @code
 *   TStringA s("key=value");
 *   s.ReplaceStr("value", "42");          // "key=42"
 *   int32_t n = TStringA::StrToInt(s.p(), 4, 2);  // 42
 *   TWideString w;
 *   w = "abc";                             // 7-bit widening
 * @endcode
 *
 * The C part (hextoint) compiles as C11 too.
 */
#ifndef VORN_STRINGS_H
#define VORN_STRINGS_H

#include <stdint.h>

#include "vorn/charset.h"
#include "vorn/export.h"

#ifdef __cplusplus

/// The exported 8-bit string. Field order (vtable, FBuffer, FCapacity) is part of the interface.
///
/// Bytes are taken as they are; no encoding is assumed except by the encoding members.
/// Positions and lengths are byte offsets; a search that finds nothing returns -1.
/// One object serves one thread at a time.
class VORN_API TStringA {
 public:
  /// Selects the constructor that reserves a capacity; its value is not examined.
  enum capacitytag { ctCapacity /**< the one value */ };

  // ---- construction ------------------------------------------------------------
  /// An empty string without buffer (capacity 0); allocates nothing.
  TStringA();
  /// A copy of `text` (capacity length + 1, or 0 for ""); null gives no buffer.
  TStringA(const char* text);  // NOLINT(google-explicit-constructor): implicit by design
  /// At most `count` bytes of `text` (0 = its length) in a buffer of count + 1; null or "" gives no buffer.
  TStringA(const char* text, uint32_t count);
  /// A copy of the text of `other` (capacity length + 1, 0 for ""); none if it has no buffer.
  TStringA(const TStringA& other);
  /// An empty string with a buffer of `capacity` bytes (0: no buffer).
  TStringA(uint32_t capacity, capacitytag);
  /// Releases the buffer.
  virtual ~TStringA();

  // ---- assignment ---------------------------------------------------------------
  /// SetText(other.GetBuffer(), 0): a string without buffer assigns "", and the buffer is kept.
  TStringA& operator=(const TStringA& other);
  /// SetText(text, 0); null releases the buffer.
  TStringA& operator=(const char* text);
  /// Sets `count` bytes of `text` (0 = its length), reusing the buffer when count < capacity,
  /// else allocating count + 1; `text` may point into this string. Null releases the buffer.
  TStringA& SetText(const char* text, uint32_t count);
  /// Copies `source` (self-assignment does nothing). With `reallocate` the buffer is
  /// replaced by a copy (none when `source` has none); without it the text is copied into
  /// the existing buffer and the caller guarantees it is large enough.
  void Assign(const TStringA& source, bool reallocate);

  // ---- editing ------------------------------------------------------------------
  /// Appends the text of `other`; nothing for an empty one. Grows by the growth rule.
  TStringA& Append(const TStringA& other);
  /// Insert(text, -1, count): appends `count` bytes (0 = its length); null or "" adds nothing.
  TStringA& Append(const char* text, uint32_t count);
  /// Appends one byte; the zero byte appends nothing. Grows to C + C/2 + 2 when full.
  TStringA& AppendChar(char c);
  /// Inserts `count` bytes of `text` (0 = its length) at `position` (negative or past the
  /// end: append). Null or "" inserts nothing; the caller guarantees `count` bytes exist.
  TStringA& Insert(const char* text, int32_t position, uint32_t count);
  /// Inserts one byte at `position`, as the text overload; the zero byte inserts nothing.
  TStringA& Insert(char c, int32_t position);
  /// Inserts the text of `other` (nothing when it is empty) at `position`, as the text overload.
  TStringA& Insert(const TStringA& other, int32_t position);
  /// Deletes `count` bytes at `position`; does nothing unless the whole range lies inside the text.
  TStringA& remove(uint32_t position, uint32_t count);
  /// Alias of remove().
  TStringA& deleteSubStr(uint32_t position, uint32_t count);
  /// Appends the text of `other` as operator+=(const char*).
  TStringA& operator+=(const TStringA& other);
  /// Appends `text`, reallocating to exactly length + 1 on every call; null or "" adds nothing.
  TStringA& operator+=(const char* text);
  /// Appends one byte as operator+=(const char*); the zero byte appends nothing.
  TStringA& operator+=(const char& c);
  /// Appends the leading 7-bit characters of a UTF-16 text (cut at the first unit above 127).
  TStringA& operator+=(const unsigned short* text);
  /// A new string: this text followed by `text` (null adds nothing).
  TStringA operator+(const char* text) const;
  /// A new string: this text followed by the text of `other`.
  TStringA operator+(const TStringA& other) const;

  // ---- capacity and buffer ------------------------------------------------------
  /// Discards the text and allocates `n` bytes (0 releases the buffer); false on allocation failure.
  bool SetCapacity(uint32_t n);
  /// Reallocates to `n` usable bytes (allocating n + 2), keeping the text cut to `n`
  /// characters; false for 0 or on allocation failure, string unchanged.
  bool ReSetCapacity(uint32_t n);
  /// The capacity in bytes, terminator included (0 without buffer).
  uint32_t GetCapacity() const { return FCapacity; }
  /// Makes the text empty, keeping buffer and capacity; nothing without buffer.
  void Clear();
  /// Sets every byte of the capacity to zero, keeping the buffer; nothing without buffer.
  void ZeroString();
  /// Releases the buffer; the string has no buffer and capacity 0.
  void DeleteBuffer();

  // ---- access -------------------------------------------------------------------
  /// The text; never null (a string without buffer gives the empty text).
  const char* GetBuffer() const { return FBuffer ? FBuffer : FBufferTemp; }
  /// Alias of GetBuffer().
  const char* p() const { return GetBuffer(); }
  /// The buffer itself, null without buffer; writable within the capacity.
  char* GetBufferVar() { return FBuffer; }
  /// Bytes before the terminator; 0 without buffer. Counted on every call.
  uint32_t Length() const;
  /// Alias of Length().
  uint32_t length() const { return Length(); }
  /// Bytes of `text` before its terminator; 0 for null.
  static uint32_t Length(const char* text);
  /// Length() + 1: the bytes with the terminator (1 without buffer).
  uint32_t GetSize() const { return Length() + 1; }
  /// Length(text) + 1 (1 for null).
  static uint32_t GetSize(const char* text) { return Length(text) + 1; }
  /// True without buffer or for a buffer starting with the terminator.
  bool IsEmpty() const { return FBuffer == nullptr || FBuffer[0] == 0; }
  /// !IsEmpty().
  bool IsNotEmpty() const { return !IsEmpty(); }
  /// A `new` copy that the caller deletes; null if it cannot be allocated.
  TStringA* Dup() const;
  /// strdup of `text` (release with free); null for null.
  static char* Dup(const char* text);

  // ---- comparison and hashing ---------------------------------------------------
  /// Exact, case-sensitive equality; null, "" and a string without buffer are all equal.
  bool operator==(const char* text) const;
  /// Exact, case-sensitive equality; a string without buffer equals one holding "".
  bool operator==(const TStringA& other) const;
  /// Negation of operator==(const char*).
  bool operator!=(const char* text) const { return !(*this == text); }
  /// Negation of operator==(const TStringA&).
  bool operator!=(const TStringA& other) const { return !(*this == other); }
  /// Ordering: unsigned bytes; a string without buffer sorts before every string with one.
  bool operator<(const TStringA& other) const;
  /// Ordering as operator<; two strings without buffer are equal.
  bool operator<=(const TStringA& other) const;
  /// Ordering as operator<.
  bool operator>(const TStringA& other) const;
  /// Ordering as operator<; two strings without buffer are equal.
  bool operator>=(const TStringA& other) const;
  /// SuperFastHash of the bytes, each read as a signed byte; 0 for the empty text.
  uint32_t hashValue() const;

  // ---- search -------------------------------------------------------------------
  /// Position of the first `c`, -1 if none or empty; the zero byte is found at the length.
  /// The second argument is ignored: the search always starts at 0.
  int find(char c, uint32_t ignored = 0) const;
  /// Alias of find().
  int32_t PosSubChar(const char& c, uint32_t ignored) const;
  /// Position of the first occurrence of `text`; -1 if absent, empty string or null text.
  /// "" is found at 0 in a non-empty string.
  int32_t PosSubStr(const char* text) const;
  /// Position of the last `c`; -1 if none, for the zero byte, or on an empty string.
  int reverseFind(char c);

  // ---- substrings ---------------------------------------------------------------
  /// A new string of `count` bytes from `position` (0 or too many: the rest); a string
  /// without buffer when `position` is not inside the text.
  TStringA substring(uint32_t position, uint32_t count) const;
  /// substring(0, n): the first `n` bytes; n = 0 gives the whole text.
  TStringA left(uint32_t n) const;
  /// The last `n` bytes; n = 0 or n beyond the length gives an empty string without buffer.
  TStringA right(uint32_t n) const;
  /// Alias of right().
  TStringA Right(uint32_t n) const;
  /// A copy of the string, cut to its first `n` bytes when longer.
  TStringA GetNSubStr(uint32_t n) const;
  /// The bytes of `text` from `start` up to `stop` (or the end; stop 0: the rest);
  /// `*out_length` (when given) gets their count. Null text, negative start or a start
  /// not inside the text give a string without buffer and length 0.
  static TStringA GetCharRSubStr(const char* text, int32_t start, char stop, int32_t* out_length);
  /// The static GetCharRSubStr on this string's text.
  TStringA GetCharRSubStr(int32_t start, char stop, int32_t* out_length) const;
  /// The part after the last '/' and before the first '?', at most 96 bytes, as a new
  /// string; empty (no buffer) for an empty string.
  TStringA ExtractFileNameFromURL() const;

  // ---- reworking ----------------------------------------------------------------
  /// Removes leading and trailing spaces in place (with `all`, also tab, CR and LF); keeps the buffer.
  TStringA& Trim(bool all);
  /// Cuts the text to `n` bytes when longer; returns the buffer (null without buffer).
  const char* TruncStr(uint32_t n);
  /// Replaces every non-overlapping occurrence of `from` by `to` ("" deletes), scanning
  /// once from the start. Nothing for a null/empty `from`, a null `to` or no buffer.
  TStringA& ReplaceStr(const char* from, const char* to);
  /// Maps 'A'-'Z' to 'a'-'z' in place.
  TStringA& toLower();
  /// Maps 'a'-'z' to 'A'-'Z' in place.
  TStringA& toUpper();
  /// Sets the text to the part of `text` between the first `start_tag` and the next
  /// `end_tag` (null or "" tags: the start / the end of `text`); clears the string when a
  /// tag is missing, nothing lies between them, or `text` is null.
  TStringA& fromBetweenTag(const char* text, const char* start_tag, const char* end_tag);
  /// Takes the first line of `text` (up to CR, LF or CR LF); returns where the next line
  /// starts, or null at the end. Null `text` clears the string and returns null.
  const char* fromFirstLine(const char* text);

  // ---- numbers ------------------------------------------------------------------
  /// Reads a decimal number from `text + start`, at most `max_digits` digits (0: no limit,
  /// and `start` is ignored). Leading blanks and one sign are taken; overflow wraps;
  /// 0 when no digit follows or for null.
  static int32_t StrToInt(const char* text, int32_t start, int32_t max_digits);
  /// StrToInt with 64-bit accumulation.
  static long long StrToInt64(const char* text, int32_t start, int32_t max_digits);
  /// StrToInt on this string's text; 0 without buffer.
  int32_t ToInt32(int32_t start, int32_t max_digits) const;
  /// StrToInt64 on this string's text; 0 without buffer.
  long long ToInt64(int32_t start, int32_t max_digits) const;
  /// Writes the decimal text of `value`, zero-filled to `width`; returns its length (0 for null out).
  static int32_t IntToStrS(char* out, long long value, int32_t width);
  /// Sets the decimal text of `value`, zero-filled to `width`, in a buffer of at least 50
  /// bytes (width + 1 for wider widths); a smaller buffer is replaced and its text dropped.
  TStringA& IntToStr(long long value, int32_t width);
  /// IntToStr(value, 0).
  TStringA& FromInt32(int32_t value);
  /// IntToStr(value, 0).
  TStringA& FromInt64(long long value);
  /// True when the text is not empty and made only of '0'-'9' (no sign, blank or point).
  bool IsNumeric() const;
  /// The same test on `text`; false for null.
  static bool IsNumeric(const char* text);
  /// Sets the text of `value` with `digits` significant digits (%g-style), in a new buffer
  /// of digits + 64 bytes.
  TStringA& fromFloat(double value, uint32_t digits);
  /// atof of the text; 0.0 without buffer.
  double toFloat() const;

  // ---- classification -----------------------------------------------------------
  /// Telephone-number shape: an optional leading '+' before a digit, then only digits,
  /// '*', '#', single '-', '(' not followed by ')', and ')' after a '('; at least two
  /// digits, '*' or '#' in all. False for null.
  static bool IsTelStrS(const char* text);
  /// IsTelStrS of this string's text (false without buffer).
  bool IsTelStr() const;
  /// True when the text holds an '@' that is not its last byte.
  bool IsEmailStr() const;
  /// The first group of exactly four digits (not inside a longer run) whose value lies in
  /// [min_year, max_year], or 0; with `remove` the four digits are cut out of `text` in
  /// place. 0 for null or "".
  static int32_t extractYearEX(char* text, bool remove, int min_year, int max_year);
  /// extractYearEX without removing; `text` is not changed.
  static int32_t extractYear(const char* text, int min_year, int max_year);

  // ---- encodings ----------------------------------------------------------------
  /// The leading 7-bit characters of a UTF-16 text (cut at the first unit above 127), in a
  /// new buffer of n + 2 bytes; null or "" leaves no buffer.
  TStringA& FromWideStringQuick(const unsigned short* text);
  /// A UTF-16 text in the character set `charset` (1: ANSI, 2025: GB2312, else UTF-8), in
  /// a new buffer of 3n + 4 bytes. The old text is always dropped; null leaves no buffer.
  TStringA& FromWideString(const unsigned short* text, vorn::TMIBCharSet charset);
  /// Rewrites the text from the ANSI character set as UTF-8 (new buffer of 3L + 3 bytes).
  /// Nothing for an empty string; a failed conversion leaves no buffer.
  TStringA& convertANSIToUTF8();
  /// Rewrites UTF-8 text in the ANSI character set (new buffer of 2L + 2 bytes).
  /// Nothing for an empty string; a failed conversion leaves no buffer.
  TStringA& convertUTF8ToANSI();
  /// Rewrites GB18030 text as UTF-8 (new buffer of 3(L + 1) bytes); on failure the text stays.
  TStringA& convertGB18030ToUTF8();
  /// Rewrites Latin-9 text as UTF-8 (new buffer of 3(L + 1) bytes); on failure the text stays.
  TStringA& convertLatin9ToUTF8();
  /// SetText(text, 0), then convertANSIToUTF8().
  TStringA& fromANSIToUTF8(const char* text);
  /// SetText(text, 0), then convertUTF8ToANSI().
  TStringA& fromUTF8ToANSI(const char* text);
  /// SetText(text, 0), then convertLatin9ToUTF8(): a failed conversion leaves `text` unconverted.
  TStringA& fromLatin9ToUTF8(const char* text);
  /// Sets the UTF-8 form of GB18030 `text` (new buffer of 3(L + 1) bytes); null or ""
  /// releases the buffer; a failed conversion keeps the previous text.
  TStringA& fromGB18030ToUTF8(const char* text);

  // ---- GUID and hexadecimal text ------------------------------------------------
  /// The 32 hex digits of 16 bytes in memory order, in a buffer of capacity 50.
  TStringA& FromGUID(const void* guid, bool lower_case);
  /// Reads 32 hex digits into 16 bytes; false (nothing written) unless the length is 32.
  /// Characters other than hex digits read as 0.
  bool HexToGUID(void* guid) const;

  // ---- formatting ---------------------------------------------------------------
  /// Formats with the library's own engine and takes the result as the new text
  /// (a new buffer of capacity length + 1).
  TStringA& Sprintf(const char* format, ...);

 protected:
  /// The owned, zero-terminated buffer (array new); null when the string has none.
  char* FBuffer;
  /// Bytes of FBuffer that the string may use, terminator included; 0 without buffer.
  uint32_t FCapacity;

 private:
  static const char FBufferTemp[4];
};

/// The exported UTF-16 string: TStringA's design in 16-bit units.
///
/// Every member behaves as its TStringA namesake with units for bytes (lengths,
/// positions, counts and capacities in units), except where its comment says otherwise.
/// Narrow `const char*` arguments are widened as 7-bit ASCII: the first byte above 127
/// ends them.
class VORN_API TWideString {
 public:
  /// Selects the constructor that reserves a capacity; its value is not examined.
  enum capacitytag { ctCapacity /**< the one value */ };

  /// An empty string without buffer; allocates nothing.
  TWideString();
  /// A copy of `text` (capacity length + 1, or 0 for an empty text); null gives no buffer.
  TWideString(const unsigned short* text);  // NOLINT(google-explicit-constructor)
  /// At most `count` units of `text` (0 = its length) in a buffer of count + 1; null or empty gives no buffer.
  TWideString(const unsigned short* text, uint32_t count);
  /// A copy of the text of `other`; none if it has no buffer.
  TWideString(const TWideString& other);
  /// An empty string with a buffer of `capacity` units (0: no buffer).
  TWideString(uint32_t capacity, capacitytag);
  /// Releases the buffer.
  virtual ~TWideString();

  /// SetText(other.GetBuffer(), 0), as TStringA.
  TWideString& operator=(const TWideString& other);
  /// SetText(text, 0); null releases the buffer.
  TWideString& operator=(const unsigned short* text);
  /// Widens a 7-bit text into a new buffer of length + 1 units; the first byte above 127
  /// ends it. Null gives no buffer.
  TWideString& operator=(const char* text);
  /// As TStringA::SetText, in units.
  TWideString& SetText(const unsigned short* text, uint32_t count);
  /// As TStringA::Assign.
  void Assign(const TWideString& source, bool reallocate);

  /// Appends the text of `other`, growing by the growth rule.
  TWideString& Append(const TWideString& other);
  /// Insert(text, -1, count).
  TWideString& Append(const unsigned short* text, uint32_t count);
  /// Appends one unit (the zero unit appends nothing), through Insert.
  TWideString& AppendChar(unsigned short c);
  /// As TStringA::Insert, in units.
  TWideString& Insert(const unsigned short* text, int32_t position, uint32_t count);
  /// Inserts one unit; the zero unit inserts nothing.
  TWideString& Insert(unsigned short c, int32_t position);
  /// Inserts the text of `other` at `position`.
  TWideString& Insert(const TWideString& other, int32_t position);
  /// As TStringA::remove, in units.
  TWideString& remove(uint32_t position, uint32_t count);
  /// Alias of remove().
  TWideString& deleteSubStr(uint32_t position, uint32_t count);
  /// Appends the text of `other` with an exact-size reallocation.
  TWideString& operator+=(const TWideString& other);
  /// Appends `text` with an exact-size reallocation; null or empty adds nothing.
  TWideString& operator+=(const unsigned short* text);
  /// Appends one unit; the zero unit appends nothing.
  TWideString& operator+=(unsigned short c);
  /// Appends a 7-bit text, widened (cut at the first byte above 127); null adds nothing.
  TWideString& operator+=(const char* text);
  /// A new string: this text followed by the widened 7-bit `text`.
  TWideString operator+(const char* text) const;
  /// A new string: this text followed by `text`.
  TWideString operator+(const unsigned short* text) const;

  /// As TStringA::SetCapacity, in units.
  bool SetCapacity(uint32_t n);
  /// As TStringA::ReSetCapacity, in units.
  bool ReSetCapacity(uint32_t n);
  /// The capacity in units, terminator included.
  uint32_t GetCapacity() const { return FCapacity; }
  /// Makes the text empty, keeping buffer and capacity.
  void Clear();
  /// Sets every unit of the capacity to zero.
  void ZeroString();
  /// Releases the buffer; capacity 0.
  void DeleteBuffer();

  /// The text; never null (a string without buffer gives the empty text).
  const unsigned short* GetBuffer() const { return FBuffer ? FBuffer : FBufferTemp; }
  /// Alias of GetBuffer().
  const unsigned short* p() const { return GetBuffer(); }
  /// The buffer itself, null without buffer; writable within the capacity.
  unsigned short* GetBufferVar() { return FBuffer; }
  /// Units before the terminator; 0 without buffer.
  uint32_t Length() const;
  /// Alias of Length().
  uint32_t length() const { return Length(); }
  /// Units of `text` before its terminator; 0 for null.
  static uint32_t Length(const unsigned short* text);
  /// Size in bytes with the terminator: 2 * (length + 1).
  uint32_t GetSize() const { return 2 * (Length() + 1); }
  /// Size of `text` in bytes with the terminator: 2 * (length + 1); 2 for null.
  static uint32_t GetSize(const unsigned short* text) { return 2 * (Length(text) + 1); }
  /// True without buffer or for a buffer starting with the zero unit.
  bool IsEmpty() const { return FBuffer == nullptr || FBuffer[0] == 0; }
  /// !IsEmpty().
  bool IsNotEmpty() const { return !IsEmpty(); }
  /// A `new` copy that the caller deletes; null if it cannot be allocated.
  TWideString* Dup() const;
  /// A malloc'ed copy (release with free); null for null.
  static unsigned short* Dup(const unsigned short* text);

  /// Exact equality unit by unit; null, empty and a string without buffer are all equal.
  bool operator==(const unsigned short* text) const;
  /// Exact equality unit by unit; a string without buffer equals one holding the empty text.
  bool operator==(const TWideString& other) const;
  /// Compares with the widened 7-bit prefix of a narrow text.
  bool operator==(const char* text) const;
  /// Negation of operator==(const unsigned short*).
  bool operator!=(const unsigned short* text) const { return !(*this == text); }
  /// Negation of operator==(const TWideString&).
  bool operator!=(const TWideString& other) const { return !(*this == other); }
  /// Negation of operator==(const char*).
  bool operator!=(const char* text) const { return !(*this == text); }
  /// Ordering by unsigned units; a string without buffer is the empty text.
  bool operator<(const TWideString& other) const;
  /// Ordering as operator<.
  bool operator<=(const TWideString& other) const;
  /// Ordering as operator<.
  bool operator>(const TWideString& other) const;
  /// Ordering as operator<.
  bool operator>=(const TWideString& other) const;
  /// The narrow hash's skeleton over units (zero-extended); of each group of four only the
  /// first two take part, so its values differ from the narrow hash. 0 for the empty text.
  uint32_t hashValue() const;

  /// Position of the first `c`, -1 if none or empty; the second argument is ignored.
  int find(unsigned short c, uint32_t ignored = 0) const;
  /// Alias of find().
  int32_t PosSubChar(unsigned short c, uint32_t ignored) const;
  /// Position of the first occurrence of `text`, -1 if absent; either side without buffer
  /// is the empty text, and the empty text is found at 0.
  int32_t PosSubStr(const TWideString& text) const;
  /// Position of the last `c`; -1 if none, for the zero unit, or on an empty string.
  int reverseFind(unsigned short c);

  /// As TStringA::substring, in units.
  TWideString substring(uint32_t position, uint32_t count) const;
  /// substring(0, n).
  TWideString left(uint32_t n) const;
  /// As TStringA::right, in units.
  TWideString right(uint32_t n) const;
  /// Alias of right().
  TWideString Right(uint32_t n) const;
  /// A copy cut to its first `n` units when longer.
  TWideString GetNSubStr(uint32_t n) const;
  /// As TStringA::GetCharRSubStr with an unsigned start and length.
  static TWideString GetCharRSubStr(const unsigned short* text, uint32_t start, unsigned short stop,
                                    uint32_t* out_length);
  /// The static GetCharRSubStr on this string's text.
  TWideString GetCharRSubStr(uint32_t start, unsigned short stop, uint32_t* out_length) const;
  /// As TStringA::ExtractFileNameFromURL, in units.
  TWideString ExtractFileNameFromURL() const;

  /// As TStringA::Trim.
  TWideString& Trim(bool all);
  /// Cuts the text to `n` units when longer; returns the buffer (null without buffer).
  const unsigned short* TruncStr(uint32_t n);
  /// As TStringA::ReplaceStr.
  TWideString& ReplaceStr(const unsigned short* from, const unsigned short* to);
  /// Maps the units 'A'-'Z' to 'a'-'z' in place.
  TWideString& toLower();
  /// Maps the units 'a'-'z' to 'A'-'Z' in place.
  TWideString& toUpper();
  /// As TStringA::fromBetweenTag.
  TWideString& fromBetweenTag(const unsigned short* text, const unsigned short* start_tag,
                              const unsigned short* end_tag);

  /// As TStringA::StrToInt with an unsigned start and digit limit.
  static int32_t StrToInt(const unsigned short* text, uint32_t start, uint32_t max_digits);
  /// As TStringA::StrToInt64 with an unsigned start and digit limit.
  static long long StrToInt64(const unsigned short* text, uint32_t start, uint32_t max_digits);
  /// StrToInt on this string's text; 0 without buffer.
  int32_t ToInt32(uint32_t start, uint32_t max_digits) const;
  /// StrToInt64 on this string's text; 0 without buffer.
  long long ToInt64(uint32_t start, uint32_t max_digits) const;
  /// Writes the decimal text of `value` as units, zero-filled to `width` (TStringA::IntToStrS
  /// in units, returning nothing); nothing for null out.
  static void IntToStr(unsigned short* out, long long value, uint32_t width);
  /// The same text as 8-bit characters into a narrow buffer; nothing for null out.
  static void IntToStrA(char* out, long long value, uint32_t width);
  /// As TStringA::IntToStr, in a buffer of at least 50 units (width + 1 for wider widths).
  TWideString& IntToStr(long long value, uint32_t width);
  /// IntToStr(value, 0).
  TWideString& FromInt32(int32_t value);
  /// IntToStr(value, 0).
  TWideString& FromInt64(long long value);
  /// True when the text is not empty and made only of '0'-'9'.
  bool IsNumeric() const;
  /// The same test on `text`; false for null.
  static bool IsNumeric(const unsigned short* text);

  /// As TStringA::IsTelStrS.
  static bool IsTelStrS(const unsigned short* text);
  /// IsTelStrS of this string's text.
  bool IsTelStr() const;
  /// True when the text holds an '@' that is not its last unit.
  bool IsEmailStr() const;
  /// As TStringA::extractYearEX.
  static int32_t extractYearEX(unsigned short* text, bool remove, int min_year, int max_year);
  /// extractYearEX without removing.
  static int32_t extractYear(const unsigned short* text, int min_year, int max_year);

  /// Widens `count` bytes (0 = up to the terminator) of a 7-bit text into a new buffer of
  /// count + 1 units; the first byte above 127 ends it. Null leaves no buffer.
  TWideString& FromASCIIQuick(const char* text, uint32_t count);
  /// Sets the UTF-16 form of UTF-8 `text` in a new buffer of 2L + 4 units; null leaves no
  /// buffer, a failed conversion the empty text.
  TWideString& FromUTF8(const char* text);
  /// As FromUTF8, from the ANSI character set.
  TWideString& FromANSI(const char* text);
  /// As FromUTF8, from GB2312 (the name keeps its historical spelling).
  TWideString& FromGB3212(const char* text);
  /// The text as UTF-8 in a new narrow string; empty (no buffer) for an empty string, empty on failure.
  TStringA utf8() const;
  /// The text in the ANSI character set in a new narrow string (holding "" when empty).
  TStringA ansi() const;

  /// The 32 hex digits of 16 bytes in memory order, as units, in a buffer of capacity 50.
  TWideString& FromGUID(const void* guid, bool lower_case);
  /// Reads 32 hex digits into 16 bytes; false (nothing written) unless the length is 32 units.
  bool HexToGUID(void* guid) const;

  /// Formats a UTF-16 format with the library's own engine and takes the result as the new text.
  TWideString& Sprintf(const unsigned short* format, ...);

 protected:
  /// The owned, zero-terminated buffer of units (array new); null when the string has none.
  unsigned short* FBuffer;
  /// Units of FBuffer that the string may use, terminator included; 0 without buffer.
  uint32_t FCapacity;

 private:
  static const unsigned short FBufferTemp[2];
};

/// Writes `count` bytes as "0xAB,0xCD,..." into `out` (capacity 5 * count + 2); count 0 gives "".
VORN_API void BinaryToHexA(const unsigned char* data, uint32_t count, TStringA& out, bool lower_case);
/// Writes `count` bytes as "ABCD..." into `out` (capacity 3 * count + 2); returns `out`.
VORN_API TStringA& BinaryToHexNoTagA(const unsigned char* data, uint32_t count, TStringA& out, bool lower_case);
/// The 32 upper-case hex digits of 16 bytes in a new[] array of 33 bytes (release with delete[]).
VORN_API char* GUIDToNewText(const void* guid);
/// The same digits in a new buffer of `out` (capacity 33); returns out.GetBuffer().
VORN_API const char* GUIDToNewText(const void* guid, TStringA& out);
/// 1 when `text` is non-null and exactly 32 characters long, else 0 (the characters are not examined).
VORN_API int checkGUIDText(const char* text);

#endif /* __cplusplus */

VORN_EXTERN_C_BEGIN
/** Reads up to the last 16 hex digits of `text` (a "0x" prefix is skipped, nothing is
 *  validated: other characters give some nibble value); 0 for null or "". */
VORN_API int64_t hextoint(const char* text);
VORN_EXTERN_C_END

#endif /* VORN_STRINGS_H */
