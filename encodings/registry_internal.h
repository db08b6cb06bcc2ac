// The registry's table, for the library's own modules.
#pragma once

#include <cstdint>
#include <span>

#include "encodings/registry.h"

namespace vlx::registry {

// Which platform numbering an entry's system encoding is given in.
enum class SystemNumbering : uint8_t { NS, CF };

struct EncodingInfo {
  VLXEnc id;
  const char* shortName;
  const char* longName;  // also the key of the localized display name
  VLXPlatform platform;  // 1 computer only, 0 also the handheld
  SystemNumbering numbering;
  uint32_t systemEncoding;
};

// The entry of `enc`, or null for an id the registry does not list.
const EncodingInfo* find(VLXEnc enc);
// All 46 entries in increasing id order.
std::span<const EncodingInfo> all();

}  // namespace vlx::registry
