// TAnsiStrings: the list of 8-bit strings. Everything but the text constructor and
// sort is shared with TWideStrings.
#include <algorithm>

#include "lists/string_list_impl.h"
#include "vorn/lists.h"

namespace {
using Ops = vorn::detail::ListOps<char>;
using Item = Ops::Item;
}  // namespace

TAnsiStrings::TAnsiStrings() : FItems(new std::vector<Item*>) {}
TAnsiStrings::TAnsiStrings(const TAnsiStrings& other) : FItems(Ops::copy_of(*other.FItems)) {}
TAnsiStrings::~TAnsiStrings() { Ops::destroy(FItems); }
// Lists cannot be assigned: the operator is private and leaves the target as it is.
TAnsiStrings& TAnsiStrings::operator=(const TAnsiStrings&) { return *this; }

int TAnsiStrings::add(const Item& item) { return Ops(*FItems).add_copy(item); }
int TAnsiStrings::add(const char* text) { return Ops(*FItems).add_text(text); }
void TAnsiStrings::remove(int index) { Ops(*FItems).remove(index); }
void TAnsiStrings::clear() { Ops(*FItems).clear(); }
uint32_t TAnsiStrings::count() const { return Ops(*FItems).count(); }
const Item* TAnsiStrings::getItem(uint32_t index) const { return Ops(*FItems).get(index); }
int32_t TAnsiStrings::IndexOf(const char* text) { return Ops(*FItems).index_of(text); }
void TAnsiStrings::SetText(const char* text, int length) { Ops(*FItems).set_text(text, length); }
void TAnsiStrings::SetText2(const char* text, const char* separators) { Ops(*FItems).split_fields(text, separators); }
Item TAnsiStrings::Text(char separator) { return Ops(*FItems).join(separator); }
bool TAnsiStrings::loadFromFile(const char* path) { return Ops(*FItems).load(path); }
bool TAnsiStrings::saveToFile(const char* path) { return Ops(*FItems).save(path); }

TAnsiStrings::TAnsiStrings(const char* text) : TAnsiStrings() { SetText(text, 0); }

void TAnsiStrings::sort(bool ascending) {
  // TStringA's ordering puts a string without buffer before every string that has one.
  if (ascending) {
    std::sort(FItems->begin(), FItems->end(), [](const TStringA* a, const TStringA* b) { return *a < *b; });
  } else {
    std::sort(FItems->begin(), FItems->end(), [](const TStringA* a, const TStringA* b) { return *a > *b; });
  }
}
