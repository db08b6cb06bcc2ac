// The keys of Vellix Converter's preferences domain, shared by the converter's
// Prefs and the service's reader.
#pragma once

#include <cstdint>

#include "platform/user_defaults_value.h"

namespace vlx::prefs_keys {

inline constexpr char kSourceVellixEncoding[] = "SourceVellixEncoding";
inline constexpr char kSourceTextEncoding[] = "SourceTextEncoding";
inline constexpr char kSourceTextGenericEncoding[] = "SourceTextGenericEncoding";
inline constexpr char kLanguageGroup[] = "LanguageGroup";
inline constexpr char kTargetVellixEncoding[] = "TargetVellixEncoding";
inline constexpr char kTargetTextEncoding[] = "TargetTextEncoding";
inline constexpr char kTargetFormat[] = "TargetFormat";
inline constexpr char kAskNotSure[] = "AskNotSure";
inline constexpr char kAskNotSureValue[] = "AskNotSureValue";
inline constexpr char kOpenInHSM[] = "OpenInHSM";
inline constexpr char kCompress[] = "Compress";
inline constexpr char kAutoQuit[] = "AutoQuit";
// Settings version: 15 still uses the 1.5 numbering of encodings, 19 is current.
inline constexpr char kVersionID[] = "VersionID";
// 1.5 keys, read once by the migration and then removed.
inline constexpr char kSourceEncoding[] = "SourceEncoding";
inline constexpr char kTargetEncoding[] = "TargetEncoding";

inline constexpr int kVersionV15 = 15;
inline constexpr int kVersionCurrent = 19;

// The values a program registers for the encoding and language-group keys; the
// converter and the service differ only in these.
struct RegisteredEncodings {
  int64_t sourceText;
  int64_t sourceVellix;
  int64_t languageGroup;
  int64_t targetText;
  int64_t targetVellix;
  int64_t sourceTextGeneric;
};

// The whole set of registered defaults for the converter's keys.
inline DefaultsDictionary registeredDefaults(const RegisteredEncodings& e) {
  return {
      {kSourceTextEncoding, e.sourceText},
      {kSourceVellixEncoding, e.sourceVellix},
      {kLanguageGroup, e.languageGroup},
      {kTargetTextEncoding, e.targetText},
      {kTargetVellixEncoding, e.targetVellix},
      {kTargetFormat, int64_t{1}},
      {kAskNotSure, true},
      {kAskNotSureValue, int64_t{60}},
      {kOpenInHSM, false},
      {kCompress, true},
      {kAutoQuit, int64_t{1}},
      {kSourceTextGenericEncoding, e.sourceTextGeneric},
  };
}

}  // namespace vlx::prefs_keys
