// TWideStrings: the list of UTF-16 strings. Everything but the one-item constructor
// is shared with TAnsiStrings.
#include "lists/string_list_impl.h"
#include "vorn/lists.h"

namespace {
using Unit = unsigned short;
}  // namespace

#define VORN_LIST_CLASS TWideStrings
#include "lists/string_list_members.inc"
#undef VORN_LIST_CLASS

TWideStrings::TWideStrings(const unsigned short* text) : TWideStrings() { add(text); }
