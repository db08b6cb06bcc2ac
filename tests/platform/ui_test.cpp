#include <gtest/gtest.h>

#include "platform/headless/headless_backend.h"
#include "platform/localization.h"
#include "platform/ui.h"

namespace {

TEST(PlatformBackend, InstalledBackendReceivesAlertsAndSessions) {
  vlx::HeadlessBackend backend;
  backend.alertAnswers = {0};
  vlx::setPlatformBackend(&backend);
  const std::u16string alternate = u"Cancel";
  EXPECT_EQ(vlx::platformBackend().runAlertPanel(u"Title", u"", u"OK", &alternate, nullptr), 0);
  EXPECT_EQ(vlx::platformBackend().runAlertPanel(u"Again", u"", u"OK", nullptr, nullptr), 1);
  EXPECT_EQ(vlx::runModalSession(nullptr), 0);
  vlx::setPlatformBackend(nullptr);

  ASSERT_EQ(backend.alerts.size(), 2u);
  EXPECT_EQ(backend.alerts[0].title, u"Title");
  EXPECT_TRUE(backend.alerts[0].hasAlternate);
  EXPECT_FALSE(backend.alerts[1].hasAlternate);
  EXPECT_EQ(backend.modalSessionRuns, 1);
  EXPECT_NE(&vlx::platformBackend(), &backend);
}

TEST(Localization, UntranslatedTextIsTheEnglishKey) {
  EXPECT_EQ(vlx::localizedString("Error opening file."), u"Error opening file.");
  EXPECT_EQ(vlx::localizedString(""), u"");
}

TEST(Localization, Utf8AndUtf16RoundTrip) {
  // "Příšerně" and an emoji outside the Basic Multilingual Plane.
  const std::string text = "P\xC5\x99\xC3\xAD\xC5\xA1" "ern\xC4\x9B \xF0\x9F\x93\x96";
  const std::u16string wide = vlx::utf8ToUtf16(text);
  EXPECT_EQ(wide.size(), 11u);
  EXPECT_EQ(vlx::utf16ToUtf8(wide), text);
  EXPECT_EQ(vlx::utf8ToUtf16(""), u"");
}

}  // namespace
