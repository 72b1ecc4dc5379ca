// The process-wide last error: stored and built-in texts, the wide form, and the
// error line that every setting writes.
#include <gtest/gtest.h>

#include <string>
#include <utility>
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
  const std::pair<int, const char*> rows[] = {{5, "invalid forcasttime must < precord.cycledata/2"},
                                              {1, "invalid params"},
                                              {20, "record.appid SHOULD not be 0"},
                                              {99, "errorCode:99"},
                                              {-5, "errorCode:-5"}};
  Lines logged;
  for (const auto& [code, text] : rows) {
    setLastError(code, nullptr);
    EXPECT_EQ(code, getLastErrorCode());
    EXPECT_STREQ(text, getLastErrorText());
    logged.push_back("E:setLastError:" + std::to_string(code));
  }
  EXPECT_EQ(logged, take());
  setLastError(3, "");  // an empty text is no text
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

// The caller's text is stored and logged, cut to 1023 bytes.
TEST_F(LastError, CallerTextIsCutTo1023BytesInStoreAndLog) {
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
