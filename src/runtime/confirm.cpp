// Confirmation callbacks with process-wide remembered answers, and string resource
// lookup in caller tables.
#include "vorn/files.h"
#include "vorn/log.h"
#include "vorn/runtime.h"

namespace {

// Shared by all threads without a lock, as the callers expect.
confirm_setting g_setting = {false, 0};

enum ConfirmKind { kKindError = 0, kKindOverride = 1, kKindDialog = 2 };

constexpr int kErrorValue = 41;
constexpr int kDialogValue = 200;
constexpr int kNoRecordDialogAnswer = 5;
constexpr uint32_t kApplyToAll = 1;

// The override answers that can be remembered, and the code each is kept under.
struct RememberedAnswer {
  int answer;
  int32_t choice;
};
constexpr RememberedAnswer kRemembered[] = {{0, 1}, {1, 2}, {2, 4}, {4, 3}};

// Where an override answer that cannot be remembered is reported.
constexpr const char* kConfirmSource = "confirm_callback";
constexpr int kUnrememberedAnswerLine = 102;

int ask(const confirm_callback* record, int kind, int code, uint32_t* flags, int v1, int v2, int v3) {
  return record->callback(record->context, kind, code, flags, v1, v2, v3);
}

}  // namespace

extern "C" {

int confirm_error(int code, const confirm_callback* record, int v1, int v2) {
  if (record == nullptr || g_setting.skip_errors) return 0;
  uint32_t flags = 0;
  const int answer = ask(record, kKindError, code, &flags, kErrorValue, v1, v2);
  if ((flags & kApplyToAll) != 0) g_setting.skip_errors = true;
  return answer;
}

int confirm_dlg(int code, const confirm_callback* record, int v1, int v2) {
  if (record == nullptr) return kNoRecordDialogAnswer;
  uint32_t flags = 0;
  return ask(record, kKindDialog, code, &flags, kDialogValue, v1, v2);
}

int confirm_override(int code, const confirm_callback* record, int v1, int v2, int v3) {
  if (record == nullptr) return 0;
  for (const RememberedAnswer& r : kRemembered) {
    if (g_setting.override_choice == r.choice) return r.answer;
  }
  uint32_t flags = 0;
  const int answer = ask(record, kKindOverride, code, &flags, v1, v2, v3);
  if ((flags & kApplyToAll) == 0) return answer;
  for (const RememberedAnswer& r : kRemembered) {
    if (r.answer == answer) {
      g_setting.override_choice = r.choice;
      return answer;
    }
  }
  Vorn_Log_Error("Error:FileName:%s Line:%d", ExtractFileNamePtrA(kConfirmSource), kUnrememberedAnswerLine);
  return answer;
}

confirm_setting* globalConfirmSetting(void) { return &g_setting; }

void globalConfirmSettingReset(void) {
  g_setting.skip_errors = false;
  g_setting.override_choice = 0;
}

}  // extern "C"
