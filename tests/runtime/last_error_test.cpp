// The process-wide last error: stored and built-in texts, the wide form, and the
// error line that every setting writes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_support.h"
#include "vorn/charset.h"
#include "vorn/runtime.h"

namespace {

using Lines = std::vector<std::string>;

class LastError : public vorn_test::LogCaptureTest {
 protected:
  void SetUp() override {
    LogCaptureTest::SetUp();
    saved_code_ = getLastErrorCode();
    if (const char* text = getLastErrorText()) saved_text_ = text;
  }
  void TearDown() override {
    if (saved_code_ == 0) {
      clearLastError();
    } else {
      setLastError(saved_code_, saved_text_.c_str());
    }
    LogCaptureTest::TearDown();
  }

  int saved_code_ = 0;
  std::string saved_text_;
};

TEST_F(LastError, CodesWithoutTextGetTheBuiltInTextOrTheirNumber) {
  setLastError(5, nullptr);
  EXPECT_EQ(5, getLastErrorCode());
  EXPECT_STREQ("invalid forcasttime must < precord.cycledata/2", getLastErrorText());
  setLastError(1, nullptr);
  EXPECT_STREQ("invalid params", getLastErrorText());
  setLastError(20, nullptr);
  EXPECT_STREQ("record.appid SHOULD not be 0", getLastErrorText());
  setLastError(99, nullptr);
  EXPECT_STREQ("errorCode:99", getLastErrorText());
  setLastError(-5, nullptr);
  EXPECT_STREQ("errorCode:-5", getLastErrorText());
  EXPECT_EQ(
      (Lines{"E:setLastError:5", "E:setLastError:1", "E:setLastError:20", "E:setLastError:99", "E:setLastError:-5"}),
      take());
}

TEST_F(LastError, CallerTextWinsAndIsLogged) {
  setLastError(3, "disk full");
  EXPECT_STREQ("disk full", getLastErrorText());
  EXPECT_EQ((Lines{"E:setLastError:3,text:disk full"}), take());
  setLastError(3, "");
  EXPECT_STREQ("invalid record.relativeid & appID", getLastErrorText());
}

TEST_F(LastError, CodeZeroMeansNoErrorWhateverTheText) {
  setLastError(0, "ignored");
  EXPECT_EQ(0, getLastErrorCode());
  EXPECT_EQ(nullptr, getLastErrorText());
  EXPECT_EQ(nullptr, getLastErrorTextW());
  setLastError(7, "x");
  clearLastError();
  EXPECT_EQ(0, getLastErrorCode());
  EXPECT_EQ(nullptr, getLastErrorText());
  EXPECT_EQ(nullptr, getLastErrorTextW());
  // Clearing empties the text: a new code without text gets its built-in text.
  setLastError(18, nullptr);
  EXPECT_STREQ("db operation failed", getLastErrorText());
}

TEST_F(LastError, LongTextIsCutTo1023BytesInStoreAndLog) {
  const std::string text = std::string(1000, 'a') + std::string(1000, 'b');
  setLastError(2, text.c_str());
  EXPECT_EQ(text.substr(0, 1023), getLastErrorText());
  const Lines lines = take();
  ASSERT_EQ(1u, lines.size());
  EXPECT_EQ("E:setLastError:2,text:" + text.substr(0, 1023), lines[0]);
}

TEST_F(LastError, WideFormNeedsRoomForTheTerminator) {
  setLastError(4, std::string(1022, 'w').c_str());
  EXPECT_EQ(std::u16string(1022, u'w'), vorn_test::u16(getLastErrorTextW()));
  setLastError(4, std::string(1023, 'w').c_str());
  EXPECT_EQ(nullptr, getLastErrorTextW());
  setLastError(12, nullptr);
  EXPECT_EQ(u"invalid record.cycletype", vorn_test::u16(getLastErrorTextW()));
}

TEST_F(LastError, WideFormConvertsFromTheAnsiCharacterSet) {
  ASSERT_EQ(1, Vorn_SetAnsiCodePage("ISO-8859-1"));
  setLastError(9, "caf\xE9");
  const std::u16string converted = vorn_test::u16(getLastErrorTextW());
  Vorn_SetAnsiCodePage(nullptr);
  EXPECT_EQ(u"caf\u00E9", converted);
}

}  // namespace
