// The process-wide last error: code, text, and the built-in texts of known codes.
#include <cstdio>
#include <cstring>

#include "charset/ansi_codepage.h"
#include "vorn/log.h"
#include "vorn/runtime.h"

namespace {

constexpr size_t kTextSize = 1024;

struct ErrorText {
  int code;
  const char* text;
};

// The texts that the applications of this library give to their error codes.
constexpr ErrorText kErrorTexts[] = {
    {1, "invalid params"},
    {2, "invalid record.timetype"},
    {3, "invalid record.relativeid & appID"},
    {4, "invalid record:cycledata must > 0"},
    {5, "invalid forcasttime must < precord.cycledata/2"},
    {6, "invalid record.notify_timemode in ctEveryDay"},
    {7, "invalid forcasttime must < half day."},
    {8, "invalid forcasttime must < half month"},
    {9, "invalid forcasttime must < half year"},
    {10, "invalid record.cycledata,must < 0xff"},
    {11, "invalid forcasttime must < half day in week"},
    {12, "invalid record.cycletype"},
    {13, "invalid record.notifytype"},
    {14, "invalid record.notify_timemode"},
    {15, "invalid record.folderid"},
    {16, "invalid record.forcastime must > oneday in ignore time mode."},
    {17, "invalid record.title must be non-null"},
    {18, "db operation failed"},
    {19, "record.timetype SHOULD be GREGORIAN"},
    {20, "record.appid SHOULD not be 0"},
};

// Shared by all threads without a lock, as the callers expect.
int g_code = 0;
char g_text[kTextSize] = {};
unsigned short g_wide_text[kTextSize] = {};

const char* table_text(int code) {
  for (const ErrorText& entry : kErrorTexts) {
    if (entry.code == code) return entry.text;
  }
  return nullptr;
}

}  // namespace

extern "C" {

void setLastError(int code, const char* text) {
  g_code = code;
  if (text == nullptr) {
    g_text[0] = 0;
    Vorn_Log_Error("setLastError:%d", code);
    return;
  }
  const size_t n = strnlen(text, kTextSize - 1);
  std::memcpy(g_text, text, n);
  g_text[n] = 0;
  Vorn_Log_Error("setLastError:%d,text:%s", code, g_text);
}

int getLastErrorCode(void) { return g_code; }

const char* getLastErrorText(void) {
  if (g_code == 0) return nullptr;
  if (g_text[0] != 0) return g_text;
  // The text found for the code stays in the buffer until the error changes.
  if (const char* known = table_text(g_code)) {
    std::snprintf(g_text, kTextSize, "%s", known);
  } else {
    std::snprintf(g_text, kTextSize, "errorCode:%d", g_code);
  }
  return g_text;
}

const unsigned short* getLastErrorTextW(void) {
  if (g_code == 0) return nullptr;
  const char* text = getLastErrorText();
  if (text == nullptr || text[0] == 0) return nullptr;
  // At most 1023 units, terminator included: a text that needs more has no wide form.
  if (vorn::charset::ansi_to_utf16(text, -1, g_wide_text, static_cast<int>(kTextSize - 1)) < 1) return nullptr;
  g_wide_text[kTextSize - 1] = 0;
  return g_wide_text;
}

void clearLastError(void) {
  g_code = 0;
  g_text[0] = 0;
}

}  // extern "C"
