// EncGuesser: guesses the encoding of a byte sample for one language group
// and one side (computer or handheld), with a probability index 0 to 100.
//
// Every byte value of 0x80 and above is counted; each candidate encoding of
// the group scores 100 for every small characteristic letter and 1 for every
// capital one it recognises; two-byte UTF-8 sequences of U+0080 to U+04FF
// score 90 each for UTF-8. The best score wins (ties: the earlier candidate,
// and a candidate over UTF-8). The index weighs the winner's score against the
// high bytes it does not explain and shrinks with the share of bytes stripped
// from the sample before it was taken.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "encodings/lang_groups.h"
#include "encodings/registry.h"
#include "platform/export.h"

class VLX_EXPORT EncGuesser {
 public:
  // A guesser for `group` on `platform` (2 the handheld, anything else the
  // computer), or null when memory runs out or a candidate has no letter lists.
  // A group without candidates gives a guesser that answers -2 to every
  // non-empty sample.
  static std::unique_ptr<EncGuesser> initWithLangGroup(VLXLangGroup group, VLXPlatform platform);

  // Guesses the encoding of `length` bytes at `string`; `strippedASCIILength`
  // is the number of bytes passed over and not put in the sample (0 for the
  // start of a text file). Returns a candidate of the group, 8 (Plain ASCII),
  // 168 (UTF-16), 169 (UTF-8) or -2 (cannot guess) and stores the probability
  // index in *probIndex when it is not null. Allocates nothing.
  VLXEnc encodingOfString(const uint8_t* string, uint32_t length, uint32_t strippedASCIILength,
                          int32_t* probIndex);

  VLXLangGroup langGroup() const { return encLangGroup; }
  VLXPlatform platform() const { return encPlatform; }
  uint32_t encCount() const { return numEncs; }
  // Candidate i in the group's order.
  VLXEnc encAt(uint32_t i) const { return encs[i]; }
  // The weight of byte value `byte` for candidate i (0, 1, 100 or 101).
  int32_t weightAt(uint32_t i, uint8_t byte) const { return charsForEncs[i][byte]; }
  // The score of candidate i in the last guess.
  int64_t scoreAt(uint32_t i) const { return enc[i]; }

 private:
  EncGuesser(VLXLangGroup group, VLXPlatform platform);

  VLXLangGroup encLangGroup;
  VLXPlatform encPlatform;
  uint32_t numEncs = 0;
  std::vector<VLXEnc> encs;
  std::vector<std::unique_ptr<int32_t[]>> charsForEncs;  // 256 weights each
  // Scores of the last guess. 64-bit so that samples far beyond the 1024
  // bytes the callers pass cannot overflow them.
  std::vector<int64_t> enc;
  int32_t charsOther[256] = {};
};
