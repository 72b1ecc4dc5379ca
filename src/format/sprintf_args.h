// Internal to vorn_common: do not include from outside src/.
//
// Argument sources of the formatting engine. The engine never touches a va_list or
// an argument array itself: it asks its source for "the next 32-bit integer", "the
// next text", and so on. Two sources exist:
//
//   VaListSource  reads the C variadic arguments of the exported entry points;
//   ArraySource   reads a vector of tagged values (Vorn_FormatArgs, tests, the fuzz
//                 target). A missing argument, or one whose tag does not match the
//                 request, reads as 0 or null, so any format can be tried against any
//                 argument list safely; each argument notes what it was read as.
//
// Argument types on Linux x86-64: %p reads a pointer-width (64-bit) unsigned value;
// the record of %T is SprintfTextSpan<Unit> { const Unit* chars; uint32_t length_word; }.
#ifndef VORN_SRC_FORMAT_SPRINTF_ARGS_H
#define VORN_SRC_FORMAT_SPRINTF_ARGS_H

#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vorn::detail::format {

/// The record that %T reads: characters and a word whose bits 1..31 give their count.
template <class Unit>
struct SprintfTextSpan {
  const Unit* chars;
  uint32_t length_word;
};

/// Reads arguments straight from the caller's va_list, which it advances: no copy is
/// made (copying a list that va_start has just written stalls on store forwarding).
template <class Unit>
class VaListSource {
 public:
  explicit VaListSource(va_list* args) : args_(*args) {}

  int32_t Int32() { return static_cast<int32_t>(va_arg(args_, int)); }
  int64_t Int64() { return static_cast<int64_t>(va_arg(args_, long long)); }
  uint64_t PointerBits() { return reinterpret_cast<uintptr_t>(va_arg(args_, void*)); }
  double Real() { return va_arg(args_, double); }
  const Unit* Text() { return va_arg(args_, const Unit*); }
  /// A text whose ownership passes to the engine (released after output, see %z).
  Unit* OwnedText() { return va_arg(args_, Unit*); }
  int32_t* CountTarget() { return va_arg(args_, int32_t*); }
  const SprintfTextSpan<Unit>* Span() { return va_arg(args_, const SprintfTextSpan<Unit>*); }

 private:
  va_list& args_;
};

/// One tagged argument for ArraySource.
struct FormatArg {
  enum class Kind : uint8_t {
    kInteger,
    kReal,
    kText,         // const char*
    kWideText,     // const unsigned short*
    kOwned,        // char* from new[]; the engine takes it only through %z
    kWideOwned,    // unsigned short* from the single-object ::operator new
    kCountTarget,  // int32_t*
    kSpan,         // const SprintfTextSpan<char>*
    kWideSpan,     // const SprintfTextSpan<unsigned short>*
  };

  /// What the engine read an argument as; ArraySource notes it in `read`.
  enum class Read : uint8_t { kNothing, kInt32, kInt64, kReal, kText, kOwned, kCountTarget, kSpan };

  Kind kind = Kind::kInteger;
  Read read = Read::kNothing;
  int64_t integer = 0;
  double real = 0.0;
  const void* pointer = nullptr;
  /// Set when the engine took ownership of a kOwned / kWideOwned text.
  bool taken = false;

  static FormatArg Int(int64_t v) {
    FormatArg a;
    a.integer = v;
    return a;
  }
  static FormatArg Real(double v) {
    FormatArg a;
    a.kind = Kind::kReal;
    a.real = v;
    return a;
  }
  static FormatArg Text(const char* s) { return Ptr(Kind::kText, s); }
  static FormatArg Text(const unsigned short* s) { return Ptr(Kind::kWideText, s); }
  static FormatArg Owned(char* s) { return Ptr(Kind::kOwned, s); }
  static FormatArg Owned(unsigned short* s) { return Ptr(Kind::kWideOwned, s); }
  static FormatArg Count(int32_t* target) { return Ptr(Kind::kCountTarget, target); }
  static FormatArg Span(const SprintfTextSpan<char>* s) { return Ptr(Kind::kSpan, s); }
  static FormatArg Span(const SprintfTextSpan<unsigned short>* s) { return Ptr(Kind::kWideSpan, s); }

 private:
  static FormatArg Ptr(Kind kind, const void* p) {
    FormatArg a;
    a.kind = kind;
    a.pointer = p;
    return a;
  }
};

using FormatArgs = std::vector<FormatArg>;

/// Reads arguments from a FormatArgs vector; mismatches and missing items read as 0/null.
template <class Unit>
class ArraySource {
  static constexpr bool kWide = sizeof(Unit) != 1;
  static constexpr FormatArg::Kind kTextKind = kWide ? FormatArg::Kind::kWideText : FormatArg::Kind::kText;
  static constexpr FormatArg::Kind kOwnedKind = kWide ? FormatArg::Kind::kWideOwned : FormatArg::Kind::kOwned;
  static constexpr FormatArg::Kind kSpanKind = kWide ? FormatArg::Kind::kWideSpan : FormatArg::Kind::kSpan;

 public:
  explicit ArraySource(FormatArgs& args) : args_(args) {}

  int32_t Int32() { return static_cast<int32_t>(static_cast<uint32_t>(Integer(FormatArg::Read::kInt32))); }
  int64_t Int64() { return Integer(FormatArg::Read::kInt64); }
  uint64_t PointerBits() {
    return static_cast<uint64_t>(Integer(sizeof(void*) > 4 ? FormatArg::Read::kInt64 : FormatArg::Read::kInt32));
  }
  double Real() {
    FormatArg* a = Next(FormatArg::Read::kReal);
    return a != nullptr && a->kind == FormatArg::Kind::kReal ? a->real : 0.0;
  }
  const Unit* Text() {
    FormatArg* a = Next(FormatArg::Read::kText);
    if (a == nullptr || (a->kind != kTextKind && (a->kind != kOwnedKind || a->taken))) return nullptr;
    return static_cast<const Unit*>(a->pointer);
  }
  Unit* OwnedText() {
    FormatArg* a = Next(FormatArg::Read::kOwned);
    if (a == nullptr || a->kind != kOwnedKind || a->taken) return nullptr;
    a->taken = true;
    return static_cast<Unit*>(const_cast<void*>(a->pointer));
  }
  int32_t* CountTarget() {
    FormatArg* a = Next(FormatArg::Read::kCountTarget);
    if (a == nullptr || a->kind != FormatArg::Kind::kCountTarget) return nullptr;
    return static_cast<int32_t*>(const_cast<void*>(a->pointer));
  }
  const SprintfTextSpan<Unit>* Span() {
    FormatArg* a = Next(FormatArg::Read::kSpan);
    if (a == nullptr || a->kind != kSpanKind) return nullptr;
    return static_cast<const SprintfTextSpan<Unit>*>(a->pointer);
  }

  /// Number of arguments read so far (including missing ones).
  size_t consumed() const { return next_; }

 private:
  FormatArg* Next(FormatArg::Read how) {
    const size_t i = next_++;
    if (i >= args_.size()) return nullptr;
    args_[i].read = how;
    return &args_[i];
  }
  int64_t Integer(FormatArg::Read how) {
    FormatArg* a = Next(how);
    return a != nullptr && a->kind == FormatArg::Kind::kInteger ? a->integer : 0;
  }

  FormatArgs& args_;
  size_t next_ = 0;
};

/// Releases the owned texts of `args` that no %z took.
void ReleaseUntakenArgs(FormatArgs& args);

}  // namespace vorn::detail::format

#endif  // VORN_SRC_FORMAT_SPRINTF_ARGS_H
