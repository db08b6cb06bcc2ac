// Raw GB 2312-80 and KS C 5601-1987: the two-byte code of each character with
// both bytes in 0x21..0x7E, read and written through the EUC form of the same
// character set (EUC-CN, EUC-KR), which is the raw pair with the high bit of
// both bytes set.
//
// Raw text has no single-byte printable characters: a byte 0x21..0x7E always
// starts a pair. Control bytes (0x00..0x20, space included, and 0x7F) stand
// for themselves, so line ends and blanks survive. Bytes from 0x80 up, and a
// pair cut short, make the text invalid. When encoding, printable ASCII has no
// raw form: a lossy conversion writes its full-width form from row 3 of the
// character set (A becomes the pair 0x23 0x41), and the lossy substitute for a
// character the set cannot hold is the full-width question mark (0x23 0x3F),
// so the pair structure of the output stays intact.
#include <string>

#include "platform/charset_internal.h"

namespace vlx::charset {
namespace {

bool standsForItself(uint8_t byte) { return byte < 0x21 || byte == 0x7F; }

}  // namespace

std::optional<std::u16string> rawDecode(const char* eucName, const uint8_t* bytes,
                                        size_t length) {
  std::string euc;
  euc.reserve(length);
  size_t i = 0;
  while (i < length) {
    uint8_t lead = bytes[i];
    if (standsForItself(lead)) {
      euc.push_back(static_cast<char>(lead));
      ++i;
      continue;
    }
    if (lead >= 0x80 || i + 1 >= length) return std::nullopt;
    uint8_t trail = bytes[i + 1];
    if (trail < 0x21 || trail > 0x7E) return std::nullopt;
    euc.push_back(static_cast<char>(lead | 0x80));
    euc.push_back(static_cast<char>(trail | 0x80));
    i += 2;
  }
  return icuDecode(eucName, reinterpret_cast<const uint8_t*>(euc.data()), euc.size());
}

std::optional<std::string> rawEncode(const char* eucName, std::u16string_view text,
                                     bool allowLossy) {
  std::u16string prepared(text);
  for (char16_t& unit : prepared) {
    if (unit >= 0x21 && unit <= 0x7E) {
      if (!allowLossy) return std::nullopt;
      // "?" becomes the full-width question mark like every substitute.
      unit = static_cast<char16_t>(0xFF01 + (unit - 0x21));
    }
  }
  std::optional<std::string> euc = icuEncode(eucName, prepared, allowLossy);
  if (!euc) return std::nullopt;
  std::string raw;
  raw.reserve(euc->size());
  for (size_t i = 0; i < euc->size();) {
    uint8_t lead = static_cast<uint8_t>((*euc)[i]);
    if (lead >= 0x80) {
      if (i + 1 >= euc->size()) return std::nullopt;
      uint8_t trail = static_cast<uint8_t>((*euc)[i + 1]);
      if (lead < 0xA1 || lead > 0xFE || trail < 0xA1 || trail > 0xFE) {
        // Outside the 94x94 set: not representable in raw form.
        if (!allowLossy) return std::nullopt;
        raw += "\x23\x3F";
      } else {
        raw.push_back(static_cast<char>(lead & 0x7F));
        raw.push_back(static_cast<char>(trail & 0x7F));
      }
      i += 2;
    } else if (standsForItself(lead)) {
      raw.push_back(static_cast<char>(lead));
      ++i;
    } else {
      // Only the converter's "?" substitute reaches here: printable ASCII
      // was turned into full-width forms above.
      raw += "\x23\x3F";
      ++i;
    }
  }
  return raw;
}

}  // namespace vlx::charset
