// Internal to vorn_common: do not include from outside src/.
//
// The item handling, splitting, joining, searching and file round trip shared by
// TAnsiStrings and TWideStrings, written once over the unit type. A list is a
// separately allocated std::vector of pointers to owned string objects; ListOps is a
// view of that vector that the exported classes construct on the fly, so the classes
// keep their exported layout (vtable, FItems).
//
// What differs between the two lists lives in ListTraits: the item class, whether
// U+2028 ends a line, and how a file's bytes become units and back (raw bytes for the
// narrow list, little-endian 16-bit units for the wide one).
#ifndef VORN_SRC_LISTS_STRING_LIST_IMPL_H
#define VORN_SRC_LISTS_STRING_LIST_IMPL_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "vorn/files.h"
#include "vorn/strings.h"

namespace vorn::detail {

template <class Unit>
struct ListTraits;

template <>
struct ListTraits<char> {
  using Item = TStringA;
  static constexpr bool kLineSeparator = false;

  static int32_t read_file(const char* path, char** out) { return Vorn_ReadFileA(path, out); }
  static int32_t write_file(const char* path, const void* data, uint32_t size) {
    return Vorn_WriteFileA(path, data, size);
  }
};

template <>
struct ListTraits<unsigned short> {
  using Item = TWideString;
  // LINE SEPARATOR ends a line in wide text, after CR and LF.
  static constexpr bool kLineSeparator = true;
  static constexpr unsigned short kLineSeparatorUnit = 0x2028;

  static int32_t read_file(const unsigned short* path, char** out) { return Vorn_ReadFileW(path, out); }
  static int32_t write_file(const unsigned short* path, const void* data, uint32_t size) {
    return Vorn_WriteFileW(path, data, size);
  }
};

/// The file's bytes as units: the bytes themselves for 8-bit text; for 16-bit text the
/// whole little-endian units (an odd last byte is dropped). Decoded explicitly so that
/// the byte buffer is never read through another type.
template <class Unit>
std::vector<Unit> units_from_file_bytes(const char* bytes, size_t size) {
  if constexpr (sizeof(Unit) == 1) {
    return std::vector<Unit>(bytes, bytes + size);
  } else {
    std::vector<Unit> units(size / 2);
    const auto* b = reinterpret_cast<const unsigned char*>(bytes);
    for (size_t i = 0; i < units.size(); ++i) units[i] = static_cast<Unit>(b[2 * i] | (b[2 * i + 1] << 8));
    return units;
  }
}

/// The units of a text as the bytes of a file: 8-bit units as they are, 16-bit units
/// little-endian.
template <class Unit>
std::vector<char> file_bytes_from_units(const Unit* text, size_t length) {
  if constexpr (sizeof(Unit) == 1) {
    return std::vector<char>(text, text + length);
  } else {
    std::vector<char> bytes(length * 2);
    for (size_t i = 0; i < length; ++i) {
      bytes[2 * i] = static_cast<char>(text[i] & 0xFF);
      bytes[2 * i + 1] = static_cast<char>(text[i] >> 8);
    }
    return bytes;
  }
}

/// Operations on a list's item vector. The vector and every item it points to belong
/// to the list.
template <class Unit>
class ListOps {
 public:
  using Traits = ListTraits<Unit>;
  using Item = typename Traits::Item;
  using Items = std::vector<Item*>;

  explicit ListOps(Items& items) : items_(items) {}

  /// Appends an owned item; returns its index.
  int append(std::unique_ptr<Item> item) {
    items_.push_back(item.get());
    item.release();
    return static_cast<int>(items_.size() - 1);
  }
  int add_copy(const Item& other) { return append(std::make_unique<Item>(other)); }
  int add_text(const Unit* text) { return append(std::make_unique<Item>(text)); }

  /// Appends an item made of exactly `count` units of `text`; no units give an item
  /// without buffer.
  void add_counted(const Unit* text, size_t count) {
    if (count == 0) {
      append(std::make_unique<Item>());
    } else {
      append(std::make_unique<Item>(text, static_cast<uint32_t>(count)));
    }
  }

  /// Deep copy of another list's items, in order.
  void copy_from(const Items& other) {
    for (const Item* item : other) add_copy(*item);
  }

  /// The copy constructor's item vector: a deep copy of `other`.
  static Items* copy_of(const Items& other) {
    auto* items = new Items;
    try {
      ListOps(*items).copy_from(other);
    } catch (...) {
      // Out of memory half-way: release what was copied before the exception goes on.
      destroy(items);
      throw;
    }
    return items;
  }

  /// The destructor's work: the items, then the vector.
  static void destroy(Items* items) {
    ListOps(*items).clear();
    delete items;
  }

  void remove(int index) {
    if (index < 0 || static_cast<size_t>(index) >= items_.size()) return;
    delete items_[static_cast<size_t>(index)];
    items_.erase(items_.begin() + index);
  }

  /// Destroys every item; the vector keeps its capacity.
  void clear() {
    for (Item* item : items_) delete item;
    items_.clear();
  }

  uint32_t count() const { return static_cast<uint32_t>(items_.size()); }

  const Item* get(uint32_t index) const { return index < items_.size() ? items_[index] : nullptr; }

  int32_t index_of(const Unit* text) const {
    for (size_t i = 0; i < items_.size(); ++i) {
      if (*items_[i] == text) return static_cast<int32_t>(i);
    }
    return -1;
  }

  /// Replaces the items by the lines of `text`; no unit at or beyond `limit` is read.
  /// CR, LF, NUL (and U+2028 in wide text) end a line; after a line one CR, then one
  /// LF (then one U+2028) are skipped, each while the limit allows.
  void split_lines(const Unit* text, size_t limit) {
    clear();
    if (text == nullptr) return;
    size_t pos = 0;
    while (pos < limit && text[pos] != 0) {
      const size_t start = pos;
      while (pos < limit && !ends_line(text[pos])) ++pos;
      add_counted(text + start, pos - start);
      if (pos < limit && text[pos] == 13) ++pos;
      if (pos < limit && text[pos] == 10) ++pos;
      if constexpr (Traits::kLineSeparator) {
        if (pos < limit && text[pos] == Traits::kLineSeparatorUnit) ++pos;
      }
    }
  }

  /// SetText: a length of 0 means no limit; a negative length, taken as unsigned, is
  /// as good as none.
  void set_text(const Unit* text, int length) {
    split_lines(text, length == 0 ? SIZE_MAX : static_cast<size_t>(static_cast<uint32_t>(length)));
  }

  /// Replaces the items by the fields of `text`, each unit of `separators` ending one
  /// field; without separators the text is split into lines.
  void split_fields(const Unit* text, const Unit* separators) {
    if (separators == nullptr || separators[0] == 0) {
      set_text(text, 0);
      return;
    }
    clear();
    if (text == nullptr) return;
    size_t pos = 0;
    while (text[pos] != 0) {
      const size_t start = pos;
      while (text[pos] != 0 && !in_set(text[pos], separators)) ++pos;
      add_counted(text + start, pos - start);
      if (text[pos] != 0) ++pos;
    }
  }

  /// All items joined, `separator` between each two (NUL joins without separator).
  Item join(Unit separator) const {
    const size_t sep_count = (separator != 0 && !items_.empty()) ? items_.size() - 1 : 0;
    size_t total = sep_count;
    for (const Item* item : items_) total += item->Length();
    Item result;
    if (total == 0) return result;
    if (total >= UINT32_MAX || !result.SetCapacity(static_cast<uint32_t>(total + 1))) return result;
    for (size_t i = 0; i < items_.size(); ++i) {
      if (i != 0) result.AppendChar(separator);
      if (items_[i]->IsNotEmpty()) result.Append(items_[i]->GetBuffer(), 0);
    }
    return result;
  }

  /// Replaces the items by the lines of the file; false (items kept) when the file
  /// cannot be read or is empty.
  bool load(const Unit* path) {
    if (path == nullptr || path[0] == 0) return false;
    char* bytes = nullptr;
    const int32_t size = Traits::read_file(path, &bytes);
    if (size < 1 || bytes == nullptr) {
      delete[] bytes;
      return false;
    }
    const std::vector<Unit> units = units_from_file_bytes<Unit>(bytes, static_cast<size_t>(size));
    delete[] bytes;
    split_lines(units.data(), units.size());
    return true;
  }

  /// Writes the items joined by LF, without terminator, byte-order mark or final line break.
  bool save(const Unit* path) const {
    if (path == nullptr || path[0] == 0) return false;
    const Item text = join(10);
    const std::vector<char> bytes = file_bytes_from_units(text.GetBuffer(), text.Length());
    return Traits::write_file(path, bytes.data(), static_cast<uint32_t>(bytes.size())) >= 0;
  }

 private:
  static bool ends_line(Unit u) {
    if (u == 13 || u == 10 || u == 0) return true;
    if constexpr (Traits::kLineSeparator) return u == Traits::kLineSeparatorUnit;
    return false;
  }

  static bool in_set(Unit u, const Unit* set) {
    for (; *set != 0; ++set) {
      if (*set == u) return true;
    }
    return false;
  }

  Items& items_;
};

}  // namespace vorn::detail

#endif  // VORN_SRC_LISTS_STRING_LIST_IMPL_H
