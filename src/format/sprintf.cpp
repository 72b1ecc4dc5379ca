// The narrow and wide formatting engines: instantiations of the shared template for
// both argument sources, and the named entry points around them.
#include <cstdarg>

#include "cstr/unit_traits.h"
#include "format/sprintf.h"
#include "format/sprintf_engine.h"

namespace vorn::detail::format {

void SprintfAppend(SprintfAccumulator<char>* acc, const char* run, int32_t n) { SprintfAppendT(*acc, run, n); }

void SprintfAppendW(SprintfAccumulator<unsigned short>* acc, const unsigned short* run, int32_t n) {
  SprintfAppendT(*acc, run, n);
}

char* SprintfGrow(char* old_block, int32_t old_capacity, int32_t new_capacity) {
  return SprintfGrowT(old_block, old_capacity, new_capacity);
}

unsigned short* SprintfGrowW(unsigned short* old_block, int32_t old_bytes, int32_t new_bytes) {
  return SprintfGrowT(old_block, old_bytes, new_bytes);
}

namespace {

template <class Unit, class Source>
int32_t RunEngine(SprintfAccumulator<Unit>* acc, const Unit* format, Source& source) {
  SprintfEngine<Unit, Source> engine(*acc, source);
  return engine.Run(format);
}

}  // namespace

int32_t SprintfEngineA(SprintfAccumulator<char>* acc, const char* format, va_list* args) {
  VaListSource<char> source(args);
  return RunEngine(acc, format, source);
}

int32_t SprintfEngineW(SprintfAccumulator<unsigned short>* acc, const unsigned short* format, va_list* args) {
  VaListSource<unsigned short> source(args);
  return RunEngine(acc, format, source);
}

int32_t SprintfEngineA(SprintfAccumulator<char>* acc, const char* format, FormatArgs& args) {
  ArraySource<char> source(args);
  return RunEngine(acc, format, source);
}

int32_t SprintfEngineW(SprintfAccumulator<unsigned short>* acc, const unsigned short* format, FormatArgs& args) {
  ArraySource<unsigned short> source(args);
  return RunEngine(acc, format, source);
}

char* SprintfBufferA(const char* format, va_list* args) {
  VaListSource<char> source(args);
  return SprintfBufferT(format, source);
}

unsigned short* SprintfBufferW(const unsigned short* format, va_list* args) {
  VaListSource<unsigned short> source(args);
  return SprintfBufferT(format, source);
}

char* SprintfBufferA(const char* format, FormatArgs& args) {
  ArraySource<char> source(args);
  return SprintfBufferT(format, source);
}

unsigned short* SprintfBufferW(const unsigned short* format, FormatArgs& args) {
  ArraySource<unsigned short> source(args);
  return SprintfBufferT(format, source);
}

void ReleaseUntakenArgs(FormatArgs& args) {
  for (FormatArg& a : args) {
    if (a.taken) continue;
    if (a.kind == FormatArg::Kind::kOwned)
      UnitTraits<char>::release_owned(static_cast<char*>(const_cast<void*>(a.pointer)));
    if (a.kind == FormatArg::Kind::kWideOwned) {
      UnitTraits<unsigned short>::release_owned(static_cast<unsigned short*>(const_cast<void*>(a.pointer)));
    }
    if (a.kind == FormatArg::Kind::kOwned || a.kind == FormatArg::Kind::kWideOwned) a.taken = true;
  }
}

}  // namespace vorn::detail::format
