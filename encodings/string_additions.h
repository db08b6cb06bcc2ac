// Encoding a Unicode string with the force-LF line-end rule applied to the
// encoded bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "encodings/registry.h"
#include "platform/export.h"

namespace NSStringTAVOAdditionsDataForceLF {

// Encodes `string` with the platform converter. Without force-LF the encoder's
// result is returned unchanged; with it, CR LF and lone CR become LF (in the
// encoded bytes; for UTF-16, whose characters may contain the bytes 0x0D and
// 0x0A, in the characters before encoding). Nothing when the encoder gives
// nothing, e.g. a character the encoding cannot hold without lossy conversion.
VLX_EXPORT std::optional<std::string> dataUsingEncoding(const std::u16string& string,
                                                        NSStringEncoding encoding,
                                                        bool allowLossyConversion, bool forceLF);

}  // namespace NSStringTAVOAdditionsDataForceLF

namespace vlx {
// The line-end rule over bytes in place: every CR LF pair and every lone CR
// become one LF. Returns the new length (never longer).
VLX_EXPORT uint32_t forceLineEndsLF(uint8_t* bytes, uint32_t length);
}  // namespace vlx
