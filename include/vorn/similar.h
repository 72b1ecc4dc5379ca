/** @file vorn/similar.h
 * String similarity measures (TStrSimilar).
 *
 * TStrSimilar rates how alike two narrow, zero-terminated texts are: an edit distance
 * in bytes, percentages built on the byte or word edit distance, two measures of shared
 * printable byte values and a composite score. Letters 'a' to 'z' compare equal to their
 * upper-case forms wherever a measure is case-blind; no other byte is folded. A null text
 * is the empty text. Every measure except `distance` returns a percentage from 0 to 100.
 *
 * @code
 *   TStrSimilar s;
 *   uint32_t d = s.distance("flaw", "lawn", 0);          // 2
 *   uint32_t r = s.similarity_proportion("abc", "abd");  // 66
 *   uint32_t w = s.similarityWords_dkl(a, b, 40);        // gives up early below 40
 * @endcode
 *
 * One object serves many comparisons: its work buffer grows to the longest input seen
 * and is kept, and it needs memory linear in the text length. An object serves one
 * thread at a time. The class is C++ only.
 */
#ifndef VORN_SIMILAR_H
#define VORN_SIMILAR_H

#include "vorn/export.h"

#ifdef __cplusplus

#include <stdint.h>

/// Similarity calculator for 8-bit texts. Field order (FlsBuffer, FlsSize, FCounts1,
/// FCounts2) is part of the interface. Not virtual; owns its work buffer.
class VORN_API TStrSimilar {
 public:
  /// An object without work buffer; the first edit distance allocates it.
  TStrSimilar();
  /// A new object with a work buffer of its own of the same reach as `other`'s.
  TStrSimilar(const TStrSimilar& other);
  /// Frees the work buffer.
  ~TStrSimilar();
  /// Makes this object serve at least the text lengths `other` serves, with its own buffer.
  TStrSimilar& operator=(const TStrSimilar& other);

  /// Edit distance of `a` and `b` in bytes (insert, delete, substitute cost 1), case-blind
  /// for 'a'-'z'. With `limit` != 0 the work stops at the first diagonal step whose
  /// distance exceeds `limit` and that value (limit + 1) is returned.
  uint32_t distance(const char* a, const char* b, uint32_t limit);
  /// (m - d) * 100 / m with m the longer length and d the byte distance; 100 for two
  /// empty texts, 0 when exactly one is empty.
  uint32_t similarity_proportion(const char* a, const char* b);
  /// As similarity_proportion over words (runs of bytes 33-125 and 127), words compared
  /// case-blind. Two texts that hold no word at all rate 100.
  uint32_t similarityWords_proportion(const char* a, const char* b);
  /// 100 / (byte distance + 1). `threshold` (percent, 0 = none) lets the distance stop
  /// early once the rating must fall below it.
  uint32_t similarity_dkl_s(const char* a, const char* b, uint32_t threshold);
  /// 100 / (word distance + 1) with the same threshold; 100 for two empty texts, 0 when
  /// exactly one is empty.
  uint32_t similarityWords_dkl(const char* a, const char* b, uint32_t threshold);
  /// Byte values 32-126 present in both texts, as a percentage of those present in
  /// either (0 when neither holds one); 100 for two empty texts, 0 when one is empty.
  uint32_t similarity_InterSec(const char* a, const char* b);
  /// As similarity_InterSec with 'a'-'z' counted as 'A'-'Z'.
  uint32_t similarity_InterSecNoCase(const char* a, const char* b);
  /// (similarity_InterSecNoCase + 3 * similarity_proportion) / 4.
  uint32_t simlarity_composite(const char* a, const char* b);

 private:
  // Makes sure the work buffer serves sequences of up to `n` units (FlsSize > n).
  void expandlsBuffer(uint32_t n);
  // Frees the work buffer and sets FlsSize to 0.
  void deleteDistanceResource();

  // Work buffer of 32-bit cells for the edit distances. It holds the bit-vector state of
  // the column-by-column distance (two 64-bit words per 64 rows, stored as cell pairs),
  // the match masks of the shorter sequence, and for words the word positions and a hash
  // table of distinct words; its cell count is linear in FlsSize. Null when none.
  uint32_t* FlsBuffer;
  // Reach of the work buffer: it serves sequences of up to FlsSize - 1 units; 0 when none.
  uint32_t FlsSize;
  // Presence tables of the first and second text, by byte value (scratch).
  uint8_t FCounts1[255];
  uint8_t FCounts2[255];
};

#endif /* __cplusplus */

#endif /* VORN_SIMILAR_H */
