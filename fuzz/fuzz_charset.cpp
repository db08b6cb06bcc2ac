// Decodes arbitrary bytes in one of the 46 encodings (chosen by the first
// byte), encodes the text back, and runs the same bytes through a
// ConversionTable to a second encoding with and without force-LF.
#include <cstdlib>
#include <cstring>

#include "encodings/conversion_table.h"
#include "encodings/registry_internal.h"
#include "platform/charset.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  auto all = vlx::registry::all();
  const VLXEnc source = all[data[0] % all.size()].id;
  const VLXEnc target = all[data[1] % all.size()].id;
  const bool forceLF = (data[1] & 0x80) != 0;
  data += 2;
  size -= 2;

  const NSStringEncoding sourceNS = VLXEncToNSStringEncoding(source);
  if (std::optional<std::u16string> text = vlx::decodeBytes(sourceNS, data, size)) {
    // Decoded text must encode back without loss in its own encoding.
    std::optional<std::string> bytes = vlx::encodeString(sourceNS, *text, false);
    if (!bytes) std::abort();
    vlx::encodeString(VLXEncToNSStringEncoding(target), *text, true);
  }

  ConversionTable table;
  if (table.setEncodingsSource(source, target) == nullptr) return 0;
  uint8_t* buffer = static_cast<uint8_t*>(std::malloc(size == 0 ? 1 : size));
  if (buffer == nullptr) return 0;
  if (size != 0) std::memcpy(buffer, data, size);
  uint32_t length = static_cast<uint32_t>(size);
  uint8_t* result = table.convertBytes(buffer, &length, forceLF);
  std::free(result != nullptr ? result : buffer);
  return 0;
}
