// ConversionTable: converts bytes from a source to a target encoding, through a
// 256-entry byte map for most pairs, or through Unicode for pairs involving
// UTF-8, UTF-16 or already decoded text (source 256). Also applies the
// force-LF line-end rule (CR LF and lone CR become LF) used for databases.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "encodings/registry.h"
#include "platform/export.h"

class VLX_EXPORT ConversionTable {
 public:
  // An empty object: all fields zero, not OK.
  ConversionTable();

  // A new object for the pair, or null when the pair is not OK.
  static std::unique_ptr<ConversionTable> conversionTableWithEncodingsSource(VLXEnc source,
                                                                             VLXEnc target);

  // Re-targets the object; returns it, or null when the pair is not OK (the
  // object then keeps the new ids and stays not OK). Same pair: no work.
  ConversionTable* setEncodingsSource(VLXEnc source, VLXEnc target);

  VLXEnc sourceEncoding() const { return sourceEncID; }
  VLXEnc targetEncoding() const { return targetEncID; }

  // The 256-entry byte map, or null when not OK or converting without a map.
  const uint8_t* table() const;
  // Re-targets as setEncodingsSource() and returns table().
  const uint8_t* tableForEncodingsSource(VLXEnc source, VLXEnc target);

  // Converts a malloc'd buffer of *length bytes. Returns the buffer holding the
  // result (possibly reallocated; free() it from then on) with *length updated,
  // or null on failure (the caller still owns `bytes`). An input that does not
  // decode in the source encoding fails; an empty input converts to empty.
  uint8_t* convertBytes(uint8_t* bytes, uint32_t* length, bool forceLF);

  // Converts a NUL-terminated string in place; null when not OK or when the
  // result would not fit in the string's own storage.
  char* convertCString(char* string);

  // Encodes `string` in the target encoding (lossy), applying force-LF when
  // asked; nothing when the target has no system encoding.
  std::optional<std::string> convertString(const std::u16string& string, bool forceLF);

  // Decodes bytes in the source encoding; nothing when the source has no
  // system encoding or the bytes do not decode.
  std::optional<std::u16string> stringWithBytes(const uint8_t* bytes, uint32_t length) const;

  bool isOK() const;

 private:
  NSStringEncoding sourceEnc = 0;
  NSStringEncoding targetEnc = 0;
  VLXEnc sourceEncID = 0;
  VLXEnc targetEncID = 0;
  uint8_t convTable[256] = {};
  bool noTable = false;
};
