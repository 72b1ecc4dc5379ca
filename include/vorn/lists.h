/** @file vorn/lists.h
 * String lists TAnsiStrings and TWideStrings.
 *
 * An ordered list of owned string objects (TStringA or TWideString items) that splits
 * a text into lines or fields, joins the items back into one text, finds an item by
 * its exact text, and loads and saves the whole list as a file. Indexes are 0-based
 * and dense; out-of-range indexes are ignored (remove) or give null (getItem). A null
 * text is accepted everywhere and means the empty text.
 *
 * @code
 *   TAnsiStrings lines("alpha\r\nbeta\ngamma");   // three items
 *   lines.sort(true);
 *   TStringA csv = lines.Text(',');               // "alpha,beta,gamma"
 *   lines.saveToFile("/tmp/names.txt");           // items joined by LF
 * @endcode
 *
 * Narrow files are raw bytes; wide files are little-endian UTF-16 units without a
 * byte-order mark. C++ only.
 */
#ifndef VORN_LISTS_H
#define VORN_LISTS_H

#include <stdint.h>

#include "vorn/export.h"
#include "vorn/strings.h"

#ifdef __cplusplus

#include <vector>

/// The exported list of 8-bit strings. Field order (vtable, FItems) is part of the interface.
class VORN_API TAnsiStrings {
 public:
  /// An empty list.
  TAnsiStrings();
  /// The lines of `text`, as SetText(text, 0); null gives an empty list.
  TAnsiStrings(const char* text);  // NOLINT(google-explicit-constructor): implicit by design
  /// A deep copy: a new item for every item of `other`, in the same order.
  TAnsiStrings(const TAnsiStrings& other);
  /// Destroys every item, then the item array.
  virtual ~TAnsiStrings();

  /// Appends a copy of `item`; returns its index.
  int add(const TStringA& item);
  /// Appends a new item made from `text` (null gives an item without buffer); returns its index.
  int add(const char* text);
  /// Destroys the item at `index` and moves the later ones down; an index out of range is ignored.
  void remove(int index);
  /// Destroys every item; the array keeps its capacity.
  void clear();
  /// The number of items.
  uint32_t count() const;
  /// The item at `index`, or null when `index` is not below the count. The list keeps
  /// ownership; the pointer lives until the item is removed or the list cleared, refilled or destroyed.
  const TStringA* getItem(uint32_t index) const;

  /// Index of the first item equal to `text` (exact, unsigned bytes), or -1. Null and ""
  /// match exactly the empty items.
  int32_t IndexOf(const char* text);
  /// Sorts the items in place by unsigned bytes, ascending for true. Items without
  /// buffer order below all others (below "" too). Not stable.
  void sort(bool ascending);

  /// Replaces the items by the lines of `text`; CR LF, CR and LF each end a line, a final
  /// line break adds no empty item. `length` limits the bytes read (0: up to the NUL).
  void SetText(const char* text, int length);
  /// Replaces the items by the fields of `text`; every byte found in `separators` ends a
  /// field (runs are not merged). Null or empty `separators` split into lines instead.
  void SetText2(const char* text, const char* separators);
  /// A new string of all items, `separator` between each two (NUL: none); "" for no items.
  TStringA Text(char separator);

  /// Replaces the items by the lines of the file's bytes (a NUL byte ends the text).
  /// False, items untouched, for a null/empty path or a missing, empty or unreadable file.
  bool loadFromFile(const char* path);
  /// Writes the items joined by LF (no final line break) to the file, creating or
  /// truncating it. False for a null/empty path or when the file cannot be written.
  bool saveToFile(const char* path);

 protected:
  /// The owned items in order (each released with delete), in an owned array.
  std::vector<TStringA*>* FItems;

 private:
  // Lists cannot be assigned: the operator does nothing.
  TAnsiStrings& operator=(const TAnsiStrings& other);
};

/// The exported list of UTF-16 strings: TAnsiStrings' model over 16-bit units.
class VORN_API TWideStrings {
 public:
  /// An empty list.
  TWideStrings();
  /// A list of one item made from the whole `text`, not split; null gives one item without buffer.
  TWideStrings(const unsigned short* text);  // NOLINT(google-explicit-constructor)
  /// A deep copy: a new item for every item of `other`, in the same order.
  TWideStrings(const TWideStrings& other);
  /// Destroys every item, then the item array.
  virtual ~TWideStrings();

  /// Appends a copy of `item`; returns its index.
  int add(const TWideString& item);
  /// Appends a new item made from `text` (null gives an item without buffer); returns its index.
  int add(const unsigned short* text);
  /// Destroys the item at `index` and moves the later ones down; an index out of range is ignored.
  void remove(int index);
  /// Destroys every item; the array keeps its capacity.
  void clear();
  /// The number of items.
  uint32_t count() const;
  /// The item at `index`, or null when `index` is not below the count; owned by the list.
  const TWideString* getItem(uint32_t index) const;
  /// The same as getItem.
  const TWideString* operator[](uint32_t index) const { return getItem(index); }

  /// Index of the first item equal to `text` unit by unit, or -1; null and "" match the empty items.
  int32_t IndexOf(const unsigned short* text);

  /// Replaces the items by the lines of `text`; as TAnsiStrings::SetText, and U+2028 ends
  /// a line too (CR LF U+2028 in that order is one break). `length` counts units.
  void SetText(const unsigned short* text, int length);
  /// Replaces the items by the fields of `text`, cut at every unit found in `separators`.
  void SetText2(const unsigned short* text, const unsigned short* separators);
  /// A new string of all items, `separator` between each two (0: none).
  TWideString Text(unsigned short separator);

  /// Replaces the items by the lines of a file of little-endian UTF-16 units (an odd last
  /// byte is ignored; a byte-order mark stays in the first item). False, items untouched,
  /// for a null/empty path or a missing, empty or unreadable file.
  bool loadFromFile(const unsigned short* path);
  /// Writes the items joined by U+000A as little-endian UTF-16, without byte-order mark or
  /// final line break. False for a null/empty path or when the file cannot be written.
  bool saveToFile(const unsigned short* path);

 protected:
  /// The owned items in order (each released with delete), in an owned array.
  std::vector<TWideString*>* FItems;

 private:
  // Lists cannot be assigned: the operator does nothing.
  TWideStrings& operator=(const TWideStrings& other);
};

#endif /* __cplusplus */

#endif /* VORN_LISTS_H */
