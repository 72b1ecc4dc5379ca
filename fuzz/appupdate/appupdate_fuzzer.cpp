// Fuzzes ParseAppUpdateInfo over the document bytes, against a small fixed local list,
// and checks the shape of every tree it returns. Where the XML parse accepts the bytes,
// it also checks that the nesting pre-scan measured exactly the depth that the parse
// built, so that the guard against deep documents cannot be slipped past.
#include <rapidxml/rapidxml.hpp>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "appupdate/appupdate_impl.h"
#include "vorn/appupdate.h"

namespace {

const unsigned short kMain[] = {'m', 'a', 'i', 'n', 0};
const unsigned short kA[] = {'a', 0};
const unsigned short kB[] = {'b', 0};
const unsigned short kFile[] = {'f', 'i', 'l', 'e', 0};
const unsigned short kOne[] = {'1', '.', '0', 0};
const unsigned short kHash[] = {'a', 'b', 'c', 0};
const unsigned short kExtra[] = {'x', 0};

const tnoticeLocal kLocals[] = {
    {kMain, nullptr, kOne, 0},
    {kA, kExtra, kHash, 1},
    {kB, nullptr, nullptr, 0},
    {kFile, nullptr, kOne, 0},
};
const tnoticeLocalList kList = {4, kLocals};

void CheckRecords(const tnoticeItem* items, int32_t count) {
  for (int32_t i = 0; i < count; ++i) {
    const tnoticeItem& item = items[i];
    if (item.name == nullptr || item.childCount < 0 || (item.childCount == 0) != (item.children == nullptr) ||
        item.upmethod < 0 || item.upmethod > 2) {
      std::abort();
    }
    CheckRecords(item.children, item.childCount);
  }
}

void Check(tnoticeItemList* list) {
  if (list != nullptr) {
    if (list->count < 1 || list->items == nullptr) std::abort();
    CheckRecords(list->items, list->count);
  }
  ParseAppUpdateInfo_free(list);
}

// Deepest element nesting of a parsed document (unnamed nodes do not count).
uint32_t ElementDepth(const rapidxml::xml_node<char>* root) {
  uint32_t deepest = 0;
  uint32_t depth = 0;
  const rapidxml::xml_node<char>* node = root->first_node();
  while (node != nullptr) {
    if (node->type() == rapidxml::node_element) {
      ++depth;
      if (depth > deepest) deepest = depth;
    }
    if (node->first_node() != nullptr) {
      node = node->first_node();
      continue;
    }
    if (node->type() == rapidxml::node_element) --depth;
    while (node != root && node->next_sibling() == nullptr) {
      node = node->parent();
      if (node != root && node->type() == rapidxml::node_element) --depth;
    }
    node = node == root ? nullptr : node->next_sibling();
  }
  return deepest;
}

void CheckNestingScan(const std::vector<char>& terminated) {
  namespace au = vorn::detail::appupdate;
  // Deeper documents would take the direct parse below past the stack.
  if (au::FindExcessNesting(terminated.data(), au::kMaxNesting) != nullptr) return;
  std::vector<char> copy = terminated;
  rapidxml::xml_document<char> document;
  try {
    document.parse<0>(copy.data());
  } catch (const rapidxml::parse_error&) {
    return;
  }
  // The scan counts elements opened with '>'; the tree also counts the innermost
  // element when it was written "<a/>", so its depth is the scan's or one more.
  const uint32_t depth = ElementDepth(&document);
  const size_t length = std::strlen(terminated.data());
  if (au::CountOpeningTagEnds(terminated.data(), length) + 1 < depth) std::abort();
  if (au::FindExcessNesting(terminated.data(), depth) != nullptr) std::abort();
  if (depth > 1 && au::FindExcessNesting(terminated.data(), depth - 2) == nullptr) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > UINT32_MAX - 1) return 0;
  const char* text = reinterpret_cast<const char*>(data);
  // The bytes as given, bounded by the length only (not zero-terminated; a length of 0
  // would mean "up to the terminator").
  if (size > 0) Check(ParseAppUpdateInfo(text, static_cast<uint32_t>(size), &kList));
  // The same bytes zero-terminated, read up to the terminator.
  std::vector<char> terminated(text, text + size);
  terminated.push_back(0);
  Check(ParseAppUpdateInfo(terminated.data(), 0, &kList));
  CheckNestingScan(terminated);
  return 0;
}
