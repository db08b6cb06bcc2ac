// Compressing text records.
//
// The output must equal that of an exhaustive search which, at every position
// with at least three bytes left, tries each start 3 to 2047 bytes back and
// keeps the longest match (at most maxLen bytes, and never longer than its
// distance), the nearest one among equally long matches. Here the earlier
// positions are chained per three-byte prefix, nearest first: a start whose
// first three bytes differ can never give the three bytes a back-reference
// needs, and the walk stops as soon as a match reaches maxLen, since no
// farther one could replace it.
#include <cstring>

#include "engine/codec.h"
#include "engine/doc_format.h"

namespace {

constexpr uint32_t kMaxDistance = 2047;
constexpr uint32_t kMinDistance = 3;
constexpr uint32_t kMaxMatch = 7;
constexpr int kHashBits = 12;
constexpr uint32_t kHashSize = 1u << kHashBits;

inline uint32_t prefixHash(const uint8_t* p) {
  uint32_t key = (static_cast<uint32_t>(p[0]) << 16) | (static_cast<uint32_t>(p[1]) << 8) | p[2];
  return (key * 2654435761u) >> (32 - kHashBits);
}

// The nearest of the longest matches for position p among the chained starts.
struct Match {
  uint32_t length = 0;
  uint32_t distance = 0;
};

class PrefixChains {
 public:
  PrefixChains() { std::memset(head_, 0xFF, sizeof head_); }

  // Chains every start up to p - kMinDistance.
  void catchUp(const uint8_t* src, uint32_t p) {
    while (next_ + kMinDistance <= p) {
      uint32_t h = prefixHash(src + next_);
      older_[next_] = head_[h];
      head_[h] = static_cast<int16_t>(next_);
      ++next_;
    }
  }

  Match find(const uint8_t* src, uint32_t p, uint32_t maxLen) const {
    Match best;
    uint32_t oldest = p > kMaxDistance ? p - kMaxDistance : 0;
    for (int32_t q = head_[prefixHash(src + p)]; q >= 0 && static_cast<uint32_t>(q) >= oldest;
         q = older_[q]) {
      uint32_t distance = p - static_cast<uint32_t>(q);
      uint32_t limit = distance < maxLen ? distance : maxLen;
      if (limit <= best.length) continue;
      const uint8_t* a = src + q;
      const uint8_t* b = src + p;
      uint32_t n = 0;
      while (n < limit && a[n] == b[n]) ++n;
      if (n > best.length) {
        best.length = n;
        best.distance = distance;
        if (n == maxLen) break;
      }
    }
    return best;
  }

 private:
  int16_t head_[kHashSize];
  int16_t older_[kDocRecordSize];
  uint32_t next_ = 0;
};

}  // namespace

uint32_t docCompressRecord(const uint8_t* src, uint8_t* dst, uint32_t length) {
  if (length > kDocRecordSize) length = kDocRecordSize;
  PrefixChains chains;
  uint32_t p = 0;
  uint32_t out = 0;
  bool runOpen = false;
  uint32_t runAt = 0;  // where the open run's count byte is
  uint32_t k = 0;      // bytes in the open run
  int prev = -1;       // the last byte emitted alone, which may pair with a letter

  while (p < length) {
    uint32_t remaining = length - p;
    if (remaining >= 3) {
      uint32_t maxLen = remaining < kMaxMatch ? remaining : kMaxMatch;
      chains.catchUp(src, p);
      Match m = chains.find(src, p, maxLen);
      if (m.length >= 3) {
        if (runOpen) {
          dst[runAt] = static_cast<uint8_t>(k);
          runOpen = false;
        }
        dst[out++] = static_cast<uint8_t>(0x80 | (m.distance >> 5));
        dst[out++] = static_cast<uint8_t>(((m.distance << 3) | (m.length - 3)) & 0xFF);
        p += m.length;
        prev = -1;
        continue;
      }
    }

    uint8_t c = src[p++];
    if (prev == 0x20 && c >= 0x40 && c <= 0x7F) {
      // The space just written and this letter become one byte.
      dst[out - 1] = static_cast<uint8_t>(c ^ 0x80);
      if (runOpen) {
        dst[runAt] = static_cast<uint8_t>(k - 1);
        runOpen = false;
      }
      prev = c;
    } else if (!runOpen && c >= 0x09 && c <= 0x7F) {
      dst[out++] = c;
      prev = c;
    } else if (!runOpen) {
      runAt = out++;
      dst[out++] = c;
      runOpen = true;
      k = 1;
      prev = c;
    } else {
      dst[out++] = c;
      prev = c;
      if (++k == 8) {
        dst[runAt] = 8;
        runOpen = false;
        prev = -1;
      }
    }
  }
  if (runOpen) dst[runAt] = static_cast<uint8_t>(k);
  return out;
}
