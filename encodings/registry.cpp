// The encoding registry: the table of Vellix's encodings and the lookups on it.
#include "encodings/registry.h"

#include <array>
#include <cstdio>
#include <cstring>

#include "encodings/registry_internal.h"
#include "platform/charset.h"
#include "platform/localization.h"

namespace {

using vlx::registry::EncodingInfo;
using vlx::registry::SystemNumbering;

constexpr SystemNumbering NS = SystemNumbering::NS;
constexpr SystemNumbering CF = SystemNumbering::CF;

// Fixed: ids and short names are stored in preferences and file names; long
// names are the keys of the localized display names.
constexpr std::array<EncodingInfo, 46> kEncodings{{
    {8, "ASCII", "Plain ASCII", 0, NS, 1},
    {9, "ISO-W", "Western - ISO", 1, NS, 5},
    {10, "Win-W", "Western - Windows/Palm", 0, NS, 12},
    {11, "Mac-W", "Western - Mac", 1, NS, 30},
    {16, "ISO-CE", "Central European - ISO", 0, NS, 9},
    {17, "Win-CE", "Central European - Windows", 0, NS, 15},
    {18, "Mac-CE", "Central European - Mac", 0, CF, 0x1D},
    {24, "ISO-Ba", "Baltic - ISO", 1, CF, 0x204},
    {25, "Win-Ba", "Baltic - Windows", 0, CF, 0x507},
    {32, "ISO-Cy", "Cyrillic - ISO", 0, CF, 0x205},
    {33, "Win-Cy", "Cyrillic - Windows", 0, NS, 11},
    {34, "Mac-Cy", "Cyrillic - Mac", 0, CF, 0x7},
    {36, "DOS-Cy", "Cyrillic - DOS", 0, CF, 0x41B},
    {37, "KOI-R", "Cyrillic - KOI8-R", 0, CF, 0xA02},
    {38, "KOI-U", "Cyrillic - KOI8-U", 0, CF, 0xA08},
    {40, "ISO-Gr", "Greek - ISO", 1, CF, 0x207},
    {41, "Win-Gr", "Greek - Windows", 0, NS, 13},
    {42, "Mac-Gr", "Greek - Mac", 0, CF, 0x6},
    {48, "ISO-Tr", "Turkish - ISO", 0, CF, 0x209},
    {49, "Win-Tr", "Turkish - Windows", 0, NS, 14},
    {50, "Mac-Tr", "Turkish - Mac", 1, CF, 0x23},
    {56, "ISO-Ar", "Arabic - ISO", 1, CF, 0x206},
    {57, "Win-Ar", "Arabic - Windows", 0, CF, 0x506},
    {58, "Mac-Ar", "Arabic - Mac", 1, CF, 0x4},
    {64, "ISO-He", "Hebrew - ISO", 0, CF, 0x208},
    {65, "Win-He", "Hebrew - Windows", 0, CF, 0x505},
    {66, "Mac-He", "Hebrew - Mac", 1, CF, 0x5},
    {72, "Big5", "Chinese Traditional - Big 5", 0, CF, 0xA03},
    {73, "HKSCS", "Chinese Traditional - Big 5 HK SCS", 0, CF, 0xA06},
    {74, "Mac-CT", "Chinese Traditional - Mac", 1, CF, 0x2},
    {80, "GB-Raw", "Chinese Simplified - GB 2312-1980 (raw)", 1, CF, 0x630},
    {81, "GB2312", "Chinese Simplified - EUC (\"GB2312\")", 0, CF, 0x930},
    {82, "GBK", "Chinese - GBK (Windows)", 0, CF, 0x631},
    {83, "GB18030", "Chinese - GB 18030-2000", 1, CF, 0x632},
    {84, "Mac-CS", "Chinese Simplified - Mac", 1, CF, 0x19},
    {88, "SJIS", "Japanese - Shift-JIS", 0, NS, 8},
    {89, "EUC-JP", "Japanese - EUC", 0, NS, 3},
    {90, "Mac-Ja", "Japanese - Mac", 1, CF, 0x1},
    {96, "KSC-Raw", "Korean - KSC 5601", 1, CF, 0x640},
    {97, "KSC", "Korean - EUC (\"KSC5601\")", 0, CF, 0x940},
    {98, "Mac-Ko", "Korean - Mac", 1, CF, 0x3},
    {104, "TIS", "Thai - ISO/TIS", 1, CF, 0x20B},
    {105, "Win-Th", "Thai - Windows", 0, CF, 0x41D},
    {106, "Mac-Th", "Thai - Mac", 1, CF, 0x15},
    {168, "UTF-16", "Unicode - UTF-16", 1, NS, 10},
    {169, "UTF-8", "Unicode - UTF-8", 1, NS, 4},
}};

}  // namespace

namespace vlx::registry {

const EncodingInfo* find(VLXEnc enc) {
  for (const EncodingInfo& info : kEncodings) {
    if (info.id == enc) return &info;
  }
  return nullptr;
}

std::span<const EncodingInfo> all() { return kEncodings; }

}  // namespace vlx::registry

NSStringEncoding VLXEncToNSStringEncoding(VLXEnc enc) {
  const EncodingInfo* info = vlx::registry::find(enc);
  if (info == nullptr) return 0;
  if (info->numbering == NS) return info->systemEncoding;
  return vlx::cfToNSStringEncoding(info->systemEncoding);
}

CFStringEncoding VLXEncToCFStringEncoding(VLXEnc enc) {
  NSStringEncoding nsEnc = VLXEncToNSStringEncoding(enc);
  if (nsEnc == 0) return kCFStringEncodingInvalidId;
  return vlx::nsToCFStringEncoding(nsEnc);
}

bool VLXEncIsAvailable(VLXEnc enc) {
  if (VLXEncToCFStringEncoding(enc) == kCFStringEncodingInvalidId) return false;
  return vlx::isEncodingSupported(VLXEncToNSStringEncoding(enc));
}

VLXEnc VLXEncFromNSStringEncoding(NSStringEncoding nsEnc) {
  if (nsEnc == 0) return 0;
  for (VLXEnc enc = 1; enc <= 255; ++enc) {
    if (VLXEncToNSStringEncoding(enc) == nsEnc) return enc;
  }
  return 0;
}

VLXEnc VLXEncFromCFStringEncoding(CFStringEncoding cfEnc) {
  if (cfEnc == kCFStringEncodingInvalidId) return 0;
  return VLXEncFromNSStringEncoding(vlx::cfToNSStringEncoding(cfEnc));
}

std::optional<std::u16string> vlxEncNameOrNil(VLXEnc enc) {
  if (enc == VLXEncCannotGuess) return vlx::localizedString("cannot guess");
  if (enc == VLXEncFiltered) return vlx::localizedString("filtered");
  const EncodingInfo* info = vlx::registry::find(enc);
  if (info == nullptr) return std::nullopt;
  return vlx::localizedString(info->longName);
}

std::u16string VLXEncName(VLXEnc enc) {
  if (std::optional<std::u16string> name = vlxEncNameOrNil(enc)) return *name;
  std::u16string name = vlx::localizedString("unknown");
  name += u' ';
  char digits[16];
  std::snprintf(digits, sizeof digits, "%i", static_cast<int>(enc));
  for (const char* c = digits; *c != '\0'; ++c) name += static_cast<char16_t>(*c);
  return name;
}

const char* VLXEncShortNameCString(VLXEnc enc) {
  if (const EncodingInfo* info = vlx::registry::find(enc)) return info->shortName;
  static char buffer[32];
  int written = std::snprintf(buffer, sizeof buffer, "%i", static_cast<int>(enc));
  if (written < 0 || static_cast<size_t>(written) >= sizeof buffer) return "?";
  return buffer;
}

VLXEnc VLXEncFromShortNameCString(const char* text, int prefix) {
  if (text == nullptr) return 0;
  for (VLXEnc enc = 1; enc <= 255; ++enc) {
    // The same text VLXEncShortNameCString gives, without overwriting its
    // static buffer, so a caller's earlier result stays valid.
    char digits[32];
    const char* name = digits;
    if (const EncodingInfo* info = vlx::registry::find(enc)) {
      name = info->shortName;
    } else {
      std::snprintf(digits, sizeof digits, "%i", static_cast<int>(enc));
    }
    bool matches = prefix != 0 ? std::strncmp(name, text, std::strlen(name)) == 0
                               : std::strcmp(name, text) == 0;
    if (matches) return enc;
  }
  return 0;
}

VLXPlatform VLXEncPlatform(VLXEnc enc) {
  const EncodingInfo* info = vlx::registry::find(enc);
  return info != nullptr && info->platform == VLXPlatformComputer ? VLXPlatformComputer
                                                                  : VLXPlatformAny;
}

VLXEnc VLXEncFromVLXV15enc(VLXEnc v15enc) {
  switch (v15enc) {
    case -2: return -2;
    case 0: return 0;
    case 1: return 16;
    case 2: return 17;
    case 3: return 18;
    case 4: return 10;
    case 5: return 8;
    case 16: return 168;
    case 17: return 169;
    case 256: return 256;
    default: return 0;
  }
}
