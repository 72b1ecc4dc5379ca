// Strings and records of the update-information tree: conversion, allocation and release.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>
#include <type_traits>

#include "appupdate/appupdate_impl.h"
#include "vorn/charset.h"

namespace vorn::detail::appupdate {

size_t WideLength(const unsigned short* text) { return text_length(text); }

namespace {

constexpr size_t kFirstBlockBytes = size_t{2} << 10;
constexpr size_t kLargestBlockBytes = size_t{64} << 10;

}  // namespace

struct ResultStore::Block {
  Block* next;
};

ResultStore::~ResultStore() {
  while (blocks_ != nullptr) {
    Block* const next = blocks_->next;
    ::operator delete(blocks_);
    blocks_ = next;
  }
}

void* ResultStore::AllocateInNewBlock(size_t bytes, size_t alignment) {
  // The rest of the current block is left unused.
  next_size_ = next_size_ == 0 ? kFirstBlockBytes : std::min(2 * next_size_, kLargestBlockBytes);
  constexpr size_t header = alignof(std::max_align_t);
  static_assert(header >= sizeof(Block), "the block header fits before the first object");
  if (bytes > SIZE_MAX - header - alignment) throw std::bad_alloc();
  const size_t size = std::max(next_size_, header + bytes + alignment);
  blocks_ = new (::operator new(size)) Block{blocks_};
  char* const start = reinterpret_cast<char*>(blocks_) + header;
  char* const at = start + Padding(start, alignment);
  cursor_ = at + bytes;
  limit_ = reinterpret_cast<char*>(blocks_) + size;
  return at;
}

const unsigned short* Utf8ToWide::Convert(const char* text, size_t* out_length) {
  const size_t length = std::strlen(text);
  // 7-bit text is widened unit for unit, which is exactly what the converter gives
  // for it, without the converter's per-call cost.
  unsigned short* units = scratch_.Reserve(length + 1);
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
  units = scratch_.Reserve(capacity);
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

static_assert(std::is_standard_layout<vorn::detail::appupdate::OwnedResult>::value,
              "a pointer to the list is a pointer to the whole result");

extern "C" void ParseAppUpdateInfo_free(tnoticeItemList* list) {
  // The list is the first member of the whole that the parse allocated.
  delete reinterpret_cast<vorn::detail::appupdate::OwnedResult*>(list);
}
