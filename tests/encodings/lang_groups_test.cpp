// Language group tables: candidate counts and lists on both sides, basic
// encodings, the characteristic byte lists, and safe answers outside the tables.
#include "encodings/lang_groups.h"

#include <gtest/gtest.h>
#include <unicode/ucnv.h>

#include <set>
#include <string>
#include <vector>

namespace {

struct CountCase {
  VLXLangGroup group;
  VLXPlatform platform;
  uint32_t count;
};

TEST(LangGroups, CandidateCounts) {
  const CountCase cases[] = {
      {0, 1, 1},     {0, 2, 0},   {1, 1, 4},     {1, 2, 4},   {2, 1, 3},    {2, 2, 1},
      {3, 0, 3},     {5, 2, 1},   {6, 1, 5},     {6, 2, 5},   {256 + 17, 1, 1},
      {256 + 17, 2, 0}, {511, 1, 1}, {511, 2, 0},
      // Undefined groups have no candidates.
      {7, 1, 0},     {-1, 1, 0},  {255, 1, 0},   {512, 1, 0}, {INT32_MIN, 2, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(VLXLangGroupEncCount(c.group, c.platform), c.count)
        << "group " << c.group << " platform " << c.platform;
  }
}

struct EncCase {
  VLXLangGroup group;
  VLXPlatform platform;
  uint32_t index;
  VLXEnc enc;
};

TEST(LangGroups, CandidatesInOrder) {
  const EncCase cases[] = {
      {0, 1, 0, 1},
      {1, 1, 0, 10}, {1, 1, 1, 16}, {1, 1, 2, 17}, {1, 1, 3, 18},
      {1, 2, 0, 10}, {1, 2, 3, 18},
      {2, 1, 0, 9},  {2, 1, 1, 11}, {2, 1, 2, 10}, {2, 2, 0, 10},
      {4, 0, 1, 11}, {5, 2, 0, 10},
      {6, 1, 0, 32}, {6, 1, 1, 33}, {6, 1, 2, 34}, {6, 1, 3, 36}, {6, 1, 4, 37},
      {6, 2, 4, 37},
      // Single-encoding groups ignore the index; computer-only encodings
      // become "Western - Windows/Palm" on the handheld.
      {256 + 11, 1, 0, 11}, {256 + 11, 2, 0, 10}, {256 + 17, 1, 0, 17},
      {256 + 17, 2, 0, 17}, {256 + 9, 2, 0, 10}, {256 + 33, 2, 5, 33},
      // The basic index of group 0 on the handheld: no encoding.
      {0, 2, 0, 0},
      // Outside the tables: no encoding, nothing read past a list.
      {0, 1, 1, 0},  {1, 1, 4, 0},  {2, 2, 1, 0},  {2, 2, 2, 0}, {6, 2, 5, 0},
      {2, 1, UINT32_MAX, 0}, {7, 1, 0, 0}, {-5, 2, 0, 0}, {512, 1, 0, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(VLXLangGroupEnc(c.group, c.platform, c.index), c.enc)
        << "group " << c.group << " platform " << c.platform << " index " << c.index;
  }
}

TEST(LangGroups, BasicEncodings) {
  const std::pair<VLXLangGroup, VLXEnc> cases[] = {
      {0, 0}, {1, 17}, {2, 10}, {3, 10}, {4, 10}, {5, 10}, {6, 33},
      {256 + 17, 17}, {256 + 11, 10}, {256 + 8, 8},
  };
  for (const auto& [group, enc] : cases) {
    EXPECT_EQ(VLXLangGroupEnc(group, VLXPlatformPalm, VLXLangGroupEncBasicIdx(group)), enc)
        << "group " << group;
  }
  EXPECT_EQ(VLXLangGroupEncBasicIdx(1), 2u);
  EXPECT_EQ(VLXLangGroupEncBasicIdx(6), 1u);
  EXPECT_EQ(VLXLangGroupEncBasicIdx(3), 0u);
  EXPECT_EQ(VLXLangGroupEncBasicIdx(256 + 17), 0u);
  EXPECT_EQ(VLXLangGroupEncBasicIdx(9999), 0u);
}

std::string bytes(const uint8_t* s) { return s ? std::string(reinterpret_cast<const char*>(s)) : "<null>"; }

TEST(LangGroups, SampleLookups) {
  EXPECT_EQ(bytes(VLXLangGroupEncSample(3, 11, 1)), "\x80\x85\x86");
  EXPECT_EQ(bytes(VLXLangGroupEncSample(3, 11, 0)), "\x8A\x9A\x9F\xA7");
  // Any list other than 0 is the capitals.
  EXPECT_EQ(bytes(VLXLangGroupEncSample(3, 11, 7)), "\x80\x85\x86");
  // ISO and Windows share one pair of lists in the Western groups.
  EXPECT_EQ(VLXLangGroupEncSample(4, 9, 0), VLXLangGroupEncSample(4, 10, 0));
  // Mac Cyrillic and DOS share their capitals.
  EXPECT_EQ(VLXLangGroupEncSample(6, 34, 1), VLXLangGroupEncSample(6, 36, 1));
  EXPECT_EQ(bytes(VLXLangGroupEncSample(0, 1, 0)), "");
  EXPECT_EQ(bytes(VLXLangGroupEncSample(256 + 33, 33, 0)), "");
  EXPECT_EQ(bytes(VLXLangGroupEncSample(256 + 33, 17, 1)), "");
  EXPECT_EQ(VLXLangGroupEncSample(1, 9, 0), nullptr);
  EXPECT_EQ(VLXLangGroupEncSample(6, 10, 0), nullptr);
  EXPECT_EQ(VLXLangGroupEncSample(0, 10, 0), nullptr);
  EXPECT_EQ(VLXLangGroupEncSample(7, 10, 0), nullptr);
  EXPECT_EQ(VLXLangGroupEncSample(-1, 10, 0), nullptr);
  EXPECT_EQ(VLXLangGroupEncSample(512, 10, 0), nullptr);
}

// The byte lists are the group's letters written in each encoding: encode the
// letters with ICU and compare the sets.
std::set<uint8_t> encodeLetters(const char* icuName, const std::u16string& letters) {
  std::set<uint8_t> out;
  UErrorCode status = U_ZERO_ERROR;
  UConverter* conv = ucnv_open(icuName, &status);
  EXPECT_TRUE(conv != nullptr) << icuName << " " << u_errorName(status);
  if (!conv) return out;
  for (char16_t ch : letters) {
    char buf[8];
    status = U_ZERO_ERROR;
    int32_t n = ucnv_fromUChars(conv, buf, sizeof buf, reinterpret_cast<const UChar*>(&ch), 1,
                                &status);
    EXPECT_TRUE(U_SUCCESS(status) && n == 1) << icuName << " U+" << std::hex << int(ch);
    if (n == 1) out.insert(static_cast<uint8_t>(buf[0]));
  }
  ucnv_close(conv);
  return out;
}

std::set<uint8_t> listSet(const uint8_t* s) {
  std::set<uint8_t> out;
  size_t n = 0;
  for (; s && s[n]; ++n) out.insert(s[n]);
  EXPECT_EQ(out.size(), n) << "a byte listed twice";
  return out;
}

TEST(LangGroups, ByteListsAreTheLettersInEachEncoding) {
  struct Letters {
    VLXLangGroup group;
    std::u16string small, capitals;
  };
  const Letters groups[] = {
      {1, u"áčďéíňóšťúýžřěůäôŕĺľ", u"ÁČĎÉÍŇÓŠŤÚÝŽŘĚŮÄÔŔĹĽ"},
      {2, u"åäæöø", u"ÅÄÆÖØ"},
      {3, u"äöüß", u"ÄÖÜ"},
      {4, u"àâçèéê", u"ÀÂÇÈÉÊ"},
      {5, u"áãçéêíñóôõúü", u"ÁÃÇÉÊÍÑÓÔÕÚÜ"},
      {6, u"оеинатрсвлмкдпуяыьгз", u"ОЕИНАТРСВЛМКДПУЯЫЬГЗ"},
  };
  const std::pair<VLXEnc, const char*> icuNames[] = {
      {9, "ISO-8859-1"},     {10, "windows-1252"},   {11, "macintosh"},
      {16, "ISO-8859-2"},    {17, "windows-1250"},   {18, "x-mac-ce"},
      {32, "ISO-8859-5"},    {33, "windows-1251"},   {34, "x-mac-cyrillic"},
      {36, "ibm-866"},       {37, "KOI8-R"},
  };
  for (const auto& g : groups) {
    for (uint32_t i = 0; i < VLXLangGroupEncCount(g.group, VLXPlatformComputer); ++i) {
      VLXEnc enc = VLXLangGroupEnc(g.group, VLXPlatformComputer, i);
      const char* icuName = nullptr;
      for (const auto& [id, name] : icuNames) {
        if (id == enc) icuName = name;
      }
      ASSERT_NE(icuName, nullptr);
      std::u16string small = g.small, capitals = g.capitals;
      if (g.group == 1 && enc == 10) {
        // Western carries only the letters Western text shares with Czech.
        small = u"áéíóúý";
        capitals = u"ÁÉÍÓÚÝ";
      }
      SCOPED_TRACE("group " + std::to_string(g.group) + " encoding " + std::to_string(enc));
      EXPECT_EQ(listSet(VLXLangGroupEncSample(g.group, enc, 0)), encodeLetters(icuName, small));
      EXPECT_EQ(listSet(VLXLangGroupEncSample(g.group, enc, 1)),
                encodeLetters(icuName, capitals));
    }
  }
}

TEST(LangGroups, RegionListsMatchTheFunctions) {
  // Slots past a group's count stay empty; slots within it hold both lists.
  for (int32_t g = 0; g < vlx::kLangGroupCount; ++g) {
    const int32_t* list = vlx::langGroupEncs[g];
    for (int32_t slot = 0; slot < vlx::kLangGroupSlots; ++slot) {
      bool used = slot < list[1];
      EXPECT_EQ(vlx::langGroupEncSamples[g][slot][0] != nullptr, used) << g << "/" << slot;
      EXPECT_EQ(vlx::langGroupEncSamples[g][slot][1] != nullptr, used) << g << "/" << slot;
    }
  }
}

}  // namespace
