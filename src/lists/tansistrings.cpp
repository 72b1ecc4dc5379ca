// TAnsiStrings: the list of 8-bit strings. Everything but the text constructor and
// sort is shared with TWideStrings.
#include <algorithm>

#include "lists/string_list_impl.h"
#include "vorn/lists.h"

namespace {
using Unit = char;
}  // namespace

#define VORN_LIST_CLASS TAnsiStrings
#include "lists/string_list_members.inc"
#undef VORN_LIST_CLASS

TAnsiStrings::TAnsiStrings(const char* text) : TAnsiStrings() { SetText(text, 0); }

void TAnsiStrings::sort(bool ascending) {
  // TStringA's ordering puts a string without buffer before every string that has one.
  if (ascending) {
    std::sort(FItems->begin(), FItems->end(), [](const TStringA* a, const TStringA* b) { return *a < *b; });
  } else {
    std::sort(FItems->begin(), FItems->end(), [](const TStringA* a, const TStringA* b) { return *a > *b; });
  }
}
