// Strings and records of the update-information tree: allocation and release.
#include <cstring>
#include <initializer_list>
#include <vector>

#include "appupdate/appupdate_impl.h"
#include "vorn/charset.h"

namespace vorn::detail::appupdate {

size_t WideLength(const unsigned short* text) {
  if (text == nullptr) return 0;
  size_t n = 0;
  while (text[n] != 0) ++n;
  return n;
}

unsigned short* NewWideCopy(const unsigned short* text) {
  if (text == nullptr) return nullptr;
  const size_t n = WideLength(text);
  auto* copy = new unsigned short[n + 1];
  std::memcpy(copy, text, (n + 1) * sizeof(unsigned short));
  return copy;
}

namespace {

// A children array still to be released.
struct PendingChildren {
  tnoticeItem* items;
  int32_t count;
};

// Releases the item's strings and hands its children array to `pending`; zeroes it.
void ReleaseOwnFields(tnoticeItem& item, std::vector<PendingChildren>& pending) {
  if (item.children != nullptr) pending.push_back({item.children, item.childCount});
  for (unsigned short* s : {item.name, item.version, item.localVersion, item.filename, item.rlpath, item.link,
                            item.caption, item.extra}) {
    delete[] s;
  }
  item = tnoticeItem{};
}

}  // namespace

// Iterative, so that a tree of any depth is released within the stack.
void ReleaseItem(tnoticeItem& item) {
  std::vector<PendingChildren> pending;
  ReleaseOwnFields(item, pending);
  while (!pending.empty()) {
    const PendingChildren children = pending.back();
    pending.pop_back();
    for (int32_t i = 0; i < children.count; ++i) ReleaseOwnFields(children.items[i], pending);
    delete[] children.items;
  }
}

unsigned short* Utf8ToWide::Reserve(size_t units) {
  if (units > capacity_) {
    delete[] scratch_;
    scratch_ = nullptr;
    capacity_ = 0;
    // Grow geometrically: one walk converts many values of similar sizes.
    const size_t grown = units < 64 ? 64 : units + units / 2;
    scratch_ = new unsigned short[grown];
    capacity_ = grown;
  }
  return scratch_;
}

const unsigned short* Utf8ToWide::Convert(const char* text, size_t* out_length) {
  const size_t length = std::strlen(text);
  // 7-bit text is widened unit for unit, which is exactly what the converter gives
  // for it, without the converter's per-call cost.
  unsigned short* units = Reserve(length + 1);
  size_t i = 0;
  for (; i < length && static_cast<unsigned char>(text[i]) < 0x80; ++i) units[i] = static_cast<unsigned char>(text[i]);
  if (i == length) {
    units[length] = 0;
    *out_length = length;
    return units;
  }
  // The general case, sized as the wide string class sizes it: 2L + 4 units.
  const size_t wanted = 2 * length + 4;
  const uint32_t capacity = wanted > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(wanted);
  units = Reserve(capacity);
  const int32_t source_length = length > static_cast<size_t>(INT32_MAX) ? -1 : static_cast<int32_t>(length);
  const int n = AnyToUnicode("UTF8", units, capacity, text, source_length);
  const size_t count = (n >= 1 && static_cast<uint32_t>(n) < capacity) ? static_cast<size_t>(n) : 0;
  units[count] = 0;
  *out_length = count;
  return units;
}

unsigned short* Utf8ToWide::NewString(const char* text) {
  size_t n = 0;
  const unsigned short* units = Convert(text, &n);
  auto* copy = new unsigned short[n + 1];
  std::memcpy(copy, units, (n + 1) * sizeof(unsigned short));
  return copy;
}

}  // namespace vorn::detail::appupdate

extern "C" void ParseAppUpdateInfo_free(tnoticeItemList* list) {
  if (list == nullptr) return;
  if (list->items != nullptr) {
    for (int32_t i = 0; i < list->count; ++i) vorn::detail::appupdate::ReleaseItem(list->items[i]);
    delete[] list->items;
  }
  delete list;
}
