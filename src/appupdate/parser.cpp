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
constexpr int32_t kLinearLookupMax = 8;

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

// `name` (size bytes) equals the lower-case ASCII `word` without regard to ASCII case.
bool EqualsNoCase(const char* name, size_t size, const char* word) {
  for (size_t i = 0; i < size; ++i) {
    if (word[i] == 0 || ascii_lower(name[i]) != word[i]) return false;
  }
  return word[size] == 0;
}

bool EqualsNoCase(const char* text, const char* word) { return EqualsNoCase(text, std::strlen(text), word); }

// The attribute values of one element as the parse left them in the copy
// (zero-terminated UTF-8); null when absent. A later occurrence replaces an earlier one.
struct RawFields {
  const char* version = nullptr;
  const char* caption = nullptr;
  const char* filename = nullptr;
  const char* link = nullptr;
  const char* rlpath = nullptr;
  const char* upmethod = nullptr;
};

RawFields ReadAttributes(const Node* node) {
  RawFields f;
  for (const Attribute* a = node->first_attribute(); a != nullptr; a = a->next_attribute()) {
    const char* name = a->name();
    switch (a->name_size()) {
      case 4:
        if (EqualsNoCase(name, 4, "link")) f.link = a->value();
        break;
      case 6:
        if (EqualsNoCase(name, 6, "rlpath")) f.rlpath = a->value();
        break;
      case 7:
        if (EqualsNoCase(name, 7, "version"))
          f.version = a->value();
        else if (EqualsNoCase(name, 7, "caption"))
          f.caption = a->value();
        break;
      case 8:
        if (EqualsNoCase(name, 8, "filename"))
          f.filename = a->value();
        else if (EqualsNoCase(name, 8, "upmethod"))
          f.upmethod = a->value();
        break;
      default:
        break;
    }
  }
  return f;
}

int32_t UpdateMethod(const char* value) {
  if (value == nullptr) return 0;
  if (EqualsNoCase(value, "silentdown")) return 1;
  if (EqualsNoCase(value, "silentexe")) return 2;
  return 0;
}

// A unit of a name compares as its numeric value, whether it is a byte or a UTF-16 unit.
unsigned Value(char unit) { return static_cast<unsigned char>(unit); }
unsigned Value(unsigned short unit) { return unit; }

// The first sizeof(Word) bytes of a name at `p` as one word, in memory order: bytes as
// they stand, or 7-bit UTF-16 units narrowed to the bytes they widen from.
template <typename Word>
Word Load(const char* p) {
  Word v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

template <typename Word>
Word Load(const unsigned short* p) {
  char bytes[sizeof(Word)];
  for (size_t i = 0; i < sizeof(Word); ++i) bytes[i] = static_cast<char>(p[i]);
  return Load<Word>(bytes);
}

// Hash of the `length` bytes of a name (or its 7-bit units) from their first and last
// eight (fewer for short names), with any words between folded into the first. The
// upper bits, which pick the slot, depend on every byte read; two multiplications that
// do not wait for each other keep it short.
template <typename Unit>
uint64_t HashName(const Unit* name, size_t length) {
  uint64_t first = 0;
  uint64_t last = 0;
  if (length >= 8) {
    first = Load<uint64_t>(name);
    last = Load<uint64_t>(name + length - 8);
    for (size_t i = 8; i + 8 < length; i += 8) first = (first * 0x9E3779B97F4A7C15ull) ^ Load<uint64_t>(name + i);
  } else if (length >= 4) {
    first = Load<uint32_t>(name);
    last = Load<uint32_t>(name + length - 4);
  } else if (length > 0) {
    first = Value(name[0]) | Value(name[length / 2]) << 8 | Value(name[length - 1]) << 16;
  }
  return ((first + length) * 0xFF51AFD7ED558CCDull) ^ (last * 0xC4CEB9FE1A85EC53ull);
}

// `name` (length units, none zero) equals the zero-terminated UTF-16 `local`.
template <typename Unit>
bool SameName(const Unit* name, size_t length, const unsigned short* local) {
  for (size_t i = 0; i < length; ++i) {
    if (local[i] != Value(name[i])) return false;  // also stops at local's terminator
  }
  return local[length] == 0;
}

bool IsSevenBit(const char* text, size_t length) {
  uint64_t high = 0;
  size_t i = 0;
  for (; i + 8 <= length; i += 8) high |= Load<uint64_t>(text + i);
  for (; i < length; ++i) high |= static_cast<unsigned char>(text[i]);
  return (high & 0x8080808080808080ull) == 0;
}

// Length of the zero-terminated `text`; `seven_bit` is cleared when a byte is not 7-bit.
size_t MeasureText(const char* text, bool& seven_bit) {
  unsigned high = 0;
  size_t length = 0;
  for (; text[length] != 0; ++length) high |= static_cast<unsigned char>(text[length]);
  if (high >= 0x80) seven_bit = false;
  return length;
}

// The caller's local entries by name: the first entry of a name wins. Short lists are
// searched in order; longer ones get an open-addressing hash table.
//
// Element names are mostly 7-bit: those are looked up as they stand in the document,
// since widening them unit for unit is exactly their conversion. Any other name is
// converted first and looked up in UTF-16, so that an invalid sequence matches
// whatever its substitutes match.
class LocalIndex {
 public:
  explicit LocalIndex(const tnoticeLocalList* locals) {
    if (locals == nullptr || locals->count <= 0 || locals->items == nullptr) return;
    items_ = locals->items;
    count_ = locals->count;
    if (count_ <= kLinearLookupMax) return;
    // A quarter full: a name that is not there mostly meets an empty slot at once, and
    // the tags alone are read for it.
    size_t slots = 16;
    shift_ = 60;
    while (slots < 4 * static_cast<size_t>(count_)) {
      slots *= 2;
      --shift_;
    }
    tags_.assign(slots, 0);
    indexes_.assign(slots, 0);
    mask_ = slots - 1;
    for (int32_t i = 0; i < count_; ++i) {
      const unsigned short* name = items_[i].name;
      const size_t n = WideLength(name);
      if (n == 0) continue;
      const uint64_t hash = HashWide(name, n);
      size_t at = hash >> shift_;
      for (; tags_[at] != 0; at = (at + 1) & mask_) {
        if (tags_[at] == Tag(hash) && SameName(name, n, items_[indexes_[at]].name)) break;
      }
      if (tags_[at] == 0) {  // an earlier entry of the name stays
        tags_[at] = Tag(hash);
        indexes_[at] = i;
      }
    }
  }

  bool empty() const { return count_ == 0; }

  // The entry matching the UTF-8 element name of `size` bytes (zero-terminated).
  const tnoticeLocal* Find(const char* name, size_t size, Utf8ToWide& convert) const {
    if (size == 0) return nullptr;  // an unnamed node matches nothing
    if (IsSevenBit(name, size)) return FindUnits(name, size, HashName(name, size));
    size_t length = 0;
    const unsigned short* wide = convert.Convert(name, &length);
    if (length == 0) return nullptr;
    return FindUnits(wide, length, count_ <= kLinearLookupMax ? 0 : HashWide(wide, length));
  }

 private:
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

  template <typename Unit>
  const tnoticeLocal* FindUnits(const Unit* name, size_t length, uint64_t hash) const {
    if (count_ <= kLinearLookupMax) {
      for (int32_t i = 0; i < count_; ++i) {
        if (items_[i].name != nullptr && SameName(name, length, items_[i].name)) return &items_[i];
      }
      return nullptr;
    }
    for (size_t at = hash >> shift_; tags_[at] != 0; at = (at + 1) & mask_) {
      if (tags_[at] != Tag(hash)) continue;
      const tnoticeLocal& local = items_[indexes_[at]];
      if (SameName(name, length, local.name)) return &local;
    }
    return nullptr;
  }

  const tnoticeLocal* items_ = nullptr;
  int32_t count_ = 0;
  std::vector<uint8_t> tags_;     // per slot: 0 empty, else the entry's Tag
  std::vector<int32_t> indexes_;  // per slot: the entry in items_
  size_t mask_ = 0;
  unsigned shift_ = 0;  // the slot of a hash is its bits from here up
};

// One element on the walk: its decision is made, its children are being visited.
struct Frame {
  const Node* node;
  const Node* next_child;
  const tnoticeLocal* local;
  bool needs_update;
  size_t first_kept;  // where this node's kept children start in Walker::kept_
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
      Enter(top, false);
      while (!stack_.empty()) {
        Frame& frame = stack_.back();
        if (frame.next_child != nullptr) {
          const Node* child = frame.next_child;
          frame.next_child = child->next_sibling();
          Enter(child, frame.needs_update);
          continue;
        }
        const Frame done = frame;
        stack_.pop_back();
        Leave(done);
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
  // Decides the node's flags; a current component is dropped with its subtree at once,
  // any other node goes on the stack to have its children visited.
  void Enter(const Node* node, bool inherited) {
    const tnoticeLocal* local = locals_.Find(node->name(), node->name_size(), convert_);
    bool needs_update = inherited;
    bool up_to_date = false;
    if (local != nullptr) {
      needs_update = false;
      const RawFields fields = ReadAttributes(node);
      if (local->version != nullptr && local->versionIsText == 0) {
        // A component without a version attribute counts as version 0.
        const int32_t theirs = fields.version ? TheirVersionNumber(fields.version) : 0;
        needs_update = VersionNumber(local->version) < theirs;
        up_to_date = !needs_update;
      } else if (local->version != nullptr) {
        needs_update = fields.version != nullptr && DiffersFrom(fields.version, local->version);
        up_to_date = !needs_update;
      }
    }
    if (up_to_date) return;
    if (!needs_update && node->first_node() == nullptr) return;  // nothing can keep it
    stack_.push_back(Frame{node, node->first_node(), local, needs_update, kept_.size()});
  }

  // The attribute value is not empty and differs from the text `local`; a 7-bit value
  // is compared as it stands.
  bool DiffersFrom(const char* value, const unsigned short* local) {
    bool seven_bit = true;
    size_t length = MeasureText(value, seven_bit);
    if (seven_bit) return length > 0 && !SameName(value, length, local);
    const unsigned short* units = convert_.Convert(value, &length);
    return length > 0 && !SameName(units, length, local);
  }

  // The version number of an attribute value; a 7-bit value is read as it stands.
  int32_t TheirVersionNumber(const char* value) {
    bool seven_bit = true;
    const size_t length = MeasureText(value, seven_bit);
    if (seven_bit) return VersionNumber(value, length);
    size_t n = 0;
    return VersionNumber(convert_.Convert(value, &n));
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
    // Attributes are read here and for matched components only: most nodes are dropped.
    const RawFields f = ReadAttributes(frame.node);
    item.name = Converted(frame.node->name());
    item.version = Converted(f.version);
    item.filename = Converted(f.filename);
    const bool system_temp = f.rlpath != nullptr && std::strcmp(f.rlpath, "SYSTEMP") == 0;
    item.rlpath = Converted(system_temp ? TempFolder() : f.rlpath);
    item.link = Converted(f.link);
    item.caption = Converted(f.caption);
    item.upmethod = UpdateMethod(f.upmethod);
    item.localVersion = nullptr;
    item.extra = nullptr;
    item.versionIsText = 0;
    if (frame.local != nullptr) {
      item.extra = Copied(frame.local->extra);
      item.localVersion = Copied(frame.local->version);
      item.versionIsText = frame.local->versionIsText;
    }
  }

  // The UTF-16 form of a zero-terminated UTF-8 text in the result's memory; null for null.
  // 7-bit text is widened unit for unit, which is exactly its conversion.
  unsigned short* Converted(const char* text) {
    if (text == nullptr) return nullptr;
    bool seven_bit = true;
    size_t length = MeasureText(text, seven_bit);
    const unsigned short* units = seven_bit ? nullptr : convert_.Convert(text, &length);
    unsigned short* copy = result_->store.Allocate<unsigned short>(length + 1);
    if (units != nullptr) {
      std::memcpy(copy, units, (length + 1) * sizeof *copy);
    } else {
      for (size_t i = 0; i <= length; ++i) copy[i] = static_cast<unsigned char>(text[i]);
    }
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
  const char* TempFolder() {
    if (temp_folder_.empty()) {
      if (platform::temp_directory(temp_folder_)) {
        temp_folder_.append("nublo\\");
      } else {
        temp_folder_.assign("SYSTEMP");
      }
    }
    return temp_folder_.c_str();
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
// into the private copy, whose bytes before it the in-place parse has rewritten, so the
// line and column are counted in the caller's text, which nothing writes.
struct ErrorReport {
  const char* text;
  const char* copy;
  tnoticeParseOutcome* outcome;
  bool log;

  void operator()(const char* where, const char* message) const {
    if (log) LogParseError(where, message);
    if (outcome == nullptr) return;
    outcome->status = NOTICE_PARSE_MALFORMED;
    outcome->errorMessage = message;
    LocateError(text, where == nullptr ? 0 : static_cast<size_t>(where - copy), *outcome);
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

// A guess at where the piece of the document that starts at `piece` may end: the first
// '<' at the start of a line, not opening a closing tag, past kGuessBytes. Documents are
// mostly laid out with their top-level items there. The guess stands only when the piece
// before it parses (see ParseDocument). Null when there is none or the rest is short.
char* GuessPieceEnd(char* piece, char* end) {
  if (static_cast<size_t>(end - piece) <= 2 * kGuessBytes) return nullptr;
  const char* p = piece + kGuessBytes;
  for (;;) {
    p = FindLineStartingTag(p, end);
    if (p == nullptr || p + 1 == end) return nullptr;
    if (p[1] != '/') return piece + (p - piece);  // the same position, writable
    ++p;
  }
}

// The one parse behind both entry points: copy, parse in place, walk.
tnoticeItemList* ParseDocument(const char* text, uint32_t length, const tnoticeLocalList* locals,
                               tnoticeParseOutcome* outcome, bool log_errors) {
  if (text == nullptr) return nullptr;
  const size_t size = length == 0 ? std::strlen(text) : strnlen(text, length);
  if (size == 0) return nullptr;
  // The parse works in place: names and values are terminated inside this copy.
  const OwnedArray<char> copy(new char[size + 1]);
  const size_t tag_ends = CopyCountingOpeningTagEnds(copy.get(), text, size);
  copy.get()[size] = 0;
  const ErrorReport report{text, copy.get(), outcome, log_errors};

  // Documents nested deeper than the calling thread's stack safely holds are parsed
  // whole on a stack of their own; only when that cannot be had is the document refused.
  // Counting tag ends bounds the nesting cheaply; only a document that may be too deep is
  // followed in full.
  const char* deep = tag_ends <= kMaxNesting ? nullptr : FindExcessNesting(copy.get(), kMaxNesting);
  // The document holds a sizeable node pool of its own: keep it off the stack.
  auto document = std::make_unique<rapidxml::xml_document<char>>();
  const LocalIndex index(locals);
  Walker walker(index);
  char* const end = copy.get() + size;
  bool guessing = deep == nullptr;
  // A piece that ends at a guessed boundary and parses without error ends with a whole
  // top-level item: an item cut short (an open element, comment, declaration, tag or
  // value) is rejected at the terminator, and the parse carries nothing from one
  // top-level item to the next. So its parse is exactly that part of the whole parse. A
  // guess that cuts an item costs that piece one more parse, and guessing stops there.
  for (char* piece = copy.get(); piece != nullptr;) {
    char* next = guessing ? GuessPieceEnd(piece, end) : nullptr;
    const bool guessed = next != nullptr;
    if (!guessed && deep == nullptr) next = NextPiece(piece, end);
    // A piece ends where its last top-level item does; the byte there waits under a terminator.
    const char saved = next != nullptr ? *next : 0;
    if (next != nullptr) *next = 0;
    document->clear();
    try {
      if (deep == nullptr) {
        document->parse<0>(piece);
      } else if (!ParseOnOwnStack(*document, piece)) {
        report(deep, "elements nested too deep");
        return nullptr;
      }
    } catch (const rapidxml::parse_error& error) {
      if (next != nullptr) *next = saved;
      if (guessed) {
        // The guess cut an item: restore the bytes the parse rewrote, parse the piece again.
        std::memcpy(piece, text + (piece - copy.get()), static_cast<size_t>(next - piece));
        guessing = false;
        continue;
      }
      report(error.where<char>(), error.what());
      return nullptr;
    }
    if (next != nullptr) *next = saved;
    // With no entries nothing can be reported, but the rest must still be well-formed.
    if (!index.empty()) walker.Walk(*document);
    piece = next;
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
