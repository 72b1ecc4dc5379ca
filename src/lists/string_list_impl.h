// Internal to vorn_common: do not include from outside src/.
//
// The item handling, splitting, joining, searching and file round trip shared by
// TAnsiStrings and TWideStrings, written once over the unit type. A list is a
// separately allocated std::vector of pointers to owned string objects; ListOps is a
// view of that vector that the exported classes construct on the fly, so the classes
// keep their exported layout (vtable, FItems).
//
// What differs between the two lists (the item class, whether U+2028 ends a line,
// how a file's bytes become units and back) lives in UnitTraits.
#ifndef VORN_SRC_LISTS_STRING_LIST_IMPL_H
#define VORN_SRC_LISTS_STRING_LIST_IMPL_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "cstr/unit_traits.h"
#include "vorn/strings.h"

namespace vorn::detail {

/// Operations on a list's item vector. The vector and every item it points to belong
/// to the list.
template <class Unit>
class ListOps {
 public:
  using Traits = UnitTraits<Unit>;
  using Item = typename Traits::String;
  using Items = std::vector<Item*>;

  explicit ListOps(Items& items) : items_(items) {}

  /// Appends an owned item; returns its index.
  int append(std::unique_ptr<Item> item) {
    items_.push_back(item.get());
    (void)item.release();  // the vector owns it now
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
    const std::vector<Unit> units = Traits::units_from_file_bytes(bytes, static_cast<size_t>(size));
    delete[] bytes;
    split_lines(units.data(), units.size());
    return true;
  }

  /// Writes the items joined by LF, without terminator, byte-order mark or final line break.
  bool save(const Unit* path) const {
    if (path == nullptr || path[0] == 0) return false;
    const Item text = join(10);
    const std::vector<char> bytes = Traits::file_bytes_from_units(text.GetBuffer(), text.Length());
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
