// The keys of Vellix Converter's preferences domain, shared by the converter's
// Prefs and the service's reader.
#pragma once

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

}  // namespace vlx::prefs_keys
