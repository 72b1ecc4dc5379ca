// List splitting of TAnsiStrings and TWideStrings against a model: line splitting with
// and without a length limit (the limited text lies in a block of exactly that many
// units, with no terminator, so that a read past the limit is caught), field splitting
// by a separator set, joining, IndexOf, add/remove, copies and, narrow, sorting.
// Input: the first byte picks the width, then a limit byte, a separator byte count,
// the separators and the text.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "vorn/lists.h"
#include "vorn/strings.h"

namespace {

void check(bool ok) {
  if (!ok) abort();
}

template <class List>
struct Width;

template <>
struct Width<TAnsiStrings> {
  using Item = TStringA;
  using Unit = char;
  static constexpr bool kNarrow = true;
  static Unit unit(const uint8_t*& p) { return static_cast<char>(*p++); }
  static constexpr size_t kBytes = 1;
};

template <>
struct Width<TWideStrings> {
  using Item = TWideString;
  using Unit = unsigned short;
  static constexpr bool kNarrow = false;
  // Two bytes per unit; a few values stand for the line and separator units, so that
  // short inputs reach them.
  static Unit unit(const uint8_t*& p) {
    Unit u = static_cast<Unit>(p[0] | (p[1] << 8));
    p += 2;
    switch (u >> 12) {
      case 0xE:
        return 0x2028;
      case 0xF:
        return static_cast<Unit>(u & 0x7F);
      default:
        return u;
    }
  }
  static constexpr size_t kBytes = 2;
};

template <class Unit>
struct Entry {
  bool buf;
  std::vector<Unit> text;
  bool operator==(const Entry& o) const { return buf == o.buf && text == o.text; }
};

template <class Unit>
using Items = std::vector<Entry<Unit>>;

template <class Unit>
bool is_break(Unit u, bool narrow) {
  return u == 13 || u == 10 || (!narrow && u == 0x2028);
}

// Line splitting over `n` units (the limit; the units past a zero one are not looked at).
template <class Unit>
Items<Unit> lines(const std::vector<Unit>& t, size_t n, bool narrow) {
  Items<Unit> out;
  size_t i = 0;
  while (i < n && t[i] != 0) {
    size_t start = i;
    while (i < n && t[i] != 0 && !is_break(t[i], narrow)) ++i;
    out.push_back({i > start, std::vector<Unit>(t.begin() + start, t.begin() + i)});
    if (i < n && t[i] == 13) ++i;
    if (i < n && t[i] == 10) ++i;
    if (!narrow && i < n && t[i] == 0x2028) ++i;
  }
  return out;
}

template <class Unit>
Items<Unit> fields(const std::vector<Unit>& t, const std::vector<Unit>& seps) {
  Items<Unit> out;
  size_t i = 0;
  while (t[i] != 0) {
    size_t start = i;
    while (t[i] != 0 && std::find(seps.begin(), seps.end() - 1, t[i]) == seps.end() - 1) ++i;
    out.push_back({i > start, std::vector<Unit>(t.begin() + start, t.begin() + i)});
    if (t[i] != 0) ++i;
  }
  return out;
}

template <class Unit, class Item>
Entry<Unit> entry_of(const Item* item) {
  check(item != nullptr);
  Entry<Unit> e{const_cast<Item*>(item)->GetBufferVar() != nullptr, {}};
  for (const Unit* p = item->GetBuffer(); *p != 0; ++p) e.text.push_back(*p);
  return e;
}

template <class List>
void expect(const List& list, const Items<typename Width<List>::Unit>& want) {
  using W = Width<List>;
  check(list.count() == want.size());
  for (size_t i = 0; i < want.size(); ++i) {
    check((entry_of<typename W::Unit>(list.getItem(static_cast<uint32_t>(i))) == want[i]));
  }
  check(list.getItem(static_cast<uint32_t>(want.size())) == nullptr);
}

template <class List>
void run(const uint8_t* data, size_t size) {
  using W = Width<List>;
  using Unit = typename W::Unit;
  if (size < 2) return;
  const uint8_t* p = data;
  const uint8_t* end = data + size;
  uint32_t limit = *p++;
  size_t nseps = *p++ % 4;
  std::vector<Unit> seps;
  while (seps.size() < nseps && static_cast<size_t>(end - p) >= W::kBytes) seps.push_back(W::unit(p));
  seps.push_back(0);
  seps.resize(std::find(seps.begin(), seps.end(), Unit(0)) - seps.begin() + 1);  // as the list reads it
  std::vector<Unit> text;
  while (static_cast<size_t>(end - p) >= W::kBytes && text.size() < 512) text.push_back(W::unit(p));
  text.push_back(0);
  const size_t length = std::find(text.begin(), text.end(), Unit(0)) - text.begin();

  List list;
  // No limit: the text up to its terminator.
  list.SetText(text.data(), 0);
  Items<Unit> want = lines(text, text.size(), W::kNarrow);
  expect(list, want);

  // A limit: only that many units exist.
  if (limit != 0 && limit <= text.size()) {
    std::vector<Unit> block(text.begin(), text.begin() + limit);
    List limited;
    limited.SetText(block.data(), static_cast<int>(limit));
    expect(limited, lines(block, limit, W::kNarrow));
  }

  // Fields; an empty separator set splits into lines.
  List split;
  split.SetText2(text.data(), seps.data());
  Items<Unit> want_fields = seps.size() == 1 ? want : fields(text, seps);
  expect(split, want_fields);

  // Joining puts the separator between items only.
  Unit sep = seps[0];
  std::vector<Unit> joined;
  for (size_t i = 0; i < want_fields.size(); ++i) {
    if (i > 0 && sep != 0) joined.push_back(sep);
    joined.insert(joined.end(), want_fields[i].text.begin(), want_fields[i].text.end());
  }
  auto whole = split.Text(sep);
  check((entry_of<Unit>(&whole).text == joined));

  // IndexOf finds the first item of equal text; an empty text finds the first empty item.
  for (size_t k = 0; k < want_fields.size() && k < 4; ++k) {
    std::vector<Unit> probe = want_fields[k].text;
    probe.push_back(0);
    size_t first = 0;
    while (want_fields[first].text != want_fields[k].text) ++first;
    check(split.IndexOf(probe.data()) == static_cast<int32_t>(first));
  }
  std::vector<Unit> absent(length + 2, Unit('q'));
  absent.back() = 0;
  check(split.IndexOf(absent.data()) == -1);

  // Copies, adds and removals.
  List copy(split);
  expect(copy, want_fields);
  check(copy.add(static_cast<const Unit*>(nullptr)) == static_cast<int>(want_fields.size()));
  want_fields.push_back({false, {}});
  const typename W::Item* first_item = split.getItem(0);
  const typename W::Item none;
  check(copy.add(first_item != nullptr ? *first_item : none) == static_cast<int>(want_fields.size()));
  want_fields.push_back(first_item != nullptr ? want_fields[0] : Entry<Unit>{false, {}});
  int victim = static_cast<int>(limit % (want_fields.size() + 2)) - 1;
  copy.remove(victim);
  if (victim >= 0 && static_cast<size_t>(victim) < want_fields.size()) {
    want_fields.erase(want_fields.begin() + victim);
  }
  expect(copy, want_fields);

  if constexpr (W::kNarrow) {
    bool ascending = (limit & 1) != 0;
    copy.sort(ascending);
    auto below = [](const Entry<Unit>& a, const Entry<Unit>& b) {
      if (!a.buf || !b.buf) return !a.buf && b.buf;
      return std::lexicographical_compare(
          a.text.begin(), a.text.end(), b.text.begin(), b.text.end(),
          [](char x, char y) { return static_cast<unsigned char>(x) < static_cast<unsigned char>(y); });
    };
    std::sort(want_fields.begin(), want_fields.end(),
              [&](const Entry<Unit>& a, const Entry<Unit>& b) { return ascending ? below(a, b) : below(b, a); });
    expect(copy, want_fields);
  }

  list.clear();
  check(list.count() == 0 && list.getItem(0) == nullptr);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  if (data[0] & 1) {
    run<TWideStrings>(data + 1, size - 1);
  } else {
    run<TAnsiStrings>(data + 1, size - 1);
  }
  return 0;
}
