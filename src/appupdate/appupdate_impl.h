// Internal to vorn_common: do not include from outside src/.
//
// Pieces of the update-information parser that stand on their own: the version
// number, UTF-8 to UTF-16 conversion of names and values, release of records, and
// the nesting pre-scan that keeps the recursive XML parse within the stack.
#ifndef VORN_APPUPDATE_APPUPDATE_IMPL_H
#define VORN_APPUPDATE_APPUPDATE_IMPL_H

#include <cstddef>
#include <cstdint>
#include <new>

#include "cstr/cstr_impl.h"
#include "vorn/appupdate.h"

namespace vorn::detail::appupdate {

// Deepest element nesting parsed on the calling thread's stack. The XML parse recurses
// once per open element, three frames deep; at this bound that stays within 2 MiB even
// in unoptimised sanitizer builds (a few hundred KiB when optimised). Update documents
// nest a handful of levels; deeper ones are parsed on a thread with a stack sized for
// their depth.
constexpr uint32_t kMaxNesting = 1000;

// The dotted version number of a UTF-16 text: up to four decimal parts c0..c3 give
// c0*10000 + c1*1000 + c2*100 + c3 in wrapping 32-bit arithmetic. Null or "" gives 0.
int32_t VersionNumber(const unsigned short* text);
// The same for the `length` bytes of a 7-bit text, which reads as its bytes widened.
int32_t VersionNumber(const char* text, size_t length);

// Length of a zero-terminated UTF-16 text; 0 for null.
size_t WideLength(const unsigned short* text);

// The memory of one parse result: every record array and string of the tree is carved
// from a few blocks, released together. Blocks grow from 2 KiB to 64 KiB, which keeps
// them out of the allocator's mapped-memory range, so that a parse called over and over
// reuses the same heap pages instead of mapping and faulting in fresh ones each time.
class ResultStore {
 public:
  ResultStore() = default;
  ResultStore(const ResultStore&) = delete;
  ResultStore& operator=(const ResultStore&) = delete;
  ~ResultStore();

  // Uninitialised room for `count` (at least 1) objects of the trivial type T, aligned
  // for it.
  template <typename T>
  T* Allocate(size_t count) {
    if (count > SIZE_MAX / sizeof(T)) throw std::bad_alloc();
    const size_t bytes = count * sizeof(T);
    const size_t padding = Padding(cursor_, alignof(T));
    const auto room = static_cast<size_t>(limit_ - cursor_);
    if (padding <= room && bytes <= room - padding) {
      char* const at = cursor_ + padding;
      cursor_ = at + bytes;
      return reinterpret_cast<T*>(at);
    }
    return static_cast<T*>(AllocateInNewBlock(bytes, alignof(T)));
  }

 private:
  // Bytes from `p` up to the next multiple of `alignment` (a power of two).
  static size_t Padding(const char* p, size_t alignment) {
    return static_cast<size_t>(0 - reinterpret_cast<uintptr_t>(p)) & (alignment - 1);
  }
  void* AllocateInNewBlock(size_t bytes, size_t alignment);

  struct Block;
  Block* blocks_ = nullptr;
  char* cursor_ = nullptr;
  char* limit_ = nullptr;
  size_t next_size_ = 0;
};

// What ParseAppUpdateInfo hands out: the list, first, so that a pointer to it is also
// a pointer to the whole, and the memory of the tree below it.
struct OwnedResult {
  tnoticeItemList list;
  ResultStore store;
};

// Owns a new[] array. Standard containers and smart pointers of built-in element types
// would be instantiated with default visibility and leak into the shared library's
// exports; this class keeps such buffers hidden.
template <typename T>
class OwnedArray {
 public:
  explicit OwnedArray(T* data = nullptr) : data_(data) {}
  OwnedArray(OwnedArray&& other) noexcept : data_(other.data_) { other.data_ = nullptr; }
  OwnedArray(const OwnedArray&) = delete;
  OwnedArray& operator=(const OwnedArray&) = delete;
  OwnedArray& operator=(OwnedArray&&) = delete;
  ~OwnedArray() { delete[] data_; }
  T* get() const { return data_; }

 private:
  T* data_;
};

// A new[] buffer reused from call to call, grown as it is asked for more.
template <typename T>
class ScratchBuffer {
 public:
  ScratchBuffer() = default;
  ScratchBuffer(const ScratchBuffer&) = delete;
  ScratchBuffer& operator=(const ScratchBuffer&) = delete;
  ~ScratchBuffer() { delete[] data_; }

  // Room for `count` objects; what it held before is lost when it grows.
  T* Reserve(size_t count) {
    if (count > capacity_) {
      delete[] data_;
      data_ = nullptr;
      capacity_ = 0;
      // Grow geometrically: one parse asks for many sizes alike.
      const size_t grown = count < 64 ? 64 : count + count / 2;
      data_ = new T[grown];
      capacity_ = grown;
    }
    return data_;
  }

 private:
  T* data_ = nullptr;
  size_t capacity_ = 0;
};

// UTF-8 to UTF-16 through the "UTF8" converter, up to the first zero byte, into a
// reused scratch buffer. A failed conversion gives the empty text.
class Utf8ToWide {
 public:
  // Converts `text` (zero-terminated) and returns the units, valid until the next call;
  // `*out_length` receives their count.
  const unsigned short* Convert(const char* text, size_t* out_length);
  // The same conversion into a new[] string owned by the caller.
  unsigned short* NewString(const char* text);

 private:
  ScratchBuffer<unsigned short> scratch_;
};

// Number of '>' characters among `length` bytes that do not follow a '/'. Every element
// that the parse opens ends its start tag with such a '>' (the character before it is a
// name character, a blank or a quote), so this bounds the nesting depth from above.
size_t CountOpeningTagEnds(const char* text, size_t length);

// Copies `length` bytes from `from` to `to` and returns CountOpeningTagEnds of them, in
// one pass.
size_t CopyCountingOpeningTagEnds(char* to, const char* from, size_t length);

// The first '<' in [text, end) that starts a line (follows a line feed), or null.
const char* FindLineStartingTag(const char* text, const char* end);

// Follows the element structure of `text` (zero-terminated) exactly as the XML parse
// will, and returns the position of the first element that opens more than `limit`
// levels deep, or null when there is none. Scanning stops quietly where the parse
// would reject the text: the parse reports that error itself.
const char* FindExcessNesting(const char* text, uint32_t limit);

// The end of the top-level item (element, comment, declaration, ...) that starts after
// any blanks at `text`, found exactly as the XML parse will read it: the position just
// past its last character. Null when `text` holds no complete item there (the end of
// the text, or anything the parse would reject).
const char* EndOfTopLevelItem(const char* text);

// The deepest element nesting of `text` (zero-terminated) as the XML parse will see it,
// up to where the parse would reject the text.
uint32_t NestingDepth(const char* text);

// The reference document of the self-check, with the local list "main" 1.0,
// "componet2" 4576edac (text), "componet2_3" 3.2.4.5, "componet3_1" 1.2.4.5 and
// "file2" 23aed3 (text).
extern const char kReferenceDocument[];

}  // namespace vorn::detail::appupdate

#endif  // VORN_APPUPDATE_APPUPDATE_IMPL_H
