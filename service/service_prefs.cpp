// ServicePrefs: the service's view of Vellix Converter's settings.
#include "service/service_prefs.h"

#include "prefs/domain.h"
#include "prefs/keys.h"

namespace keys = vlx::prefs_keys;

ServicePrefs::ServicePrefs() {
  const VLXEnc z = VLXEncFromZentra();
  defaults = TAVOHackedUserDefaults::initWithName(vlx::kConverterDomain);
  defaults->registerDefaults(keys::registeredDefaults({
      .sourceText = 0,
      .sourceVellix = 0,
      .languageGroup = 0,
      .targetText = VLXEncUTF16,
      .targetVellix = z != 0 ? 0 : VLXEncWinWestern,
      .sourceTextGeneric = 0,
  }));
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
