// Internal to vorn_common: do not include from outside src/.
//
// The named entry points of the formatting engine (sprintf.cpp, sprintf_length.cpp):
// the narrow (A) and wide (W) instantiations of the templates in sprintf_engine.h,
// over a va_list or over an array of tagged arguments.
#ifndef VORN_SRC_FORMAT_SPRINTF_H
#define VORN_SRC_FORMAT_SPRINTF_H

#include <cstdarg>
#include <cstdint>

#include "format/sprintf_args.h"
#include "format/sprintf_output.h"

namespace vorn::detail::format {

void SprintfAppend(SprintfAccumulator<char>* acc, const char* run, int32_t n);
void SprintfAppendW(SprintfAccumulator<unsigned short>* acc, const unsigned short* run, int32_t n);
char* SprintfGrow(char* old_block, int32_t old_capacity, int32_t new_capacity);
unsigned short* SprintfGrowW(unsigned short* old_block, int32_t old_bytes, int32_t new_bytes);

/// The va_list forms read from and advance `*args`; the caller va_ends it as usual.
int32_t SprintfEngineA(SprintfAccumulator<char>* acc, const char* format, va_list* args);
int32_t SprintfEngineW(SprintfAccumulator<unsigned short>* acc, const unsigned short* format, va_list* args);
int32_t SprintfEngineA(SprintfAccumulator<char>* acc, const char* format, FormatArgs& args);
int32_t SprintfEngineW(SprintfAccumulator<unsigned short>* acc, const unsigned short* format, FormatArgs& args);

/// The formatted text in a new[] block (release with delete[]), or null.
char* SprintfBufferA(const char* format, va_list* args);
unsigned short* SprintfBufferW(const unsigned short* format, va_list* args);
char* SprintfBufferA(const char* format, FormatArgs& args);
unsigned short* SprintfBufferW(const unsigned short* format, FormatArgs& args);

/// The length estimate of GetSprintfLenA_Reserved over an argument array.
uint32_t SprintfLengthEstimate(const char* format, FormatArgs& args);

}  // namespace vorn::detail::format

#endif  // VORN_SRC_FORMAT_SPRINTF_H
