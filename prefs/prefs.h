// Prefs: Vellix Converter's preference store. At start-up (init) it detects the
// first launch, migrates settings written by older versions, registers the
// default values and stamps the settings version; afterwards its accessors read
// the user-defaults store afresh at every call, so a change made in the
// preferences window takes effect at the next read.
//
// The same class grows into the preferences window's controller: the value
// fields below mirror the window while it is open, and their ...Old copies hold
// the values as they were when the window was opened (for Revert).
#pragma once

#include <cstdint>

#include "encodings/lang_groups.h"
#include "encodings/registry.h"
#include "engine/file_type.h"
#include "platform/user_defaults.h"

class Prefs {
 public:
  // A store on the program's standard defaults object. When the program has
  // not named its domain yet, it becomes Vellix Converter's (vlx::kConverterDomain).
  Prefs();
  // A store bound to `defaults`, whose domain is the application's own. Call
  // init() before anything else.
  explicit Prefs(vlx::UserDefaults& defaults);
  Prefs(const Prefs&) = delete;
  Prefs& operator=(const Prefs&) = delete;
  virtual ~Prefs() = default;

  // The start-up steps: built-in defaults, first-launch detection, migration
  // from the 1.5 settings, the keys written at every start, the registered
  // defaults, the Vellix source fix-up for the generic group and the version
  // stamp. Returns true.
  bool init();

  // Type 2 (text): "SourceTextEncoding"; any other type: "SourceVellixEncoding".
  // 0 means: guess the encoding.
  VLXEnc sourceEncForType(VLXType type) const;
  // "SourceTextGenericEncoding".
  VLXEnc sourceEncGenForTypeTXT() const;
  // "LanguageGroup" when not 0; for the generic group 0, 256 + the generic text
  // encoding (a group of that single encoding).
  VLXLangGroup langGroup() const;
  // Type 2: "TargetTextEncoding"; any other type: "TargetVellixEncoding" when
  // not 0, else the Zentra tool's encoding, 0 when that cannot be found.
  VLXEnc targetEncForType(VLXType type) const;
  // "TargetFormat": 1 database, 2 text, 1024 the other format, 1025 the same
  // format, 1026 ask for each file, 1027 ask once for a group.
  int targetType() const;
  // 0 when "AskNotSure" is NO (never ask); else "AskNotSureValue" + 1, so a
  // guess whose probability equals the threshold counts as unsure.
  int askNotSureValue() const;
  // "OpenInHSM", "Compress", "AutoQuit" read as integers, non-zero meaning YES.
  bool doOpenInHSM() const;
  bool doCompress() const;
  bool doAutoQuit() const;
  // Whether no preferences domain existed when init() ran.
  bool isThisFirstLaunch() const { return isThisFirstLaunch_; }

  vlx::UserDefaults& defaults() const { return defaults_; }

  // The twelve values: the defaults being computed during init(), and the
  // window's values while it is open. The accessors never read them. Fields
  // whose name an accessor takes carry a trailing underscore.
  VLXEnc sourceEncodingT = 0;
  VLXEnc sourceEncodingP = 0;
  VLXLangGroup langGroup_ = 0;
  VLXEnc targetEncodingT = 0;
  VLXEnc targetEncodingP = 0;
  int targetFormat = 0;
  bool askNotSure = false;
  bool openInHSM = false;
  bool compress = false;
  int askNotSureValue_ = 0;
  bool autoQuit = false;
  VLXEnc sourceEncodingGenT = 0;

  VLXEnc sourceEncodingTOld = 0;
  VLXEnc sourceEncodingPOld = 0;
  VLXLangGroup langGroupOld = 0;
  VLXEnc targetEncodingTOld = 0;
  VLXEnc targetEncodingPOld = 0;
  int targetFormatOld = 0;
  bool askNotSureOld = false;
  bool openInHSMOld = false;
  bool compressOld = false;
  int askNotSureValueOld = 0;
  bool autoQuitOld = false;
  VLXEnc sourceEncodingGenTOld = 0;

  // Set when the preferences window's encoding menus have been filled.
  bool isWindowInited = false;

 private:
  void setBuiltInDefaults();
  void migrateFromV15();
  void writeStartKeys();
  void registerStartDefaults();

  vlx::UserDefaults& defaults_;
  bool isThisFirstLaunch_ = false;
};
