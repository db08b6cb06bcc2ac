// ServicePrefs: the service's view of Vellix Converter's settings.
#include "service/service_prefs.h"

#include "prefs/domain.h"
#include "prefs/keys.h"

namespace keys = vlx::prefs_keys;

ServicePrefs::ServicePrefs() {
  const VLXEnc z = VLXEncFromZentra();
  defaults = TAVOHackedUserDefaults::initWithName(vlx::kConverterDomain);
  defaults->registerDefaults({
      {keys::kSourceTextEncoding, int64_t{0}},
      {keys::kSourceVellixEncoding, int64_t{0}},
      {keys::kLanguageGroup, int64_t{0}},
      {keys::kTargetTextEncoding, int64_t{VLXEncUTF16}},
      {keys::kTargetVellixEncoding, int64_t{z != 0 ? 0 : VLXEncWinWestern}},
      {keys::kTargetFormat, int64_t{1}},
      {keys::kAskNotSure, true},
      {keys::kAskNotSureValue, int64_t{60}},
      {keys::kOpenInHSM, false},
      {keys::kCompress, true},
      {keys::kAutoQuit, int64_t{1}},
      {keys::kSourceTextGenericEncoding, int64_t{0}},
  });
}

VLXEnc ServicePrefs::sourceEncForType(VLXType type) const {
  return defaults->integerForKey(type == VLXTypeText ? keys::kSourceTextEncoding : keys::kSourceVellixEncoding);
}

VLXLangGroup ServicePrefs::langGroup() const { return defaults->integerForKey(keys::kLanguageGroup); }

VLXEnc ServicePrefs::targetEncForType(VLXType type) const {
  if (type == VLXTypeText) return defaults->integerForKey(keys::kTargetTextEncoding);
  const VLXEnc e = defaults->integerForKey(keys::kTargetVellixEncoding);
  return e != 0 ? e : VLXEncFromZentra();
}

bool ServicePrefs::doOpenInHSM() const { return defaults->boolForKey(keys::kOpenInHSM); }
bool ServicePrefs::doCompress() const { return defaults->boolForKey(keys::kCompress); }
