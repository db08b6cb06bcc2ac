// Expanding compressed text records.
#include <cstring>

#include "engine/codec.h"
#include "engine/codec_internal.h"
#include "engine/doc_format.h"
#include "engine/errors.h"

namespace vlx {

int expandRecordChecked(const uint8_t* src, uint32_t srcLength, uint8_t* dst, uint32_t capacity,
                        uint32_t* written) {
  uint32_t in = 0;
  uint32_t out = 0;
  int status = 0;
  while (in < srcLength) {
    uint8_t c = src[in++];
    if (c >= 0x01 && c <= 0x08) {
      // A literal run; one cut short by the end of the record gives what is there.
      uint32_t n = c;
      if (n > srcLength - in) n = srcLength - in;
      if (n > capacity - out) { status = VLXErrDamaged; break; }
      std::memcpy(dst + out, src + in, n);
      in += n;
      out += n;
    } else if (c < 0x80) {
      if (out >= capacity) { status = VLXErrDamaged; break; }
      dst[out++] = c;
    } else if (c >= 0xC0) {
      if (capacity - out < 2) { status = VLXErrDamaged; break; }
      dst[out++] = ' ';
      dst[out++] = c ^ 0x80;
    } else {
      // A back-reference whose second byte is missing produces nothing.
      if (in >= srcLength) break;
      uint32_t v = (static_cast<uint32_t>(c) << 8) | src[in++];
      uint32_t distance = (v >> 3) & 0x7FF;
      uint32_t length = (v & 7) + 3;
      if (distance == 0 || distance > out || length > capacity - out) {
        status = VLXErrDamaged;
        break;
      }
      // Byte by byte: a distance below the length repeats the last bytes.
      for (uint32_t i = 0; i < length; ++i, ++out) dst[out] = dst[out - distance];
    }
  }
  *written = out;
  return status;
}

}  // namespace vlx

uint32_t docExpandRecord(const uint8_t* src, uint8_t* dst, uint32_t srcLength) {
  uint32_t written = 0;
  vlx::expandRecordChecked(src, srcLength, dst, kDocRecordSize, &written);
  return written;
}
