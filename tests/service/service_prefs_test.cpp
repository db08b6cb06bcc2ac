// The service's view of the converter's settings: TAVOHackedUserDefaults and
// ServicePrefs over real domain files.
#include <gtest/gtest.h>

#include "encodings/zentra.h"
#include "prefs/domain.h"
#include "prefs/prefs.h"
#include "service/hacked_user_defaults.h"
#include "service/service_prefs.h"
#include "tests/platform/temp_config_home.h"

namespace {

using vlx::DefaultsArray;
using vlx::DefaultsData;
using vlx::DefaultsDictionary;
using vlx::DefaultsValue;
using vlx::UserDefaults;

class ServicePrefsTest : public ::testing::Test {
 protected:
  void storeDomain(const DefaultsDictionary& d) { ASSERT_TRUE(app_.setPersistentDomain(d, vlx::kConverterDomain)); }
  void set(const std::string& key, const DefaultsValue& v) { ASSERT_TRUE(app_.setObject(v, key)); }
  void setZentra(VLXEnc enc) {
    ASSERT_TRUE(app_.setPersistentDomain({{"Encoding", int64_t{enc}}}, vlx::zentra::kCurrentDomain));
  }

  vlx::testing::TempConfigHome home_;
  // The converter's side: the only writer of its domain.
  UserDefaults app_{vlx::kConverterDomain};
};

TEST_F(ServicePrefsTest, WithoutTheConvertersDomainEverythingIsTheServicesDefault) {
  {
    ServicePrefs prefs;
    EXPECT_EQ(prefs.sourceEncForType(VLXTypeDatabase), 0);
    EXPECT_EQ(prefs.sourceEncForType(VLXTypeText), 0);
    EXPECT_EQ(prefs.langGroup(), 0);
    EXPECT_EQ(prefs.targetEncForType(VLXTypeDatabase), 10);
    EXPECT_EQ(prefs.targetEncForType(VLXTypeText), 168);
    EXPECT_TRUE(prefs.doCompress());
    EXPECT_FALSE(prefs.doOpenInHSM());
  }
  setZentra(33);
  ServicePrefs prefs;  // registers "TargetVellixEncoding" 0: follow the tool
  EXPECT_EQ(prefs.targetEncForType(VLXTypeDatabase), 33);
  // Reading never creates the converter's domain.
  EXPECT_EQ(app_.persistentDomainForName(vlx::kConverterDomain), std::nullopt);
}

TEST_F(ServicePrefsTest, LanguageGroupIsReadAsStored) {
  ServicePrefs prefs;
  set("LanguageGroup", 3);
  EXPECT_EQ(prefs.langGroup(), 3);
  set("LanguageGroup", 0);
  set("SourceTextGenericEncoding", 11);
  EXPECT_EQ(prefs.langGroup(), 0);
}

TEST_F(ServicePrefsTest, TargetOfZeroFollowsZentra) {
  storeDomain({{"TargetVellixEncoding", 0}});
  ServicePrefs prefs;
  EXPECT_EQ(prefs.targetEncForType(VLXTypeDatabase), 0);  // tool missing
  setZentra(17);
  EXPECT_EQ(prefs.targetEncForType(VLXTypeDatabase), 17);
  EXPECT_EQ(prefs.targetEncForType(VLXTypeOtherText), 17);
}

TEST_F(ServicePrefsTest, SeesTheConvertersSettingsAsStoredAtEachRead) {
  // After the converter's first start the three start keys agree in both programs;
  // "SourceVellixEncoding" does not until it is stored.
  UserDefaults converterRun(vlx::kConverterDomain);
  Prefs converter(converterRun);
  converter.init();
  ServicePrefs service;
  for (VLXType type : {VLXTypeDatabase, VLXTypeText}) {
    SCOPED_TRACE(type);
    EXPECT_EQ(service.targetEncForType(type), converter.targetEncForType(type));
  }
  EXPECT_EQ(service.sourceEncForType(VLXTypeText), converter.sourceEncForType(VLXTypeText));
  EXPECT_EQ(converter.sourceEncForType(VLXTypeDatabase), 10);
  EXPECT_EQ(service.sourceEncForType(VLXTypeDatabase), 0);

  converterRun.setInteger(18, "SourceVellixEncoding");
  converterRun.setBool(true, "OpenInHSM");
  converterRun.setBool(false, "Compress");
  EXPECT_EQ(service.sourceEncForType(VLXTypeDatabase), 18);
  EXPECT_TRUE(service.doOpenInHSM());
  EXPECT_FALSE(service.doCompress());
}

TEST_F(ServicePrefsTest, OldLayoutIsReadAsItIs) {
  storeDomain({{"VersionID", 15}, {"SourceEncoding", 4}, {"TargetVellixEncoding", 2}, {"TargetTextEncoding", 17}});
  ServicePrefs prefs;
  EXPECT_EQ(prefs.sourceEncForType(VLXTypeDatabase), 0);
  EXPECT_EQ(prefs.targetEncForType(VLXTypeDatabase), 2);
  EXPECT_EQ(prefs.targetEncForType(VLXTypeText), 17);
}

TEST_F(ServicePrefsTest, DamagedDomainReadsTheRegisteredDefaultsAndStaysUntouched) {
  home_.writeDomainFile(vlx::kConverterDomain, "[\"not\", \"a\", \"domain\"]");
  ServicePrefs prefs;
  EXPECT_EQ(prefs.targetEncForType(VLXTypeText), 168);
  EXPECT_TRUE(prefs.doCompress());
  EXPECT_EQ(vlx::testing::TempConfigHome::readFile(home_.domainPath(vlx::kConverterDomain)),
            "[\"not\", \"a\", \"domain\"]");
}

// --- TAVOHackedUserDefaults ---

TEST_F(ServicePrefsTest, ReaderNeedsAName) {
  EXPECT_EQ(TAVOHackedUserDefaults::initWithName(nullptr), nullptr);
  EXPECT_EQ(TAVOHackedUserDefaults::initWithName(""), nullptr);
  EXPECT_EQ(TAVOHackedUserDefaults::hackedUserDefaultsForName(nullptr), nullptr);
  auto reader = TAVOHackedUserDefaults::hackedUserDefaultsForName(vlx::kConverterDomain);
  ASSERT_NE(reader, nullptr);
  EXPECT_EQ(reader->domainName(), vlx::kConverterDomain);
}

TEST_F(ServicePrefsTest, TypedGettersCheckTheKindOfValue) {
  storeDomain({{"str5", "5"},
               {"dict", DefaultsDictionary{{"a", 1}}},
               {"mixed", DefaultsArray{1, "x"}},
               {"data", DefaultsData{9, 8}},
               {"real", 2.75},
               {"yes", "YES"},
               {"flag", true}});
  auto reader = TAVOHackedUserDefaults::initWithName(vlx::kConverterDomain);
  ASSERT_NE(reader, nullptr);

  EXPECT_EQ(reader->integerForKey("str5"), 5);
  EXPECT_EQ(reader->stringForKey("str5"), "5");
  EXPECT_EQ(reader->floatForKey("str5"), 5.0f);
  EXPECT_TRUE(reader->boolForKey("str5"));

  EXPECT_EQ(reader->integerForKey("dict"), 0);
  EXPECT_EQ(reader->floatForKey("dict"), 0.0f);
  EXPECT_FALSE(reader->boolForKey("dict"));
  EXPECT_EQ(reader->dictionaryForKey("dict"), (DefaultsDictionary{{"a", 1}}));
  EXPECT_EQ(reader->stringForKey("dict"), std::nullopt);
  EXPECT_EQ(reader->arrayForKey("dict"), std::nullopt);

  // stringArrayForKey does not look at the elements.
  EXPECT_EQ(reader->stringArrayForKey("mixed"), (DefaultsArray{1, "x"}));
  EXPECT_EQ(reader->stringArrayForKey("str5"), std::nullopt);
  EXPECT_EQ(reader->dataForKey("data"), (DefaultsData{9, 8}));
  EXPECT_EQ(reader->dataForKey("mixed"), std::nullopt);

  EXPECT_EQ(reader->integerForKey("real"), 2);
  EXPECT_EQ(reader->floatForKey("real"), 2.75f);
  EXPECT_TRUE(reader->boolForKey("yes"));
  EXPECT_EQ(reader->integerForKey("flag"), 1);

  EXPECT_EQ(reader->objectForKey("absent"), std::nullopt);
  EXPECT_EQ(reader->integerForKey("absent"), 0);
  EXPECT_FALSE(reader->boolForKey("absent"));
}

TEST_F(ServicePrefsTest, RegisterDefaultsReplacesTheWholeSet) {
  auto reader = TAVOHackedUserDefaults::initWithName("org.example.Missing");
  ASSERT_NE(reader, nullptr);
  reader->registerDefaults({{"a", 1}, {"b", 2}});
  EXPECT_EQ(reader->integerForKey("a"), 1);
  reader->registerDefaults({{"b", 3}});
  EXPECT_EQ(reader->objectForKey("a"), std::nullopt);
  EXPECT_EQ(reader->integerForKey("b"), 3);
  // A stored value wins over the registered one.
  ASSERT_TRUE(app_.setPersistentDomain({{"b", 4}}, "org.example.Missing"));
  EXPECT_EQ(reader->integerForKey("b"), 4);
}

TEST_F(ServicePrefsTest, OwnDomainReaderUsesTheProgramsName) {
  const std::string saved = UserDefaults::programDomainName();
  UserDefaults::setProgramDomainName(vlx::kServiceDomain);
  auto own = TAVOHackedUserDefaults::init();
  UserDefaults::setProgramDomainName(saved);
  ASSERT_NE(own, nullptr);
  EXPECT_EQ(own->domainName(), vlx::kServiceDomain);
}

}  // namespace
