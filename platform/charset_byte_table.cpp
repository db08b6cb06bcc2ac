// Single-byte encodings given as byte tables: the Mac Arabic, Hebrew and Thai
// tables embedded in the library, and tables derived from ICU converters.
#include <unicode/ucnv.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "platform/charset_internal.h"

namespace vlx::charset {
namespace {

void appendCodePoint(std::u16string& out, uint32_t codePoint) {
  if (codePoint < 0x10000) {
    out.push_back(static_cast<char16_t>(codePoint));
  } else {
    codePoint -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (codePoint >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF)));
  }
}

// Parses "0x..." at `pos`, advancing it; false when there is no hex number.
bool parseHex(std::string_view line, size_t& pos, uint32_t& value) {
  if (line.substr(pos, 2) != "0x" && line.substr(pos, 2) != "0X") return false;
  pos += 2;
  size_t start = pos;
  value = 0;
  while (pos < line.size() && std::isxdigit(static_cast<unsigned char>(line[pos])) &&
         pos - start < 8) {
    char c = line[pos++];
    uint32_t digit = std::isdigit(static_cast<unsigned char>(c))
                         ? static_cast<uint32_t>(c - '0')
                         : static_cast<uint32_t>(std::tolower(c) - 'a' + 10);
    value = value * 16 + digit;
  }
  return pos > start;
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '+'; }

}  // namespace

std::optional<ByteTable> ByteTable::parse(std::string_view text) {
  ByteTable table;
  while (!text.empty()) {
    size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    size_t pos = 0;
    while (pos < line.size() && isBlank(line[pos])) ++pos;
    if (pos == line.size() || line[pos] == '#') continue;
    uint32_t byte = 0;
    if (!parseHex(line, pos, byte) || byte > 0xFF) return std::nullopt;
    std::u16string units;
    for (;;) {
      while (pos < line.size() && isBlank(line[pos])) ++pos;
      if (pos == line.size() || line[pos] == '#') break;  // "#UNDEFINED" or a comment
      uint32_t codePoint = 0;
      if (!parseHex(line, pos, codePoint) || codePoint > 0x10FFFF ||
          (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
        return std::nullopt;
      }
      appendCodePoint(units, codePoint);
    }
    table.decodeTable_[byte] = std::move(units);
  }
  table.rebuildReverse();
  return table;
}

std::optional<ByteTable> ByteTable::fromICU(const char* icuName) {
  UErrorCode status = U_ZERO_ERROR;
  UConverter* converter = ucnv_open(icuName, &status);
  if (U_FAILURE(status)) return std::nullopt;
  ucnv_setToUCallBack(converter, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
  ByteTable table;
  for (int byte = 0; byte < 256 && U_SUCCESS(status); ++byte) {
    char in = static_cast<char>(byte);
    UChar out[4];
    UErrorCode byteStatus = U_ZERO_ERROR;
    int32_t n = ucnv_toUChars(converter, out, 4, &in, 1, &byteStatus);
    if (U_SUCCESS(byteStatus) && n > 0) {
      table.decodeTable_[byte].assign(reinterpret_cast<const char16_t*>(out),
                                      static_cast<size_t>(n));
    }
  }
  ucnv_close(converter);
  table.rebuildReverse();
  return table;
}

void ByteTable::define(uint8_t byte, std::u16string units) {
  decodeTable_[byte] = std::move(units);
  rebuildReverse();
}

void ByteTable::rebuildReverse() {
  encodeTable_.clear();
  longestSequence_ = 0;
  // Lower bytes win when two bytes decode to the same text.
  for (int byte = 255; byte >= 0; --byte) {
    const std::u16string& units = decodeTable_[byte];
    if (units.empty()) continue;
    encodeTable_[units] = static_cast<uint8_t>(byte);
    longestSequence_ = std::max(longestSequence_, units.size());
  }
}

std::optional<std::u16string> ByteTable::decode(const uint8_t* bytes, size_t length) const {
  std::u16string out;
  out.reserve(length);
  for (size_t i = 0; i < length; ++i) {
    const std::u16string& units = decodeTable_[bytes[i]];
    if (units.empty()) return std::nullopt;
    out += units;
  }
  return out;
}

std::optional<std::string> ByteTable::encode(std::u16string_view text, bool allowLossy) const {
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    // Longest match first, so a byte that decodes to several code points is
    // preferred over the bytes of its parts.
    bool matched = false;
    for (size_t n = std::min(longestSequence_, text.size() - i); n > 0; --n) {
      auto found = encodeTable_.find(std::u16string(text.substr(i, n)));
      if (found != encodeTable_.end()) {
        out.push_back(static_cast<char>(found->second));
        i += n;
        matched = true;
        break;
      }
    }
    if (matched) continue;
    if (!allowLossy) return std::nullopt;
    out.push_back('?');
    // One "?" per character: a surrogate pair is one character.
    bool pair = text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size() &&
                text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
    i += pair ? 2 : 1;
  }
  return out;
}

}  // namespace vlx::charset
