// The encoding guesser: results and probability indexes on small samples that
// each exercise one rule (ties, UTF-8, stripped bytes, unclaimed bytes).
#include "encodings/enc_guesser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<uint8_t> repeat(std::vector<uint8_t> head, uint8_t byte, size_t times) {
  head.insert(head.end(), times, byte);
  return head;
}

struct GuessCase {
  const char* name;
  VLXLangGroup group;
  VLXPlatform platform;
  std::vector<uint8_t> sample;
  uint32_t stripped;
  VLXEnc enc;
  int32_t prob;
};

TEST(EncGuesser, Guesses) {
  const GuessCase cases[] = {
      {"empty sample", 1, 1, {}, 0, 8, 100},
      {"empty sample without candidates", 0, 2, {}, 0, 8, 100},
      {"no candidates", 0, 2, {'a', 0xE9}, 0, -2, 0},
      {"undefined group", 7, 1, {0xE9}, 0, -2, 0},
      {"only Windows-1250 knows s caron", 1, 2, {0x9A}, 0, 17, 100},
      {"stripped bytes shrink the index", 1, 2, {0x9A}, 99, 17, 10},
      {"tie goes to the earlier candidate", 1, 1, {0xE1}, 0, 10, 100},
      {"ISO before Windows in Western groups", 2, 1, {0xE4, 0xE5}, 0, 9, 100},
      {"Mac Roman umlauts", 3, 1, {'a', 0x8A, 0x9A, 0x9F}, 0, 11, 100},
      {"UTF-8 a acute", 1, 1, {0xC3, 0xA1}, 0, 169, 100},
      {"unclaimed byte, several candidates", 2, 1, {0xA9}, 0, -2, 0},
      {"unclaimed byte, one candidate", 2, 2, {0xA9}, 0, 10, 100},
      {"plain ASCII", 1, 1, {'a', 'b', 'c'}, 0, 8, 100},
      {"plain ASCII, single encoding group", 256 + 17, 1, {'a', 'b'}, 0, 17, 100},
      {"high bytes, single encoding group", 256 + 17, 1, {0x9A, 0xE8}, 0, 17, 100},
      {"single encoding group on the handheld", 256 + 17, 2, {0x9A}, 0, -2, 0},
      {"UTF-16 byte order mark", 1, 1, {0xFE, 0xFF, 0, 'a'}, 0, 168, 100},
      {"no byte order mark on the handheld", 2, 2, {0xFE, 0xFF}, 0, 10, 100},
      {"little-endian mark is scored", 3, 1, {0xFF, 0xFE}, 0, -2, 0},
      {"a lone FE is no mark", 3, 1, {0xFE}, 0, -2, 0},
      // Windows-1250 s caron once, ISO-8859-2 capital S caron (copyright sign
      // in 1250) twenty times: 17 wins 100 to 20, penalised 20 x 90.
      {"penalty of bytes other candidates claim", 1, 1, repeat({0x9A}, 0xA9, 20), 0, 17, 52},
      // U = 90 from C3 A4; 90 capitals U-umlaut give Windows 90: the candidate
      // wins the tie with UTF-8.
      {"candidate wins a tie with UTF-8", 3, 2, repeat({0xC3, 0xA4}, 0xDC, 90), 0, 10, 100},
      // One capital fewer: UTF-8 wins, penalised by every other high byte
      // (A4 and 89 x DC): 90 x 1000 / (90 + 8100).
      {"UTF-8 wins over a lower score", 3, 2, repeat({0xC3, 0xA4}, 0xDC, 89), 0, 169, 10},
      {"lead byte followed by ASCII", 1, 1, {0xC3, 'a'}, 0, -2, 0},
      // The Cyrillic candidates: only KOI8-R reads these as small letters.
      {"KOI8-R", 6, 1, {0xCF, 0xC5, 0xC9, 0xCE, 0xC1}, 0, 37, 100},
      {"Windows-1251", 6, 2, {0xEE, 0xE5, 0xE8, 0xED, 0xE0, 0xFF}, 0, 33, 100},
  };
  for (const auto& c : cases) {
    auto guesser = EncGuesser::initWithLangGroup(c.group, c.platform);
    ASSERT_TRUE(guesser) << c.name;
    int32_t prob = -1;
    EXPECT_EQ(guesser->encodingOfString(c.sample.data(), static_cast<uint32_t>(c.sample.size()),
                                        c.stripped, &prob),
              c.enc)
        << c.name;
    EXPECT_EQ(prob, c.prob) << c.name;
  }
}

TEST(EncGuesser, LeadByteAtTheEndIsCountedButAddsNothing) {
  auto guesser = EncGuesser::initWithLangGroup(1, VLXPlatformPalm);
  ASSERT_TRUE(guesser);
  // C5 is a capital of 16, 17 and 18: counted in the histogram even as the
  // sample's last byte, while it adds nothing to the UTF-8 sums.
  const uint8_t sample[] = {0x9A, 0xC5};
  int32_t prob = -1;
  EXPECT_EQ(guesser->encodingOfString(sample, 2, 0, &prob), 17);
  EXPECT_EQ(prob, 100);
  EXPECT_EQ(guesser->scoreAt(2), 101);
  EXPECT_EQ(guesser->scoreAt(1), 1);
}

TEST(EncGuesser, ProbabilityIndexWithHugeStrippedCounts) {
  auto guesser = EncGuesser::initWithLangGroup(1, VLXPlatformPalm);
  ASSERT_TRUE(guesser);
  const uint8_t sample[] = {0x9A, 0x9A};
  // L + A would wrap to 0 or 1 in 32 bits (a division by zero, or F = 2000
  // and a certain-looking 100); the index must instead reflect a sample lost
  // in a sea of stripped bytes.
  for (uint32_t stripped : {UINT32_MAX, UINT32_MAX - 1, UINT32_MAX - 2, 400000000u}) {
    int32_t prob = -1;
    EXPECT_EQ(guesser->encodingOfString(sample, 2, stripped, &prob), 17);
    EXPECT_EQ(prob, 0) << stripped;
  }
  // Small stripped counts: F = 1000 * 2 / (2 + A).
  int32_t prob = -1;
  guesser->encodingOfString(sample, 2, 198, &prob);
  EXPECT_EQ(prob, 10);
  guesser->encodingOfString(sample, 2, 1998, &prob);
  EXPECT_EQ(prob, 1);
}

TEST(EncGuesser, FullSizeSampleStaysExact) {
  // 1024 bytes of the heaviest letter: S * F = 1024 * 100 * 1000 fits 32 bits.
  auto guesser = EncGuesser::initWithLangGroup(1, VLXPlatformComputer);
  ASSERT_TRUE(guesser);
  std::vector<uint8_t> sample(1024, 0x9A);
  int32_t prob = -1;
  EXPECT_EQ(guesser->encodingOfString(sample.data(), 1024, 1024 * 9, &prob), 17);
  EXPECT_EQ(prob, 100);  // F = 100, no penalty: P = S x 100 / S capped
  EXPECT_EQ(guesser->scoreAt(2), 102400);
  sample.assign(1024, 0xA9);
  sample[0] = 0x9A;
  // 17: 100, 16: 1023, so 16 wins, penalised by the one 9A.
  EXPECT_EQ(guesser->encodingOfString(sample.data(), 1024, 0, &prob), 16);
  EXPECT_EQ(prob, 100);
}

TEST(EncGuesser, NullIndexAndRepeatedCalls) {
  auto guesser = EncGuesser::initWithLangGroup(1, VLXPlatformComputer);
  ASSERT_TRUE(guesser);
  const uint8_t cp1250[] = {0x9A, 0x9D};
  const uint8_t iso[] = {0xB9, 0xBB};
  // Every call starts from zero: no score carries over.
  EXPECT_EQ(guesser->encodingOfString(cp1250, 2, 0, nullptr), 17);
  EXPECT_EQ(guesser->encodingOfString(iso, 2, 0, nullptr), 16);
  EXPECT_EQ(guesser->scoreAt(2), 0);
  EXPECT_EQ(guesser->encodingOfString(nullptr, 0, 5, nullptr), 8);
}

TEST(EncGuesser, WeightsAndCandidates) {
  auto guesser = EncGuesser::initWithLangGroup(2, VLXPlatformComputer);
  ASSERT_TRUE(guesser);
  ASSERT_EQ(guesser->encCount(), 3u);
  EXPECT_EQ(guesser->encAt(0), 9);
  EXPECT_EQ(guesser->encAt(1), 11);
  EXPECT_EQ(guesser->encAt(2), 10);
  EXPECT_EQ(guesser->weightAt(0, 0xE5), 100);
  EXPECT_EQ(guesser->weightAt(0, 0xC5), 1);
  EXPECT_EQ(guesser->weightAt(1, 0xE5), 0);
  EXPECT_EQ(guesser->weightAt(1, 0x8C), 100);
  auto palm = EncGuesser::initWithLangGroup(2, VLXPlatformPalm);
  ASSERT_TRUE(palm);
  ASSERT_EQ(palm->encCount(), 1u);
  EXPECT_EQ(palm->encAt(0), 10);
  EXPECT_EQ(palm->weightAt(0, 0xE5), 100);
}

}  // namespace
