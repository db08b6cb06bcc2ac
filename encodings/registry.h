// The encoding registry: Vellix's own encoding identifiers, their names, short
// names, platforms and the platform character-set converter's two numberings.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/export.h"

// Encoding identifier of Vellix's own numbering (stored in preferences; fixed).
typedef int32_t VLXEnc;
// 1 the computer (text files), 2 the Palm handheld (databases), 0 neither.
typedef int32_t VLXPlatform;
// The character-set converter's two numberings of encodings.
typedef uint32_t NSStringEncoding;
typedef uint32_t CFStringEncoding;

enum : VLXEnc {
  VLXEncNone = 0,         // no encoding / not set
  VLXEncCannotGuess = -2, // the guesser could not decide
  VLXEncFiltered = 256,   // the text already is a decoded Unicode string
  VLXEncASCII = 8,
  VLXEncWinWestern = 10,
  VLXEncMacWestern = 11,
  VLXEncUTF16 = 168,
  VLXEncUTF8 = 169,
};

enum : VLXPlatform { VLXPlatformAny = 0, VLXPlatformComputer = 1, VLXPlatformPalm = 2 };

constexpr CFStringEncoding kCFStringEncodingInvalidId = 0xFFFFFFFFu;

VLX_API NSStringEncoding VLXEncToNSStringEncoding(VLXEnc enc);
VLX_API CFStringEncoding VLXEncToCFStringEncoding(VLXEnc enc);
VLX_API bool VLXEncIsAvailable(VLXEnc enc);
VLX_API VLXEnc VLXEncFromNSStringEncoding(NSStringEncoding nsEnc);
VLX_API VLXEnc VLXEncFromCFStringEncoding(CFStringEncoding cfEnc);
// Display name (localized long name), or "unknown <id>". Owned by the caller.
VLX_API std::u16string VLXEncName(VLXEnc enc);
// Short name, or the id as decimal text in a static buffer overwritten by the
// next such call.
VLX_API const char* VLXEncShortNameCString(VLXEnc enc);
VLX_API VLXEnc VLXEncFromShortNameCString(const char* text, int prefix);
VLX_API VLXPlatform VLXEncPlatform(VLXEnc enc);
VLX_API VLXEnc VLXEncFromVLXV15enc(VLXEnc v15enc);
// The handheld encoding the Zentra encoding chooser tool has stored, or 0.
VLX_API VLXEnc VLXEncFromZentra(void);

// Display name of a listed id, -2 or 256; nothing for any other id. Internal.
std::optional<std::u16string> vlxEncNameOrNil(VLXEnc enc);
