// Confirmation callbacks: the arguments they receive, and the answers remembered
// process-wide.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_support.h"
#include "vorn/runtime.h"

namespace {

using Lines = std::vector<std::string>;
using Args = std::vector<intptr_t>;

// A scripted application: answers with `answer`, sets the flags word to `flags`, and
// records the context and the other arguments of every call.
struct Script {
  int answer = 0;
  uint32_t flags = 0;
  std::vector<Args> calls;
};

int scripted(intptr_t context, int kind, int code, uint32_t* flags, int v1, int v2, int v3) {
  auto* script = reinterpret_cast<Script*>(context);
  EXPECT_EQ(0u, *flags & 1u);
  script->calls.push_back(Args{context, kind, code, v1, v2, v3});
  *flags = script->flags;
  return script->answer;
}

class Confirm : public vorn_test::LogCaptureTest {
 protected:
  void SetUp() override {
    LogCaptureTest::SetUp();
    saved_ = *globalConfirmSetting();
    globalConfirmSettingReset();
  }
  void TearDown() override {
    *globalConfirmSetting() = saved_;
    LogCaptureTest::TearDown();
  }

  Script script_;
  const confirm_callback record_{reinterpret_cast<intptr_t>(&script_), scripted};
  confirm_setting saved_{};
};

TEST_F(Confirm, CallbacksReceiveKindCodeAndValues) {
  script_.answer = 7;
  EXPECT_EQ(7, confirm_error(11, &record_, 1, 2));
  EXPECT_EQ(7, confirm_dlg(12, &record_, 3, 4));
  EXPECT_EQ(7, confirm_override(13, &record_, 5, 6, 8));
  const intptr_t ctx = record_.context;
  EXPECT_EQ((std::vector<Args>{{ctx, 0, 11, 41, 1, 2}, {ctx, 2, 12, 200, 3, 4}, {ctx, 1, 13, 5, 6, 8}}), script_.calls);
  globalConfirmSetting()->override_choice = 3;
  EXPECT_EQ(0, confirm_error(1, nullptr, 0, 0));
  EXPECT_EQ(5, confirm_dlg(1, nullptr, 0, 0));
  EXPECT_EQ(0, confirm_override(1, nullptr, 0, 0, 0));
}

TEST_F(Confirm, ErrorAnswerForAllSkipsLaterErrorsUntilReset) {
  script_.answer = 6;
  script_.flags = 1;
  EXPECT_EQ(6, confirm_error(1, &record_, 0, 0));
  EXPECT_TRUE(globalConfirmSetting()->skip_errors);
  EXPECT_EQ(0, confirm_error(2, &record_, 0, 0));
  EXPECT_EQ(1u, script_.calls.size());
  // A dialog is always asked and changes no setting, whatever the flags.
  EXPECT_EQ(6, confirm_dlg(3, &record_, 0, 0));
  EXPECT_EQ(0, globalConfirmSetting()->override_choice);
  globalConfirmSettingReset();
  script_.flags = 0;
  EXPECT_EQ(6, confirm_error(4, &record_, 0, 0));
  EXPECT_EQ(6, confirm_error(5, &record_, 0, 0));
  EXPECT_EQ(4u, script_.calls.size());
}

TEST_F(Confirm, OverrideAnswersForAllAreRememberedByTheirCodes) {
  const int32_t stored_for_answer[] = {1, 2, 4, 0, 3};
  for (int answer : {0, 1, 2, 4}) {
    globalConfirmSettingReset();
    script_.calls.clear();
    script_.answer = answer;
    script_.flags = 1;
    EXPECT_EQ(answer, confirm_override(1, &record_, 0, 0, 0));
    EXPECT_EQ(stored_for_answer[answer], globalConfirmSetting()->override_choice);
    script_.answer = 9;
    EXPECT_EQ(answer, confirm_override(2, &record_, 0, 0, 0));
    EXPECT_EQ(1u, script_.calls.size()) << answer;
  }
  EXPECT_TRUE(take().empty());
  // Without the flag nothing is remembered.
  globalConfirmSettingReset();
  script_.flags = 0;
  EXPECT_EQ(9, confirm_override(3, &record_, 0, 0, 0));
  EXPECT_EQ(0, globalConfirmSetting()->override_choice);
}

TEST_F(Confirm, UnrememberableOverrideAnswerIsReportedAndReturned) {
  script_.flags = 1;
  for (int answer : {3, 5}) {
    script_.answer = answer;
    EXPECT_EQ(answer, confirm_override(1, &record_, 0, 0, 0));
    EXPECT_EQ(0, globalConfirmSetting()->override_choice);
    EXPECT_EQ((Lines{"E:Error:FileName:confirm_callback Line:102"}), take());
  }
  EXPECT_EQ(2u, script_.calls.size());
}

}  // namespace
