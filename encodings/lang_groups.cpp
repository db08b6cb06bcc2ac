// The language group tables and their lookup functions.
#include "encodings/lang_groups.h"

namespace vlx {

const int32_t langGroupEncsRegionGeneric[3] = {1, 1, 1};
const int32_t langGroupEncsRegionCE[6] = {0, 4, 10, 16, 17, 18};
const int32_t langGroupEncsRegionWe[5] = {2, 3, 9, 11, 10};
const int32_t langGroupEncsRegionCy[7] = {0, 5, 32, 33, 34, 36, 37};

const int32_t* const langGroupEncs[kLangGroupCount] = {
    langGroupEncsRegionGeneric, langGroupEncsRegionCE, langGroupEncsRegionWe,
    langGroupEncsRegionWe,      langGroupEncsRegionWe, langGroupEncsRegionWe,
    langGroupEncsRegionCy,
};

namespace {

const uint8_t kEmpty[] = {0};

// Group 1, Czech and Slovak: á č ď é í ň ó š ť ú ý ž ř ě ů ä ô ŕ ĺ ľ.
// Western Windows carries only á é í ó ú ý, which Western text shares.
const uint8_t kCE10Small[] = {0xE1, 0xE9, 0xED, 0xF3, 0xFA, 0xFD, 0};
const uint8_t kCE10Caps[] = {0xC1, 0xC9, 0xCD, 0xD3, 0xDA, 0xDD, 0};
const uint8_t kCE16Small[] = {0xE1, 0xE8, 0xEF, 0xE9, 0xED, 0xF2, 0xF3, 0xB9, 0xBB, 0xFA,
                              0xFD, 0xBE, 0xF8, 0xEC, 0xF9, 0xE4, 0xF4, 0xE0, 0xE5, 0xB5, 0};
const uint8_t kCE16Caps[] = {0xC1, 0xC8, 0xCF, 0xC9, 0xCD, 0xD2, 0xD3, 0xA9, 0xAB, 0xDA,
                             0xDD, 0xAE, 0xD8, 0xCC, 0xD9, 0xC4, 0xD4, 0xC0, 0xC5, 0xA5, 0};
const uint8_t kCE17Small[] = {0xE1, 0xE8, 0xEF, 0xE9, 0xED, 0xF2, 0xF3, 0x9A, 0x9D, 0xFA,
                              0xFD, 0x9E, 0xF8, 0xEC, 0xF9, 0xE4, 0xF4, 0xE0, 0xE5, 0xBE, 0};
const uint8_t kCE17Caps[] = {0xC1, 0xC8, 0xCF, 0xC9, 0xCD, 0xD2, 0xD3, 0x8A, 0x8D, 0xDA,
                             0xDD, 0x8E, 0xD8, 0xCC, 0xD9, 0xC4, 0xD4, 0xC0, 0xC5, 0xBC, 0};
const uint8_t kCE18Small[] = {0x87, 0x8B, 0x93, 0x8E, 0x92, 0xCB, 0x97, 0xE4, 0xE9, 0x9C,
                              0xF9, 0xEC, 0xDE, 0x9E, 0xF3, 0x8A, 0x99, 0xDA, 0xBE, 0xBC, 0};
const uint8_t kCE18Caps[] = {0xE7, 0x89, 0x91, 0x83, 0xEA, 0xC5, 0xEE, 0xE1, 0xE8, 0xF2,
                             0xF8, 0xEB, 0xDB, 0x9D, 0xF1, 0x80, 0xEF, 0xD9, 0xBD, 0xBB, 0};

// Group 2, Nordic: å ä æ ö ø. ISO and Windows share the lists.
const uint8_t kNordicSmall[] = {0xE5, 0xE4, 0xE6, 0xF6, 0xF8, 0};
const uint8_t kNordicCaps[] = {0xC5, 0xC4, 0xC6, 0xD6, 0xD8, 0};
const uint8_t kNordic11Small[] = {0x8C, 0x8A, 0xBE, 0x9A, 0xBF, 0};
const uint8_t kNordic11Caps[] = {0x81, 0x80, 0xAE, 0x85, 0xAF, 0};

// Group 3, German: ä ö ü ß.
const uint8_t kGermanSmall[] = {0xE4, 0xF6, 0xFC, 0xDF, 0};
const uint8_t kGermanCaps[] = {0xC4, 0xD6, 0xDC, 0};
const uint8_t kGerman11Small[] = {0x8A, 0x9A, 0x9F, 0xA7, 0};
const uint8_t kGerman11Caps[] = {0x80, 0x85, 0x86, 0};

// Group 4, French: à â ç è é ê.
const uint8_t kFrenchSmall[] = {0xE0, 0xE2, 0xE7, 0xE8, 0xE9, 0xEA, 0};
const uint8_t kFrenchCaps[] = {0xCA, 0xC0, 0xC2, 0xC7, 0xC8, 0xC9, 0};
const uint8_t kFrench11Small[] = {0x88, 0x89, 0x8D, 0x8F, 0x8E, 0x90, 0};
const uint8_t kFrench11Caps[] = {0xE6, 0xCB, 0xE5, 0x82, 0xE9, 0x83, 0};

// Group 5, Spanish and Portuguese: á ã ç é ê í ñ ó ô õ ú ü.
const uint8_t kIberianSmall[] = {0xE1, 0xE3, 0xE7, 0xE9, 0xEA, 0xED,
                                 0xF1, 0xF3, 0xF4, 0xF5, 0xFA, 0xFC, 0};
const uint8_t kIberianCaps[] = {0xC1, 0xC3, 0xC7, 0xC9, 0xCA, 0xCD,
                                0xD1, 0xD3, 0xD4, 0xD5, 0xDA, 0xDC, 0};
const uint8_t kIberian11Small[] = {0x87, 0x8B, 0x8D, 0x8E, 0x90, 0x92,
                                   0x96, 0x97, 0x99, 0x9B, 0x9C, 0x9F, 0};
const uint8_t kIberian11Caps[] = {0xE7, 0xCC, 0x82, 0x83, 0xE6, 0xEA,
                                  0x84, 0xEE, 0xEF, 0xCD, 0xF2, 0x86, 0};

// Group 6, Russian: о е и н а т р с в л м к д п у я ы ь г з.
const uint8_t kCy32Small[] = {0xDE, 0xD5, 0xD8, 0xDD, 0xD0, 0xE2, 0xE0, 0xE1, 0xD2, 0xDB,
                              0xDC, 0xDA, 0xD4, 0xDF, 0xE3, 0xEF, 0xEB, 0xEC, 0xD3, 0xD7, 0};
const uint8_t kCy32Caps[] = {0xBE, 0xB5, 0xB8, 0xBD, 0xB0, 0xC2, 0xC0, 0xC1, 0xB2, 0xBB,
                             0xBC, 0xBA, 0xB4, 0xBF, 0xC3, 0xCF, 0xCB, 0xCC, 0xB3, 0xB7, 0};
const uint8_t kCy33Small[] = {0xEE, 0xE5, 0xE8, 0xED, 0xE0, 0xF2, 0xF0, 0xF1, 0xE2, 0xEB,
                              0xEC, 0xEA, 0xE4, 0xEF, 0xF3, 0xFF, 0xFB, 0xFC, 0xE3, 0xE7, 0};
const uint8_t kCy33Caps[] = {0xCE, 0xC5, 0xC8, 0xCD, 0xC0, 0xD2, 0xD0, 0xD1, 0xC2, 0xCB,
                             0xCC, 0xCA, 0xC4, 0xCF, 0xD3, 0xDF, 0xDB, 0xDC, 0xC3, 0xC7, 0};
const uint8_t kCy34Small[] = {0xEE, 0xE5, 0xE8, 0xED, 0xE0, 0xF2, 0xF0, 0xF1, 0xE2, 0xEB,
                              0xEC, 0xEA, 0xE4, 0xEF, 0xF3, 0xDF, 0xFB, 0xFC, 0xE3, 0xE7, 0};
// The capitals of Mac Cyrillic and DOS 866 are the same bytes.
const uint8_t kCy34Caps[] = {0x8E, 0x85, 0x88, 0x8D, 0x80, 0x92, 0x90, 0x91, 0x82, 0x8B,
                             0x8C, 0x8A, 0x84, 0x8F, 0x93, 0x9F, 0x9B, 0x9C, 0x83, 0x87, 0};
const uint8_t kCy36Small[] = {0xAE, 0xA5, 0xA8, 0xAD, 0xA0, 0xE2, 0xE0, 0xE1, 0xA2, 0xAB,
                              0xAC, 0xAA, 0xA4, 0xAF, 0xE3, 0xEF, 0xEB, 0xEC, 0xA3, 0xA7, 0};
const uint8_t kCy37Small[] = {0xCF, 0xC5, 0xC9, 0xCE, 0xC1, 0xD4, 0xD2, 0xD3, 0xD7, 0xCC,
                              0xCD, 0xCB, 0xC4, 0xD0, 0xD5, 0xD1, 0xD9, 0xD8, 0xC7, 0xDA, 0};
const uint8_t kCy37Caps[] = {0xEF, 0xE5, 0xE9, 0xEE, 0xE1, 0xF4, 0xF2, 0xF3, 0xF7, 0xEC,
                             0xED, 0xEB, 0xE4, 0xF0, 0xF5, 0xF1, 0xF9, 0xF8, 0xE7, 0xFA, 0};

}  // namespace

static bool isSingleEncGroup(VLXLangGroup group) { return group >= 256 && group <= 511; }
static bool isListedGroup(VLXLangGroup group) { return group >= 0 && group < kLangGroupCount; }

const uint8_t* const langGroupEncSamples[kLangGroupCount][kLangGroupSlots][2] = {
    // 0 Generic: 1
    {{kEmpty, kEmpty}, {nullptr, nullptr}, {nullptr, nullptr}, {nullptr, nullptr},
     {nullptr, nullptr}},
    // 1 CE: 10, 16, 17, 18
    {{kCE10Small, kCE10Caps}, {kCE16Small, kCE16Caps}, {kCE17Small, kCE17Caps},
     {kCE18Small, kCE18Caps}, {nullptr, nullptr}},
    // 2 Nordic: 9, 11, 10
    {{kNordicSmall, kNordicCaps}, {kNordic11Small, kNordic11Caps}, {kNordicSmall, kNordicCaps},
     {nullptr, nullptr}, {nullptr, nullptr}},
    // 3 German: 9, 11, 10
    {{kGermanSmall, kGermanCaps}, {kGerman11Small, kGerman11Caps}, {kGermanSmall, kGermanCaps},
     {nullptr, nullptr}, {nullptr, nullptr}},
    // 4 French: 9, 11, 10
    {{kFrenchSmall, kFrenchCaps}, {kFrench11Small, kFrench11Caps}, {kFrenchSmall, kFrenchCaps},
     {nullptr, nullptr}, {nullptr, nullptr}},
    // 5 Spanish and Portuguese: 9, 11, 10
    {{kIberianSmall, kIberianCaps}, {kIberian11Small, kIberian11Caps},
     {kIberianSmall, kIberianCaps}, {nullptr, nullptr}, {nullptr, nullptr}},
    // 6 Cyrillic: 32, 33, 34, 36, 37
    {{kCy32Small, kCy32Caps}, {kCy33Small, kCy33Caps}, {kCy34Small, kCy34Caps},
     {kCy36Small, kCy34Caps}, {kCy37Small, kCy37Caps}},
};

}  // namespace vlx

using vlx::langGroupEncs;
using vlx::isListedGroup;
using vlx::isSingleEncGroup;

uint32_t VLXLangGroupEncCount(VLXLangGroup group, VLXPlatform platform) {
  const int32_t* list;
  if (isListedGroup(group)) {
    list = langGroupEncs[group];
  } else if (isSingleEncGroup(group)) {
    list = vlx::langGroupEncsRegionGeneric;
  } else {
    return 0;
  }
  return static_cast<uint32_t>(list[1] - (platform == VLXPlatformPalm ? list[0] : 0));
}

VLXEnc VLXLangGroupEnc(VLXLangGroup group, VLXPlatform platform, uint32_t index) {
  if (isSingleEncGroup(group)) {
    VLXEnc enc = group - 256;
    if (platform == VLXPlatformPalm && VLXEncPlatform(enc) == VLXPlatformComputer) {
      return VLXEncWinWestern;
    }
    return enc;
  }
  if (!isListedGroup(group) || index >= VLXLangGroupEncCount(group, platform)) {
    // Includes the basic index of group 0 on the handheld side: no encoding.
    return VLXEncNone;
  }
  const int32_t* list = langGroupEncs[group];
  uint32_t skip = platform == VLXPlatformPalm ? static_cast<uint32_t>(list[0]) : 0;
  return list[2 + skip + index];
}

uint32_t VLXLangGroupEncBasicIdx(VLXLangGroup group) {
  switch (group) {
    case VLXLangGroupCE:
      return 2;
    case VLXLangGroupCyrillic:
      return 1;
    default:
      return 0;
  }
}

const uint8_t* VLXLangGroupEncSample(VLXLangGroup group, VLXEnc enc, int32_t list) {
  if (isSingleEncGroup(group)) return vlx::kEmpty;
  if (!isListedGroup(group)) return nullptr;
  const int32_t* encs = langGroupEncs[group];
  for (int32_t i = 0; i < encs[1]; ++i) {
    if (encs[2 + i] == enc) return vlx::langGroupEncSamples[group][i][list == 0 ? 0 : 1];
  }
  return nullptr;
}
