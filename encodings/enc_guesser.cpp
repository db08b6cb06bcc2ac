// The encoding guesser: byte histogram, candidate scores, UTF-8 pairs and the
// probability index.
#include "encodings/enc_guesser.h"

#include <new>

namespace {

constexpr int32_t kSmallLetterWeight = 100;
constexpr int32_t kCapitalLetterWeight = 1;
constexpr int64_t kPoints = 90;  // per UTF-8 pair and per unexplained high byte
constexpr uint8_t kUTF8LeadFirst = 0xC2;  // two-byte forms of U+0080 to U+04FF
constexpr uint8_t kUTF8LeadLast = 0xD3;
constexpr uint8_t kUTF8ContFirst = 0x80;
constexpr uint8_t kUTF8ContLast = 0xBF;

// The probability index P = S * F / (S + X) with F = 1000 * L / (L + A), each
// division dropping its remainder, F first, capped at 100. S is positive.
//
// The values are those of unsigned 32-bit arithmetic whenever that does not
// wrap, which holds for every sample of up to a few million bytes as long as
// L + A stays below 2^32. The sums are taken in 64 bits so that a stripped
// count near 2^32 cannot make L + A wrap to a small divisor (or to 0) and a
// huge sample cannot wrap S * F: F then is the true quotient, close to 0.
int32_t probabilityIndex(uint64_t s, uint64_t x, uint32_t l, uint32_t a) {
  uint64_t f = 1000u * static_cast<uint64_t>(l) / (static_cast<uint64_t>(l) + a);
  uint64_t p = s * f / (s + x);
  return p > 100 ? 100 : static_cast<int32_t>(p);
}

}  // namespace

EncGuesser::EncGuesser(VLXLangGroup group, VLXPlatform platform)
    : encLangGroup(group), encPlatform(platform) {}

std::unique_ptr<EncGuesser> EncGuesser::initWithLangGroup(VLXLangGroup group,
                                                          VLXPlatform platform) {
  std::unique_ptr<EncGuesser> guesser(new (std::nothrow) EncGuesser(group, platform));
  if (!guesser) return nullptr;
  uint32_t count = VLXLangGroupEncCount(group, platform);
  guesser->numEncs = count;
  if (count == 0) return guesser;

  try {
    guesser->encs.resize(count);
    guesser->charsForEncs.resize(count);
    guesser->enc.assign(count, 0);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  for (uint32_t i = 0; i < count; ++i) {
    VLXEnc candidate = VLXLangGroupEnc(group, platform, i);
    guesser->encs[i] = candidate;
    int32_t* weights = new (std::nothrow) int32_t[256]();
    if (!weights) return nullptr;
    guesser->charsForEncs[i].reset(weights);
    const uint8_t* small = VLXLangGroupEncSample(group, candidate, 0);
    const uint8_t* capitals = VLXLangGroupEncSample(group, candidate, 1);
    if (!small || !capitals) return nullptr;
    for (const uint8_t* b = small; *b; ++b) weights[*b] |= kSmallLetterWeight;
    for (const uint8_t* b = capitals; *b; ++b) weights[*b] |= kCapitalLetterWeight;
  }
  for (int j = 0x80; j <= 0xFF; ++j) {
    bool claimed = false;
    for (uint32_t i = 0; i < count; ++i) claimed = claimed || guesser->charsForEncs[i][j] != 0;
    guesser->charsOther[j] = claimed ? 0 : 1;
  }
  return guesser;
}

VLXEnc EncGuesser::encodingOfString(const uint8_t* string, uint32_t length,
                                    uint32_t strippedASCIILength, int32_t* probIndex) {
  VLXEnc result;
  int32_t prob;
  if (length == 0) {
    result = VLXEncASCII;
    prob = 100;
  } else if (numEncs == 0) {
    result = VLXEncCannotGuess;
    prob = 0;
  } else if (encPlatform != VLXPlatformPalm && length >= 2 && string[0] == 0xFE &&
             string[1] == 0xFF) {
    result = VLXEncUTF16;
    prob = 100;
  } else {
    uint32_t histogram[256] = {};
    for (uint32_t i = 0; i < numEncs; ++i) enc[i] = 0;

    // One pass: the histogram, UTF-8 pairs (U) and other high bytes (N).
    int64_t utf8Pairs = 0;
    int64_t otherHigh = 0;
    for (uint32_t k = 0; k < length; ++k) {
      uint8_t c = string[k];
      ++histogram[c];
      if (c < 0x80) continue;
      if (c >= kUTF8LeadFirst && c <= kUTF8LeadLast) {
        if (k + 1 == length) break;  // a lead byte at the very end counts for nothing
        uint8_t next = string[k + 1];
        if (next >= kUTF8ContFirst && next <= kUTF8ContLast) {
          utf8Pairs += kPoints;
        } else {
          otherHigh += kPoints;
        }
        continue;  // the next byte is then taken on its own
      }
      otherHigh += kPoints;
    }

    // Scores of the candidates and the bytes no candidate claims (O).
    int64_t unclaimed = 0;
    for (int j = 0x80; j <= 0xFF; ++j) {
      if (histogram[j] == 0) continue;
      if (charsOther[j]) {
        unclaimed += kPoints * histogram[j];
      } else {
        for (uint32_t i = 0; i < numEncs; ++i) enc[i] += int64_t{histogram[j]} * charsForEncs[i][j];
      }
    }

    // The first candidate scoring at least every other one and at least U
    // wins; failing that, UTF-8 does.
    uint32_t best = 0;
    for (uint32_t i = 1; i < numEncs; ++i) {
      if (enc[i] > enc[best]) best = i;
    }
    bool utf8 = utf8Pairs > enc[best];
    int64_t score = utf8 ? utf8Pairs : enc[best];
    result = utf8 ? VLXEncUTF8 : encs[best];

    if (score == 0) {
      if (numEncs == 1) {
        prob = 100;  // result is the single candidate
      } else if (unclaimed != 0) {
        result = VLXEncCannotGuess;
        prob = 0;
      } else {
        result = VLXEncASCII;
        prob = 100;
      }
    } else {
      // The penalty: high bytes the winner does not explain.
      int64_t penalty = 0;
      if (utf8) {
        penalty = otherHigh;
      } else {
        const int32_t* weights = charsForEncs[best].get();
        for (int j = 0x80; j <= 0xFF; ++j) {
          if (weights[j] == 0 && !charsOther[j]) penalty += kPoints * histogram[j];
        }
      }
      prob = probabilityIndex(static_cast<uint64_t>(score), static_cast<uint64_t>(penalty),
                              length, strippedASCIILength);
    }
  }
  if (probIndex) *probIndex = prob;
  return result;
}
