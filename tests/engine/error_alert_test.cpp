// The alerts that show engine error codes.
#include <gtest/gtest.h>

#include "engine/errors.h"
#include "platform/headless/headless_backend.h"
#include "platform/localization.h"

namespace {

class ErrorAlert : public ::testing::Test {
 protected:
  void SetUp() override { vlx::setPlatformBackend(&backend); }
  void TearDown() override { vlx::setPlatformBackend(nullptr); }
  vlx::HeadlessBackend backend;
};

TEST_F(ErrorAlert, ShowsTheTextOfEachCode) {
  struct Case {
    int code;
    const char16_t* title;
    const char16_t* message;
  };
  const Case cases[] = {
      {-1, u"Error opening file.", u""},
      {-2, u"This file isn't Vellix.", u"It might be another type of electronic text."},
      {-3, u"This file doesn't conform Palm recommendations.", u""},
      {-4, u"File is in unknown format or it may be damaged.", u""},
      {-5, u"Error reading file, file is probably damaged.", u""},
      {-6, u"Error writing file, disk may be full.", u""},
      {-7, u"Error allocating memory.", u""},
      {-8, u"Error converting characters.", u""},
      {-9, u"This software requires at least Mac OS X 10.2 in order to run.", u""},
      {0, u"Unknown error occurred.", u"Error 0."},
      {-12, u"Unknown error occurred.", u"Error -12."},
      {7, u"Unknown error occurred.", u"Error 7."},
  };
  for (const Case& c : cases) {
    backend.alertAnswers.push_back(1);
    EXPECT_EQ(VLXErrRunAlertPanel(c.code), 1);
    ASSERT_FALSE(backend.alerts.empty());
    const auto& alert = backend.alerts.back();
    EXPECT_EQ(alert.title, c.title) << c.code;
    EXPECT_EQ(alert.message, c.message) << c.code;
    EXPECT_EQ(alert.defaultButton, u"OK");
    EXPECT_FALSE(alert.hasAlternate);
    EXPECT_FALSE(alert.hasOther);
  }
}

TEST_F(ErrorAlert, ReturnsTheButtonChosen) {
  backend.alertAnswers.push_back(0);
  EXPECT_EQ(VLXErrRunAlertPanel(VLXErrRead), 0);
}

}  // namespace
