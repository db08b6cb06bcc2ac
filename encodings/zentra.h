// The Zentra encoding chooser tool's preferences, read by VLXEncFromZentra
// (declared in encodings/registry.h). The tool is a separate program; these are
// the identifiers of its two preferences domains and the entries read there.
#pragma once

namespace vlx::zentra {

// The tool's current domain: "Encoding" holds an encoding id of Vellix's numbering.
inline constexpr char kCurrentDomain[] = "org.zentra.EncodingChooser";
inline constexpr char kEncodingKey[] = "Encoding";

// The tool's older domain: "enc_saved" names the handheld character set.
inline constexpr char kLegacyDomain[] = "org.zentra.Zentra";
inline constexpr char kEncSavedKey[] = "enc_saved";

}  // namespace vlx::zentra
