// Encoding a Unicode string with the force-LF line-end rule, and the rule
// itself over bytes.
#include "encodings/string_additions.h"

#include "platform/charset.h"

namespace {

constexpr NSStringEncoding kUTF16Encoding = 10;

// The line-end rule in one pass: `read` walks the input, `write` trails it, so
// removing the CR of a CR LF pair costs nothing. A CR LF pair and a lone CR
// each become one LF; every other unit is copied.
template <typename Unit>
size_t lineEndsToLF(Unit* units, size_t length) {
  size_t write = 0;
  for (size_t read = 0; read < length; ++read) {
    Unit unit = units[read];
    if (unit == Unit('\r')) {
      if (read + 1 < length && units[read + 1] == Unit('\n')) ++read;
      unit = Unit('\n');
    }
    units[write++] = unit;
  }
  return write;
}

}  // namespace

namespace vlx {

uint32_t forceLineEndsLF(uint8_t* bytes, uint32_t length) {
  if (bytes == nullptr) return 0;
  return static_cast<uint32_t>(lineEndsToLF(bytes, length));
}

}  // namespace vlx

namespace NSStringTAVOAdditionsDataForceLF {

std::optional<std::string> dataUsingEncoding(const std::u16string& string,
                                             NSStringEncoding encoding,
                                             bool allowLossyConversion, bool forceLF) {
  if (forceLF && encoding == kUTF16Encoding) {
    // In UTF-16 the bytes 0x0D and 0x0A also occur inside other characters
    // (U+010D is 01 0D), so the rule applies to the code units instead.
    std::u16string text(string);
    text.resize(lineEndsToLF(text.data(), text.size()));
    return vlx::encodeString(encoding, text, allowLossyConversion);
  }
  std::optional<std::string> data = vlx::encodeString(encoding, string, allowLossyConversion);
  if (data && forceLF) {
    data->resize(lineEndsToLF(data->data(), data->size()));
  }
  return data;
}

}  // namespace NSStringTAVOAdditionsDataForceLF
