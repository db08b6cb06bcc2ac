// Prefs: the start-up steps against real domain files, the 1.5 migrations and
// the accessors.
#include "prefs/prefs.h"

#include <filesystem>
#include <memory>

#include <gtest/gtest.h>

#include "encodings/zentra.h"
#include "prefs/domain.h"
#include "tests/platform/temp_config_home.h"

namespace {

using vlx::DefaultsArray;
using vlx::DefaultsDictionary;
using vlx::DefaultsValue;
using vlx::UserDefaults;

class PrefsTest : public ::testing::Test {
 protected:
  // One run of the converter: a fresh defaults object (no registered defaults
  // survive between runs) and a Prefs after init.
  Prefs& start() {
    runs_.push_back(std::make_unique<UserDefaults>(vlx::kConverterDomain));
    prefsRuns_.push_back(std::make_unique<Prefs>(*runs_.back()));
    EXPECT_TRUE(prefsRuns_.back()->init());
    return *prefsRuns_.back();
  }
  void storeDomain(const DefaultsDictionary& d) { ASSERT_TRUE(other_.setPersistentDomain(d, vlx::kConverterDomain)); }
  void set(const std::string& key, const DefaultsValue& v) { ASSERT_TRUE(other_.setObject(v, key)); }
  std::optional<DefaultsDictionary> domain() { return other_.persistentDomainForName(vlx::kConverterDomain); }
  void setZentra(VLXEnc enc) {
    ASSERT_TRUE(other_.setPersistentDomain({{"Encoding", int64_t{enc}}}, vlx::zentra::kCurrentDomain));
  }

  vlx::testing::TempConfigHome home_;
  // Another process's view of the same files.
  UserDefaults other_{vlx::kConverterDomain};
  std::vector<std::unique_ptr<UserDefaults>> runs_;
  std::vector<std::unique_ptr<Prefs>> prefsRuns_;
};

TEST_F(PrefsTest, FirstLaunchWithoutZentraWritesTheStartKeysOnly) {
  Prefs& prefs = start();
  EXPECT_TRUE(prefs.isThisFirstLaunch());
  EXPECT_EQ(domain(), (DefaultsDictionary{{"SourceTextEncoding", 0},
                                          {"TargetVellixEncoding", 10},
                                          {"TargetTextEncoding", 168},
                                          {"VersionID", 19}}));
  // Everything else comes from the registered defaults.
  EXPECT_EQ(prefs.sourceEncForType(VLXTypeDatabase), 10);
  EXPECT_EQ(prefs.sourceEncForType(VLXTypeText), 0);
  EXPECT_EQ(prefs.sourceEncGenForTypeTXT(), 11);
  EXPECT_EQ(prefs.langGroup(), 256 + 11);
  EXPECT_EQ(prefs.targetEncForType(VLXTypeDatabase), 10);
  EXPECT_EQ(prefs.targetEncForType(VLXTypeText), 168);
  EXPECT_EQ(prefs.targetType(), 1);
  EXPECT_EQ(prefs.askNotSureValue(), 61);
  EXPECT_FALSE(prefs.doOpenInHSM());
  EXPECT_TRUE(prefs.doCompress());
  EXPECT_TRUE(prefs.doAutoQuit());

  EXPECT_FALSE(start().isThisFirstLaunch());
}

TEST_F(PrefsTest, FirstLaunchWithZentraFollowsTheTool) {
  setZentra(33);
  Prefs& prefs = start();
  EXPECT_EQ(domain()->at("TargetVellixEncoding"), DefaultsValue(0));
  EXPECT_EQ(prefs.targetEncForType(VLXTypeDatabase), 33);
  EXPECT_EQ(runs_.back()->registeredDefaults().at("TargetVellixEncoding"), DefaultsValue(0));
}

TEST_F(PrefsTest, MigratesTheOldSourceEncoding) {
  storeDomain({{"SourceEncoding", 4}});  // 4 is 10 in the current numbering
  Prefs& prefs = start();
  EXPECT_FALSE(prefs.isThisFirstLaunch());
  const auto d = domain();
  EXPECT_EQ(d->at("SourceVellixEncoding"), DefaultsValue(10));
  EXPECT_EQ(d->at("SourceTextEncoding"), DefaultsValue(168));
  EXPECT_EQ(d->count("SourceEncoding"), 0u);
  // The migrated values are this run's registered defaults as well.
  EXPECT_EQ(runs_.back()->registeredDefaults().at("SourceTextEncoding"), DefaultsValue(168));
}

TEST_F(PrefsTest, MigratesTheOldTargetEncoding) {
  const struct {
    int old;
    VLXEnc vellix, text;
  } cases[] = {
      {6, 0, 168},    // no current encoding: follow the Zentra tool, UTF-16 for text
      {4, 10, 168},   // Western - Windows/Palm: UTF-16 for text
      {1, 16, 16},    // Central European ISO for both
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.old);
    storeDomain({{"TargetEncoding", c.old}});
    start();
    const auto d = domain();
    EXPECT_EQ(d->at("TargetVellixEncoding"), DefaultsValue(c.vellix));
    EXPECT_EQ(d->at("TargetTextEncoding"), DefaultsValue(c.text));
    EXPECT_EQ(d->count("TargetEncoding"), 0u);
  }
}

TEST_F(PrefsTest, MigratedTargetOfZeroFollowsZentra) {
  storeDomain({{"TargetEncoding", 6}});
  Prefs& prefs = start();
  EXPECT_EQ(prefs.targetEncForType(VLXTypeDatabase), 0);  // tool missing
  setZentra(18);
  EXPECT_EQ(prefs.targetEncForType(VLXTypeDatabase), 18);
}

TEST_F(PrefsTest, RenumbersVersion15KeysOnce) {
  storeDomain({{"VersionID", 15},
               {"SourceVellixEncoding", 1},
               {"SourceTextEncoding", 16},
               {"TargetVellixEncoding", 2},
               {"TargetTextEncoding", 17},
               {"LanguageGroup", 1}});
  start();
  DefaultsDictionary expected = {{"VersionID", 19},
                                 {"SourceVellixEncoding", 16},
                                 {"SourceTextEncoding", 168},
                                 {"TargetVellixEncoding", 17},
                                 {"TargetTextEncoding", 169},
                                 {"LanguageGroup", 1}};
  EXPECT_EQ(domain(), expected);
  start();
  EXPECT_EQ(domain(), expected);
}

TEST_F(PrefsTest, Version15RenumbersOnlyTheKeysPresent) {
  storeDomain({{"VersionID", 15}, {"TargetTextEncoding", 17}, {"LanguageGroup", 1}});
  start();
  const auto d = domain();
  EXPECT_EQ(d->at("TargetTextEncoding"), DefaultsValue(169));
  EXPECT_EQ(d->count("SourceVellixEncoding"), 0u);
  // Step 4 wrote the two missing start keys from the built-in defaults.
  EXPECT_EQ(d->at("SourceTextEncoding"), DefaultsValue(0));
  EXPECT_EQ(d->at("TargetVellixEncoding"), DefaultsValue(10));
}

TEST_F(PrefsTest, KeysMigratedFromOldKeysAreNotRenumberedAgain) {
  // Old single keys together with a version-15 stamp: the values taken from the
  // old keys are already current ids and keep them.
  storeDomain({{"VersionID", 15}, {"SourceEncoding", 4}, {"TargetEncoding", 2}, {"LanguageGroup", 1}});
  start();
  const auto d = domain();
  EXPECT_EQ(d->at("SourceVellixEncoding"), DefaultsValue(10));
  EXPECT_EQ(d->at("SourceTextEncoding"), DefaultsValue(168));
  EXPECT_EQ(d->at("TargetVellixEncoding"), DefaultsValue(17));
  EXPECT_EQ(d->at("TargetTextEncoding"), DefaultsValue(17));
}

TEST_F(PrefsTest, StoredTargetOfZeroBecomesTenWhenZentraIsMissing) {
  storeDomain({{"TargetVellixEncoding", 0}, {"VersionID", 19}});
  start();
  EXPECT_EQ(domain()->at("TargetVellixEncoding"), DefaultsValue(10));
  // With the tool set up, 0 stays.
  setZentra(17);
  set("TargetVellixEncoding", 0);
  start();
  EXPECT_EQ(domain()->at("TargetVellixEncoding"), DefaultsValue(0));
}

TEST_F(PrefsTest, GenericGroupCannotGuessDatabases) {
  storeDomain({{"LanguageGroup", 0}, {"SourceVellixEncoding", 0}});
  start();
  EXPECT_EQ(domain()->at("SourceVellixEncoding"), DefaultsValue(10));
  // Another group may guess.
  storeDomain({{"LanguageGroup", 1}, {"SourceVellixEncoding", 0}});
  Prefs& prefs = start();
  EXPECT_EQ(domain()->at("SourceVellixEncoding"), DefaultsValue(0));
  EXPECT_EQ(prefs.sourceEncForType(VLXTypeDatabase), 0);
}

TEST_F(PrefsTest, AccessorsReadTheStoreAtEveryCall) {
  Prefs& prefs = start();
  set("LanguageGroup", 3);
  EXPECT_EQ(prefs.langGroup(), 3);
  set("LanguageGroup", 0);
  set("SourceTextGenericEncoding", 16);
  EXPECT_EQ(prefs.langGroup(), 256 + 16);

  set("TargetVellixEncoding", 0);  // follow the tool, which is missing
  EXPECT_EQ(prefs.targetEncForType(VLXTypeDatabase), 0);
  set("TargetVellixEncoding", 17);
  EXPECT_EQ(prefs.targetEncForType(VLXTypeDatabase), 17);

  set("AskNotSure", false);
  set("AskNotSureValue", 60);
  EXPECT_EQ(prefs.askNotSureValue(), 0);
  set("AskNotSure", true);
  EXPECT_EQ(prefs.askNotSureValue(), 61);
  set("AskNotSureValue", 100);
  EXPECT_EQ(prefs.askNotSureValue(), 101);

  set("TargetFormat", 1027);
  EXPECT_EQ(prefs.targetType(), 1027);
}

TEST_F(PrefsTest, OnlyTypeTwoReadsTheTextKeys) {
  Prefs& prefs = start();
  set("SourceTextEncoding", 17);
  set("SourceVellixEncoding", 18);
  set("TargetTextEncoding", 169);
  set("TargetVellixEncoding", 16);
  for (VLXType type : std::initializer_list<VLXType>{VLXTypeUnsupported, VLXTypeDatabase, VLXTypeOtherText, 7}) {
    SCOPED_TRACE(type);
    EXPECT_EQ(prefs.sourceEncForType(type), 18);
    EXPECT_EQ(prefs.targetEncForType(type), 16);
  }
  EXPECT_EQ(prefs.sourceEncForType(VLXTypeText), 17);
  EXPECT_EQ(prefs.targetEncForType(VLXTypeText), 169);
}

TEST_F(PrefsTest, ValuesOfOtherKindsReadAsTheStoreConvertsThem) {
  Prefs& prefs = start();
  set("OpenInHSM", true);
  set("Compress", "0");
  set("AutoQuit", DefaultsArray{1});
  EXPECT_TRUE(prefs.doOpenInHSM());
  EXPECT_FALSE(prefs.doCompress());
  EXPECT_FALSE(prefs.doAutoQuit());  // an array has no integer value: 0
  set("TargetFormat", DefaultsDictionary{{"a", 2}});
  EXPECT_EQ(prefs.targetType(), 0);
  set("TargetFormat", "2 text");
  EXPECT_EQ(prefs.targetType(), 2);
  set("SourceTextEncoding", 1e12);  // beyond 32 bits: saturated, not wrapped
  EXPECT_EQ(prefs.sourceEncForType(VLXTypeText), std::numeric_limits<int32_t>::max());
}

TEST_F(PrefsTest, DamagedDomainCountsAsFirstLaunchAndIsKeptAside) {
  home_.writeDomainFile(vlx::kConverterDomain, "{\"SourceTextEncoding\": 17,");
  Prefs& prefs = start();
  EXPECT_TRUE(prefs.isThisFirstLaunch());
  EXPECT_EQ(domain()->at("VersionID"), DefaultsValue(19));
  bool keptAside = false;
  for (const auto& entry : std::filesystem::directory_iterator(home_.defaultsDir())) {
    const std::string name = entry.path().filename();
    if (name.rfind(std::string(vlx::kConverterDomain) + ".json.corrupt-", 0) == 0)
      keptAside = vlx::testing::TempConfigHome::readFile(entry.path()) == "{\"SourceTextEncoding\": 17,";
  }
  EXPECT_TRUE(keptAside);
}

}  // namespace

namespace {

TEST(PrefsStandardTest, DefaultStoreIsTheConvertersDomain) {
  vlx::testing::TempConfigHome home;
  ASSERT_EQ(UserDefaults::programDomainName(), "");
  Prefs prefs;
  prefs.init();
  EXPECT_EQ(UserDefaults::standardUserDefaults().domainName(), vlx::kConverterDomain);
  EXPECT_TRUE(prefs.isThisFirstLaunch());
  EXPECT_TRUE(std::filesystem::is_regular_file(home.domainPath(vlx::kConverterDomain)));
}

}  // namespace
