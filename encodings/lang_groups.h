// Language groups: for each group the candidate encodings on the computer and
// on the handheld side, the basic encoding to fall back on, and for every
// candidate the bytes that the group's characteristic letters take in it.
//
// Groups: 0 generic, 1 Central European (Czech and Slovak), 2 Nordic,
// 3 German, 4 French, 5 Spanish and Portuguese, 6 Cyrillic (Russian), and
// 256 + e, a group of the single encoding e.
#pragma once

#include <cstdint>

#include "encodings/registry.h"
#include "platform/export.h"

typedef int32_t VLXLangGroup;

enum : VLXLangGroup {
  VLXLangGroupGeneric = 0,
  VLXLangGroupCE = 1,
  VLXLangGroupNordic = 2,
  VLXLangGroupGerman = 3,
  VLXLangGroupFrench = 4,
  VLXLangGroupSpanishPortuguese = 5,
  VLXLangGroupCyrillic = 6,
  VLXLangGroupSingleEnc = 256,  // 256 + e: the group of encoding e alone
};

// Number of candidate encodings of `group` on `platform` (2 the handheld,
// anything else the computer). Groups 256 + e count 1 on the computer and 0 on
// the handheld; undefined groups have no candidates.
VLX_API uint32_t VLXLangGroupEncCount(VLXLangGroup group, VLXPlatform platform);

// Candidate `index` of `group` on `platform`. A group 256 + e ignores the index
// and gives e, or 10 ("Western - Windows/Palm") on the handheld when e is a
// computer-only encoding. Group 0 on the handheld has no candidates; its basic
// index there gives 0. Anything outside the tables gives 0 (no encoding).
VLX_API VLXEnc VLXLangGroupEnc(VLXLangGroup group, VLXPlatform platform, uint32_t index);

// Index of the basic encoding, always asked for with platform 2: 2 for group 1
// (17), 1 for group 6 (33), 0 for every other group.
VLX_API uint32_t VLXLangGroupEncBasicIdx(VLXLangGroup group);

// The characteristic bytes of `group` in encoding `enc` as a read-only
// NUL-terminated string: the small letters for `list` 0, the capitals
// otherwise. A group 256 + e gives the empty string; an encoding that is not
// among the group's entries, or an undefined group, gives null.
VLX_API const uint8_t* VLXLangGroupEncSample(VLXLangGroup group, VLXEnc enc, int32_t list);

// The tables behind the functions above, internal to the library.
namespace vlx {

// A region list: skipOnPalm (leading entries the handheld side leaves out),
// count, then count encoding identifiers.
extern const int32_t langGroupEncsRegionGeneric[3];
extern const int32_t langGroupEncsRegionCE[6];
extern const int32_t langGroupEncsRegionWe[5];
extern const int32_t langGroupEncsRegionCy[7];

constexpr int32_t kLangGroupCount = 7;  // groups 0 to 6 have lists of their own
constexpr int32_t kLangGroupSlots = 5;  // the longest list

// The region list of each group 0 to 6.
extern const int32_t* const langGroupEncs[kLangGroupCount];

// For each group 0 to 6 and each position of its full list: the small-letter
// (index 0) and capital-letter (index 1) byte lists; null past the list.
extern const uint8_t* const langGroupEncSamples[kLangGroupCount][kLangGroupSlots][2];

}  // namespace vlx
