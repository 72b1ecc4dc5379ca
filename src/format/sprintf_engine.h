// Internal to vorn_common: do not include from outside src/.
//
// The driver loop of the formatting engine behind TStringA::Sprintf and
// TWideString::Sprintf, written once over the unit type (char / unsigned short): it
// copies literal runs, has each directive parsed (sprintf_parser.h) and converted
// (sprintf_convert.h) with arguments from its source (sprintf_args.h), and feeds the
// texts with their width fill to the accumulator (sprintf_output.h). %z releases its
// argument as UnitTraits<Unit>::release_owned says. Running out of memory throws
// std::bad_alloc out of the driver; every block the call holds is released on the way.
#ifndef VORN_SRC_FORMAT_SPRINTF_ENGINE_H
#define VORN_SRC_FORMAT_SPRINTF_ENGINE_H

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>

#include "cstr/unit_traits.h"
#include "format/sprintf_args.h"
#include "format/sprintf_convert.h"
#include "format/sprintf_output.h"
#include "format/sprintf_parser.h"

namespace vorn::detail::format {

/// One formatting run over one format and one argument source.
template <class Unit, class Source>
class SprintfEngine {
 public:
  SprintfEngine(SprintfAccumulator<Unit>& acc, Source& args) : acc_(acc), args_(args) {}

  /// Formats `format` (null: the empty text); the count produced, or -1 when stopped early.
  int32_t Run(const Unit* format) {
    SprintfAppendFast(acc_, SprintfTexts<Unit>::kEmpty, 0);
    if (format == nullptr) return 0;
    const Unit* p = format;
    for (;;) {
      const Unit* literal = p;
      if (*p != '%' && *p != 0) p = UnitTraits<Unit>::find_or_end(p + 1, '%');  // no call between directives
      if (p != literal) Emit(literal, static_cast<int32_t>(p - literal));
      if (*p == 0) return Count();
      ++p;  // the '%'
      if (*p == 0) {
        Emit(SprintfTexts<Unit>::kPercent, 1);
        return -1;
      }
      SprintfDirective dir;
      SprintfParseDirective(p, args_, dir);
      if (dir.row == nullptr) return -1;
      if (!Convert(dir)) return -1;
    }
  }

  /// False when no zero unit can stand inside the text: only %c and %T put units that
  /// the engine does not look at into it.
  bool MayHoldZeroUnits() const { return zero_units_; }

 private:
  int32_t Count() const { return static_cast<int32_t>(count_); }

  /// Appends a run and counts it.
  void Emit(const Unit* run, int32_t n) {
    count_ += static_cast<uint32_t>(n);
    SprintfAppendFast(acc_, run, n);
  }

  void Fill(int32_t n) {
    count_ += static_cast<uint32_t>(n);
    while (n > 0) {
      const int32_t run = n < kSprintfSpaceRun ? n : kSprintfSpaceRun;
      SprintfAppendFast(acc_, SprintfTexts<Unit>::kSpaces.units, run);
      n -= run;
    }
  }

  /// Width fill around the text, then the text.
  void Output(const SprintfDirective& dir, SprintfText<Unit> text) {
    const int32_t pad = dir.width > text.length ? dir.width - text.length : 0;
    if (!dir.left) Fill(pad);
    Emit(text.chars, text.length);
    if (dir.left) Fill(pad);
  }

  /// Converts and outputs one directive; false stops the engine (result -1). Kept in
  /// the loop: as a call of its own it costs a short format a tenth of its time.
  [[gnu::always_inline]] bool Convert(const SprintfDirective& dir) {
    switch (dir.row->kind) {
      case SprintfKind::kInteger:
      case SprintfKind::kPointer:
        Output(dir, SprintfConvertInteger(dir, args_, work_ + kSprintfConvertSize));
        return true;
      case SprintfKind::kFixedFloat:
      case SprintfKind::kExponentFloat:
      case SprintfKind::kGeneralFloat:
        Output(dir, SprintfConvertFloat(dir, args_, work_));
        return true;
      case SprintfKind::kString:
        Output(dir, SprintfCutText(args_.Text(), dir.precision));
        return true;
      case SprintfKind::kOwnedString: {
        const SprintfScopedBlock<Unit, &UnitTraits<Unit>::release_owned> owned(args_.OwnedText());
        Output(dir, SprintfCutText<Unit>(owned.get(), dir.precision));
        return true;
      }
      case SprintfKind::kQuoted:
      case SprintfKind::kQuotedEnclosed:
      case SprintfKind::kQuotedDouble:
        return OutputQuoted(dir, SprintfQuoteArgument<Unit>(dir, args_));
      case SprintfKind::kCharacter: {
        const SprintfText<Unit> text = SprintfConvertCharacter(dir, args_, work_);
        zero_units_ = zero_units_ || (text.length > 0 && text.chars[0] == 0);
        Output(dir, text);
        return true;
      }
      case SprintfKind::kCount:
        if (int32_t* target = args_.CountTarget()) *target = Count();
        return true;
      case SprintfKind::kPercent:
        Output(dir, {SprintfTexts<Unit>::kPercent, 1});
        return true;
      case SprintfKind::kTextSpan:
        if (const SprintfTextSpan<Unit>* span = args_.Span()) {
          if (span->chars != nullptr) {
            zero_units_ = true;  // the span's units are not looked at
            SprintfAppendFast(acc_, span->chars, static_cast<int32_t>(span->length_word >> 1));
          }
        }
        return true;
    }
    return false;
  }

  /// Writes a quoting conversion: short texts without a width straight behind the
  /// text when the buffer has room for the worst case, others through the work area
  /// or, above its size, a heap block. False when the text is too long to hold.
  bool OutputQuoted(const SprintfDirective& dir, const SprintfQuoting<Unit>& quoting) {
    const size_t worst = quoting.WorstCase();
    if (dir.width == 0 && worst <= static_cast<size_t>(kSprintfWorkSize)) {
      if (Unit* const start = SprintfReserveInPlace(acc_, static_cast<int64_t>(worst))) {
        const auto n = static_cast<int32_t>(quoting.Write(start) - start);
        SprintfCommit(acc_, n);
        count_ += static_cast<uint32_t>(n);
        return true;
      }
    }
    const size_t needed = quoting.Needed();
    if (needed > static_cast<size_t>(std::numeric_limits<int32_t>::max() / 4)) return false;
    const bool on_heap = needed > static_cast<size_t>(kSprintfWorkSize);
    const SprintfScopedBlock<Unit, &SprintfReleaseArray<Unit>> block(on_heap ? new Unit[needed] : nullptr);
    Unit* const out = on_heap ? block.get() : work_;
    Unit* const end = quoting.Write(out);
    Output(dir, {out, static_cast<int32_t>(end - out)});
    return true;
  }

  SprintfAccumulator<Unit>& acc_;
  Source& args_;
  uint32_t count_ = 0;
  bool zero_units_ = false;
  Unit work_[kSprintfConvertSize];
};

/// The first `size` units of the text in a block of their own: the grown block itself
/// when its capacity is within the slack of the length, else a new[] copy.
template <class Unit>
Unit* SprintfResultBlock(SprintfAccumulator<Unit>& acc, SprintfGrownBlock<Unit>& grown, size_t size) {
  if (acc.text != acc.base && acc.capacity <= int64_t{acc.length} + kSprintfShrinkSlack) return grown.Take();
  Unit* const block = new Unit[size];
  SprintfCopyText(block, acc.text, size);
  return block;
}

/// Runs the engine over a fresh accumulator on the stack and returns a new[] block
/// holding the zero-terminated text.
template <class Unit, class Source>
Unit* SprintfBufferT(const Unit* format, Source& args) {
  Unit base[kSprintfBaseSize];
  SprintfAccumulator<Unit> acc{base, base, 0, 0, kSprintfBaseSize, &SprintfGrowT<Unit>};
  SprintfGrownBlock<Unit> grown(acc);
  {
    SprintfEngine<Unit, Source> engine(acc, args);
    engine.Run(format);
  }
  return SprintfResultBlock(acc, grown, static_cast<size_t>(acc.length) + 1);
}

}  // namespace vorn::detail::format

#endif  // VORN_SRC_FORMAT_SPRINTF_ENGINE_H
