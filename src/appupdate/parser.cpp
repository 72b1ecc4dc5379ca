// ParseAppUpdateInfo: the walk over the parsed document that selects the components
// needing an update, and the records it builds for them.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <exception>
#include <memory>
#include <new>
#include <rapidxml/rapidxml.hpp>
#include <string>
#include <vector>

#include "appupdate/appupdate_impl.h"
#include "charset/utf8_to_utf16.h"
#include "cstr/ascii.h"
#include "platform/tempdir.h"
#include "platform/thread_stack.h"
#include "vorn/log.h"

namespace vorn::detail::appupdate {
namespace {

using Node = rapidxml::xml_node<char>;
using Attribute = rapidxml::xml_attribute<char>;

// How much of the unparsed rest of the document an error line quotes. The rest can be
// the whole of a very large document; the position and the first bytes say enough.
constexpr size_t kMaxErrorExcerpt = 4096;

// Large documents are parsed in pieces of about this many bytes (see NextPiece).
constexpr size_t kPieceBytes = size_t{1} << 20;

// Pieces cut at a guessed boundary are about this size, so that a piece's text and
// parsed nodes stay in the processor's cache while it is parsed and walked.
constexpr size_t kGuessBytes = size_t{16} << 10;

// Local lists up to this size are searched in order; longer ones get a hash index.
constexpr size_t kLinearLookupMax = 8;

// Stack for the parse of a deeply nested document on a thread of its own: the parse
// takes three frames per open element, measured at under 0.2 KiB per level optimised,
// 0.6 KiB unoptimised and 2.4 KiB in unoptimised sanitizer builds; each gets ample room.
constexpr size_t kParseStackBase = size_t{1} << 20;
#if defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define VORN_PARSE_STACK_SANITIZED 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__) || defined(VORN_PARSE_STACK_SANITIZED)
constexpr size_t kParseStackPerLevel = 8192;
#else
constexpr size_t kParseStackPerLevel = 2048;
#endif

struct ParseTask {
  rapidxml::xml_document<char>* document;
  char* text;
  std::exception_ptr failure;
};

void RunParse(void* context) {
  auto* task = static_cast<ParseTask*>(context);
  try {
    task->document->parse<0>(task->text);
  } catch (...) {
    task->failure = std::current_exception();
  }
}

// Parses `text` in place on a thread whose stack holds its nesting depth; the parse's
// exceptions come back to the caller. False when no such stack can be had.
bool ParseOnOwnStack(rapidxml::xml_document<char>& document, char* text) {
  const size_t depth = NestingDepth(text);
  if (depth > (SIZE_MAX - kParseStackBase) / kParseStackPerLevel) return false;
  ParseTask task{&document, text, nullptr};
  if (!platform::run_with_stack(kParseStackBase + depth * kParseStackPerLevel, &RunParse, &task)) return false;
  if (task.failure) std::rethrow_exception(task.failure);
  return true;
}

void LogParseError(const char* where, const char* message) {
  char excerpt[kMaxErrorExcerpt + 1];
  size_t n = where == nullptr ? 0 : strnlen(where, kMaxErrorExcerpt + 1);
  if (n > kMaxErrorExcerpt) {
    n = kMaxErrorExcerpt;
    // Do not cut a UTF-8 sequence in two.
    while (n > 0 && (static_cast<unsigned char>(where[n]) & 0xC0) == 0x80) --n;
  }
  if (n > 0) std::memcpy(excerpt, where, n);
  excerpt[n] = 0;
  Vorn_Log_Error("ParseXML Error :%s,%s", excerpt, message);
}

// A name or value as the parse left it in the copy: `size` bytes, zero-terminated
// there. A value can hold a zero of its own (written as "&#0;"): it ends at the first.
struct Span {
  const char* data = nullptr;  // null: absent
  size_t size = 0;
};

Span NameOf(const Node* node) { return {node->name(), node->name_size()}; }

constexpr uint64_t kEveryByte = 0x0101010101010101ull;
constexpr uint64_t kHighBits = 0x8080808080808080ull;

// The first sizeof(Word) bytes at `p` as one word, in memory order.
template <typename Word>
Word Load(const char* p) {
  Word v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

// Every byte of `word` that equals the byte of `pattern` at the same place has its top
// bit set in the result, and possibly some bytes after the first such one: it says
// exactly whether there is one.
uint64_t EqualBytes(uint64_t word, uint64_t pattern) {
  const uint64_t x = word ^ pattern;
  return (x - kEveryByte) & ~x & kHighBits;
}

// The bytes of a value up to its first zero, and whether they are all 7-bit.
struct Extent {
  size_t length;
  bool seven_bit;
};

Extent Measure(Span text) {
  const char* p = text.data;
  const size_t size = text.size;
  uint64_t high = 0;
  size_t i = 0;
  for (; i + 8 <= size; i += 8) {
    const uint64_t word = Load<uint64_t>(p + i);
    if (EqualBytes(word, 0) != 0) break;
    high |= word;
  }
  if (i + 8 > size && size >= 8) {  // the last eight bytes, some of them read above
    const uint64_t word = Load<uint64_t>(p + size - 8);
    if (EqualBytes(word, 0) == 0) {
      high |= word;
      i = size;
    }
  }
  for (; i < size && p[i] != 0; ++i) high |= static_cast<unsigned char>(p[i]);
  return {i, (high & kHighBits) == 0};
}

// The `size` bytes at `a` and at `b` are the same; for the short names of a document,
// without a call.
bool SameBytes(const char* a, const char* b, size_t size) {
  if (size < 8) return std::memcmp(a, b, size) == 0;
  for (size_t i = 0; i + 8 < size; i += 8) {
    if (Load<uint64_t>(a + i) != Load<uint64_t>(b + i)) return false;
  }
  return Load<uint64_t>(a + size - 8) == Load<uint64_t>(b + size - 8);
}

// The value is the text `word` (which holds no zero), up to the value's first zero. The
// parse leaves a zero after every value, so the byte after a value is there to read.
bool IsText(Span value, const char* word, size_t length) {
  return value.size >= length && std::memcmp(value.data, word, length) == 0 && value.data[length] == 0;
}

// The attribute values of one element (null when absent). A later occurrence replaces an
// earlier one.
struct RawFields {
  Span version;
  Span caption;
  Span filename;
  Span link;
  Span rlpath;
  Span upmethod;
};

RawFields ReadAttributes(const Node* node) {
  RawFields f;
  for (const Attribute* a = node->first_attribute(); a != nullptr; a = a->next_attribute()) {
    const char* name = a->name();
    const Span value{a->value(), a->value_size()};
    switch (a->name_size()) {
      case 4:
        if (equals_lower_letters(name, "link", 4)) f.link = value;
        break;
      case 6:
        if (equals_lower_letters(name, "rlpath", 6)) f.rlpath = value;
        break;
      case 7:
        if (equals_lower_letters(name, "version", 7))
          f.version = value;
        else if (equals_lower_letters(name, "caption", 7))
          f.caption = value;
        break;
      case 8:
        if (equals_lower_letters(name, "filename", 8))
          f.filename = value;
        else if (equals_lower_letters(name, "upmethod", 8))
          f.upmethod = value;
        break;
      default:
        break;
    }
  }
  return f;
}

// The same for lower-case letters in either case.
bool IsWordNoCase(Span value, const char* word, size_t length) {
  return value.size >= length && equals_lower_letters(value.data, word, length) && value.data[length] == 0;
}

int32_t UpdateMethod(Span value) {
  if (value.data == nullptr) return 0;
  if (IsWordNoCase(value, "silentdown", 10)) return 1;
  if (IsWordNoCase(value, "silentexe", 9)) return 2;
  return 0;
}

// A unit of a name compares as its numeric value, whether it is a byte or a UTF-16 unit.
unsigned Value(char unit) { return static_cast<unsigned char>(unit); }
unsigned Value(unsigned short unit) { return unit; }

// 7-bit UTF-16 units read as the bytes they widen from.
template <typename Word>
Word Load(const unsigned short* p) {
  char bytes[sizeof(Word)];
  for (size_t i = 0; i < sizeof(Word); ++i) bytes[i] = static_cast<char>(p[i]);
  return Load<Word>(bytes);
}

// Hash of the `length` bytes of a name (or its 7-bit units) from their first and last
// eight (fewer for short names), with any words between folded into the first. The
// upper bits, which pick the slot, depend on every byte read; two multiplications that
// do not wait for each other keep it short. Every byte of the name is read, and
// `read` collects them (OR-ed together) so that a byte name is known 7-bit or not
// without another pass.
template <typename Unit>
[[gnu::always_inline]] inline uint64_t HashName(const Unit* name, size_t length, uint64_t& read) {
  uint64_t first = 0;
  uint64_t last = 0;
  if (length >= 8) {
    first = Load<uint64_t>(name);
    last = Load<uint64_t>(name + length - 8);
    read = first | last;
    for (size_t i = 8; i + 8 < length; i += 8) {
      const uint64_t middle = Load<uint64_t>(name + i);
      read |= middle;
      first = (first * 0x9E3779B97F4A7C15ull) ^ middle;
    }
  } else if (length >= 4) {
    first = Load<uint32_t>(name);
    last = Load<uint32_t>(name + length - 4);
    read = first | last;
  } else if (length > 0) {
    first = Value(name[0]) | Value(name[length / 2]) << 8 | Value(name[length - 1]) << 16;
    read = first;
  }
  return ((first + length) * 0xFF51AFD7ED558CCDull) ^ (last * 0xC4CEB9FE1A85EC53ull);
}

template <typename Unit>
uint64_t HashName(const Unit* name, size_t length) {
  uint64_t read = 0;
  return HashName(name, length, read);
}

// `name` (length units, none zero) equals the zero-terminated UTF-16 `local`.
template <typename Unit>
bool SameName(const Unit* name, size_t length, const unsigned short* local) {
  for (size_t i = 0; i < length; ++i) {
    if (local[i] != Value(name[i])) return false;  // also stops at local's terminator
  }
  return local[length] == 0;
}

// One of the caller's local entries, with what every lookup and comparison needs of it.
struct LocalEntry {
  const tnoticeLocal* local;
  size_t length;     // units of the name
  size_t narrow_at;  // where the name's units narrowed to bytes start in LocalIndex::narrow_
  bool narrow;       // the name is 7-bit, so a byte name can equal it
};

// The caller's local entries by name: the first entry of a name wins. Short lists are
// searched in order; longer ones get an open-addressing hash table.
//
// Element names are mostly 7-bit: those are compared as they stand in the document
// against the entries' names narrowed to bytes, since widening them unit for unit is
// exactly their conversion. Any other name is converted first and compared in UTF-16,
// so that an invalid sequence matches whatever its substitutes match.
class LocalIndex {
 public:
  explicit LocalIndex(const tnoticeLocalList* locals) {
    if (locals == nullptr || locals->count <= 0 || locals->items == nullptr) return;
    items_ = locals->items;
    count_ = static_cast<size_t>(locals->count);
    if (count_ > kLinearLookupMax) BuildTable();
  }

  bool empty() const { return count_ == 0; }

  // The entry matching the UTF-8 element name. Called for every element: the common
  // 7-bit name is looked up here, any other out of line.
  [[gnu::always_inline]] const tnoticeLocal* Find(Span name, Utf8ToWide& convert) const {
    if (name.size == 0) return nullptr;  // an unnamed node matches nothing
    uint64_t read = 0;
    const uint64_t hash = HashName(name.data, name.size, read);
    if ((read & kHighBits) != 0) return FindConverted(name, convert);
    if (tags_.empty()) return FindInOrder(name.data, name.size);
    return Lookup(hash, [this, name](const LocalEntry& e) {
      return e.narrow && e.length == name.size && SameBytes(narrow_.data() + e.narrow_at, name.data, name.size);
    });
  }

 private:
  [[gnu::noinline]] const tnoticeLocal* FindConverted(Span name, Utf8ToWide& convert) const {
    size_t length = 0;
    const unsigned short* wide = convert.Convert(name.data, &length);
    if (length == 0) return nullptr;
    if (tags_.empty()) return FindInOrder(wide, length);
    return Lookup(HashWide(wide, length), [wide, length](const LocalEntry& e) {
      return e.local->name != nullptr && SameName(wide, length, e.local->name);
    });
  }

  template <typename Unit>
  const tnoticeLocal* FindInOrder(const Unit* name, size_t length) const {
    for (size_t i = 0; i < count_; ++i) {
      if (items_[i].name != nullptr && SameName(name, length, items_[i].name)) return &items_[i];
    }
    return nullptr;
  }

  // Copies the `length` units of a name to bytes at `to`; true when they are all 7-bit.
  static bool Narrow(const unsigned short* name, size_t length, char* to) {
    unsigned high = 0;
    for (size_t i = 0; i < length; ++i) {
      high |= name[i];
      to[i] = static_cast<char>(name[i]);
    }
    return high < 0x80;
  }

  void BuildTable() {
    entries_.resize(count_);
    size_t total = 0;
    for (size_t i = 0; i < count_; ++i) {
      entries_[i] = LocalEntry{&items_[i], WideLength(items_[i].name), total, false};
      total += entries_[i].length;
    }
    narrow_.resize(total);
    for (LocalEntry& e : entries_) e.narrow = Narrow(e.local->name, e.length, narrow_.data() + e.narrow_at);
    // A quarter full: a name that is not there mostly meets an empty slot at once.
    size_t slots = 16;
    shift_ = 60;
    while (slots < 4 * entries_.size()) {
      slots *= 2;
      --shift_;
    }
    // The first slots are repeated past the end, so that a group of kGroup slots can be
    // read whole from any slot.
    tags_.assign(slots + kGroup - 1, 0);
    indexes_.assign(slots, 0);
    mask_ = slots - 1;
    for (size_t i = 0; i < entries_.size(); ++i) {
      const LocalEntry& entry = entries_[i];
      const unsigned short* name = entry.local->name;
      const size_t n = entry.length;
      if (n == 0) continue;
      // As HashWide, from the narrowed bytes where there are some.
      const uint64_t hash = entry.narrow ? HashName(narrow_.data() + entry.narrow_at, n) : HashWide(name, n);
      size_t at = hash >> shift_;
      for (; tags_[at] != 0; at = (at + 1) & mask_) {
        if (tags_[at] == Tag(hash) && SameName(name, n, entries_[indexes_[at]].local->name)) break;
      }
      if (tags_[at] == 0) {  // an earlier entry of the name stays
        tags_[at] = Tag(hash);
        indexes_[at] = static_cast<uint32_t>(i);
      }
    }
    std::memcpy(tags_.data() + slots, tags_.data(), kGroup - 1);
  }

  // Seven bits of the hash apart from those that pick the slot, and a set top bit: an
  // occupied slot's tag is never 0.
  static uint8_t Tag(uint64_t hash) { return static_cast<uint8_t>((hash >> 24) | 0x80); }

  // A name hashes as bytes: a 7-bit UTF-16 name as the bytes it widens from, any other
  // by the bytes of its units.
  static uint64_t HashWide(const unsigned short* name, size_t length) {
    for (size_t i = 0; i < length; ++i) {
      if (name[i] >= 0x80) return HashName(reinterpret_cast<const char*>(name), length * sizeof *name);
    }
    return HashName(name, length);
  }

  // The first entry that `same` accepts, among those whose name hashes to `hash`.
  template <typename Same>
  const tnoticeLocal* Lookup(uint64_t hash, Same same) const {
    // Slots are read kGroup at a time, tags compared all at once. An entry sits before
    // the first empty slot after the one its hash picks, so a group with an empty slot
    // ends the search.
    const uint64_t wanted = kEveryByte * Tag(hash);
    for (size_t at = hash >> shift_;; at = (at + kGroup) & mask_) {
      const auto group = Load<uint64_t>(reinterpret_cast<const char*>(tags_.data() + at));
      // Each flagged byte is a slot to try; every slot with the tag is flagged.
      for (uint64_t flagged = EqualBytes(group, wanted); flagged != 0; flagged &= flagged - 1) {
        const size_t slot = (at + SlotOfFlag(flagged)) & mask_;
        if (tags_[slot] == Tag(hash) && same(entries_[indexes_[slot]])) return entries_[indexes_[slot]].local;
      }
      if ((~group & kHighBits) != 0) return nullptr;
    }
  }

  static constexpr size_t kGroup = sizeof(uint64_t);

  // The place in its group of the slot that the lowest flag of a group stands for.
  static size_t SlotOfFlag(uint64_t flagged) {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    return kGroup - 1 - static_cast<size_t>(__builtin_ctzll(flagged)) / 8;
#else
    return static_cast<size_t>(__builtin_ctzll(flagged)) / 8;
#endif
  }

  const tnoticeLocal* items_ = nullptr;
  size_t count_ = 0;
  std::vector<LocalEntry> entries_;  // with the table only
  std::vector<char> narrow_;         // the 7-bit names as bytes, one after another
  std::vector<uint8_t> tags_;        // per slot: 0 empty, else the entry's Tag
  std::vector<uint32_t> indexes_;    // per slot: the entry in entries_
  size_t mask_ = 0;
  unsigned shift_ = 0;  // the slot of a hash is its bits from here up
};

// One element on the walk: its decision is made, its children are being visited.
struct Frame {
  const Node* node;
  const Node* next_child;
  const tnoticeLocal* local;  // null when no local entry matched
  bool needs_update;
  size_t first_kept;  // where this node's kept children start in Walker::kept_
  RawFields fields;   // read when an entry matched
};

class Walker {
 public:
  explicit Walker(const LocalIndex& locals) : locals_(locals), result_(new OwnedResult{}) {
    stack_.reserve(32);
    kept_.reserve(16);
  }

  // Walks every top-level node of one parsed piece of the document.
  void Walk(const rapidxml::xml_document<char>& document) {
    for (const Node* top = document.first_node(); top != nullptr; top = top->next_sibling()) {
      if (!Enter(top, locals_.Find(NameOf(top), convert_), false)) continue;
      while (!stack_.empty()) {
        if (!VisitChildren(stack_.back())) continue;  // a child went on the stack
        Leave(stack_.back());
        stack_.pop_back();
      }
    }
  }

  // The records kept over all pieces, or null when there are none.
  tnoticeItemList* Finish() {
    if (kept_.empty()) return nullptr;
    tnoticeItemList& list = result_->list;
    list.items = result_->store.Allocate<tnoticeItem>(kept_.size());
    list.count = static_cast<int32_t>(kept_.size());
    std::memcpy(list.items, kept_.data(), kept_.size() * sizeof(tnoticeItem));
    return &result_.release()->list;
  }

 private:
  // Visits the children of the frame's node from its next one on, until one goes on the
  // stack (false) or none is left (true). Most children match no entry and have no
  // children of their own: those are passed over here.
  bool VisitChildren(Frame& frame) {
    for (const Node* child = frame.next_child; child != nullptr;) {
      const Node* next = child->next_sibling();
      // The parse laid the nodes out apart; fetch the next while this one is decided. (A
      // null address is not fetched: some processors walk the page tables for it.)
      if (next != nullptr) __builtin_prefetch(next);
      const tnoticeLocal* local = locals_.Find(NameOf(child), convert_);
      if (local != nullptr || frame.needs_update || child->first_node() != nullptr) {
        frame.next_child = next;  // before a push moves the frame
        if (Enter(child, local, frame.needs_update)) return false;
      }
      child = next;
    }
    frame.next_child = nullptr;
    return true;
  }

  // Decides the node's flags: a current component is dropped with its subtree at once,
  // any other node that can be kept goes on the stack to have its children visited
  // (true).
  [[gnu::noinline]] bool Enter(const Node* node, const tnoticeLocal* matched, bool inherited) {
    if (matched == nullptr) {
      if (!inherited && node->first_node() == nullptr) return false;  // nothing can keep it
      stack_.push_back(Frame{node, node->first_node(), nullptr, inherited, kept_.size(), RawFields{}});
      return true;
    }
    const RawFields fields = ReadAttributes(node);
    const tnoticeLocal& local = *matched;
    bool needs_update = false;
    if (local.version != nullptr) {
      if (local.versionIsText == 0) {
        // A component without a version attribute counts as version 0.
        const int32_t theirs = fields.version.data != nullptr ? TheirVersionNumber(fields.version) : 0;
        needs_update = VersionNumber(local.version) < theirs;
      } else {
        needs_update = fields.version.data != nullptr && DiffersFrom(fields.version, local.version);
      }
      if (!needs_update) return false;  // up to date
    }
    if (!needs_update && node->first_node() == nullptr) return false;
    stack_.push_back(Frame{node, node->first_node(), matched, needs_update, kept_.size(), fields});
    return true;
  }

  // The attribute value is not empty and differs from the text `local`; a 7-bit value
  // is compared as it stands.
  bool DiffersFrom(Span value, const unsigned short* local) {
    const Extent extent = Measure(value);
    if (extent.seven_bit) return extent.length > 0 && !SameName(value.data, extent.length, local);
    size_t length = 0;
    const unsigned short* units = convert_.Convert(value.data, &length);
    return length > 0 && !SameName(units, length, local);
  }

  // The version number of an attribute value; a 7-bit value is read as it stands.
  int32_t TheirVersionNumber(Span value) {
    const Extent extent = Measure(value);
    if (extent.seven_bit) return VersionNumber(value.data, extent.length);
    size_t n = 0;
    return VersionNumber(convert_.Convert(value.data, &n));
  }

  void Leave(const Frame& frame) {
    const size_t child_count = kept_.size() - frame.first_kept;
    if (!frame.needs_update && child_count == 0) return;
    tnoticeItem item;
    Fill(frame, item);
    item.childCount = static_cast<int32_t>(child_count);
    item.children = nullptr;
    if (child_count > 0) {
      item.children = result_->store.Allocate<tnoticeItem>(child_count);
      std::memcpy(item.children, kept_.data() + frame.first_kept, child_count * sizeof(tnoticeItem));
      kept_.resize(frame.first_kept);
    }
    kept_.push_back(item);
  }

  void Fill(const Frame& frame, tnoticeItem& item) {
    // Attributes of other nodes are read here only: most nodes are dropped.
    const RawFields f = frame.local != nullptr ? frame.fields : ReadAttributes(frame.node);
    item.name = Converted(NameOf(frame.node));
    item.version = Converted(f.version);
    item.filename = Converted(f.filename);
    item.rlpath = Converted(IsSystemTemp(f.rlpath) ? TempFolder() : f.rlpath);
    item.link = Converted(f.link);
    item.caption = Converted(f.caption);
    item.upmethod = UpdateMethod(f.upmethod);
    item.localVersion = nullptr;
    item.extra = nullptr;
    item.versionIsText = 0;
    if (frame.local != nullptr) {
      const tnoticeLocal& local = *frame.local;
      item.extra = Copied(local.extra);
      item.localVersion = Copied(local.version);
      item.versionIsText = local.versionIsText;
    }
  }

  static bool IsSystemTemp(Span rlpath) { return rlpath.data != nullptr && IsText(rlpath, "SYSTEMP", 7); }

  // The UTF-16 form of a UTF-8 text in the result's memory; null for null. 7-bit text is
  // widened unit for unit, which is exactly its conversion; any other text gives at most
  // a unit a byte, so its length in bytes is room enough.
  unsigned short* Converted(Span text) {
    if (text.data == nullptr) return nullptr;
    const Extent extent = Measure(text);
    const size_t length = extent.length;
    if (length >= static_cast<size_t>(INT32_MAX)) return ConvertedWhole(text.data);
    unsigned short* copy = result_->store.Allocate<unsigned short>(length + 1);
    size_t count = length;
    if (extent.seven_bit) {
      widen_ascii_bytes(reinterpret_cast<const unsigned char*>(text.data), length, copy);
    } else {
      count = static_cast<size_t>(
          utf8_to_utf16(copy, static_cast<uint32_t>(length + 1), text.data, static_cast<int32_t>(length)));
    }
    copy[count] = 0;
    return copy;
  }

  unsigned short* ConvertedWhole(const char* text) {
    size_t length = 0;
    const unsigned short* units = convert_.Convert(text, &length);
    unsigned short* copy = result_->store.Allocate<unsigned short>(length + 1);
    std::memcpy(copy, units, (length + 1) * sizeof *copy);
    return copy;
  }

  unsigned short* Copied(const unsigned short* text) {
    if (text == nullptr) return nullptr;
    const size_t length = WideLength(text);
    unsigned short* copy = result_->store.Allocate<unsigned short>(length + 1);
    std::memcpy(copy, text, (length + 1) * sizeof *copy);
    return copy;
  }

  // The temporary directory followed by "nublo\", or "SYSTEMP" when there is none.
  Span TempFolder() {
    if (temp_folder_.empty()) {
      if (platform::temp_directory(temp_folder_)) {
        temp_folder_.append("nublo\\");
      } else {
        temp_folder_.assign("SYSTEMP");
      }
    }
    return {temp_folder_.c_str(), temp_folder_.size()};
  }

  const LocalIndex& locals_;
  Utf8ToWide convert_;
  std::unique_ptr<OwnedResult> result_;
  std::vector<Frame> stack_;
  std::vector<tnoticeItem> kept_;  // records kept so far, children before their parents
  std::string temp_folder_;
};

// Line and column (from 1) of byte `offset` of `text`; the column counts UTF-8 sequences
// and leaves a byte-order mark out.
void LocateError(const char* text, size_t offset, tnoticeParseOutcome& outcome) {
  uint32_t line = 1;
  uint32_t column = 1;
  size_t i = offset >= 3 && std::memcmp(text, "\xEF\xBB\xBF", 3) == 0 ? 3 : 0;
  for (; i < offset; ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '\n') {
      ++line;
      column = 1;
    } else if ((c & 0xC0) != 0x80) {
      ++column;
    }
  }
  outcome.errorOffset = static_cast<uint32_t>(offset);
  outcome.errorLine = line;
  outcome.errorColumn = column;
}

// A rejected document goes to the log, to `outcome`, or both. The error position points
// into a private copy of the document from byte `base` on, whose bytes before it the
// in-place parse has rewritten, so the line and column are counted in the caller's text,
// which nothing writes.
struct ErrorReport {
  const char* text;
  tnoticeParseOutcome* outcome;
  bool log;
  const char* copy = nullptr;
  size_t base = 0;

  void operator()(const char* where, const char* message) const {
    if (log) LogParseError(where, message);
    if (outcome == nullptr) return;
    outcome->status = NOTICE_PARSE_MALFORMED;
    outcome->errorMessage = message;
    LocateError(text, base + (where == nullptr ? 0 : static_cast<size_t>(where - copy)), *outcome);
  }
};

// Where the piece of the document that starts at `piece` ends: after the first top-level
// item that completes kPieceBytes, or null when the piece is the rest of the text. Each
// piece is parsed and walked on its own, so the parsed tree of only one is held at a time;
// the parse reads every piece exactly as it would read the whole text.
char* NextPiece(char* piece, const char* end) {
  if (static_cast<size_t>(end - piece) <= 2 * kPieceBytes) return nullptr;
  const char* p = piece;
  while (static_cast<size_t>(p - piece) < kPieceBytes) {
    p = EndOfTopLevelItem(p);
    if (p == nullptr) return nullptr;  // the parse reports what stopped the scan
  }
  // A piece that started with these bytes would have them skipped as a byte-order mark.
  if (std::memcmp(p, "\xEF\xBB\xBF", std::min<size_t>(3, static_cast<size_t>(end - p))) == 0) return nullptr;
  return p == end ? nullptr : const_cast<char*>(p);
}

// The caller's text: its bytes up to the first zero, and no more than a limit. Its length
// is found a window at a time, as the pieces reach it, so that each window is read just
// before it is copied and parsed rather than in a pass of its own over the whole.
class DocumentText {
 public:
  DocumentText(const char* text, size_t limit) : text_(text), limit_(limit) {}

  const char* data() const { return text_; }

  // How many bytes the document is known to hold; all of them once Extend is false.
  size_t known() const { return known_; }

  // Finds more of the document, up to `bytes` more; false when it is complete.
  bool Extend(size_t bytes) {
    if (complete_) return false;
    const size_t room = limit_ - known_;
    const size_t window = std::min(room, bytes);
    const size_t found = strnlen(text_ + known_, window);
    known_ += found;
    complete_ = found < window || window == room;
    return true;
  }

  // Whether the document holds more than `bytes` from `from` on.
  bool LongerThan(size_t from, size_t bytes) {
    while (known_ - from <= bytes && Extend(bytes + 1 - (known_ - from))) {
    }
    return known_ - from > bytes;
  }

  size_t size() {
    while (Extend(kWindowBytes)) {
    }
    return known_;
  }

  static constexpr size_t kWindowBytes = size_t{64} << 10;

 private:
  const char* text_;
  size_t limit_;
  size_t known_ = 0;
  bool complete_ = false;
};

// A guess at where the piece of the document that starts at byte `from` may end: the
// first '<' at the start of a line, not opening a closing tag, past kGuessBytes.
// Documents are mostly laid out with their top-level items there. The guess stands only
// when the piece before it parses (see ParseGuessedPieces). Null when there is none or
// the rest is short.
const char* GuessPieceEnd(DocumentText& text, size_t from) {
  if (!text.LongerThan(from, 2 * kGuessBytes)) return nullptr;
  const char* const start = text.data();
  const char* p = start + from + kGuessBytes;
  for (;;) {
    const char* const end = start + text.known();
    const char* const tag = FindLineStartingTag(p, end);
    if (tag == nullptr || tag + 1 == end) {
      // What lies past the known part may complete a pair or hold the byte after '<'.
      if (!text.Extend(DocumentText::kWindowBytes)) return nullptr;
      p = tag != nullptr ? tag - 1 : std::max(p, end - 1);
      continue;
    }
    if (tag[1] != '/') return tag;
    p = tag + 1;
  }
}

using Document = rapidxml::xml_document<char>;

// Parses and walks the document in pieces that end at guessed boundaries, for as long as
// the guesses hold, and returns where the rest begins (the end when nothing is left).
// Each piece is copied into one buffer, reused, which the parse and the walk then find in
// the processor's cache. A piece that ends at a guessed boundary and parses without error
// ends with a whole top-level item: an item cut short (an open element, comment,
// declaration, tag or value) is rejected at the terminator, and the parse carries nothing
// from one top-level item to the next. So its parse is exactly that part of the whole
// parse. A piece that does not parse, or nests deeper than the calling thread's stack
// safely holds, is left with the rest to ParseRest, which reports what is wrong.
size_t ParseGuessedPieces(DocumentText& document_text, Document& document, const LocalIndex& index, Walker& walker) {
  const char* const text = document_text.data();
  ScratchBuffer<char> buffer;
  size_t from = 0;
  for (;;) {
    const char* next = GuessPieceEnd(document_text, from);
    if (next == nullptr) return from;
    const auto bytes = static_cast<size_t>(next - (text + from));
    char* const piece = buffer.Reserve(bytes + 1);
    const size_t tag_ends = CopyCountingOpeningTagEnds(piece, text + from, bytes);
    piece[bytes] = 0;
    if (tag_ends > kMaxNesting && FindExcessNesting(piece, kMaxNesting) != nullptr) return from;
    document.clear();
    try {
      document.parse<0>(piece);
    } catch (const rapidxml::parse_error&) {
      return from;
    }
    if (!index.empty()) walker.Walk(document);
    from += bytes;
  }
}

// Parses and walks the document from byte `from` on, which starts at a top-level item,
// over a private copy of that rest; false when it is rejected (reported to `report`).
bool ParseRest(const char* text, size_t size, size_t from, Document& document, const LocalIndex& index, Walker& walker,
               ErrorReport report) {
  const size_t rest = size - from;
  // The parse works in place: names and values are terminated inside this copy.
  const OwnedArray<char> copy(new char[rest + 1]);
  const size_t tag_ends = CopyCountingOpeningTagEnds(copy.get(), text + from, rest);
  copy.get()[rest] = 0;
  report.copy = copy.get();
  report.base = from;

  // Documents nested deeper than the calling thread's stack safely holds are parsed
  // whole on a stack of their own; only when that cannot be had is the document refused.
  // Counting tag ends bounds the nesting cheaply; only a document that may be too deep is
  // followed in full.
  const char* deep = tag_ends <= kMaxNesting ? nullptr : FindExcessNesting(copy.get(), kMaxNesting);
  char* const end = copy.get() + rest;
  for (char* piece = copy.get(); piece != nullptr;) {
    char* const next = deep == nullptr ? NextPiece(piece, end) : nullptr;
    // A piece ends where its last top-level item does; the byte there waits under a terminator.
    const char saved = next != nullptr ? *next : 0;
    if (next != nullptr) *next = 0;
    document.clear();
    try {
      if (deep == nullptr) {
        document.parse<0>(piece);
      } else if (!ParseOnOwnStack(document, piece)) {
        report(deep, "elements nested too deep");
        return false;
      }
    } catch (const rapidxml::parse_error& error) {
      if (next != nullptr) *next = saved;
      report(error.where<char>(), error.what());
      return false;
    }
    if (next != nullptr) *next = saved;
    // With no entries nothing can be reported, but the rest must still be well-formed.
    if (!index.empty()) walker.Walk(document);
    piece = next;
  }
  return true;
}

// The one parse behind both entry points.
tnoticeItemList* ParseDocument(const char* text, uint32_t length, const tnoticeLocalList* locals,
                               tnoticeParseOutcome* outcome, bool log_errors) {
  if (text == nullptr) return nullptr;
  DocumentText document_text(text, length == 0 ? SIZE_MAX : length);
  if (!document_text.LongerThan(0, 0)) return nullptr;
  // The document holds a sizeable node pool of its own: keep it off the stack.
  auto document = std::make_unique<Document>();
  const LocalIndex index(locals);
  Walker walker(index);
  const size_t from = ParseGuessedPieces(document_text, *document, index, walker);
  const size_t size = document_text.size();
  if (from < size && !ParseRest(text, size, from, *document, index, walker, ErrorReport{text, outcome, log_errors})) {
    return nullptr;
  }
  return walker.Finish();
}

}  // namespace
}  // namespace vorn::detail::appupdate

extern "C" tnoticeItemList* ParseAppUpdateInfo(const char* text, uint32_t length, const tnoticeLocalList* locals) {
  return vorn::detail::appupdate::ParseDocument(text, length, locals, nullptr, true);
}

extern "C" tnoticeItemList* ParseAppUpdateInfoEx(const char* text, uint32_t length, const tnoticeLocalList* locals,
                                                 tnoticeParseOutcome* outcome) {
  tnoticeParseOutcome found{NOTICE_PARSE_NOTHING, 0, 0, 0, ""};
  tnoticeItemList* list = nullptr;
  try {
    list = vorn::detail::appupdate::ParseDocument(text, length, locals, &found, false);
  } catch (const std::bad_alloc&) {
    found = tnoticeParseOutcome{NOTICE_PARSE_NO_MEMORY, 0, 0, 0, ""};
  }
  if (list != nullptr) found.status = NOTICE_PARSE_UPDATES;
  if (outcome != nullptr) *outcome = found;
  return list;
}
