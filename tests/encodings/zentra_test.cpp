// VLXEncFromZentra: the Zentra tool's current domain first, then its legacy one,
// read afresh at every call.
#include <gtest/gtest.h>

#include "encodings/registry.h"
#include "encodings/zentra.h"
#include "platform/user_defaults.h"
#include "tests/platform/temp_config_home.h"

namespace {

using vlx::DefaultsArray;
using vlx::DefaultsDictionary;
using vlx::UserDefaults;
namespace zentra = vlx::zentra;

class ZentraTest : public ::testing::Test {
 protected:
  void setCurrent(const DefaultsDictionary& d) { ASSERT_TRUE(store_.setPersistentDomain(d, zentra::kCurrentDomain)); }
  void setLegacy(const DefaultsDictionary& d) { ASSERT_TRUE(store_.setPersistentDomain(d, zentra::kLegacyDomain)); }

  vlx::testing::TempConfigHome home_;
  UserDefaults store_{"org.example.ZentraTest"};
};

TEST_F(ZentraTest, NoDomainsGiveZero) { EXPECT_EQ(VLXEncFromZentra(), 0); }

TEST_F(ZentraTest, CurrentEncodingWinsUncheckedOverTheLegacyEntry) {
  setLegacy({{"enc_saved", "mac"}});
  setCurrent({{"Encoding", 33}});
  EXPECT_EQ(VLXEncFromZentra(), 33);
  // Returned unchecked, even when no encoding has that id.
  setCurrent({{"Encoding", 7}});
  EXPECT_EQ(VLXEncFromZentra(), 7);
  // A numeric string has an integer value too.
  setCurrent({{"Encoding", "17"}});
  EXPECT_EQ(VLXEncFromZentra(), 17);
}

TEST_F(ZentraTest, LegacyEntryIsComparedExactly) {
  const struct {
    const char* saved;
    VLXEnc expected;
  } cases[] = {
      {"puvodni", 10}, {"iso", 16}, {"win", 17}, {"mac", 18},
      {"Mac", 0},      {"mac ", 0}, {"", 0},     {"windows", 0},
  };
  setCurrent({{"Other", 1}});  // the current domain exists but has no "Encoding"
  for (const auto& c : cases) {
    SCOPED_TRACE(c.saved);
    setLegacy({{"enc_saved", c.saved}});
    EXPECT_EQ(VLXEncFromZentra(), c.expected);
  }
  setLegacy({{"enc_saved", 18}});  // not a string
  EXPECT_EQ(VLXEncFromZentra(), 0);
}

TEST_F(ZentraTest, UnusableCurrentEntryFallsBackToTheLegacyDomain) {
  setCurrent({{"Encoding", DefaultsArray{33}}});
  setLegacy({{"enc_saved", "win"}});
  EXPECT_EQ(VLXEncFromZentra(), 17);
}

TEST_F(ZentraTest, DamagedDomainFilesReadAsMissing) {
  home_.writeDomainFile(zentra::kCurrentDomain, "{\"Encoding\": 33");
  home_.writeDomainFile(zentra::kLegacyDomain, "[\"mac\"]");
  EXPECT_EQ(VLXEncFromZentra(), 0);
}

TEST_F(ZentraTest, ReadsAfreshAtEveryCall) {
  setLegacy({{"enc_saved", "iso"}});
  EXPECT_EQ(VLXEncFromZentra(), 16);
  setLegacy({{"enc_saved", "win"}});
  EXPECT_EQ(VLXEncFromZentra(), 17);
  ASSERT_TRUE(store_.removePersistentDomainForName(zentra::kLegacyDomain));
  EXPECT_EQ(VLXEncFromZentra(), 0);
}

}  // namespace
