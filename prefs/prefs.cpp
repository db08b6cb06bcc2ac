// Prefs: the start-up steps and the accessors of the converter's settings.
#include "prefs/prefs.h"

#include <limits>

#include "prefs/domain.h"
#include "prefs/keys.h"

namespace keys = vlx::prefs_keys;

namespace {

vlx::UserDefaults& converterStandardDefaults() {
  if (vlx::UserDefaults::programDomainName().empty()) vlx::UserDefaults::setProgramDomainName(vlx::kConverterDomain);
  return vlx::UserDefaults::standardUserDefaults();
}

}  // namespace

Prefs::Prefs() : defaults_(converterStandardDefaults()) {}

Prefs::Prefs(vlx::UserDefaults& defaults) : defaults_(defaults) {}

bool Prefs::init() {
  setBuiltInDefaults();
  isThisFirstLaunch_ = !defaults_.persistentDomainForName(defaults_.domainName()).has_value();
  if (!isThisFirstLaunch_) migrateFromV15();
  writeStartKeys();
  registerStartDefaults();
  // The generic group cannot guess the encoding of databases.
  if (defaults_.integerForKey(keys::kLanguageGroup) == 0 &&
      defaults_.integerForKey(keys::kSourceVellixEncoding) == 0)
    defaults_.setInteger(VLXEncWinWestern, keys::kSourceVellixEncoding);
  defaults_.setInteger(keys::kVersionCurrent, keys::kVersionID);
  return true;
}

void Prefs::setBuiltInDefaults() {
  sourceEncodingT = 0;
  sourceEncodingP = VLXEncWinWestern;
  langGroup_ = 0;
  targetEncodingT = VLXEncUTF16;
  // 0 follows the Zentra tool, which is only a sensible default when it is set up.
  targetEncodingP = VLXEncFromZentra() != 0 ? 0 : VLXEncWinWestern;
  targetFormat = 1;
  askNotSure = true;
  askNotSureValue_ = 60;
  openInHSM = false;
  compress = true;
  autoQuit = true;
  sourceEncodingGenT = VLXEncMacWestern;
}

void Prefs::migrateFromV15() {
  // Keys rewritten here from the old single keys already hold current ids; the
  // version-15 renumbering below must not translate them a second time.
  bool sourceMigrated = false;
  bool targetMigrated = false;

  if (defaults_.objectForKey(keys::kSourceEncoding)) {
    const VLXEnc e = VLXEncFromVLXV15enc(vlx::saturateToInt32(defaults_.integerForKey(keys::kSourceEncoding)));
    sourceEncodingP = e;
    sourceEncodingT = e == VLXEncWinWestern ? VLXEncUTF16 : e;
    defaults_.setInteger(sourceEncodingP, keys::kSourceVellixEncoding);
    defaults_.setInteger(sourceEncodingT, keys::kSourceTextEncoding);
    defaults_.removeObjectForKey(keys::kSourceEncoding);
    sourceMigrated = true;
  }

  if (defaults_.objectForKey(keys::kTargetEncoding)) {
    const VLXEnc e = VLXEncFromVLXV15enc(vlx::saturateToInt32(defaults_.integerForKey(keys::kTargetEncoding)));
    targetEncodingP = e;
    targetEncodingT = (e == VLXEncWinWestern || e == 0) ? VLXEncUTF16 : e;
    defaults_.setInteger(targetEncodingP, keys::kTargetVellixEncoding);
    defaults_.setInteger(targetEncodingT, keys::kTargetTextEncoding);
    defaults_.removeObjectForKey(keys::kTargetEncoding);
    targetMigrated = true;
  }

  if (defaults_.integerForKey(keys::kVersionID) == keys::kVersionV15) {
    const struct {
      const char* key;
      bool migrated;
    } renumbered[] = {
        {keys::kSourceVellixEncoding, sourceMigrated},
        {keys::kSourceTextEncoding, sourceMigrated},
        {keys::kTargetVellixEncoding, targetMigrated},
        {keys::kTargetTextEncoding, targetMigrated},
    };
    for (const auto& entry : renumbered) {
      if (entry.migrated || !defaults_.objectForKey(entry.key)) continue;
      defaults_.setInteger(VLXEncFromVLXV15enc(vlx::saturateToInt32(defaults_.integerForKey(entry.key))), entry.key);
    }
  }
}

void Prefs::writeStartKeys() {
  // Runs before any default is registered, so a missing key reads 0 here.
  if (defaults_.integerForKey(keys::kSourceTextEncoding) == 0)
    defaults_.setInteger(sourceEncodingT, keys::kSourceTextEncoding);
  if (defaults_.integerForKey(keys::kTargetVellixEncoding) == 0)
    defaults_.setInteger(targetEncodingP, keys::kTargetVellixEncoding);
  if (defaults_.integerForKey(keys::kTargetTextEncoding) == 0)
    defaults_.setInteger(targetEncodingT, keys::kTargetTextEncoding);
}

void Prefs::registerStartDefaults() {
  defaults_.registerDefaults(keys::registeredDefaults({
      .sourceText = sourceEncodingT,
      .sourceVellix = sourceEncodingP,
      .languageGroup = langGroup_,
      .targetText = targetEncodingT,
      .targetVellix = targetEncodingP,
      .sourceTextGeneric = VLXEncMacWestern,
  }));
}

VLXEnc Prefs::sourceEncForType(VLXType type) const {
  return vlx::saturateToInt32(defaults_.integerForKey(type == VLXTypeText ? keys::kSourceTextEncoding
                                                              : keys::kSourceVellixEncoding));
}

VLXEnc Prefs::sourceEncGenForTypeTXT() const {
  return vlx::saturateToInt32(defaults_.integerForKey(keys::kSourceTextGenericEncoding));
}

VLXLangGroup Prefs::langGroup() const {
  const VLXLangGroup g = vlx::saturateToInt32(defaults_.integerForKey(keys::kLanguageGroup));
  if (g != 0) return g;
  const VLXEnc generic = sourceEncGenForTypeTXT();
  // 256 + e names the group of the single encoding e; keep the sum in range.
  return generic > std::numeric_limits<int32_t>::max() - 256 ? generic : 256 + generic;
}

VLXEnc Prefs::targetEncForType(VLXType type) const {
  if (type == VLXTypeText) return vlx::saturateToInt32(defaults_.integerForKey(keys::kTargetTextEncoding));
  const VLXEnc e = vlx::saturateToInt32(defaults_.integerForKey(keys::kTargetVellixEncoding));
  return e != 0 ? e : VLXEncFromZentra();
}

int Prefs::targetType() const { return vlx::saturateToInt32(defaults_.integerForKey(keys::kTargetFormat)); }

int Prefs::askNotSureValue() const {
  if (!defaults_.boolForKey(keys::kAskNotSure)) return 0;
  const int32_t value = vlx::saturateToInt32(defaults_.integerForKey(keys::kAskNotSureValue));
  return value == std::numeric_limits<int32_t>::max() ? value : value + 1;
}

bool Prefs::doOpenInHSM() const { return defaults_.integerForKey(keys::kOpenInHSM) != 0; }
bool Prefs::doCompress() const { return defaults_.integerForKey(keys::kCompress) != 0; }
bool Prefs::doAutoQuit() const { return defaults_.integerForKey(keys::kAutoQuit) != 0; }
