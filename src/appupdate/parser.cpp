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
    char c = name[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (word[i] == 0 || c != word[i]) return false;
  }
  return word[size] == 0;
}

bool EqualsNoCase(const char* text, const char* word) { return EqualsNoCase(text, std::strlen(text), word); }

bool WideEquals(const unsigned short* a, size_t a_length, const unsigned short* b) {
  for (size_t i = 0; i < a_length; ++i) {
    if (b[i] != a[i]) return false;  // also stops at b's terminator, as a[i] is not zero
  }
  return b[a_length] == 0;
}

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

// The caller's local entries by name: the first entry of a name wins. Short lists are
// searched in order; longer ones get an open-addressing hash table.
class LocalIndex {
 public:
  explicit LocalIndex(const tnoticeLocalList* locals) {
    if (locals == nullptr || locals->count <= 0 || locals->items == nullptr) return;
    items_ = locals->items;
    count_ = locals->count;
    if (count_ <= kLinearLookupMax) return;
    size_t slots = 16;
    while (slots < 2 * static_cast<size_t>(count_)) slots *= 2;
    slots_.assign(slots, Slot{0, -1});
    mask_ = slots - 1;
    for (int32_t i = 0; i < count_; ++i) {
      const unsigned short* name = items_[i].name;
      const size_t n = WideLength(name);
      if (n == 0) continue;
      const uint64_t hash = Hash(name, n);
      size_t at = hash & mask_;
      for (; slots_[at].index >= 0; at = (at + 1) & mask_) {
        if (slots_[at].hash == hash && WideEquals(name, n, items_[slots_[at].index].name)) break;
      }
      if (slots_[at].index < 0) slots_[at] = Slot{hash, i};  // an earlier entry of the name stays
    }
  }

  bool empty() const { return count_ == 0; }

  const tnoticeLocal* Find(const unsigned short* name, size_t length) const {
    if (length == 0) return nullptr;  // an unnamed node matches nothing
    if (count_ <= kLinearLookupMax) {
      for (int32_t i = 0; i < count_; ++i) {
        if (items_[i].name != nullptr && WideEquals(name, length, items_[i].name)) return &items_[i];
      }
      return nullptr;
    }
    const uint64_t hash = Hash(name, length);
    for (size_t at = hash & mask_; slots_[at].index >= 0; at = (at + 1) & mask_) {
      const tnoticeLocal& local = items_[slots_[at].index];
      if (slots_[at].hash == hash && WideEquals(name, length, local.name)) return &local;
    }
    return nullptr;
  }

 private:
  struct Slot {
    uint64_t hash;
    int32_t index;  // -1: empty
  };

  // Four units at a time, multiply-xorshift mixed.
  static uint64_t Hash(const unsigned short* units, size_t length) {
    uint64_t h = length * 0x9E3779B97F4A7C15ull;
    size_t i = 0;
    for (; i + 4 <= length; i += 4) {
      uint64_t chunk;
      std::memcpy(&chunk, units + i, sizeof chunk);
      h = (h ^ chunk) * 0xFF51AFD7ED558CCDull;
      h ^= h >> 32;
    }
    for (; i < length; ++i) h = (h ^ units[i]) * 0xC4CEB9FE1A85EC53ull;
    return h ^ (h >> 29);
  }

  const tnoticeLocal* items_ = nullptr;
  int32_t count_ = 0;
  std::vector<Slot> slots_;
  size_t mask_ = 0;
};

// Records kept so far, children before their parents; releases whatever it still owns.
struct KeptItems {
  std::vector<tnoticeItem> items;
  ~KeptItems() {
    for (tnoticeItem& item : items) ReleaseItem(item);
  }
};

// A record being built; releases its strings unless handed over.
struct ItemUnderConstruction {
  tnoticeItem item{};
  ~ItemUnderConstruction() { ReleaseItem(item); }
};

// One element on the walk: its decision is made, its children are being visited.
struct Frame {
  const Node* node;
  const Node* next_child;
  const tnoticeLocal* local;
  bool needs_update;
  size_t first_kept;  // where this node's kept children start in KeptItems
};

class Walker {
 public:
  explicit Walker(const LocalIndex& locals) : locals_(locals) {
    stack_.reserve(32);
    kept_.items.reserve(16);
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
    if (kept_.items.empty()) return nullptr;
    auto list = std::make_unique<tnoticeItemList>();
    list->items = new tnoticeItem[kept_.items.size()];
    list->count = static_cast<int32_t>(kept_.items.size());
    std::memcpy(list->items, kept_.items.data(), kept_.items.size() * sizeof(tnoticeItem));
    kept_.items.clear();  // ownership moved to the list
    return list.release();
  }

 private:
  // Decides the node's flags; a current component is dropped with its subtree at once,
  // any other node goes on the stack to have its children visited.
  void Enter(const Node* node, bool inherited) {
    size_t name_length = 0;
    const unsigned short* name = convert_.Convert(node->name(), &name_length);
    const tnoticeLocal* local = locals_.Find(name, name_length);
    bool needs_update = inherited;
    bool up_to_date = false;
    if (local != nullptr) {
      needs_update = false;
      const RawFields fields = ReadAttributes(node);
      if (local->version != nullptr && local->versionIsText == 0) {
        // A component without a version attribute counts as version 0.
        size_t n = 0;
        const int32_t theirs = fields.version ? VersionNumber(convert_.Convert(fields.version, &n)) : 0;
        needs_update = VersionNumber(local->version) < theirs;
        up_to_date = !needs_update;
      } else if (local->version != nullptr) {
        size_t n = 0;
        const unsigned short* theirs = fields.version ? convert_.Convert(fields.version, &n) : nullptr;
        needs_update = n > 0 && !WideEquals(theirs, n, local->version);
        up_to_date = !needs_update;
      }
    }
    if (up_to_date) return;
    if (!needs_update && node->first_node() == nullptr) return;  // nothing can keep it
    stack_.push_back(Frame{node, node->first_node(), local, needs_update, kept_.items.size()});
  }

  void Leave(const Frame& frame) {
    const size_t child_count = kept_.items.size() - frame.first_kept;
    if (!frame.needs_update && child_count == 0) return;
    ItemUnderConstruction building;
    tnoticeItem& item = building.item;
    Fill(frame, item);
    if (child_count > 0) {
      item.children = new tnoticeItem[child_count];
      item.childCount = static_cast<int32_t>(child_count);
      std::memcpy(item.children, kept_.items.data() + frame.first_kept, child_count * sizeof(tnoticeItem));
      kept_.items.resize(frame.first_kept);  // ownership moved to the parent
    }
    kept_.items.push_back(item);
    item = tnoticeItem{};
  }

  void Fill(const Frame& frame, tnoticeItem& item) {
    // Attributes are read here and for matched components only: most nodes are dropped.
    const RawFields f = ReadAttributes(frame.node);
    item.name = convert_.NewString(frame.node->name());
    item.version = NewStringOrNull(f.version);
    item.filename = NewStringOrNull(f.filename);
    item.rlpath =
        f.rlpath != nullptr && std::strcmp(f.rlpath, "SYSTEMP") == 0 ? TempFolder() : NewStringOrNull(f.rlpath);
    item.link = NewStringOrNull(f.link);
    item.upmethod = UpdateMethod(f.upmethod);
    item.caption = NewStringOrNull(f.caption);
    if (frame.local != nullptr) {
      item.extra = NewWideCopy(frame.local->extra);
      item.versionIsText = frame.local->versionIsText;
      item.localVersion = NewWideCopy(frame.local->version);
    }
  }

  unsigned short* NewStringOrNull(const char* text) { return text == nullptr ? nullptr : convert_.NewString(text); }

  // The temporary directory followed by "nublo\", or "SYSTEMP" when there is none.
  unsigned short* TempFolder() {
    if (temp_folder_.empty()) {
      if (platform::TempDirectory(temp_folder_)) {
        temp_folder_.append("nublo\\");
      } else {
        temp_folder_.assign("SYSTEMP");
      }
    }
    return convert_.NewString(temp_folder_.c_str());
  }

  const LocalIndex& locals_;
  Utf8ToWide convert_;
  std::vector<Frame> stack_;
  KeptItems kept_;
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

// The one parse behind both entry points: copy, parse in place, walk.
tnoticeItemList* ParseDocument(const char* text, uint32_t length, const tnoticeLocalList* locals,
                               tnoticeParseOutcome* outcome, bool log_errors) {
  if (text == nullptr) return nullptr;
  const size_t size = length == 0 ? std::strlen(text) : strnlen(text, length);
  if (size == 0) return nullptr;
  // The parse works in place: names and values are terminated inside this copy.
  const OwnedArray<char> copy(new char[size + 1]);
  std::memcpy(copy.get(), text, size);
  copy.get()[size] = 0;
  const ErrorReport report{text, copy.get(), outcome, log_errors};

  // Documents nested deeper than the calling thread's stack safely holds are parsed
  // whole on a stack of their own; only when that cannot be had is the document refused.
  const char* deep = FindExcessNesting(copy.get(), kMaxNesting);
  // The document holds a sizeable node pool of its own: keep it off the stack.
  auto document = std::make_unique<rapidxml::xml_document<char>>();
  const LocalIndex index(locals);
  Walker walker(index);
  for (char* piece = copy.get(); piece != nullptr;) {
    char* const next = deep == nullptr ? NextPiece(piece, copy.get() + size) : nullptr;
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
