// TWideStrings: the list of UTF-16 strings. Everything but the one-item constructor
// is shared with TAnsiStrings.
#include "lists/string_list_impl.h"
#include "vorn/lists.h"

namespace {
using Ops = vorn::detail::ListOps<unsigned short>;
using Item = Ops::Item;
}  // namespace

TWideStrings::TWideStrings() : FItems(new std::vector<Item*>) {}
TWideStrings::TWideStrings(const TWideStrings& other) : FItems(Ops::copy_of(*other.FItems)) {}
TWideStrings::~TWideStrings() { Ops::destroy(FItems); }
// Lists cannot be assigned: the operator is private and leaves the target as it is.
TWideStrings& TWideStrings::operator=(const TWideStrings&) { return *this; }

int TWideStrings::add(const Item& item) { return Ops(*FItems).add_copy(item); }
int TWideStrings::add(const unsigned short* text) { return Ops(*FItems).add_text(text); }
void TWideStrings::remove(int index) { Ops(*FItems).remove(index); }
void TWideStrings::clear() { Ops(*FItems).clear(); }
uint32_t TWideStrings::count() const { return Ops(*FItems).count(); }
const Item* TWideStrings::getItem(uint32_t index) const { return Ops(*FItems).get(index); }
int32_t TWideStrings::IndexOf(const unsigned short* text) { return Ops(*FItems).index_of(text); }
void TWideStrings::SetText(const unsigned short* text, int length) { Ops(*FItems).set_text(text, length); }
void TWideStrings::SetText2(const unsigned short* text, const unsigned short* separators) {
  Ops(*FItems).split_fields(text, separators);
}
Item TWideStrings::Text(unsigned short separator) { return Ops(*FItems).join(separator); }
bool TWideStrings::loadFromFile(const unsigned short* path) { return Ops(*FItems).load(path); }
bool TWideStrings::saveToFile(const unsigned short* path) { return Ops(*FItems).save(path); }

TWideStrings::TWideStrings(const unsigned short* text) : TWideStrings() { add(text); }
