// The preferences domain of Vellix Converter: written by the converter's Prefs,
// read by Vellix Service. One name for both programs.
#pragma once

namespace vlx {

// Vellix Converter's identifier, naming its domain file
// (${XDG_CONFIG_HOME:-$HOME/.config}/vellix/defaults/org.vellix.VellixConverter.json).
inline constexpr char kConverterDomain[] = "org.vellix.VellixConverter";
// Vellix Service's own identifier (its standard defaults object's domain).
inline constexpr char kServiceDomain[] = "org.vellix.VellixService";

}  // namespace vlx
