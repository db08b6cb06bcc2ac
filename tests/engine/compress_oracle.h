// The record compressor as a plain exhaustive search: at every position each
// start 3 to 2047 bytes back is tried in turn. Slow, and the reference the fast
// compressor must equal byte for byte.
#pragma once

#include <cstdint>
#include <vector>

namespace vlx::test {

inline std::vector<uint8_t> exhaustiveCompress(const uint8_t* src, uint32_t length) {
  std::vector<uint8_t> dst;
  uint32_t p = 0;
  bool runOpen = false;
  size_t runAt = 0;
  uint32_t k = 0;
  int prev = -1;
  while (p < length) {
    uint32_t remaining = length - p;
    if (remaining >= 3) {
      uint32_t maxLen = remaining >= 7 ? 7 : remaining;
      uint32_t bestLen = 0;
      uint32_t bestQ = 0;
      uint32_t first = p > 2047 ? p - 2047 : 0;
      for (uint32_t q = first; q + 3 <= p; ++q) {
        uint32_t limit = p - q < maxLen ? p - q : maxLen;
        uint32_t n = 0;
        while (n < limit && src[q + n] == src[p + n]) ++n;
        if (n >= bestLen) {
          bestLen = n;
          bestQ = q;
        }
      }
      if (bestLen >= 3) {
        if (runOpen) {
          dst[runAt] = static_cast<uint8_t>(k);
          runOpen = false;
        }
        uint32_t distance = p - bestQ;
        dst.push_back(static_cast<uint8_t>(0x80 | (distance >> 5)));
        dst.push_back(static_cast<uint8_t>(((distance << 3) | (bestLen - 3)) & 0xFF));
        p += bestLen;
        prev = -1;
        continue;
      }
    }
    uint8_t c = src[p++];
    if (prev == 0x20 && c >= 0x40 && c <= 0x7F) {
      dst.back() = static_cast<uint8_t>(c ^ 0x80);
      if (runOpen) {
        dst[runAt] = static_cast<uint8_t>(k - 1);
        runOpen = false;
      }
      prev = c;
    } else if (!runOpen && c >= 0x09 && c <= 0x7F) {
      dst.push_back(c);
      prev = c;
    } else if (!runOpen) {
      runAt = dst.size();
      dst.push_back(0);
      dst.push_back(c);
      runOpen = true;
      k = 1;
      prev = c;
    } else {
      dst.push_back(c);
      prev = c;
      if (++k == 8) {
        dst[runAt] = 8;
        runOpen = false;
        prev = -1;
      }
    }
  }
  if (runOpen) dst[runAt] = static_cast<uint8_t>(k);
  return dst;
}

}  // namespace vlx::test
