// ConversionTable: a source/target pair of encodings, converted through a
// 256-entry byte map when both sides are byte encodings, or through a Unicode
// string for pairs involving UTF-8, UTF-16 or already decoded text.
#include "encodings/conversion_table.h"

#include <cstdlib>
#include <cstring>
#include <limits>

#include "encodings/string_additions.h"
#include "platform/charset.h"

namespace {

constexpr uint8_t kCR = 0x0D;
constexpr uint8_t kLF = 0x0A;
constexpr uint8_t kQuestionMark = 0x3F;

constexpr VLXEnc kWinCentralEuropean = 17;

// Windows-1250 bytes that are left out of every table built from it: the
// unused positions and the euro sign.
constexpr uint8_t kWin1250Unmapped[] = {0x80, 0x81, 0x83, 0x88, 0x90, 0x98};

bool convertsThroughUnicode(VLXEnc source, VLXEnc target) {
  return source == VLXEncUTF16 || source == VLXEncUTF8 || source == VLXEncFiltered ||
         target == VLXEncUTF16 || target == VLXEncUTF8;
}

// Maps bytes in place. Eight bytes are read before any is written, so the
// compiler need not reload after each store (the buffer may alias the map).
void mapBytes(const uint8_t* map, uint8_t* bytes, uint32_t n) {
  uint32_t i = 0;
  for (; i + 8 <= n; i += 8) {
    uint8_t b0 = map[bytes[i]], b1 = map[bytes[i + 1]], b2 = map[bytes[i + 2]],
            b3 = map[bytes[i + 3]], b4 = map[bytes[i + 4]], b5 = map[bytes[i + 5]],
            b6 = map[bytes[i + 6]], b7 = map[bytes[i + 7]];
    bytes[i] = b0;
    bytes[i + 1] = b1;
    bytes[i + 2] = b2;
    bytes[i + 3] = b3;
    bytes[i + 4] = b4;
    bytes[i + 5] = b5;
    bytes[i + 6] = b6;
    bytes[i + 7] = b7;
  }
  for (; i < n; ++i) bytes[i] = map[bytes[i]];
}

}  // namespace

ConversionTable::ConversionTable() = default;

std::unique_ptr<ConversionTable> ConversionTable::conversionTableWithEncodingsSource(
    VLXEnc source, VLXEnc target) {
  auto table = std::make_unique<ConversionTable>();
  if (table->setEncodingsSource(source, target) == nullptr) return nullptr;
  return table;
}

bool ConversionTable::isOK() const {
  return (sourceEnc != 0 || sourceEncID == VLXEncFiltered) && targetEnc != 0;
}

ConversionTable* ConversionTable::setEncodingsSource(VLXEnc source, VLXEnc target) {
  if (isOK() && source == sourceEncID && target == targetEncID) return this;

  noTable = false;
  sourceEnc = VLXEncToNSStringEncoding(source);
  targetEnc = VLXEncToNSStringEncoding(target);
  sourceEncID = source;
  targetEncID = target;
  if (!isOK()) return nullptr;

  for (int i = 0; i < 256; ++i) convTable[i] = static_cast<uint8_t>(i);
  if (source == target) return this;
  if (convertsThroughUnicode(source, target)) {
    noTable = true;
    return this;
  }
  if (source == kWinCentralEuropean) {
    for (uint8_t byte : kWin1250Unmapped) convTable[byte] = kQuestionMark;
  }

  // The whole table at once: usable when every byte decodes and the text
  // comes back as 256 bytes. The text must also hold one unit per byte: a
  // multi-byte source (GBK decodes all 256 bytes) would otherwise line up
  // characters with the wrong table positions.
  std::optional<std::u16string> text = vlx::decodeBytes(sourceEnc, convTable, 256);
  if (text && text->size() == 256) {
    std::optional<std::string> bytes = vlx::encodeString(targetEnc, *text, true);
    if (bytes && bytes->size() == 256) {
      std::memcpy(convTable, bytes->data(), 256);
      return this;
    }
  }

  // Otherwise byte by byte over the upper half; a byte that does not decode
  // singly or does not encode as one byte becomes "?".
  for (int i = 0x80; i <= 0xFF; ++i) {
    uint8_t byte = convTable[i];
    uint8_t mapped = kQuestionMark;
    if (std::optional<std::u16string> single = vlx::decodeBytes(sourceEnc, &byte, 1)) {
      std::optional<std::string> encoded = vlx::encodeString(targetEnc, *single, true);
      if (encoded && encoded->size() == 1) mapped = static_cast<uint8_t>((*encoded)[0]);
    }
    convTable[i] = mapped;
  }
  return this;
}

const uint8_t* ConversionTable::table() const {
  return isOK() && !noTable ? convTable : nullptr;
}

const uint8_t* ConversionTable::tableForEncodingsSource(VLXEnc source, VLXEnc target) {
  if (setEncodingsSource(source, target) == nullptr) return nullptr;
  return table();
}

uint8_t* ConversionTable::convertBytes(uint8_t* bytes, uint32_t* length, bool forceLF) {
  if (!isOK() || length == nullptr || (bytes == nullptr && *length != 0)) return nullptr;

  if (noTable) {
    if (*length == 0) {
      // Nothing to convert; hand back a buffer the caller can free either way.
      return bytes != nullptr ? bytes : static_cast<uint8_t*>(std::malloc(1));
    }
    // Bytes that do not decode in the source encoding are a failure, not an
    // empty text: the caller reports that the characters cannot be converted.
    std::optional<std::u16string> text = stringWithBytes(bytes, *length);
    if (!text) return nullptr;
    std::optional<std::string> encoded =
        NSStringTAVOAdditionsDataForceLF::dataUsingEncoding(*text, targetEnc, true, forceLF);
    if (!encoded || encoded->size() > std::numeric_limits<uint32_t>::max()) return nullptr;
    uint32_t n = static_cast<uint32_t>(encoded->size());
    uint8_t* result = bytes;
    if (n > *length) {
      // On failure realloc leaves `bytes` intact and the caller keeps it.
      result = static_cast<uint8_t*>(std::realloc(bytes, n));
      if (result == nullptr) return nullptr;
    }
    if (n > 0) std::memcpy(result, encoded->data(), n);
    *length = n;
    return result;
  }

  const uint32_t n = *length;
  if (!forceLF) {
    mapBytes(convTable, bytes, n);
    return bytes;
  }
  // The line-end rule on the source bytes while mapping them: the CR of a
  // CR LF pair is dropped and its LF written as it is; a lone CR becomes the
  // table's entry for LF.
  uint32_t write = 0;
  for (uint32_t read = 0; read < n; ++read) {
    uint8_t byte = bytes[read];
    if (byte == kCR) {
      if (read + 1 < n && bytes[read + 1] == kLF) {
        ++read;
        bytes[write++] = kLF;
      } else {
        bytes[write++] = convTable[kLF];
      }
    } else {
      bytes[write++] = convTable[byte];
    }
  }
  *length = write;
  return bytes;
}

char* ConversionTable::convertCString(char* string) {
  if (string == nullptr || !isOK()) return nullptr;
  const size_t length = std::strlen(string);
  if (!noTable) {
    for (size_t i = 0; i < length; ++i) {
      string[i] = static_cast<char>(convTable[static_cast<uint8_t>(string[i])]);
    }
    return string;
  }
  // Through Unicode, the string with its terminator, written back only when
  // the result fits in the storage of the string it replaces: callers pass
  // fixed-size fields that cannot grow.
  const size_t storage = length + 1;
  if (storage > std::numeric_limits<uint32_t>::max()) return nullptr;
  std::optional<std::u16string> text =
      stringWithBytes(reinterpret_cast<const uint8_t*>(string), static_cast<uint32_t>(storage));
  if (!text) return nullptr;
  std::optional<std::string> encoded = vlx::encodeString(targetEnc, *text, true);
  if (!encoded || encoded->size() > storage) return nullptr;
  std::memcpy(string, encoded->data(), encoded->size());
  if (encoded->size() < storage) string[encoded->size()] = '\0';
  return string;
}

std::optional<std::string> ConversionTable::convertString(const std::u16string& string,
                                                          bool forceLF) {
  if (targetEnc == 0) return std::nullopt;
  return NSStringTAVOAdditionsDataForceLF::dataUsingEncoding(string, targetEnc, true, forceLF);
}

std::optional<std::u16string> ConversionTable::stringWithBytes(const uint8_t* bytes,
                                                               uint32_t length) const {
  if (sourceEnc == 0) return std::nullopt;
  return vlx::decodeBytes(sourceEnc, bytes, length);
}
