/* vorn_common: the 8-bit string class TStringA, its UTF-16 twin TWideString, and
 * GUID / hexadecimal text.
 *
 * Both classes own a zero-terminated buffer and its capacity, but store no length:
 * every length is counted up to the terminator. A string may have no buffer at all and
 * then reads as the empty text. A count or length argument of 0 means "up to the
 * terminator". Append and Insert grow the capacity C to C + C/2 + 1 + M; the +=
 * operators reallocate to the exact size every time; assignment reuses a buffer that
 * is large enough. Null text arguments are accepted and mean "no text".
 *
 * UTF-16 text is `unsigned short` units taken one by one (no surrogate handling).
 *
 *   TStringA s("key=value");
 *   s.ReplaceStr("value", "42");          // "key=42"
 *   int32_t n = TStringA::StrToInt(s.p() + 4, 0, 0);
 *   TWideString w;
 *   w = "abc";                             // 7-bit widening
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
class VORN_API TStringA {
 public:
  /// Selects the constructor that reserves a capacity.
  enum capacitytag { ctCapacity };

  // ---- construction ------------------------------------------------------------
  TStringA();
  /// A copy of `text` (capacity length + 1, or 0 for ""); null gives no buffer.
  TStringA(const char* text);  // NOLINT(google-explicit-constructor): implicit by design
  /// At most `count` bytes of `text` (0 = its length) in a buffer of count + 1; null or "" gives no buffer.
  TStringA(const char* text, uint32_t count);
  TStringA(const TStringA& other);
  /// An empty string with a buffer of `capacity` bytes (0: no buffer).
  TStringA(uint32_t capacity, capacitytag);
  virtual ~TStringA();

  // ---- assignment ---------------------------------------------------------------
  TStringA& operator=(const TStringA& other);
  TStringA& operator=(const char* text);
  /// Sets the text, reusing the buffer when count < capacity; `text` may point into this string.
  TStringA& SetText(const char* text, uint32_t count);
  /// Copies `source`; without `reallocate` the caller guarantees the buffer is large enough.
  void Assign(const TStringA& source, bool reallocate);

  // ---- editing ------------------------------------------------------------------
  TStringA& Append(const TStringA& other);
  TStringA& Append(const char* text, uint32_t count);
  TStringA& AppendChar(char c);
  /// Inserts `count` bytes of `text` (0 = its length) at `position` (negative or past the end: append).
  TStringA& Insert(const char* text, int32_t position, uint32_t count);
  TStringA& Insert(char c, int32_t position);
  TStringA& Insert(const TStringA& other, int32_t position);
  /// Deletes `count` bytes at `position`; does nothing unless the whole range lies inside the text.
  TStringA& remove(uint32_t position, uint32_t count);
  TStringA& deleteSubStr(uint32_t position, uint32_t count);
  TStringA& operator+=(const TStringA& other);
  TStringA& operator+=(const char* text);
  TStringA& operator+=(const char& c);
  /// Appends the leading 7-bit characters of a UTF-16 text.
  TStringA& operator+=(const unsigned short* text);
  TStringA operator+(const char* text) const;
  TStringA operator+(const TStringA& other) const;

  // ---- capacity and buffer ------------------------------------------------------
  /// Discards the text and allocates `n` bytes (0 releases the buffer); false on allocation failure.
  bool SetCapacity(uint32_t n);
  /// Keeps the text (cut to `n` characters); false for 0 or on allocation failure.
  bool ReSetCapacity(uint32_t n);
  uint32_t GetCapacity() const { return FCapacity; }
  void Clear();
  void ZeroString();
  void DeleteBuffer();

  // ---- access -------------------------------------------------------------------
  /// The text; never null (a string without buffer gives the empty text).
  const char* GetBuffer() const { return FBuffer ? FBuffer : FBufferTemp; }
  const char* p() const { return GetBuffer(); }
  /// The buffer itself, null without buffer; writable within the capacity.
  char* GetBufferVar() { return FBuffer; }
  uint32_t Length() const;
  uint32_t length() const { return Length(); }
  static uint32_t Length(const char* text);
  uint32_t GetSize() const { return Length() + 1; }
  static uint32_t GetSize(const char* text) { return Length(text) + 1; }
  bool IsEmpty() const { return FBuffer == nullptr || FBuffer[0] == 0; }
  bool IsNotEmpty() const { return !IsEmpty(); }
  /// A `new` copy that the caller deletes; null if it cannot be allocated.
  TStringA* Dup() const;
  /// strdup of `text` (release with free); null for null.
  static char* Dup(const char* text);

  // ---- comparison and hashing ---------------------------------------------------
  bool operator==(const char* text) const;
  bool operator==(const TStringA& other) const;
  bool operator!=(const char* text) const { return !(*this == text); }
  bool operator!=(const TStringA& other) const { return !(*this == other); }
  /// Ordering: unsigned bytes; a string without buffer sorts before every string with one.
  bool operator<(const TStringA& other) const;
  bool operator<=(const TStringA& other) const;
  bool operator>(const TStringA& other) const;
  bool operator>=(const TStringA& other) const;
  /// SuperFastHash of the bytes, each read as a signed byte; 0 for the empty text.
  uint32_t hashValue() const;

  // ---- search -------------------------------------------------------------------
  /// Position of the first `c`, -1 if none; the second argument is ignored.
  int find(char c, uint32_t ignored = 0) const;
  int32_t PosSubChar(const char& c, uint32_t ignored) const;
  /// Position of the first occurrence of `text`; -1 if absent, empty string or null text.
  int32_t PosSubStr(const char* text) const;
  int reverseFind(char c);

  // ---- substrings ---------------------------------------------------------------
  TStringA substring(uint32_t position, uint32_t count) const;
  TStringA left(uint32_t n) const;
  TStringA right(uint32_t n) const;
  TStringA Right(uint32_t n) const;
  TStringA GetNSubStr(uint32_t n) const;
  /// The bytes of `text` from `start` up to `stop` (or the end); `*out_length` gets their count.
  static TStringA GetCharRSubStr(const char* text, int32_t start, char stop, int32_t* out_length);
  TStringA GetCharRSubStr(int32_t start, char stop, int32_t* out_length) const;
  TStringA ExtractFileNameFromURL() const;

  // ---- reworking ----------------------------------------------------------------
  TStringA& Trim(bool all);
  const char* TruncStr(uint32_t n);
  TStringA& ReplaceStr(const char* from, const char* to);
  TStringA& toLower();
  TStringA& toUpper();
  TStringA& fromBetweenTag(const char* text, const char* start_tag, const char* end_tag);
  /// Takes the first line of `text`; returns where the next line starts, or null.
  const char* fromFirstLine(const char* text);

  // ---- numbers ------------------------------------------------------------------
  static int32_t StrToInt(const char* text, int32_t start, int32_t max_digits);
  static long long StrToInt64(const char* text, int32_t start, int32_t max_digits);
  int32_t ToInt32(int32_t start, int32_t max_digits) const;
  long long ToInt64(int32_t start, int32_t max_digits) const;
  /// Writes the decimal text of `value`, zero-filled to `width`; returns its length (0 for null out).
  static int32_t IntToStrS(char* out, long long value, int32_t width);
  /// Sets the decimal text of `value`, zero-filled to `width`, in a buffer of at least 50
  /// bytes (width + 1 for wider widths); a smaller buffer is replaced and its text dropped.
  TStringA& IntToStr(long long value, int32_t width);
  TStringA& FromInt32(int32_t value);
  TStringA& FromInt64(long long value);
  bool IsNumeric() const;
  static bool IsNumeric(const char* text);
  TStringA& fromFloat(double value, uint32_t digits);
  double toFloat() const;

  // ---- classification -----------------------------------------------------------
  static bool IsTelStrS(const char* text);
  bool IsTelStr() const;
  bool IsEmailStr() const;
  static int32_t extractYearEX(char* text, bool remove, int min_year, int max_year);
  static int32_t extractYear(const char* text, int min_year, int max_year);

  // ---- encodings ----------------------------------------------------------------
  TStringA& FromWideStringQuick(const unsigned short* text);
  TStringA& FromWideString(const unsigned short* text, vorn::TMIBCharSet charset);
  TStringA& convertANSIToUTF8();
  TStringA& convertUTF8ToANSI();
  TStringA& convertGB18030ToUTF8();
  TStringA& convertLatin9ToUTF8();
  TStringA& fromANSIToUTF8(const char* text);
  TStringA& fromUTF8ToANSI(const char* text);
  TStringA& fromLatin9ToUTF8(const char* text);
  TStringA& fromGB18030ToUTF8(const char* text);

  // ---- GUID and hexadecimal text ------------------------------------------------
  /// The 32 hex digits of 16 bytes in memory order, in a buffer of capacity 50.
  TStringA& FromGUID(const void* guid, bool lower_case);
  /// Reads 32 hex digits into 16 bytes; false (nothing written) unless the length is 32.
  bool HexToGUID(void* guid) const;

  // ---- formatting ---------------------------------------------------------------
  /// Formats with the library's own engine and takes the result as the new text.
  TStringA& Sprintf(const char* format, ...);

 protected:
  char* FBuffer;
  uint32_t FCapacity;

 private:
  static const char FBufferTemp[4];
};

/// The exported UTF-16 string: TStringA's design in 16-bit units.
class VORN_API TWideString {
 public:
  enum capacitytag { ctCapacity };

  TWideString();
  TWideString(const unsigned short* text);  // NOLINT(google-explicit-constructor)
  TWideString(const unsigned short* text, uint32_t count);
  TWideString(const TWideString& other);
  TWideString(uint32_t capacity, capacitytag);
  virtual ~TWideString();

  TWideString& operator=(const TWideString& other);
  TWideString& operator=(const unsigned short* text);
  /// Widens a 7-bit text; the first byte above 127 ends it. Null gives no buffer.
  TWideString& operator=(const char* text);
  TWideString& SetText(const unsigned short* text, uint32_t count);
  void Assign(const TWideString& source, bool reallocate);

  TWideString& Append(const TWideString& other);
  TWideString& Append(const unsigned short* text, uint32_t count);
  TWideString& AppendChar(unsigned short c);
  TWideString& Insert(const unsigned short* text, int32_t position, uint32_t count);
  TWideString& Insert(unsigned short c, int32_t position);
  TWideString& Insert(const TWideString& other, int32_t position);
  TWideString& remove(uint32_t position, uint32_t count);
  TWideString& deleteSubStr(uint32_t position, uint32_t count);
  TWideString& operator+=(const TWideString& other);
  TWideString& operator+=(const unsigned short* text);
  TWideString& operator+=(unsigned short c);
  TWideString& operator+=(const char* text);
  TWideString operator+(const char* text) const;
  TWideString operator+(const unsigned short* text) const;

  bool SetCapacity(uint32_t n);
  bool ReSetCapacity(uint32_t n);
  uint32_t GetCapacity() const { return FCapacity; }
  void Clear();
  void ZeroString();
  void DeleteBuffer();

  const unsigned short* GetBuffer() const { return FBuffer ? FBuffer : FBufferTemp; }
  const unsigned short* p() const { return GetBuffer(); }
  unsigned short* GetBufferVar() { return FBuffer; }
  uint32_t Length() const;
  uint32_t length() const { return Length(); }
  static uint32_t Length(const unsigned short* text);
  /// Size in bytes with the terminator: 2 * (length + 1).
  uint32_t GetSize() const { return 2 * (Length() + 1); }
  static uint32_t GetSize(const unsigned short* text) { return 2 * (Length(text) + 1); }
  bool IsEmpty() const { return FBuffer == nullptr || FBuffer[0] == 0; }
  bool IsNotEmpty() const { return !IsEmpty(); }
  TWideString* Dup() const;
  /// A malloc'ed copy (release with free); null for null.
  static unsigned short* Dup(const unsigned short* text);

  bool operator==(const unsigned short* text) const;
  bool operator==(const TWideString& other) const;
  /// Compares with the widened 7-bit prefix of a narrow text.
  bool operator==(const char* text) const;
  bool operator!=(const unsigned short* text) const { return !(*this == text); }
  bool operator!=(const TWideString& other) const { return !(*this == other); }
  bool operator!=(const char* text) const { return !(*this == text); }
  /// Ordering by unsigned units; a string without buffer is the empty text.
  bool operator<(const TWideString& other) const;
  bool operator<=(const TWideString& other) const;
  bool operator>(const TWideString& other) const;
  bool operator>=(const TWideString& other) const;
  uint32_t hashValue() const;

  int find(unsigned short c, uint32_t ignored = 0) const;
  int32_t PosSubChar(unsigned short c, uint32_t ignored) const;
  int32_t PosSubStr(const TWideString& text) const;
  int reverseFind(unsigned short c);

  TWideString substring(uint32_t position, uint32_t count) const;
  TWideString left(uint32_t n) const;
  TWideString right(uint32_t n) const;
  TWideString Right(uint32_t n) const;
  TWideString GetNSubStr(uint32_t n) const;
  static TWideString GetCharRSubStr(const unsigned short* text, uint32_t start, unsigned short stop,
                                    uint32_t* out_length);
  TWideString GetCharRSubStr(uint32_t start, unsigned short stop, uint32_t* out_length) const;
  TWideString ExtractFileNameFromURL() const;

  TWideString& Trim(bool all);
  const unsigned short* TruncStr(uint32_t n);
  TWideString& ReplaceStr(const unsigned short* from, const unsigned short* to);
  TWideString& toLower();
  TWideString& toUpper();
  TWideString& fromBetweenTag(const unsigned short* text, const unsigned short* start_tag,
                              const unsigned short* end_tag);

  static int32_t StrToInt(const unsigned short* text, uint32_t start, uint32_t max_digits);
  static long long StrToInt64(const unsigned short* text, uint32_t start, uint32_t max_digits);
  int32_t ToInt32(uint32_t start, uint32_t max_digits) const;
  long long ToInt64(uint32_t start, uint32_t max_digits) const;
  static void IntToStr(unsigned short* out, long long value, uint32_t width);
  static void IntToStrA(char* out, long long value, uint32_t width);
  /// As TStringA::IntToStr, in a buffer of at least 50 units (width + 1 for wider widths).
  TWideString& IntToStr(long long value, uint32_t width);
  TWideString& FromInt32(int32_t value);
  TWideString& FromInt64(long long value);
  bool IsNumeric() const;
  static bool IsNumeric(const unsigned short* text);

  static bool IsTelStrS(const unsigned short* text);
  bool IsTelStr() const;
  bool IsEmailStr() const;
  static int32_t extractYearEX(unsigned short* text, bool remove, int min_year, int max_year);
  static int32_t extractYear(const unsigned short* text, int min_year, int max_year);

  TWideString& FromASCIIQuick(const char* text, uint32_t count);
  TWideString& FromUTF8(const char* text);
  TWideString& FromANSI(const char* text);
  TWideString& FromGB3212(const char* text);
  TStringA utf8() const;
  TStringA ansi() const;

  TWideString& FromGUID(const void* guid, bool lower_case);
  bool HexToGUID(void* guid) const;

  TWideString& Sprintf(const unsigned short* format, ...);

 protected:
  unsigned short* FBuffer;
  uint32_t FCapacity;

 private:
  static const unsigned short FBufferTemp[2];
};

/// Writes `count` bytes as "0xAB,0xCD,..." into `out` (capacity 5 * count + 2).
VORN_API void BinaryToHexA(const unsigned char* data, uint32_t count, TStringA& out, bool lower_case);
/// Writes `count` bytes as "ABCD..." into `out` (capacity 3 * count + 2); returns `out`.
VORN_API TStringA& BinaryToHexNoTagA(const unsigned char* data, uint32_t count, TStringA& out, bool lower_case);
/// The 32 upper-case hex digits of 16 bytes in a new[] array of 33 bytes (release with delete[]).
VORN_API char* GUIDToNewText(const void* guid);
/// The same digits in `out` (capacity 33); returns out.GetBuffer().
VORN_API const char* GUIDToNewText(const void* guid, TStringA& out);
/// 1 when `text` is non-null and exactly 32 characters long, else 0.
VORN_API int checkGUIDText(const char* text);

#endif /* __cplusplus */

VORN_EXTERN_C_BEGIN
/** Reads up to the last 16 hex digits of `text` (a "0x" prefix is skipped, nothing is validated). */
VORN_API int64_t hextoint(const char* text);
VORN_EXTERN_C_END

#endif /* VORN_STRINGS_H */
