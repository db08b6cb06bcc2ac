// ServicePrefs: the subset of the converter's settings that Vellix Service
// needs, read from Vellix Converter's domain through a TAVOHackedUserDefaults
// with the service's own registered defaults. Made afresh for every request.
//
// Where it differs from the converter's Prefs: an unset "SourceVellixEncoding"
// reads 0 (guess), "LanguageGroup" 0 stays 0 (the generic group itself), the
// registered defaults are fixed (never the migrated values), and settings still
// in the 1.5 layout are read as they are.
#pragma once

#include <memory>

#include "encodings/lang_groups.h"
#include "encodings/registry.h"
#include "engine/file_type.h"
#include "service/hacked_user_defaults.h"

class ServicePrefs {
 public:
  // Consults the Zentra tool, binds a reader to Vellix Converter's domain and
  // registers the service's defaults on it.
  ServicePrefs();

  // Type 2: "SourceTextEncoding"; any other type: "SourceVellixEncoding". 0: guess.
  VLXEnc sourceEncForType(VLXType type) const;
  // "LanguageGroup" as stored.
  VLXLangGroup langGroup() const;
  // Type 2: "TargetTextEncoding"; any other type: "TargetVellixEncoding" when not
  // 0, else the Zentra tool's encoding (0 when it cannot be found).
  VLXEnc targetEncForType(VLXType type) const;
  bool doOpenInHSM() const;
  bool doCompress() const;

  const TAVOHackedUserDefaults& reader() const { return *defaults; }

 private:
  std::unique_ptr<TAVOHackedUserDefaults> defaults;
};
