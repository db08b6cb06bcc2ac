// The encoding registry. Run with LANGUAGE=C, so display names are the long
// names themselves.
#include "encodings/registry.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "encodings/registry_internal.h"
#include "platform/localization.h"

namespace {

std::u16string u16(const char* text) { return vlx::utf8ToUtf16(text); }

TEST(Registry, TableHasFortySixDistinctEncodingsInIdOrder) {
  auto all = vlx::registry::all();
  ASSERT_EQ(all.size(), 46u);
  std::set<std::string> shortNames;
  std::set<NSStringEncoding> systemEncodings;
  VLXEnc previous = 0;
  for (const auto& info : all) {
    EXPECT_GT(info.id, previous);
    EXPECT_LE(info.id, 255);
    previous = info.id;
    EXPECT_TRUE(shortNames.insert(info.shortName).second) << info.shortName;
    EXPECT_TRUE(systemEncodings.insert(VLXEncToNSStringEncoding(info.id)).second) << info.id;
    // The short name leads back to its id.
    EXPECT_EQ(VLXEncFromShortNameCString(info.shortName, 0), info.id);
  }
}

TEST(Registry, LongNamesAreTheDisplayNamesWithoutTranslation) {
  EXPECT_EQ(VLXEncName(17), u"Central European - Windows");
  EXPECT_EQ(VLXEncName(81), u16("Chinese Simplified - EUC (\"GB2312\")"));
  EXPECT_EQ(VLXEncName(97), u16("Korean - EUC (\"KSC5601\")"));
  EXPECT_EQ(VLXEncName(80), u"Chinese Simplified - GB 2312-1980 (raw)");
  EXPECT_EQ(VLXEncName(-2), u"cannot guess");
  EXPECT_EQ(VLXEncName(256), u"filtered");
  EXPECT_EQ(VLXEncName(7), u"unknown 7");
  EXPECT_EQ(VLXEncName(0), u"unknown 0");
  EXPECT_EQ(VLXEncName(-1), u"unknown -1");
}

TEST(Registry, NameOrNilOnlyForListedAndSpecialIds) {
  EXPECT_EQ(vlxEncNameOrNil(10), std::optional<std::u16string>(u"Western - Windows/Palm"));
  EXPECT_EQ(vlxEncNameOrNil(256), std::optional<std::u16string>(u"filtered"));
  EXPECT_FALSE(vlxEncNameOrNil(0).has_value());
  EXPECT_FALSE(vlxEncNameOrNil(7).has_value());
  EXPECT_FALSE(vlxEncNameOrNil(257).has_value());
}

TEST(Registry, ShortNamesAndDecimalTextForOtherIds) {
  EXPECT_STREQ(VLXEncShortNameCString(17), "Win-CE");
  EXPECT_STREQ(VLXEncShortNameCString(256), "256");
  EXPECT_STREQ(VLXEncShortNameCString(-2), "-2");
  EXPECT_STREQ(VLXEncShortNameCString(INT32_MIN), "-2147483648");
  // One static buffer: the next call for an id without short name overwrites
  // it, a call for a listed id does not.
  const char* first = VLXEncShortNameCString(0);
  EXPECT_STREQ(VLXEncShortNameCString(96), "KSC-Raw");
  EXPECT_STREQ(first, "0");
  VLXEncShortNameCString(5);
  EXPECT_STREQ(first, "5");
}

TEST(Registry, ShortNameLookupExactAndPrefix) {
  struct Case {
    const char* text;
    int prefix;
    VLXEnc expected;
  };
  const Case cases[] = {
      {"Win-CE", 0, 17},  {"13", 0, 13},         {"KSC-Raw)", 1, 96}, {"KSC)", 1, 97},
      {"12)", 1, 1},      {"Win-CE)", 0, 0},     {"win-ce", 0, 0},    {"", 0, 0},
      {"", 1, 0},         {"UTF-8).txt", 1, 169}, {"256", 0, 0},       {"GB2312", 0, 81},
      {"GB18030", 0, 83}, {"GB18030)", 1, 83},   {"UTF-16)", 1, 168},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(VLXEncFromShortNameCString(c.text, c.prefix), c.expected)
        << c.text << " prefix " << c.prefix;
  }
  EXPECT_EQ(VLXEncFromShortNameCString(nullptr, 1), 0);
}

TEST(Registry, SystemEncodingsAndTheirNumberings) {
  EXPECT_EQ(VLXEncToNSStringEncoding(10), 12u);
  EXPECT_EQ(VLXEncToNSStringEncoding(18), 0x8000001Du);
  EXPECT_EQ(VLXEncToNSStringEncoding(90), 0x80000001u);
  EXPECT_EQ(VLXEncToCFStringEncoding(10), 0x0500u);
  EXPECT_EQ(VLXEncToCFStringEncoding(11), 0x0000u);
  EXPECT_EQ(VLXEncToCFStringEncoding(169), 0x08000100u);
  EXPECT_EQ(VLXEncToCFStringEncoding(168), 0x0100u);
  EXPECT_EQ(VLXEncToCFStringEncoding(36), 0x41Bu);
  for (VLXEnc special : {0, -2, 256, 7, 255}) {
    EXPECT_EQ(VLXEncToNSStringEncoding(special), 0u) << special;
    EXPECT_EQ(VLXEncToCFStringEncoding(special), kCFStringEncodingInvalidId) << special;
    EXPECT_FALSE(VLXEncIsAvailable(special)) << special;
  }
  EXPECT_EQ(VLXEncFromNSStringEncoding(12), 10);
  EXPECT_EQ(VLXEncFromNSStringEncoding(0), 0);
  EXPECT_EQ(VLXEncFromNSStringEncoding(2), 0);
  // Mac Japanese and Shift_JIS share no system encoding, so each finds itself.
  EXPECT_EQ(VLXEncFromNSStringEncoding(0x80000001u), 90);
  EXPECT_EQ(VLXEncFromCFStringEncoding(kCFStringEncodingInvalidId), 0);
  EXPECT_EQ(VLXEncFromCFStringEncoding(0x0000), 11);
  EXPECT_EQ(VLXEncFromCFStringEncoding(0x1D), 18);
  EXPECT_EQ(VLXEncFromCFStringEncoding(0x0600), 8);
  EXPECT_EQ(VLXEncFromCFStringEncoding(0x1234), 0);
  // Every listed id survives the trip through both numberings.
  for (const auto& info : vlx::registry::all()) {
    EXPECT_EQ(VLXEncFromCFStringEncoding(VLXEncToCFStringEncoding(info.id)), info.id);
  }
}

TEST(Registry, EveryEncodingIsAvailable) {
  for (const auto& info : vlx::registry::all()) {
    EXPECT_TRUE(VLXEncIsAvailable(info.id)) << info.id << " " << info.shortName;
  }
}

TEST(Registry, PlatformIsOneOnlyForComputerOnlyEncodings) {
  const std::set<VLXEnc> computerOnly = {9,  11, 24, 40, 50, 56, 58, 66,  74,  80,  83,
                                         84, 90, 96, 98, 104, 106, 168, 169};
  for (VLXEnc enc = -3; enc <= 300; ++enc) {
    EXPECT_EQ(VLXEncPlatform(enc), computerOnly.count(enc) ? 1 : 0) << enc;
  }
}

TEST(Registry, VersionOnePointFiveNumbering) {
  const std::pair<VLXEnc, VLXEnc> cases[] = {{-2, -2}, {0, 0},    {1, 16},   {2, 17},
                                             {3, 18},  {4, 10},   {5, 8},    {16, 168},
                                             {17, 169}, {256, 256}, {6, 0},  {-1, 0}, {18, 0}};
  for (auto [old, expected] : cases) EXPECT_EQ(VLXEncFromVLXV15enc(old), expected) << old;
}

}  // namespace
