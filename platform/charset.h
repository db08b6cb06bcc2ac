// The character-set converter: decodes bytes of any of Vellix's encodings into
// UTF-16 and encodes UTF-16 back, keyed by the two platform numberings of
// encodings (NSStringEncoding and CFStringEncoding).
//
// Most encodings go through ICU converters (one cached converter per ICU name;
// the library is used from one thread at a time). Mac Arabic, Hebrew and Thai,
// which ICU lacks, use byte tables embedded in the library at build time from
// platform/charsets/. DOS code page 866 uses a byte table built from ICU's
// ibm-866 with the plain ASCII meaning of the bytes 0x1A, 0x1C and 0x7F (ICU
// swaps them like the IBM PC control-character convention). Raw GB 2312 and
// KS C 5601 go through their EUC forms; UTF-16 is handled here directly.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vlx {

// Same types as in encodings/registry.h (a repeated typedef is harmless).
typedef uint32_t NSStringEncodingValue;
typedef uint32_t CFStringEncodingValue;

constexpr CFStringEncodingValue kInvalidCFStringEncoding = 0xFFFFFFFFu;

// NSStringEncoding -> CFStringEncoding: the fixed pairs for the encodings that
// have an NS constant of their own, otherwise the NS value with its high bit
// cleared; kInvalidCFStringEncoding for any other value without the high bit.
CFStringEncodingValue nsToCFStringEncoding(NSStringEncodingValue nsEnc);
// CFStringEncoding -> NSStringEncoding: the fixed pairs, otherwise
// 0x80000000 | cf; 0 for kInvalidCFStringEncoding.
NSStringEncodingValue cfToNSStringEncoding(CFStringEncodingValue cfEnc);

// Whether the converter supports the encoding on this machine.
bool isEncodingSupported(NSStringEncodingValue nsEnc);

// Decodes `length` bytes. Nothing when the encoding is unsupported or the
// bytes are not valid in it (malformed, truncated or unmapped sequences).
// UTF-16 honours either byte order mark and reads text without one as
// big-endian; the mark is not part of the result.
std::optional<std::u16string> decodeBytes(NSStringEncodingValue nsEnc, const uint8_t* bytes,
                                          size_t length);

// Encodes `text`. With `allowLossy`, a character the encoding cannot hold (or
// an unpaired surrogate) is written as "?"; without it, such a character makes
// the call give nothing. Nothing when the encoding is unsupported. UTF-16 is
// written with the byte order mark FE FF and big-endian code units.
std::optional<std::string> encodeString(NSStringEncodingValue nsEnc, std::u16string_view text,
                                        bool allowLossy);

}  // namespace vlx
