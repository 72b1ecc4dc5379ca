// Log files and log lines.
#include "vorn/log.h"

#include <cstring>

#include "log/log_state.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/process.h"
#include "vorn/files.h"

namespace vorn::detail::log {

LogGlobals g_log;

namespace {

constexpr const char* kLevelLetters[] = {"D", "I", "W", "E", "P", "L"};
constexpr char kTooLong[] = " <OUTPUT message too long>\n";
constexpr char kNullFormat[] = " (logerror:null string)";
constexpr char kOpenBanner[] = "VornLog Open All:<-----------------------------------------------------";
constexpr char kCloseBanner[] = "VornLog Close All:----------------------------------------------------->";

// Longest header: "[L-" + name + "(" + 2 ids + "-" + ") hh:mm:ss]:" with signed 32-bit ids.
constexpr size_t kMaxHeader = 3 + kMaxAppName + 1 + 11 + 1 + 11 + 12;
static_assert(kMaxHeader + kOverflowIndent + sizeof kTooLong < kLineBuffer,
              "header and indent must always fit the line buffer");

char* put_decimal(char* out, int32_t value) {
  char digits[12];
  int n = 0;
  uint32_t magnitude = value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
  do {
    digits[n++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (value < 0) *out++ = '-';
  while (n > 0) *out++ = digits[--n];
  return out;
}

char* put_two_digits(char* out, int value) {
  *out++ = static_cast<char>('0' + value / 10 % 10);
  *out++ = static_cast<char>('0' + value % 10);
  return out;
}

char* put_spaces(char* out, int32_t count) {
  if (count > 0) {
    std::memset(out, ' ', static_cast<size_t>(count));
    out += count;
  }
  return out;
}

// The header is written as text, never passed through the C library's formatter, so
// a '%' in the application name cannot consume an argument.
size_t put_header(char* out, int level, int32_t indent) {
  const platform::TimeOfDay now = platform::local_time_of_day();
  char* p = out;
  *p++ = '[';
  *p++ = kLevelLetters[level][0];
  *p++ = '-';
  const size_t name_length = std::strlen(g_log.app_name);
  std::memcpy(p, g_log.app_name, name_length);
  p += name_length;
  *p++ = '(';
  p = put_decimal(p, static_cast<int32_t>(g_log.process_id));
  *p++ = '-';
  p = put_decimal(p, static_cast<int32_t>(platform::current_thread_id()));
  *p++ = ')';
  *p++ = ' ';
  p = put_two_digits(p, now.hour);
  *p++ = ':';
  p = put_two_digits(p, now.minute);
  *p++ = ':';
  p = put_two_digits(p, now.second);
  *p++ = ']';
  *p++ = ':';
  p = put_spaces(p, indent);
  return static_cast<size_t>(p - out);
}

void write_to_files(int level, const char* text, size_t length) {
  const bool ends_line = length > 0 && text[length - 1] == '\n';
  for (int32_t i = 0; i < g_log.files.count; ++i) {
    const LogFileEntry& row = g_log.files.rows[i];
    if (row.stream == nullptr || row.threshold > level) continue;
    // Holding the stream for the line keeps lines of other threads out of its middle.
    platform::write_unbroken(row.stream, {{text, length}, {"\r\n", ends_line ? 0u : 2u}});
  }
}

void write_level(int level, const char* format, ...) VORN_PRINTF_FORMAT(2, 3);
void write_level(int level, const char* format, ...) {
  va_list args;
  va_start(args, format);
  write_v(level, format, args);
  va_end(args);
}

}  // namespace

Line build_line(char (&buffer)[kLineBuffer], int level, const char* format, va_list args) {
  if (level < 0 || level > kLevel5) level = kLevel5;
  int32_t indent = thread_state().indent;
  if (indent < 0) indent = 0;
  if (indent > kOverflowIndent) indent = kOverflowIndent;

  const size_t format_length = format != nullptr ? std::strlen(format) : 0;
  if (static_cast<size_t>(indent) + format_length > kMaxPrefixAndFormat) {
    char* end = put_spaces(buffer, indent);
    std::memcpy(end, kTooLong, sizeof kTooLong);
    return Line{buffer, static_cast<size_t>(end - buffer) + sizeof kTooLong - 1, false};
  }

  const size_t header = put_header(buffer, level, indent);
  if (format == nullptr) {
    std::memcpy(buffer + header, kNullFormat, sizeof kNullFormat - 1);
    std::memcpy(buffer + header + sizeof kNullFormat - 1, "\r\n", 3);
    return Line{buffer, header + sizeof kNullFormat - 1 + 2, false};
  }

  // The line ends with CR LF unless the caller's format ends the line itself.
  const bool format_ends_line = format_length > 0 && format[format_length - 1] == '\n';
  const size_t line_end = format_ends_line ? 0 : 2;
  va_list first;
  va_copy(first, args);
  const int written = std::vsnprintf(buffer + header, kLineBuffer - header, format, first);
  va_end(first);
  if (written < 0) {
    // The C library refused the format: keep the header and end the line.
    std::memcpy(buffer + header, "\r\n", 3);
    return Line{buffer, header + 2, false};
  }
  const size_t message = static_cast<size_t>(written);
  const size_t total = header + message + line_end;
  char* text = buffer;
  bool heap = false;
  if (total + 1 > kLineBuffer) {
    text = new char[total + 1];  // out of memory throws to the writer's caller
    heap = true;
    std::memcpy(text, buffer, header);
    va_list second;
    va_copy(second, args);
    std::vsnprintf(text + header, message + 1, format, second);
    va_end(second);
  }
  std::memcpy(text + header + message, "\r\n", line_end);
  text[total] = 0;
  return Line{text, total, heap};
}

void write_v(int level, const char* format, va_list args) {
  if (!g_log.initialised || !g_log.enabled) return;
  char buffer[kLineBuffer];
  const Line line = build_line(buffer, level, format, args);
  if (line.text == nullptr) return;
  // A zero character from the arguments ends the line; the line end follows it.
  write_to_files(level, line.text, strnlen(line.text, line.length));
  if (line.heap) delete[] line.text;
}

void info_v(const char* format, va_list args) { write_v(kInfo, format, args); }

void open_file(const char* path, int32_t threshold) {
  if (!g_log.enabled) return;
  thread_state().indent = 0;
  if (path == nullptr || *path == 0) return;
  LogFileTable& table = g_log.files;
  if (table.count >= kMaxFiles) {
    write_level(kError, "Too many log files already open, not adding `%s'", path);
    return;
  }
  const size_t length = std::strlen(path);
  if (length > kMaxFileName) {
    write_level(kError, "Log filename too long: `%s'.", path);
    return;
  }
  for (int32_t i = 0; i < table.count; ++i) {
    if (std::strcmp(table.rows[i].name, path) == 0) return;
  }

  FILE* stream = platform::open_file(path, "r+b");
  if (stream == nullptr) {
    char dir[kMaxFileName + 1];
    ExtractFileDir(path, dir);
    if (!platform::path_exists(dir)) Vorn_ForceCreateDir(dir);
    stream = platform::open_file(path, "w+b");
    if (stream == nullptr) return;
  }
  std::fseek(stream, 0, SEEK_END);

  LogFileEntry& row = table.rows[table.count];
  row.stream = stream;
  row.threshold = threshold;
  std::memcpy(row.name, path, length + 1);
  ++table.count;
  write_level(kInfo, "%s", kOpenBanner);
}

}  // namespace vorn::detail::log

namespace lg = vorn::detail::log;

extern "C" {

int Vorn_Log_QuickInit(const char* app, const char* path, int threshold, int open, int assert_flag) {
  lg::LogGlobals& g = lg::g_log;
  lg::thread_state().timer_depth = 0;
  g.process_id = vorn::platform::current_process_id();
  const size_t name_length = app != nullptr ? strnlen(app, lg::kMaxAppName) : 0;
  std::memcpy(g.app_name, app != nullptr ? app : "", name_length);
  g.app_name[name_length] = 0;
  if (g.init_count == 0) {
    g.enabled = true;
    std::memset(&g.files, 0, sizeof g.files);
  }
  ++g.init_count;
  g.initialised = true;
  if (open != 0) {
    lg::open_file(path, threshold);
    g.assertions = assert_flag != 0;
  }
  return 1;
}

void Vorn_Log_Close_all(void) {
  lg::LogGlobals& g = lg::g_log;
  lg::write_level(lg::kInfo, "%s", lg::kCloseBanner);
  if (g.init_count == 1) {
    while (g.files.count > 0) {
      lg::LogFileEntry& row = g.files.rows[g.files.count - 1];
      if (row.stream != nullptr) std::fclose(row.stream);
      row.stream = nullptr;
      --g.files.count;
    }
  }
  --g.init_count;
}

void Vorn_Log_Error(const char* format, ...) {
  va_list args;
  va_start(args, format);
  lg::write_v(lg::kError, format, args);
  va_end(args);
}

void Vorn_Log_Warning(const char* format, ...) {
  va_list args;
  va_start(args, format);
  lg::write_v(lg::kWarning, format, args);
  va_end(args);
}

void Vorn_Log_Info(const char* format, ...) {
  va_list args;
  va_start(args, format);
  lg::write_v(lg::kInfo, format, args);
  va_end(args);
}

void Vorn_Log_SetEnable(int enable) { lg::g_log.enabled = enable == 1; }

bool Vorn_Log_GetEnable(void) { return lg::g_log.enabled; }

void Vorn_Log_FormatPush(int brace) {
  if (!lg::g_log.enabled) return;
  if (brace != 0) Vorn_Log_Info("{");
  lg::LogThreadState& state = lg::thread_state();
  state.indent += 2;
  if (state.indent > lg::kMaxIndent) state.indent = lg::kOverflowIndent;
}

void Vorn_Log_FormatPop(int brace) {
  if (!lg::g_log.enabled) return;
  lg::LogThreadState& state = lg::thread_state();
  state.indent = state.indent > 2 ? state.indent - 2 : 0;
  if (brace != 0) Vorn_Log_Info("}");
}

}  // extern "C"
