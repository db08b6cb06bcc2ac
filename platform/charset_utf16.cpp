// UTF-16 as written and read by Vellix: written with the byte order mark FE FF
// and big-endian code units; read honouring either byte order mark, and as
// big-endian when there is none.
#include "platform/charset_internal.h"

namespace vlx::charset {
namespace {

bool isLead(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isTrail(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

std::optional<std::u16string> utf16Decode(const uint8_t* bytes, size_t length) {
  if (length % 2 != 0) return std::nullopt;
  bool bigEndian = true;
  size_t i = 0;
  if (length >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF) {
    i = 2;
  } else if (length >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
    bigEndian = false;
    i = 2;
  }
  std::u16string out;
  out.reserve((length - i) / 2);
  for (; i < length; i += 2) {
    char16_t unit = bigEndian ? static_cast<char16_t>(bytes[i] << 8 | bytes[i + 1])
                              : static_cast<char16_t>(bytes[i + 1] << 8 | bytes[i]);
    out.push_back(unit);
  }
  // Unpaired surrogates are not text.
  for (size_t k = 0; k < out.size(); ++k) {
    if (isLead(out[k])) {
      if (k + 1 >= out.size() || !isTrail(out[k + 1])) return std::nullopt;
      ++k;
    } else if (isTrail(out[k])) {
      return std::nullopt;
    }
  }
  return out;
}

std::optional<std::string> utf16Encode(std::u16string_view text, bool allowLossy) {
  std::string out;
  if (text.empty()) return out;
  out.reserve(text.size() * 2 + 2);
  out += "\xFE\xFF";
  auto put = [&out](char16_t unit) {
    out.push_back(static_cast<char>(unit >> 8));
    out.push_back(static_cast<char>(unit & 0xFF));
  };
  for (size_t k = 0; k < text.size(); ++k) {
    char16_t unit = text[k];
    if (isLead(unit) && k + 1 < text.size() && isTrail(text[k + 1])) {
      put(unit);
      put(text[++k]);
    } else if (isLead(unit) || isTrail(unit)) {
      if (!allowLossy) return std::nullopt;
      put(u'?');
    } else {
      put(unit);
    }
  }
  return out;
}

}  // namespace vlx::charset
